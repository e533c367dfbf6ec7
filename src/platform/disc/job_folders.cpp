#include "platform/disc/job_folders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <vector>

#include "platform/disc/disc_files.h"
#include "platform/disc/output_reservation.h"
#include "support/log.h"
#include "support/path_buffer.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kJobPrefix = "orlenta-job-";
// Folders and records are made under this name and get theirs once locked,
// so that nothing stands unlocked under a name the clean-up takes.
constexpr const char* kNewPrefix = ".orlenta-new-";
constexpr const char* kRecordPrefix = "record-";
constexpr int kNameAttempts = 100;
// Marks a record's entry as a folder made for a job (recorded paths are
// absolute, so no path starts with it).
constexpr char kMadeMark = '+';

std::string RecordsFolder() {
  PathBuffer folder = UserDataFolderPath();
  folder.Append("Orlenta").Append("jobs");
  return folder.str();
}

bool IsRealFolder(const fs::directory_entry& entry) {
  std::error_code ignored;
  return entry.is_directory(ignored) && !entry.is_symlink(ignored);
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// Removes a job folder when its lock is free; false when a live job holds it.
bool RemoveIfAbandoned(const fs::path& folder) {
  const int fd = LockFolder(folder.string(), false);
  if (fd < 0) return false;
  Log("Removing the leftovers of a job that did not end: %s", folder.c_str());
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  ::close(fd);
  return true;
}

// The folders a record names: paths ended by a NUL each.
std::vector<std::string> ReadRecord(int fd) {
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  std::vector<std::string> folders;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1) {
    if (end > start) folders.push_back(bytes.substr(start, end - start));
  }
  return folders;
}

// This process's record; one for the whole process.
class ProcessRecord {
 public:
  ~ProcessRecord() {
    std::lock_guard<std::mutex> lock(m_lock);
    // A forked child that exits is not the record's owner.
    if (m_fd < 0 || m_owner != ::getpid()) return;
    ::unlink(m_path.c_str());
    ::close(m_fd);
  }

  void Add(const std::string& folder) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_folders.contains(folder)) return;
    if (m_fd < 0 && !Open()) return;
    std::string entry = folder;
    entry.push_back('\0');
    if (::write(m_fd, entry.data(), entry.size()) != static_cast<ssize_t>(entry.size())) {
      Log("Cannot note the work folder %s in %s: %s", folder.c_str(), m_path.c_str(), GetErrorText(errno).c_str());
      return;
    }
    m_folders.insert(folder);
  }

 private:
  bool Open() {
    const std::string records = RecordsFolder();
    std::error_code ignored;
    fs::create_directories(records, ignored);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      std::string fresh = records + "/" + kNewPrefix + "XXXXXX";
      const int fd = ::mkostemp(fresh.data(), O_CLOEXEC | O_APPEND);
      if (fd < 0) break;
      const std::string path = records + "/" + kRecordPrefix + fresh.substr(fresh.size() - 6);
      if (::flock(fd, LOCK_EX) == 0 && RenameNoReplace(fresh, path)) {
        m_fd = fd;
        m_path = path;
        m_owner = ::getpid();
        return true;
      }
      // A name taken, or the fresh file removed by a start-up in its first
      // moment, before it was locked: try another.
      ::unlink(fresh.c_str());
      ::close(fd);
    }
    Log("Cannot make a record of the work folders in %s: %s", records.c_str(), GetErrorText(errno).c_str());
    return false;
  }

  std::mutex m_lock;
  int m_fd = -1;
  std::string m_path;
  pid_t m_owner = 0;
  std::set<std::string> m_folders;
};

ProcessRecord& TheRecord() {
  static ProcessRecord record;
  return record;
}

// A record of made folders that no process holds: the next start takes it
// as the record of an ended process.
void WriteOrphanRecord(const std::string& records, const std::vector<std::string>& made) {
  std::string fresh = records + "/" + kNewPrefix + "XXXXXX";
  const int fd = ::mkostemp(fresh.data(), O_CLOEXEC);
  if (fd < 0) return;
  std::string bytes;
  for (const std::string& folder : made) bytes += kMadeMark + folder + '\0';
  const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  ::close(fd);
  const std::string path = records + "/" + kRecordPrefix + fresh.substr(fresh.size() - 6);
  if (!written || !RenameNoReplace(fresh, path)) ::unlink(fresh.c_str());
}

}  // namespace

std::unique_ptr<JobFolder> JobFolder::Create(const std::string& parent, std::string* error) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string fresh = (fs::path(parent) / (std::string(kNewPrefix) + "XXXXXX")).string();
    if (::mkdtemp(fresh.data()) == nullptr) {
      if (error != nullptr) *error = "Cannot create a folder in " + parent + ": " + GetErrorText(errno);
      return nullptr;
    }
    const int fd = LockFolder(fresh, true);
    if (fd < 0) {
      if (error != nullptr) *error = "Cannot lock " + fresh + ": " + GetErrorText(errno);
      ::rmdir(fresh.c_str());
      return nullptr;
    }
    const std::string path = (fs::path(parent) / (std::string(kJobPrefix) + fresh.substr(fresh.size() - 6))).string();
    if (RenameNoReplace(fresh, path)) {
      std::unique_ptr<JobFolder> folder(new JobFolder());
      folder->m_path = path + "/";
      folder->m_lock = fd;
      return folder;
    }
    const int renameError = errno;
    ::close(fd);
    ::rmdir(fresh.c_str());
    if (renameError != EEXIST && renameError != ENOTEMPTY) {
      if (error != nullptr) *error = "Cannot create " + path + ": " + GetErrorText(renameError);
      return nullptr;
    }
  }
  if (error != nullptr) *error = "No free name for a job folder in " + parent;
  return nullptr;
}

JobFolder::~JobFolder() {
  std::error_code ignored;
  fs::remove_all(m_path.substr(0, m_path.size() - 1), ignored);
  ::close(m_lock);
}

void RemoveAbandonedJobFolders(const std::string& parent) {
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(parent, failed)) {
    if (StartsWith(entry.path().filename().string(), kJobPrefix) && IsRealFolder(entry)) {
      RemoveIfAbandoned(entry.path());
    }
  }
}

void EmptyWorkFolder(const std::string& folder) {
  std::error_code failed;
  int removed = 0;
  for (const auto& entry : fs::directory_iterator(folder, failed)) {
    const std::string name = entry.path().filename().string();
    // A job folder in its first moment, before it is locked and named.
    if (StartsWith(name, kNewPrefix)) continue;
    if (StartsWith(name, kJobPrefix) && IsRealFolder(entry)) {
      if (RemoveIfAbandoned(entry.path())) ++removed;
      continue;
    }
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
    ++removed;
  }
  if (removed > 0) Log("Emptied the work folder %s: %d entries", folder.c_str(), removed);
}

void RecordWorkFolder(const std::string& folder) {
  TheRecord().Add(folder);
}

void RecordMadeFolder(const std::string& folder) {
  TheRecord().Add(kMadeMark + folder);
}

std::vector<std::string> RemoveEmptyFolders(std::vector<std::string> folders) {
  for (std::string& folder : folders) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  }
  // A folder inside another is longer: it goes first.
  std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  std::vector<std::string> kept;
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    if (::rmdir(folder.c_str()) == 0) {
      Log("Removed the work folder %s", folder.c_str());
    } else if (errno != ENOENT) {
      kept.push_back(folder);
    }
  }
  return kept;
}

void RemoveLeftoversOfEndedJobs() {
  const std::string records = RecordsFolder();
  // Made folders go after every record's job folders: one of them may hold
  // the job folder of another dead process.
  std::vector<std::string> made;
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(records, failed)) {
    const std::string name = entry.path().filename().string();
    const bool record = StartsWith(name, kRecordPrefix);
    if (!record && !StartsWith(name, kNewPrefix)) continue;
    const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);  // its process lives
      continue;
    }
    if (record) {
      for (const std::string& folder : ReadRecord(fd)) {
        if (folder.front() == kMadeMark) {
          made.push_back(folder.substr(1));
          continue;
        }
        RemoveAbandonedJobFolders(folder);
        RemoveAbandonedOutputs(folder);
      }
    }
    ::unlink(entry.path().c_str());
    ::close(fd);
  }
  // What still holds a live job's folder waits, in a record nobody holds, for
  // a later start.
  const std::vector<std::string> kept = RemoveEmptyFolders(std::move(made));
  if (!kept.empty()) WriteOrphanRecord(records, kept);
  RemoveAbandonedJobFolders(TempFolderPath().str());
}
