#include "platform/disc/output_reservation.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/disc/disc_files.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kScratchSuffix = ".orlenta-part";
constexpr const char* kNewPrefix = ".orlenta-new-";

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

}  // namespace

void RemoveAbandonedOutputs(const std::string& folder) {
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(folder, failed)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= 1 + std::string(kScratchSuffix).size() || name.front() != '.' || !name.ends_with(kScratchSuffix))
      continue;
    std::error_code ignored;
    if (!entry.is_directory(ignored) || entry.is_symlink(ignored)) continue;
    const int fd = LockFolder(entry.path().string(), false);
    if (fd < 0) continue;  // its owner is alive
    Log("Removing the leftover of an image write that did not end: %s", entry.path().c_str());
    fs::remove_all(entry.path(), ignored);
    ::close(fd);
  }
}

std::unique_ptr<OutputReservation> OutputReservation::Reserve(const std::string& folder, const std::string& base,
                                                              const std::vector<std::string>& exts,
                                                              std::string* error) {
  RemoveAbandonedOutputs(folder);
  // Made and locked under a name of its own first, so that it never stands
  // unlocked under a reserving name.
  std::string fresh = (fs::path(folder) / (std::string(kNewPrefix) + "XXXXXX")).string();
  if (::mkdtemp(fresh.data()) == nullptr) {
    if (error != nullptr) *error = "Cannot create a folder in " + folder + ": " + GetErrorText(errno);
    return nullptr;
  }
  std::unique_ptr<OutputReservation> reservation(new OutputReservation());
  reservation->m_lock = LockFolder(fresh, true);
  if (reservation->m_lock < 0) {
    if (error != nullptr) *error = "Cannot lock " + fresh + ": " + GetErrorText(errno);
    ::rmdir(fresh.c_str());
    return nullptr;
  }
  for (int n = 0; n < 10000; ++n) {
    const std::string stem = n == 0 ? base : base + "(" + std::to_string(n) + ")";
    std::vector<std::string> finals;
    bool taken = false;
    for (const auto& ext : exts) {
      finals.push_back((fs::path(folder) / (stem + ext)).string());
      taken = taken || Exists(finals.back());
    }
    if (taken) continue;
    const std::string scratch = (fs::path(folder) / ("." + stem + exts.front() + kScratchSuffix)).string();
    if (RenameNoReplace(fresh, scratch)) {
      reservation->m_finals = std::move(finals);
      reservation->m_scratch = scratch;
      return reservation;
    }
    if (errno != EEXIST && errno != ENOTEMPTY) {
      if (error != nullptr) *error = "Cannot create " + scratch + ": " + GetErrorText(errno);
      reservation->m_scratch = fresh;  // removed with the reservation
      return nullptr;
    }
  }
  if (error != nullptr) *error = "No free name for " + base + " in " + folder;
  reservation->m_scratch = fresh;
  return nullptr;
}

OutputReservation::~OutputReservation() {
  std::error_code ignored;
  if (!m_scratch.empty()) fs::remove_all(m_scratch, ignored);
  if (m_lock >= 0) ::close(m_lock);
}

std::string OutputReservation::ScratchPath(std::size_t i) const {
  return (fs::path(m_scratch) / fs::path(m_finals.at(i)).filename()).string();
}

bool OutputReservation::Commit(std::string* error) {
  std::vector<std::string> moved;
  for (std::size_t i = m_finals.size(); i-- > 0;) {
    if (RenameNoReplace(ScratchPath(i), m_finals[i])) {
      moved.push_back(m_finals[i]);
      continue;
    }
    if (error != nullptr) *error = "Cannot move the image to " + m_finals[i] + ": " + GetErrorText(errno);
    for (const auto& path : moved) ::unlink(path.c_str());
    return false;
  }
  return true;
}
