#include "platform/disc/disc_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <strings.h>

#include "support/log.h"

namespace fs = std::filesystem;

std::string MakePrivateFolder(const std::string& parent, const std::string& prefix, std::string* error) {
  std::string pattern = (fs::path(parent) / (prefix + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    if (error != nullptr) *error = "Cannot create a folder in " + parent + ": " + GetErrorText(errno);
    return {};
  }
  return pattern;
}

std::vector<std::string> ReserveOutputFiles(const std::string& folder, const std::string& base,
                                            const std::vector<std::string>& exts, std::string* error) {
  for (int n = 0; n < 10000; ++n) {
    const std::string stem = n == 0 ? base : base + "(" + std::to_string(n) + ")";
    std::vector<std::string> created;
    bool taken = false;
    for (const auto& ext : exts) {
      const std::string path = (fs::path(folder) / (stem + ext)).string();
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd < 0) {
        const int code = errno;
        for (const auto& made : created) ::unlink(made.c_str());
        if (code == EEXIST) {
          taken = true;
          break;
        }
        if (error != nullptr) *error = "Cannot create " + path + ": " + GetErrorText(code);
        return {};
      }
      ::close(fd);
      created.push_back(path);
    }
    if (!taken) return created;
  }
  if (error != nullptr) *error = "No free name for " + base + " in " + folder;
  return {};
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string* error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out << text;
  out.close();
  if (!out) {
    if (error != nullptr) *error = "Cannot write " + path + ": " + GetErrorText(errno);
    return false;
  }
  return true;
}

std::string FindPathIgnoringCase(const std::string& path) {
  std::error_code ignored;
  if (path.empty()) return {};
  if (fs::exists(path, ignored)) return path;
  const fs::path wanted(path);
  fs::path found = wanted.has_root_path() ? wanted.root_path() : fs::path(".");
  for (const auto& part : wanted.relative_path()) {
    if (part.empty() || part == ".") continue;
    const fs::path exact = found / part;
    if (fs::exists(exact, ignored)) {
      found = exact;
      continue;
    }
    fs::path match;
    int matches = 0;
    for (const auto& entry : fs::directory_iterator(found, ignored)) {
      if (::strcasecmp(entry.path().filename().c_str(), part.c_str()) == 0) {
        match = entry.path();
        ++matches;
      }
    }
    if (matches != 1) return {};
    found = match;
  }
  return found.string();
}
