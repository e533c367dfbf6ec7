#pragma once
// The output names of a list whose files may convert side by side. A file's
// name is made unique against the files that exist and against the names
// given to the list's other files, whose ffmpeg may not have created them
// yet; and names are given in list order, so that of two inputs that map to
// the same name the first one gets it, as when they convert one after another.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

#include "support/path_buffer.h"

class OutputNameRegister {
 public:
  explicit OutputNameRegister(std::size_t fileCount);

  // Makes path unique for file once every earlier file has its name or has
  // ended (settled), and keeps it for file.
  void Claim(std::size_t file, PathBuffer& path);
  // The file takes no (further) name: it has ended. Later files stop waiting
  // for it. Settling twice does no harm.
  void Settle(std::size_t file);

 private:
  bool EarlierFilesSettled(std::size_t file) const;

  std::mutex m_lock;
  std::condition_variable m_changed;
  std::vector<bool> m_settled;
  std::vector<PathBuffer> m_given;
};
