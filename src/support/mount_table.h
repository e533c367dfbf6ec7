#pragma once
// The mounted file systems of this machine, read from the kernel's mount table
// and sorted into the kinds of drive a user knows: a fixed disk, a removable
// medium (USB stick, memory card), an optical disc, a network share, a memory
// file system, or one of the kernel's own virtual file systems.
//
// Every file is read under a root folder ("" for this machine) so tests can
// give fixture copies of /proc/self/mounts and /sys/class/block.

#include <string>
#include <string_view>
#include <vector>

enum class MountKind { Fixed, Removable, Optical, Network, Memory, Virtual };

struct MountEntry {
  std::string device;      // "/dev/sda1", "server:/export", "tmpfs"
  std::string mountPoint;  // "/", "/media/user/CARD" (escapes such as \040 decoded)
  std::string type;        // "ext4", "vfat", "nfs4", ...
  MountKind kind = MountKind::Virtual;
};

// One entry per mount point, the last mount on a point hiding earlier ones,
// sorted by mount point. An unreadable table gives an empty list.
std::vector<MountEntry> ReadMountTable(const std::string& root = "");

// The kind of a mount, from its device and type and, for a block device, the
// "removable" flag of its disk under <root>/sys/class/block.
MountKind ClassifyMount(const std::string& root, std::string_view device, std::string_view type);

// A field of the mount table with its octal escapes (\040 for a blank) decoded.
std::string DecodeMountField(std::string_view field);
