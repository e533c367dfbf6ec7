#include "support/mount_table.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

bool IsNetworkType(std::string_view type) {
  static constexpr std::array<std::string_view, 14> kTypes = {"nfs",   "nfs4",   "cifs",      "smb3",      "smbfs",
                                                              "9p",    "ceph",   "glusterfs", "afs",       "ncpfs",
                                                              "davfs", "lustre", "coda",      "fuse.sshfs"};
  return std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end() || type.starts_with("fuse.gluster") ||
         type.starts_with("fuse.s3fs") || type.starts_with("fuse.rclone");
}

// The "removable" flag of the disk that holds a block device; a partition
// finds it on its parent disk, one folder up in sysfs.
bool IsRemovableDisk(const std::string& root, std::string_view device) {
  std::filesystem::path name = std::filesystem::path(device).filename();
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(root + std::string(device), error);
  if (!error) name = resolved.filename();
  const std::string block = root + "/sys/class/block/" + name.string();
  for (const std::string& flag : {block + "/removable", block + "/../removable"}) {
    std::ifstream in(flag);
    int value = 0;
    if (in >> value) return value == 1;
  }
  return false;
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
  std::string decoded;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const bool octal =
        field[i] == '\\' && i + 3 < field.size() &&
        std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                    field.begin() + static_cast<std::ptrdiff_t>(i) + 4, [](char c) { return c >= '0' && c <= '7'; });
    if (octal) {
      decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      decoded += field[i];
    }
  }
  return decoded;
}

MountKind ClassifyMount(const std::string& root, std::string_view device, std::string_view type) {
  if (type == "iso9660" || type == "udf" || device.starts_with("/dev/sr") || device.starts_with("/dev/scd") ||
      device.starts_with("/dev/cdrom")) {
    return MountKind::Optical;
  }
  if (IsNetworkType(type) || device.starts_with("//") || device.find(":/") != std::string_view::npos) {
    return MountKind::Network;
  }
  if (type == "tmpfs" || type == "ramfs" || device.starts_with("/dev/zram") || device.starts_with("/dev/ram")) {
    return MountKind::Memory;
  }
  // A squashfs image (snap packages, live systems) is read-only: no room for the user's files.
  if (type == "squashfs") return MountKind::Virtual;
  if (device.starts_with("/dev/")) return IsRemovableDisk(root, device) ? MountKind::Removable : MountKind::Fixed;
  // ZFS names its data sets, not a device.
  if (type == "zfs") return MountKind::Fixed;
  return MountKind::Virtual;
}

std::vector<MountEntry> ReadMountTable(const std::string& root) {
  std::ifstream in(root + "/proc/self/mounts");
  std::map<std::string, MountEntry> byMountPoint;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string device;
    std::string mountPoint;
    std::string type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    MountEntry entry;
    entry.device = DecodeMountField(device);
    entry.mountPoint = DecodeMountField(mountPoint);
    entry.type = DecodeMountField(type);
    entry.kind = ClassifyMount(root, entry.device, entry.type);
    byMountPoint[entry.mountPoint] = std::move(entry);
  }
  std::vector<MountEntry> entries;
  for (auto& [mountPoint, entry] : byMountPoint) entries.push_back(std::move(entry));
  return entries;
}
