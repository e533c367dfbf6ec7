#include "disc/work_drives.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::optional<dev_t> DeviceOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_dev;
}

// The device of path's file system; a path that does not exist (yet) is
// on the file system of its nearest existing parent.
std::optional<dev_t> DeviceOfNearest(std::string path) {
  for (;;) {
    if (const auto device = DeviceOf(path)) return device;
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos || path == "/") return std::nullopt;
    path = slash == 0 ? "/" : path.substr(0, slash);
  }
}

// $HOME, else the home folder the user database gives (a service started
// without HOME); "" when neither is known.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const struct passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? std::string(user->pw_dir) : std::string();
}

std::string UserCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  // The XDG rules ignore a relative value.
  if (cache != nullptr && cache[0] == '/') return cache;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.cache";
}

// The mount point itself when the user may create folders there (a disk
// mounted for the user, or any disk for root); else the user's home folder
// when it lies on that disk.
std::optional<std::string> MachineUsableFolder(const MountEntry& mount) {
  if (::access(mount.mountPoint.c_str(), W_OK | X_OK) == 0) return mount.mountPoint;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0' || ::access(home, W_OK | X_OK) != 0) return std::nullopt;
  const auto homeDevice = DeviceOf(home);
  const auto mountDevice = DeviceOf(mount.mountPoint);
  if (!homeDevice || !mountDevice || *homeDevice != *mountDevice) return std::nullopt;
  return std::string(home);
}

}  // namespace

std::vector<WorkDrive> FixedWorkDrives(
    const std::vector<MountEntry>& mounts,
    const std::function<std::optional<std::string>(const MountEntry&)>& usableFolder,
    const std::function<std::optional<std::int64_t>(const std::string&)>& freeMegabytes) {
  std::vector<WorkDrive> drives;
  std::set<std::string> devicesSeen;
  for (const MountEntry& mount : mounts) {
    if (mount.kind != MountKind::Fixed) continue;
    // A bind mount or a second mount of one device is the same room again.
    if (!devicesSeen.insert(mount.device).second) continue;
    const std::optional<std::string> folder = usableFolder(mount);
    if (!folder) continue;
    drives.push_back({WithSlash(*folder), freeMegabytes(*folder)});
  }
  return drives;
}

std::string ProgramFolderOnDrive(const std::string& driveRoot) {
  const auto drive = DeviceOf(driveRoot);
  const std::string cache = UserCacheFolder();
  if (drive && !cache.empty() && DeviceOfNearest(cache) == drive) return WithSlash(cache) + "Orlenta/";
  const std::string home = HomeFolder();
  if (drive && !home.empty() && DeviceOf(home) == drive) return WithSlash(home) + ".orlenta/";
  return WithSlash(driveRoot) + ".orlenta/";
}

std::vector<WorkDrive> MachineWorkDrives(const std::string& root) {
  return FixedWorkDrives(ReadMountTable(root), MachineUsableFolder, FreeMegabytesOf);
}

std::optional<std::int64_t> FreeMegabytesOf(const std::string& folder) {
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize) / 1'000'000;
}

WorkDriveChoice ChooseWorkDrives(const std::vector<WorkDrive>& drives, std::int64_t neededMegabytes) {
  WorkDriveChoice choice;
  bool haveFirst = false;
  bool haveSecond = false;
  for (const WorkDrive& drive : drives) {
    if (!drive.freeMegabytes) continue;
    const std::int64_t free = *drive.freeMegabytes;
    if (free > 2 * neededMegabytes) {
      choice.second = drive.root;
      haveSecond = true;
      if (haveFirst) break;
      if (free < 3 * neededMegabytes) continue;
    }
    if (free > neededMegabytes) {
      choice.first = drive.root;
      haveFirst = true;
      if (haveSecond) break;
    }
  }
  choice.found = haveFirst && haveSecond;
  return choice;
}
