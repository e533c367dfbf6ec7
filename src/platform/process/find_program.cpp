#include "platform/process/find_program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string FindProgram(std::string_view name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string_view::npos) {
    std::string path(name);
    return IsExecutableFile(path) ? path : std::string();
  }
  const char* env = std::getenv("PATH");
  const std::string_view searchPath = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    auto end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    std::string folder(searchPath.substr(start, end - start));
    if (folder.empty()) folder = ".";
    std::string candidate = folder + "/" + std::string(name);
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}
