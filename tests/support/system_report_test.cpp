#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "common/test_kit.h"
#include "support/log.h"
#include "support/mount_table.h"
#include "support/system_info.h"

namespace {

// Another machine's files under a temporary root, and its other facts.
class FakeMachine {
 public:
  FakeMachine() {
    Write("etc/os-release",
          "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n");
    Write("etc/debian_version", "12.5\n");
    Write("proc/cpuinfo",
          "processor\t: 0\nmodel name\t: Some CPU\ncpu MHz\t\t: 2596.840\n\nprocessor\t: 1\ncpu MHz\t\t: 1200.000\n");
    // 3.9 GiB of memory, 1 GiB of it available, 2 GiB swap of which half is free.
    Write("proc/meminfo",
          "MemTotal:        4089446 kB\nMemFree:          500000 kB\nMemAvailable:    1048576 kB\n"
          "SwapTotal:       2097152 kB\nSwapFree:        1048576 kB\n");
    Write("proc/self/status", "Name:\torlenta\nVmSize:\t  524288 kB\n");
    Write("proc/self/mounts",
          "/dev/sda1 / ext4 rw,relatime 0 0\n"
          "proc /proc proc rw 0 0\n"
          "tmpfs /tmp tmpfs rw 0 0\n"
          "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
          "server:/export /mnt/share nfs4 rw 0 0\n"
          "/dev/sdc1 /media/card vfat rw 0 0\n"
          "/dev/sda2 /home/my\\040films ext4 rw 0 0\n");
    Write("sys/class/block/sda/removable", "0\n");
    Write("sys/class/block/sdc/removable", "1\n");
    Partition("sda", "sda1");
    Partition("sda", "sda2");
    Partition("sdc", "sdc1");
    m_sources.root = m_dir.path().string();
    m_sources.kernel = {"Linux", "6.1.0-18-amd64", "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)", "x86_64"};
    m_sources.processors = 2;
    m_sources.addressSpaceBytes = std::uint64_t{1} << 47;
    m_free = {{"/", 10'000ULL * 1'048'576 + 1'048'575}, {"/home/my films", 2'500ULL * 1'048'576}};
    m_sources.freeBytes = [this](const std::string& mountPoint) -> std::optional<std::uint64_t> {
      const auto found = m_free.find(mountPoint);
      if (found == m_free.end()) return std::nullopt;  // a removable drive without its medium
      return found->second;
    };
  }

  void Write(const std::string& relative, const std::string& text) {
    const auto path = m_dir.path() / relative;
    std::filesystem::create_directories(path.parent_path());
    testkit::WriteFile(path.string(), text);
  }
  void Remove(const std::string& relative) { std::filesystem::remove(m_dir.path() / relative); }
  // As in sysfs: /sys/class/block/<partition> leads into its disk's folder.
  void Partition(const std::string& disk, const std::string& partition) {
    const auto inside = m_dir.path() / "sys/class/block" / disk / partition;
    std::filesystem::create_directories(inside);
    std::filesystem::create_directory_symlink(inside, m_dir.path() / "sys/class/block" / partition);
  }

  SystemSources& Sources() { return m_sources; }
  std::vector<std::string> Report(const DisplayFacts& display = kScreen) {
    return SystemReportLines(display, m_sources);
  }
  std::vector<std::string> LinesStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& line : Report()) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }

  static constexpr DisplayFacts kScreen{2, 1920, 1080, 3840, 1080, 24};

 private:
  testkit::TempDir m_dir;
  SystemSources m_sources;
  std::map<std::string, std::uint64_t> m_free;
};

TEST(SystemReport, WritesTheFourSectionsInOrderWithTheDriveLinesLast) {
  FakeMachine machine;
  const std::vector<std::string> expected = {
      "--- OS Version Info ---",
      "\tOperating system: Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64",
      "\tBuild: 1",
      "\tService pack: 12.5",
      "--- Processor info ---",
      "\tArchitecture: x64 (AMD or Intel)",
      "\tNumber of processors: 2",
      "\tOEM ID: 9",
      "\tProccessor speed: 2596 MHz",
      "--- Display info ---",
      "\tNumber of monitors: 2",
      "\tScreen resolution: 1920x1080",
      "\tVirtual resolution: 3840x1080",
      "\tBits per pixel: 24",
      "--- Memory info ---",
      "\tMemory Load: 74 %",
      "\tTotal Physical Memory: 3993 MB",
      "\tAvailable Pysical Memory: 1024 MB",
      "\tTotal Virtual Memory: 134217728 MB",
      "\tAvailabla Extended Virtual: 0 MB",
      "\tAvailable Virt Memory: 134217216 MB",
      "\tTotal Page File: 6041 MB",
      "\tAvailabla Page File: 2048 MB",
      "\tDrive / - Fixed; Available 10000 MB",
      "\tDrive /home/my films - Fixed; Available 2500 MB",
      "\tDrive /media/card - Removable; Available 0 MB",
  };
  EXPECT_EQ(machine.Report(), expected);
}

TEST(SystemReport, ArchitectureLineByMachineName) {
  struct Case {
    const char* machine;
    const char* line;  // nullptr: no architecture line
    const char* oem;
  };
  for (const Case& c :
       {Case{"x86_64", "\tArchitecture: x64 (AMD or Intel)", "\tOEM ID: 9"},
        Case{"i686", "\tArchitecture: x86", "\tOEM ID: 0"}, Case{"i386", "\tArchitecture: x86", "\tOEM ID: 0"},
        Case{"ia64", "\tArchitecture: Intel Itanium Processor Family (IPF)", "\tOEM ID: 6"},
        Case{"aarch64", nullptr, "\tOEM ID: 12"}, Case{"armv7l", nullptr, "\tOEM ID: 5"},
        Case{"riscv64", "\tArchitecture: Unknown architecture.", "\tOEM ID: 65535"},
        Case{"", "\tArchitecture: Unknown architecture.", "\tOEM ID: 65535"}}) {
    FakeMachine machine;
    machine.Sources().kernel.machine = c.machine;
    const auto lines = machine.Report();
    ASSERT_EQ(lines[4], "--- Processor info ---");
    if (c.line != nullptr) {
      EXPECT_EQ(lines[5], c.line) << c.machine;
      EXPECT_EQ(lines[7], c.oem) << c.machine;
    } else {
      EXPECT_EQ(lines[5], "\tNumber of processors: 2") << c.machine;
      EXPECT_EQ(lines[6], c.oem) << c.machine;
    }
  }
}

TEST(SystemReport, SpeedLineFallsBackToCpufreqThenTheOpenErrorOrNothing) {
  FakeMachine machine;
  machine.Write("proc/cpuinfo", "processor\t: 0\nBogoMIPS\t: 48.00\n");
  EXPECT_TRUE(machine.LinesStartingWith("\tProccessor speed").empty()) << "no speed known: no line, no made-up value";

  machine.Write("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "1800000\n");
  EXPECT_EQ(machine.LinesStartingWith("\tProccessor speed"), std::vector<std::string>{"\tProccessor speed: 1800 MHz"});

  machine.Remove("proc/cpuinfo");
  const auto lines = machine.Report();
  EXPECT_EQ(lines[8], "\t" + GetErrorText(ENOENT)) << "the open's error text in place of the speed";
  EXPECT_EQ(lines[9], "--- Display info ---");
}

TEST(SystemReport, WithoutAScreenSaysSo) {
  FakeMachine machine;
  const auto lines = machine.Report(DisplayFacts{});
  const auto display = std::find(lines.begin(), lines.end(), "--- Display info ---");
  ASSERT_NE(display, lines.end());
  EXPECT_EQ(*(display + 1), "\tNumber of monitors: 0");
  EXPECT_EQ(*(display + 2), "\tNo screen: resolution and colour depth are unknown");
  EXPECT_EQ(*(display + 3), "--- Memory info ---");
}

TEST(SystemReport, OsLinesFromOtherReleaseFiles) {
  struct Case {
    std::map<std::string, std::string> files;  // "" content: the file is removed
    const char* name;
    const char* servicePack;
  };
  const Case cases[] = {
      // No /etc/os-release: the one under /usr/lib; a distribution without a point-release file.
      {{{"etc/os-release", ""},
        {"etc/debian_version", ""},
        {"usr/lib/os-release", "NAME='Fedora Linux'\nVERSION=\"39 (Workstation \\\"Edition\\\")\"\nVERSION_ID=39\n"}},
       "\tOperating system: Fedora Linux 39 (Workstation \"Edition\") Linux 6.1.0-18-amd64",
       "\tService pack: 39"},
      // Ubuntu's debian_version names a codename, not a point release.
      {{{"etc/os-release", "# comment\nPRETTY_NAME=\"Ubuntu 22.04.3 LTS\"\nVERSION_ID=\"22.04\"\n"},
        {"etc/debian_version", "bookworm/sid\n"}},
       "\tOperating system: Ubuntu 22.04.3 LTS Linux 6.1.0-18-amd64",
       "\tService pack: 22.04"},
      // Nothing known about the distribution: the kernel alone, and an empty service pack.
      {{{"etc/os-release", ""}, {"etc/debian_version", ""}},
       "\tOperating system: Linux 6.1.0-18-amd64",
       "\tService pack: "},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    for (const auto& [file, text] : c.files) {
      if (text.empty()) {
        machine.Remove(file);
      } else {
        machine.Write(file, text);
      }
    }
    const auto lines = machine.Report();
    EXPECT_EQ(lines[1], c.name);
    EXPECT_EQ(lines[3], c.servicePack);
  }
}

TEST(SystemReport, BuildIsTheKernelsBuildNumber) {
  FakeMachine machine;
  machine.Sources().kernel.version = "#42 SMP Tue Jan 1";
  EXPECT_EQ(machine.Report()[2], "\tBuild: 42");
  machine.Sources().kernel.version = "SMP without a number";
  EXPECT_EQ(machine.Report()[2], "\tBuild: 0");
}

TEST(SystemReport, MemoryFromSysinfoWhenMeminfoIsMissing) {
  FakeMachine machine;
  machine.Remove("proc/meminfo");
  machine.Remove("proc/self/status");
  machine.Sources().memory = MemoryFacts{8ULL << 30, 3ULL << 30, 1ULL << 30, 0, 0};
  const auto memory = machine.LinesStartingWith("\tMemory Load");
  EXPECT_EQ(memory, std::vector<std::string>{"\tMemory Load: 50 %"});
  EXPECT_EQ(machine.LinesStartingWith("\tTotal Physical"),
            std::vector<std::string>{"\tTotal Physical Memory: 8192 MB"});
  EXPECT_EQ(machine.LinesStartingWith("\tAvailable Pysical"),
            std::vector<std::string>{"\tAvailable Pysical Memory: 4096 MB"});
  EXPECT_EQ(machine.LinesStartingWith("\tAvailable Virt"),
            std::vector<std::string>{"\tAvailable Virt Memory: 134217728 MB"});
  EXPECT_EQ(machine.LinesStartingWith("\tAvailabla Page"), std::vector<std::string>{"\tAvailabla Page File: 4096 MB"});
}

TEST(MountTable, KindsOfMountsAndTheirDriveLines) {
  FakeMachine machine;
  machine.Write("proc/self/mounts",
                "/dev/sda1 / ext4 rw 0 0\n"
                "/dev/sdb1 /media/stick vfat rw 0 0\n"
                "/dev/sdb1 /media/stick exfat rw 0 0\n"
                "/dev/sr0 /media/dvd udf ro 0 0\n"
                "/dev/loop3 /media/image.iso iso9660 ro 0 0\n"
                "//nas/films /mnt/nas cifs rw 0 0\n"
                "me@host:/srv /mnt/ssh fuse.sshfs rw 0 0\n"
                "tmpfs /run tmpfs rw 0 0\n"
                "/dev/zram0 /var/cache ext4 rw 0 0\n"
                "/dev/loop7 /snap/core/1 squashfs ro 0 0\n"
                "rpool/home /home zfs rw 0 0\n"
                "overlay /var/lib/docker/x overlay rw 0 0\n"
                "sysfs /sys sysfs rw 0 0\n");
  machine.Write("sys/class/block/sdb/removable", "1\n");
  machine.Partition("sdb", "sdb1");
  const auto mounts = ReadMountTable(machine.Sources().root);
  std::map<std::string, std::pair<MountKind, std::string>> byPoint;
  for (const auto& mount : mounts) byPoint[mount.mountPoint] = {mount.kind, mount.type};
  EXPECT_EQ(mounts.size(), 12U) << "one entry per mount point";
  EXPECT_EQ(byPoint["/"].first, MountKind::Fixed);
  EXPECT_EQ(byPoint["/media/stick"], std::make_pair(MountKind::Removable, std::string("exfat")))
      << "the last mount wins";
  EXPECT_EQ(byPoint["/media/dvd"].first, MountKind::Optical);
  EXPECT_EQ(byPoint["/media/image.iso"].first, MountKind::Optical);
  EXPECT_EQ(byPoint["/mnt/nas"].first, MountKind::Network);
  EXPECT_EQ(byPoint["/mnt/ssh"].first, MountKind::Network);
  EXPECT_EQ(byPoint["/run"].first, MountKind::Memory);
  EXPECT_EQ(byPoint["/var/cache"].first, MountKind::Memory);
  EXPECT_EQ(byPoint["/snap/core/1"].first, MountKind::Virtual);
  EXPECT_EQ(byPoint["/home"].first, MountKind::Fixed);
  EXPECT_EQ(byPoint["/var/lib/docker/x"].first, MountKind::Virtual);
  EXPECT_EQ(byPoint["/sys"].first, MountKind::Virtual);

  EXPECT_EQ(machine.LinesStartingWith("\tDrive"),
            (std::vector<std::string>{"\tDrive / - Fixed; Available 10000 MB", "\tDrive /home - Fixed; Available 0 MB",
                                      "\tDrive /media/stick - Removable; Available 0 MB"}));
}

TEST(MountTable, DecodesOctalEscapesOnly) {
  EXPECT_EQ(DecodeMountField("/media/my\\040card\\011x"), "/media/my card\tx");
  EXPECT_EQ(DecodeMountField("/odd\\\\name\\04"), "/odd\\\\name\\04");
  EXPECT_EQ(DecodeMountField("back\\134slash"), "back\\slash");
}

TEST(SystemReport, LogsOneEntryPerLine) {
  FakeMachine machine;
  testkit::TempDir dir;
  const std::string path = dir.File("Orlenta_log.txt");
  ASSERT_TRUE(LogOpen(path.c_str()));
  LogSystemInfo(FakeMachine::kScreen, machine.Sources());
  LogClose();
  EXPECT_EQ(testkit::LogEntries(path), machine.Report());
}

// The report of the machine the tests run on: every value present and sane.
TEST(SystemReport, ThisMachineHasNoEmptyOrGarbageValue) {
  const auto lines = SystemReportLines(FakeMachine::kScreen, ThisMachine());
  const std::regex shapes[] = {
      std::regex("--- (OS Version|Processor|Display|Memory) info ---|--- OS Version Info ---"),
      std::regex("\tOperating system: \\S.* Linux \\S+"),
      std::regex("\tBuild: [1-9][0-9]*"),
      std::regex("\tService pack: \\S+"),
      std::regex("\tArchitecture: (x86|x64 \\(AMD or Intel\\)|Intel Itanium Processor Family \\(IPF\\))"),
      std::regex("\tNumber of processors: [1-9][0-9]*"),
      std::regex("\tOEM ID: [0-9]+"),
      std::regex("\tProccessor speed: [1-9][0-9]* MHz"),
      std::regex("\tNumber of monitors: 2|\tScreen resolution: 1920x1080|\tVirtual resolution: 3840x1080|"
                 "\tBits per pixel: 24"),
      std::regex("\tMemory Load: ([0-9]|[1-9][0-9]|100) %"),
      std::regex("\t(Total Physical Memory|Available Pysical Memory|Total Virtual Memory|Available Virt Memory|"
                 "Total Page File|Availabla Page File): [1-9][0-9]* MB"),
      std::regex("\tAvailabla Extended Virtual: 0 MB"),
      std::regex("\tDrive /.* - (Fixed|Removable); Available [0-9]+ MB"),
  };
  for (const std::string& line : lines) {
    bool known = false;
    for (const auto& shape : shapes) known = known || std::regex_match(line, shape);
    EXPECT_TRUE(known) << "unexpected line: " << line;
  }
  // Four headings, three OS lines, at least three processor lines, four display lines, eight memory lines.
  EXPECT_GE(lines.size(), 22U);
}

}  // namespace
