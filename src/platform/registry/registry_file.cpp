#include "platform/registry/registry_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "support/log.h"

namespace {

// The file is a few kilobytes; anything far larger is not ours.
constexpr off_t kMaxFileSize = static_cast<off_t>(kMaxRegistryTextSize);

enum class FileState { Missing, Parsed, Unparsable, Unreadable };

struct FileContent {
  FileState state = FileState::Missing;
  RegistryData data;
  std::string reason;  // why it could not be read or parsed
};

int ReadWholeFile(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info {};
  int error = ::fstat(fd, &info) != 0 ? errno : 0;
  if (error == 0 && !S_ISREG(info.st_mode)) error = EISDIR;
  if (error == 0 && info.st_size > kMaxFileSize) error = EFBIG;
  text.clear();
  char buffer[16384];
  while (error == 0) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    text.append(buffer, static_cast<std::size_t>(count));
    if (static_cast<off_t>(text.size()) > kMaxFileSize) error = EFBIG;
  }
  ::close(fd);
  return error;
}

FileContent ReadAndParse(const std::string& path) {
  FileContent content;
  std::string text;
  const int error = ReadWholeFile(path, text);
  if (error == ENOENT) return content;
  if (error == EFBIG) {
    // Not a settings file the store could have written: keep it aside like
    // any other file it cannot make sense of.
    content.state = FileState::Unparsable;
    content.reason = "it is larger than " + std::to_string(kMaxRegistryTextSize / (1024 * 1024)) + " MB";
    return content;
  }
  if (error != 0) {
    content.state = FileState::Unreadable;
    content.reason = GetErrorText(error);
    return content;
  }
  content.state = ParseRegistryText(text, content.data, content.reason) ? FileState::Parsed : FileState::Unparsable;
  return content;
}

// Holds an exclusive lock on "<file>.lock" for its lifetime. A separate file,
// because the settings file itself is replaced by every save.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    m_fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
      m_error = errno;
      return;
    }
    while (::flock(m_fd, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      m_error = errno;
      ::close(m_fd);
      m_fd = -1;
      return;
    }
  }
  ~FileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool IsHeld() const { return m_fd >= 0; }
  int Error() const { return m_error; }

 private:
  int m_fd = -1;
  int m_error = 0;
};

std::string UnusedBackupPath(const std::string& path) {
  std::string backup = path + ".bak";
  std::error_code ignored;
  // The name itself counts, even as a link to nothing: rename would replace it.
  for (int n = 1; std::filesystem::exists(std::filesystem::symlink_status(backup, ignored)); ++n) {
    backup = path + "(" + std::to_string(n) + ").bak";
  }
  return backup;
}

// Keeps an unparsable file beside as .bak; the caller holds the lock.
bool MoveAside(const std::string& path, const std::string& reason) {
  const std::string backup = UnusedBackupPath(path);
  if (::rename(path.c_str(), backup.c_str()) != 0) {
    Log("The settings file %s cannot be parsed (%s) and cannot be kept aside: %s", path.c_str(), reason.c_str(),
        GetErrorText(errno).c_str());
    return false;
  }
  Log("The settings file %s cannot be parsed (%s): it is kept as %s and the settings start empty", path.c_str(),
      reason.c_str(), backup.c_str());
  return true;
}

RegistryStatus StatusOf(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
}

bool WriteAll(int fd, const std::string& text) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// The file a save replaces: the one a symbolic link points at (settings kept
// with the user's other dotfiles), so that the link itself stays.
// A link to a file not yet there is followed too; a loop is left to fail.
std::string FileBehindLinks(const std::string& path) {
  std::filesystem::path file = path;
  std::error_code error;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, error); ++hops) {
    const std::filesystem::path target = std::filesystem::read_symlink(file, error);
    if (error) break;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file.string();
}

// Writes a temporary file beside the target, syncs it and renames it over the
// target, then syncs the folder so that the rename itself is durable.
int ReplaceFile(const std::string& linkOrFile, const std::string& text) {
  const std::string path = FileBehindLinks(linkOrFile);
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
  int error = 0;
  if (!WriteAll(fd, text) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return 0;
}

}  // namespace

std::string RegistryFilePath() {
  const char* chosen = std::getenv("ORLENTA_REGISTRY");
  if (chosen != nullptr && *chosen != '\0') return chosen;

  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {  // a relative value is to be ignored
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string homeFolder = home != nullptr ? home : "";
    if (homeFolder.empty()) {
      passwd entry{};
      passwd* found = nullptr;
      char buffer[4096];
      if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
        homeFolder = found->pw_dir;
      }
    }
    if (homeFolder.empty()) return "";
    config = homeFolder + "/.config";
  }
  return config + "/Orlenta/registry.reg";
}

RegistryData ReadRegistryFile(const std::string& path) {
  FileContent content = ReadAndParse(path);
  if (content.state == FileState::Parsed) return std::move(content.data);
  if (content.state == FileState::Unreadable) {
    Log("The settings file %s cannot be read (%s): the settings start empty", path.c_str(), content.reason.c_str());
  }
  if (content.state != FileState::Unparsable) return {};

  // Look again under the lock: another instance may be replacing it right now.
  FileLock lock(path);
  if (!lock.IsHeld()) {
    Log("The settings file %s cannot be parsed (%s) and cannot be locked (%s): the settings start empty", path.c_str(),
        content.reason.c_str(), GetErrorText(lock.Error()).c_str());
    return {};
  }
  content = ReadAndParse(path);
  if (content.state == FileState::Parsed) return std::move(content.data);
  if (content.state == FileState::Unparsable) MoveAside(path, content.reason);
  return {};
}

RegistryStatus PrepareRegistryFile(const std::string& path) {
  if (path.empty()) {
    Log("The settings cannot be saved: no settings file is known (HOME is not set)");
    return ERROR_WRITE_FAULT;
  }
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ignored;  // a failure shows when the lock file is opened
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    const int error = errno;
    Log("The settings file %s cannot be saved: its lock file cannot be created (%s)", path.c_str(),
        GetErrorText(error).c_str());
    return StatusOf(error);
  }
  ::close(fd);
  return ERROR_SUCCESS;
}

RegistryStatus UpdateRegistryFile(const std::string& path, const std::function<void(RegistryData&)>& edit) {
  if (const RegistryStatus status = PrepareRegistryFile(path); status != ERROR_SUCCESS) return status;
  FileLock lock(path);
  if (!lock.IsHeld()) {
    Log("The settings file %s cannot be saved: its lock cannot be taken (%s)", path.c_str(),
        GetErrorText(lock.Error()).c_str());
    return StatusOf(lock.Error());
  }
  FileContent content = ReadAndParse(path);
  if (content.state == FileState::Unreadable) {
    Log("The settings file %s cannot be read (%s): it is not overwritten and the settings are not saved", path.c_str(),
        content.reason.c_str());
    return ERROR_READ_FAULT;
  }
  if (content.state == FileState::Unparsable) {
    if (!MoveAside(path, content.reason)) return ERROR_WRITE_FAULT;
    content.data = RegistryData{};
  }
  edit(content.data);
  if (content.data.TextSize() > kMaxRegistryTextSize) {
    Log("The settings file %s is not saved: the settings would take %zu bytes, more than the %zu it can read back",
        path.c_str(), content.data.TextSize(), kMaxRegistryTextSize);
    return ERROR_WRITE_FAULT;
  }
  const int error = ReplaceFile(path, FormatRegistryText(content.data));
  if (error != 0) {
    Log("The settings file %s cannot be saved: %s", path.c_str(), GetErrorText(error).c_str());
    return StatusOf(error);
  }
  return ERROR_SUCCESS;
}
