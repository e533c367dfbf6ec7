// The drives a disc job may fill, chosen on injected mount tables: fixed
// disks only, each with the room the test gives it.

#include "disc/work_drives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/test_kit.h"

namespace {

constexpr std::int64_t kNeeded = 1000;

struct DriveCase {
  const char* name;
  const char* mounts;                          // the mount table's lines
  std::map<std::string, std::int64_t> freeMb;  // by mount point; missing = unreadable
  const char* first;
  const char* second;
  bool found;
};

// A machine root with this mount table and a removable USB disk (sdc) in sysfs.
class MachineRoot {
 public:
  explicit MachineRoot(const std::string& mounts) {
    std::filesystem::create_directories(m_dir.File("proc/self"));
    testkit::WriteFile(m_dir.File("proc/self/mounts"), mounts);
    std::filesystem::create_directories(m_dir.File("sys/class/block/sdc1"));
    testkit::WriteFile(m_dir.File("sys/class/block/sdc1/removable"), "1\n");
  }
  std::string Path() const { return m_dir.path().string(); }

 private:
  testkit::TempDir m_dir;
};

std::vector<WorkDrive> DrivesOf(const DriveCase& c) {
  const MachineRoot root(c.mounts);
  return FixedWorkDrives(
      ReadMountTable(root.Path()), [](const MountEntry& mount) { return std::optional(mount.mountPoint); },
      [&](const std::string& folder) -> std::optional<std::int64_t> {
        const auto found = c.freeMb.find(folder);
        if (found == c.freeMb.end()) return std::nullopt;
        return found->second;
      });
}

TEST(WorkDrives, TheTwoDrivesAreChosenByTheirRoomAmongFixedDisksOnly) {
  const DriveCase cases[] = {
      {"a first drive with 1.5x and a second with 2.5x",
       "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /data ext4 rw 0 0\n",
       {{"/", 1500}, {"/data", 2500}},
       "/",
       "/data/",
       true},
      {"one drive with 2.5x is only the second", "/dev/sda1 / ext4 rw 0 0\n", {{"/", 2500}}, "", "/", false},
      {"one drive with exactly 3x is both", "/dev/sda1 / ext4 rw 0 0\n", {{"/", 3000}}, "/", "/", true},
      {"memory, network, optical and removable drives are never chosen, however large",
       "/dev/sda1 / ext4 rw 0 0\n"
       "tmpfs /tmp tmpfs rw 0 0\n"
       "server:/export /mnt/net nfs4 rw 0 0\n"
       "//nas/share /mnt/smb cifs rw 0 0\n"
       "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
       "/dev/sdc1 /media/usb vfat rw 0 0\n",
       {{"/", 500},
        {"/tmp", 90000},
        {"/mnt/net", 90000},
        {"/mnt/smb", 90000},
        {"/media/cdrom", 90000},
        {"/media/usb", 90000}},
       "",
       "",
       false},
      {"a drive whose room cannot be read is skipped",
       "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /data ext4 rw 0 0\n/dev/sdd1 /more ext4 rw 0 0\n",
       {{"/data", 1500}, {"/more", 2500}},
       "/data/",
       "/more/",
       true},
      {"a device mounted twice is one drive, not twice the room",
       "/dev/sda1 / ext4 rw 0 0\n/dev/sda1 /srv/bind ext4 rw 0 0\n",
       {{"/", 2500}, {"/srv/bind", 2500}},
       "",
       "/",
       false},
      {"no room anywhere",
       "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /data ext4 rw 0 0\n",
       {{"/", 900}, {"/data", 1000}},
       "",
       "",
       false},
      {"the first roomy drive in mount-point order wins; a later one with more room is not looked at",
       "/dev/sdb1 /data ext4 rw 0 0\n/dev/sda1 / ext4 rw 0 0\n/dev/sdd1 /zz ext4 rw 0 0\n",
       {{"/", 3500}, {"/data", 1200}, {"/zz", 9000}},
       "/",
       "/",
       true},
  };
  for (const DriveCase& c : cases) {
    const WorkDriveChoice choice = ChooseWorkDrives(DrivesOf(c), kNeeded);
    EXPECT_EQ(choice.first, c.first) << c.name;
    EXPECT_EQ(choice.second, c.second) << c.name;
    EXPECT_EQ(choice.found, c.found) << c.name;
  }
}

TEST(WorkDrives, TheMachinesOwnDrivesAreWritableFoldersWithTheirRoom) {
  for (const WorkDrive& drive : MachineWorkDrives()) {
    ASSERT_FALSE(drive.root.empty());
    EXPECT_EQ(drive.root.back(), '/') << drive.root;
    EXPECT_TRUE(std::filesystem::is_directory(drive.root)) << drive.root;
  }
  EXPECT_TRUE(FreeMegabytesOf(testkit::TempDir().path().string()).has_value());
  EXPECT_FALSE(FreeMegabytesOf("/no/such/folder/at/all").has_value());
}

// Work folders the job would put at a drive's root go into the user's own
// space on that drive; /proc stands for a folder on another drive.
TEST(WorkDrives, TheProgramsFolderOnADriveIsInTheUsersSpaceNeverAtItsRoot) {
  testkit::TempDir dir;
  const std::string drive = dir.File("drive");
  std::filesystem::create_directories(drive);
  const struct {
    const char* name;
    std::string home;
    std::string cache;  // "" unset
    std::string folder;
  } cases[] = {
      {"the cache folder, not made yet, on the drive", dir.File("home"), dir.File("cache"),
       dir.File("cache") + "/Orlenta/"},
      {"the home's cache folder when none is set", dir.File("home"), "", dir.File("home") + "/.cache/Orlenta/"},
      {"the home when the cache is on another drive", dir.File("home"), "/proc/no-cache",
       dir.File("home") + "/.orlenta/"},
      {"a hidden folder on the drive when neither is there", "/proc/no-home", "/proc/no-cache", drive + "/.orlenta/"},
  };
  std::filesystem::create_directories(dir.File("home"));
  for (const auto& c : cases) {
    const testkit::ScopedEnv home("HOME", c.home);
    const testkit::ScopedEnv cache("XDG_CACHE_HOME", c.cache.empty() ? nullptr : c.cache.c_str());
    EXPECT_EQ(ProgramFolderOnDrive(drive + "/"), c.folder) << c.name;
  }
}

}  // namespace
