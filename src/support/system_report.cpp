#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "support/log.h"
#include "support/mount_table.h"
#include "support/system_info.h"
#include "support/text.h"

namespace {

constexpr std::uint64_t kBytesPerMegabyte = 1'048'576;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buffer[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  return buffer;
}

long long Megabytes(std::uint64_t bytes) {
  return static_cast<long long>(bytes / kBytesPerMegabyte);
}

std::string Trim(std::string_view text) {
  return std::string(TrimWhitespace(text));
}

std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return Trim(line);
}

// "Key: value" files of /proc; the first occurrence of a key wins.
std::map<std::string, std::string> ReadColonFile(const std::string& path) {
  std::map<std::string, std::string> values;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    values.emplace(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
  }
  return values;
}

// os-release: KEY=VALUE, the value optionally in quotes with backslash escapes.
std::map<std::string, std::string> ReadOsRelease(const std::string& root) {
  std::map<std::string, std::string> values;
  for (const std::string& path : {root + "/etc/os-release", root + "/usr/lib/os-release"}) {
    std::ifstream in(path);
    if (!in) continue;
    std::string line;
    while (std::getline(in, line)) {
      line = Trim(line);
      const auto equals = line.find('=');
      if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
      std::string raw = line.substr(equals + 1);
      std::string value;
      const char quote = !raw.empty() && (raw[0] == '"' || raw[0] == '\'') ? raw[0] : '\0';
      for (std::size_t i = quote ? 1 : 0; i < raw.size(); ++i) {
        if (quote && raw[i] == quote) break;
        if (quote == '"' && raw[i] == '\\' && i + 1 < raw.size()) ++i;
        value += raw[i];
      }
      values[line.substr(0, equals)] = value;
    }
    break;
  }
  return values;
}

// A /proc size such as "24683716 kB" in bytes.
std::optional<std::uint64_t> KilobyteValue(const std::map<std::string, std::string>& values, const char* key) {
  const auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  char* end = nullptr;
  const unsigned long long kilobytes = std::strtoull(found->second.c_str(), &end, 10);
  if (end == found->second.c_str()) return std::nullopt;
  return static_cast<std::uint64_t>(kilobytes) * 1024;
}

void AddOsSection(const SystemSources& sources, std::vector<std::string>& lines) {
  lines.push_back("--- OS Version Info ---");
  const OperatingSystemFacts system = OperatingSystem(sources);
  lines.push_back(Format("\tOperating system: %s", system.name.c_str()));
  lines.push_back(Format("\tBuild: %d", system.build));
  lines.push_back(Format("\tService pack: %s", system.servicePack.c_str()));
}

void AddSpeedLine(const std::string& root, std::vector<std::string>& lines) {
  const std::string path = root + "/proc/cpuinfo";
  std::FILE* probe = std::fopen(path.c_str(), "r");
  if (probe == nullptr) {
    lines.push_back(Format("\t%s", GetErrorText(errno).c_str()));
    return;
  }
  std::fclose(probe);
  const auto cpu = ReadColonFile(path);
  if (const auto mhz = cpu.find("cpu MHz"); mhz != cpu.end()) {
    lines.push_back(Format("\tProccessor speed: %d MHz", static_cast<int>(std::strtod(mhz->second.c_str(), nullptr))));
    return;
  }
  // Processors whose cpuinfo names no speed (ARM, for one) may still tell it through cpufreq, in kHz.
  const std::string khz = FirstLine(root + "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
  if (!khz.empty()) lines.push_back(Format("\tProccessor speed: %d MHz", std::atoi(khz.c_str()) / 1000));
}

void AddProcessorSection(const SystemSources& sources, std::vector<std::string>& lines) {
  lines.push_back("--- Processor info ---");
  const unsigned architecture = ArchitectureCode(sources.kernel.machine);
  switch (architecture) {
    case 0:
      lines.push_back("\tArchitecture: x86");
      break;
    case 6:
      lines.push_back("\tArchitecture: Intel Itanium Processor Family (IPF)");
      break;
    case 9:
      lines.push_back("\tArchitecture: x64 (AMD or Intel)");
      break;
    case 0xFFFF:
      lines.push_back("\tArchitecture: Unknown architecture.");
      break;
    default:
      break;
  }
  lines.push_back(Format("\tNumber of processors: %d", sources.processors));
  // Windows' OEM identifier shares its word with the architecture code.
  lines.push_back(Format("\tOEM ID: %u", architecture));
  AddSpeedLine(sources.root, lines);
}

void AddDisplaySection(const DisplayFacts& display, std::vector<std::string>& lines) {
  lines.push_back("--- Display info ---");
  lines.push_back(Format("\tNumber of monitors: %d", display.monitors));
  if (display.monitors <= 0) {
    lines.push_back("\tNo screen: resolution and colour depth are unknown");
    return;
  }
  lines.push_back(Format("\tScreen resolution: %dx%d", display.width, display.height));
  lines.push_back(Format("\tVirtual resolution: %dx%d", display.virtualWidth, display.virtualHeight));
  lines.push_back(Format("\tBits per pixel: %d", display.bitsPerPixel));
}

void AddMemorySection(const SystemSources& sources, std::vector<std::string>& lines) {
  const auto meminfo = ReadColonFile(sources.root + "/proc/meminfo");
  const MemoryFacts fallback = sources.memory.value_or(MemoryFacts{});
  const std::uint64_t totalPhysical = KilobyteValue(meminfo, "MemTotal").value_or(fallback.totalRam);
  std::uint64_t availablePhysical =
      KilobyteValue(meminfo, "MemAvailable").value_or(fallback.freeRam + fallback.bufferRam);
  if (availablePhysical > totalPhysical) availablePhysical = totalPhysical;
  const std::uint64_t totalSwap = KilobyteValue(meminfo, "SwapTotal").value_or(fallback.totalSwap);
  const std::uint64_t freeSwap = KilobyteValue(meminfo, "SwapFree").value_or(fallback.freeSwap);
  const auto status = ReadColonFile(sources.root + "/proc/self/status");
  const std::uint64_t used = KilobyteValue(status, "VmSize").value_or(0);
  const std::uint64_t availableVirtual = sources.addressSpaceBytes > used ? sources.addressSpaceBytes - used : 0;
  const int load = totalPhysical == 0 ? 0 : static_cast<int>((totalPhysical - availablePhysical) * 100 / totalPhysical);

  lines.push_back("--- Memory info ---");
  lines.push_back(Format("\tMemory Load: %d %%", load));
  lines.push_back(Format("\tTotal Physical Memory: %lld MB", Megabytes(totalPhysical)));
  lines.push_back(Format("\tAvailable Pysical Memory: %lld MB", Megabytes(availablePhysical)));
  lines.push_back(Format("\tTotal Virtual Memory: %lld MB", Megabytes(sources.addressSpaceBytes)));
  // Windows reserves this value and always reports 0; so does this report.
  lines.push_back(Format("\tAvailabla Extended Virtual: %lld MB", 0LL));
  lines.push_back(Format("\tAvailable Virt Memory: %lld MB", Megabytes(availableVirtual)));
  // The commit limit: physical memory and swap together.
  lines.push_back(Format("\tTotal Page File: %lld MB", Megabytes(totalPhysical + totalSwap)));
  lines.push_back(Format("\tAvailabla Page File: %lld MB", Megabytes(availablePhysical + freeSwap)));
}

void AddDriveLines(const SystemSources& sources, std::vector<std::string>& lines) {
  for (const MountEntry& mount : ReadMountTable(sources.root)) {
    if (mount.kind != MountKind::Fixed && mount.kind != MountKind::Removable) continue;
    const std::optional<std::uint64_t> free = sources.freeBytes ? sources.freeBytes(mount.mountPoint) : std::nullopt;
    lines.push_back(Format("\tDrive %s - %s; Available %lld MB", mount.mountPoint.c_str(),
                           mount.kind == MountKind::Fixed ? "Fixed" : "Removable", Megabytes(free.value_or(0))));
  }
}

}  // namespace

OperatingSystemFacts OperatingSystem(const SystemSources& sources) {
  OperatingSystemFacts facts;
  const auto release = ReadOsRelease(sources.root);
  if (const auto pretty = release.find("PRETTY_NAME"); pretty != release.end()) {
    facts.distribution = pretty->second;
  } else if (const auto name = release.find("NAME"); name != release.end()) {
    facts.distribution = name->second;
    if (const auto version = release.find("VERSION"); version != release.end()) {
      facts.distribution += " " + version->second;
    }
  }
  const KernelFacts& kernel = sources.kernel;
  std::string system = Trim(kernel.sysname + " " + kernel.release);
  if (system.empty()) system = "Linux";
  facts.name = facts.distribution.empty() ? system : facts.distribution + " " + system;
  // The kernel's build number is the "#N" that starts its version text.
  facts.build = kernel.version.size() > 1 && kernel.version[0] == '#' ? std::atoi(kernel.version.c_str() + 1) : 0;
  // The distribution's point release ("12.5") plays the service pack's part.
  facts.servicePack = FirstLine(sources.root + "/etc/debian_version");
  if (facts.servicePack.empty() || facts.servicePack[0] < '0' || facts.servicePack[0] > '9') {
    const auto versionId = release.find("VERSION_ID");
    facts.servicePack = versionId != release.end() ? versionId->second : "";
  }
  return facts;
}

unsigned ArchitectureCode(const std::string& machine) {
  if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86" && machine[1] >= '3' && machine[1] <= '6') {
    return 0;
  }
  if (machine == "x86_64" || machine == "amd64") return 9;
  if (machine == "ia64") return 6;
  if (machine == "aarch64" || machine == "arm64") return 12;
  if (machine.rfind("arm", 0) == 0) return 5;
  return 0xFFFF;
}

std::vector<std::string> SystemReportLines(const DisplayFacts& display, const SystemSources& sources) {
  std::vector<std::string> lines;
  AddOsSection(sources, lines);
  AddProcessorSection(sources, lines);
  AddDisplaySection(display, lines);
  AddMemorySection(sources, lines);
  AddDriveLines(sources, lines);
  return lines;
}

void LogSystemInfo(const DisplayFacts& display, const SystemSources& sources) {
  for (const std::string& line : SystemReportLines(display, sources)) Log("%s", line.c_str());
}
