#include "support/temporary_files.h"

#include <cerrno>
#include <cstdio>
#include <mutex>

#include "support/exceptions.h"
#include "support/log.h"

namespace {

struct Register {
  std::mutex lock;
  std::vector<PathBuffer> files;
};

Register& TheRegister() {
  static Register reg;
  return reg;
}

}  // namespace

void CTemporaryFiles::AddTempFile(std::string_view path) {
  const PathBuffer copy(path);
  Log("CTemporaryFiles::AddTempFile %s", copy.c_str());
  Register& reg = TheRegister();
  std::lock_guard lock(reg.lock);
  reg.files.push_back(copy);
}

void CTemporaryFiles::DeleteTempFiles() {
  Log("CTemporaryFiles::DeleteTempFiles");
  Register& reg = TheRegister();
  std::lock_guard lock(reg.lock);
  for (const PathBuffer& file : reg.files) {
    if (!file.Exists()) continue;
    if (std::remove(file.c_str()) != 0 && errno != ENOENT) {
      const int error = errno;
      Log("Cannot delete temporary file %s: %s", file.c_str(), GetErrorText(error).c_str());
      throw file_exception("Cannot delete the file", file.str(), error);
    }
  }
  reg.files.clear();
}

std::vector<PathBuffer> CTemporaryFiles::RegisteredFiles() {
  Register& reg = TheRegister();
  std::lock_guard lock(reg.lock);
  return reg.files;
}
