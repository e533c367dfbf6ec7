#pragma once
// Where a disc job puts its converted streams and its image folder when the
// temporary folder's drive is too small: the local fixed disks of the
// machine, each with the room its user may fill. Memory, network, optical,
// removable and the kernel's own file systems are never used.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/mount_table.h"

struct WorkDrive {
  std::string root;                           // a folder on the drive the user may write to, ending in '/'
  std::optional<std::int64_t> freeMegabytes;  // bytes available to the user / 1,000,000; none when unreadable
};

// The fixed disks of a mount table, in its order (sorted by mount point), one
// per file system (a device mounted twice counts once). The root of each is
// its mount point when the user may write there; otherwise usableFolder
// gives a folder of the user's on that drive, or none (the drive is left out).
std::vector<WorkDrive> FixedWorkDrives(
    const std::vector<MountEntry>& mounts,
    const std::function<std::optional<std::string>(const MountEntry&)>& usableFolder,
    const std::function<std::optional<std::int64_t>(const std::string&)>& freeMegabytes);

// The program's own folder on the drive that holds driveRoot (a WorkDrive's
// root), for the work folders a disc job puts "at the drive's root": the
// user's cache folder's "Orlenta/" when the cache lies on that drive, else
// ".orlenta/" in the user's home when that does, else ".orlenta/" in
// driveRoot itself; never a file system's root. Ends in '/'; not created here.
std::string ProgramFolderOnDrive(const std::string& driveRoot);

// This machine's fixed disks (mount table of root, "" for this machine).
std::vector<WorkDrive> MachineWorkDrives(const std::string& root = "");

// The room available to the user on the file system that holds folder, in
// megabytes (10^6 bytes); none when it cannot be read.
std::optional<std::int64_t> FreeMegabytesOf(const std::string& folder);

struct WorkDriveChoice {
  bool found = false;  // both outputs were filled
  std::string first;   // a drive with more than needed free, "" if none
  std::string second;  // a drive with more than twice needed free, "" if none
};

// Goes through the drives in order: one with more than twice neededMegabytes
// free becomes the second output, one with more than neededMegabytes (and,
// when it was made the second, at least three times) the first; found as soon
// as both are filled. A drive whose room cannot be read is skipped.
WorkDriveChoice ChooseWorkDrives(const std::vector<WorkDrive>& drives, std::int64_t neededMegabytes);
