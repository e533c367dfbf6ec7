#pragma once
// What ffmpeg said before it ended: the last lines of its output that are not
// status updates ("frame= ... time=", rewritten with '\r'), kept for the log
// and for telling the user why a conversion failed.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

class FfmpegErrorLines {
 public:
  // Takes the next piece of output, split anywhere.
  void Feed(std::string_view piece);
  // The last few lines, oldest first, each cut to a readable length; an
  // unfinished last line counts too.
  std::vector<std::string> Lines() const;
  // True once ffmpeg has said that it could not finish its output file. It
  // still ends with exit code 0 then (a full disk that only shows when the
  // last buffered data and the trailer are written).
  bool OutputUnfinished() const noexcept { return m_bOutputUnfinished; }

 private:
  void EndLine();

  std::deque<std::string> m_lines;
  std::string m_current;
  bool m_bOutputUnfinished = false;
};

// True when ffmpeg's lines say that the disk (or the user's quota) is full.
bool ReportsFullDisk(const std::vector<std::string>& lines);
