#include "platform/disc/disc_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "support/crash_handler.h"
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

int LockFolder(const std::string& path, bool wait) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without RENAME_NOREPLACE: check first (a narrow race, but
  // the callers' own names are unique among our kind already).
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0 || errno != ENOENT) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

class FolderRemover {
 public:
  ~FolderRemover() {
    {
      std::lock_guard<std::mutex> lock(m_lock);
      m_ending = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
  }

  void Add(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pending.push_back(path);
    if (!m_thread.joinable()) m_thread = ThreadWithCrashStack(&FolderRemover::Run, this);
    m_changed.notify_all();
  }

  void Finish() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return m_pending.empty() && !m_busy; });
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
      m_changed.wait(lock, [this] { return m_ending || !m_pending.empty(); });
      if (m_pending.empty()) return;  // ending with nothing left
      const std::string path = m_pending.front();
      m_pending.pop_front();
      m_busy = true;
      lock.unlock();
      std::error_code ignored;
      fs::remove_all(path, ignored);
      lock.lock();
      m_busy = false;
      m_changed.notify_all();
    }
  }

  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<std::string> m_pending;
  bool m_busy = false;
  bool m_ending = false;
  std::thread m_thread;
};

FolderRemover& Remover() {
  static FolderRemover remover;
  return remover;
}

}  // namespace

void RemoveFolderLater(const std::string& path) {
  if (!path.empty()) Remover().Add(path);
}

void FinishFolderRemovals() {
  Remover().Finish();
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
