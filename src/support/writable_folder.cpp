#include "support/writable_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string FolderWriteProblem(const std::string& folder) {
  std::string name = folder;
  if (name.empty() || name.back() != '/') name += '/';
  name += ".orlenta-write-check-XXXXXX";
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int descriptor = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (descriptor < 0) return std::strerror(errno);
  ::close(descriptor);
  ::unlink(buffer.data());
  return "";
}
