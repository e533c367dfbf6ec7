#include "support/path_buffer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/exceptions.h"

namespace {

// Shown in a refusal: long enough to recognise, short enough for a message box.
std::string Abbreviated(std::string_view text) {
  std::string shown(text.substr(0, 200));
  if (text.size() > shown.size()) shown += "...";
  return shown;
}

[[noreturn]] void RefuseLongPath(std::string_view path) {
  throw peravel_exception("The path is too long (" + std::to_string(path.size()) + " characters; at most " +
                          std::to_string(PathBuffer::kCapacity - 1) + " are possible): " + Abbreviated(path));
}

// Index of the first character of the file name.
std::size_t FileNameStart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

// Index of the extension's dot, or npos. A leading dot (".profile") names a
// hidden file, not an extension.
std::size_t ExtensionStart(std::string_view path) {
  const std::size_t nameStart = FileNameStart(path);
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos || dot <= nameStart) return std::string_view::npos;
  return dot;
}

}  // namespace

PathBuffer::PathBuffer(std::string_view path) {
  Assign(path);
}

PathBuffer& PathBuffer::operator=(std::string_view path) {
  Assign(path);
  return *this;
}

void PathBuffer::Assign(std::string_view path) {
  if (path.size() >= kCapacity) RefuseLongPath(path);
  std::memmove(m_path, path.data(), path.size());
  m_path[path.size()] = '\0';
}

std::size_t PathBuffer::size() const noexcept {
  return std::strlen(m_path);
}

PathBuffer& PathBuffer::Append(std::string_view name) {
  while (!name.empty() && name.front() == '/' && !empty()) name.remove_prefix(1);
  std::string joined(m_path);
  if (!joined.empty() && joined.back() != '/' && !name.empty()) joined += '/';
  joined += name;
  Assign(joined);
  return *this;
}

PathBuffer& PathBuffer::RemoveExtension() {
  const auto dot = ExtensionStart(m_path);
  if (dot != std::string_view::npos) m_path[dot] = '\0';
  return *this;
}

PathBuffer& PathBuffer::RemoveFileSpec() {
  const std::string_view path(m_path);
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) {
    m_path[0] = '\0';
  } else {
    m_path[slash == 0 ? 1 : slash] = '\0';
  }
  return *this;
}

std::string_view PathBuffer::FileName() const noexcept {
  const std::string_view path(m_path);
  return path.substr(FileNameStart(path));
}

std::string_view PathBuffer::Extension() const noexcept {
  const std::string_view path(m_path);
  const auto dot = ExtensionStart(path);
  return dot == std::string_view::npos ? std::string_view() : path.substr(dot);
}

bool PathBuffer::Exists() const {
  struct stat info {};
  return !empty() && ::lstat(m_path, &info) == 0;
}

bool operator==(const PathBuffer& a, const PathBuffer& b) noexcept {
  return std::strcmp(a.m_path, b.m_path) == 0;
}

PathBuffer TempFolderPath() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return PathBuffer(folder);
}

PathBuffer UserDataFolderPath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  // The XDG rules ignore a relative value.
  if (dataHome != nullptr && dataHome[0] == '/') {
    std::string folder = dataHome;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return PathBuffer(folder);
  }
  const char* home = std::getenv("HOME");
  PathBuffer path(home != nullptr ? home : "");
  path.Append(".local/share");
  return path;
}

PathBuffer ProgramFileFor(std::string_view executable, std::string_view name) {
  PathBuffer folder(executable);
  folder.RemoveFileSpec();
  PathBuffer beside = folder;
  beside.Append(name);
  if (beside.Exists()) return beside;
  // An installed tree keeps data and helper programs apart from bin/.
  PathBuffer prefix = folder;
  prefix.RemoveFileSpec();
  for (const char* installed : {"share/orlenta", "libexec/orlenta"}) {
    PathBuffer candidate = prefix;
    candidate.Append(installed).Append(name);
    if (candidate.Exists()) return candidate;
  }
  return beside;
}

PathBuffer ModuleFolderFile(std::string_view name) {
  char executable[PathBuffer::kCapacity] = {};
  const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof executable - 1);
  return ProgramFileFor(
      length > 0 ? std::string_view(executable, static_cast<std::size_t>(length)) : std::string_view(), name);
}

void RefuseLongFileName(const PathBuffer& path) {
  const std::string_view name = path.FileName();
  if (name.size() <= PathBuffer::kMaxFileName) return;
  throw peravel_exception("The file name is too long (" + std::to_string(name.size()) + " bytes; at most " +
                          std::to_string(PathBuffer::kMaxFileName) + " are possible): " + Abbreviated(name));
}

void MakeUniquePath(PathBuffer& path) {
  MakeUniquePath(path, [](const PathBuffer& candidate) { return candidate.Exists(); });
}

void MakeUniquePath(PathBuffer& path, const std::function<bool(const PathBuffer&)>& taken) {
  if (!taken(path)) return;
  const std::string extension(path.Extension());
  PathBuffer stem = path;
  stem.RemoveExtension();
  for (int n = 1;; ++n) {
    PathBuffer candidate(std::string(stem.c_str()) + "(" + std::to_string(n) + ")" + extension);
    if (!taken(candidate)) {
      path = candidate;
      return;
    }
  }
}
