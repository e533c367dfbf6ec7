#pragma once
// The description of the machine written into the log at start-up: operating
// system, processor, display, memory and the free space of the local drives,
// in four sections ("--- ..." headings, tab-indented details).
//
// The engine has no screen: the display facts are an input. The application
// fills them from QScreen on the widget side with ReadDisplayFacts()
// (support/widgets/display_facts.h) and passes them in; a run without a
// screen passes DisplayFacts{} and the report says so.
//
// Every other fact comes from SystemSources, so tests can replay another
// machine: a root folder under which /etc/os-release, /etc/debian_version,
// /proc/cpuinfo, /proc/meminfo, /proc/self/status, /proc/self/mounts and
// /sys/class/block are read, and the facts of uname, sysinfo, the processor
// count, the address space and statvfs.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct DisplayFacts {
  int monitors = 0;  // 0: no screen, the other values mean nothing
  int width = 0;     // primary screen, in device pixels
  int height = 0;
  int virtualWidth = 0;  // the desktop spanning all monitors
  int virtualHeight = 0;
  int bitsPerPixel = 0;
};

struct KernelFacts {    // uname
  std::string sysname;  // "Linux"
  std::string release;  // "6.1.0-18-amd64"
  std::string version;  // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"
  std::string machine;  // "x86_64"
};

struct MemoryFacts {  // sysinfo, in bytes
  std::uint64_t totalRam = 0;
  std::uint64_t freeRam = 0;
  std::uint64_t bufferRam = 0;
  std::uint64_t totalSwap = 0;
  std::uint64_t freeSwap = 0;
};

struct SystemSources {
  std::string root;  // "" for this machine
  KernelFacts kernel;
  std::optional<MemoryFacts> memory;  // used where /proc/meminfo lacks a value
  int processors = 0;
  std::uint64_t addressSpaceBytes = 0;  // user address space of this process
  // Bytes available to the user on the file system mounted at a point; nullopt when it cannot be read.
  std::function<std::optional<std::uint64_t>(const std::string& mountPoint)> freeBytes;
};

struct OperatingSystemFacts {
  std::string distribution;  // "Debian GNU/Linux 12 (bookworm)", or "" when unknown
  std::string name;          // the distribution and the kernel: "Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64"
  int build = 0;             // the kernel's build number, the "#N" of its version text
  std::string servicePack;   // the distribution's point release ("12.5")
};

OperatingSystemFacts OperatingSystem(const SystemSources& sources);

// The sources of the machine this process runs on.
SystemSources ThisMachine();

// The report's lines, in order, as they go into the log.
std::vector<std::string> SystemReportLines(const DisplayFacts& display, const SystemSources& sources);

// Writes the report into the log, one entry per line.
void LogSystemInfo(const DisplayFacts& display, const SystemSources& sources = ThisMachine());

// Windows' processor architecture codes, which the report keeps: 0 x86,
// 5 ARM, 6 Itanium, 9 x64, 12 ARM64, 0xFFFF unknown; from uname's machine.
unsigned ArchitectureCode(const std::string& machine);
