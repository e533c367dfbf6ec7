// The facts of this machine that do not come from a file: uname, sysinfo,
// the processor count, the address space and the free space of a mount.
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "support/system_info.h"

namespace {

// What a process may address: its address-space limit when one is set, else
// the user half of the address space (47 bits on 64-bit Linux, 3 GiB on 32-bit).
std::uint64_t UserAddressSpace() {
  std::uint64_t bytes = sizeof(void*) == 8 ? (std::uint64_t{1} << 47) : (std::uint64_t{3} << 30);
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < bytes) {
    bytes = limit.rlim_cur;
  }
  return bytes;
}

std::optional<std::uint64_t> FreeBytesAt(const std::string& mountPoint) {
  struct statvfs facts {};
  if (statvfs(mountPoint.c_str(), &facts) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(facts.f_bavail) * facts.f_frsize;
}

}  // namespace

SystemSources ThisMachine() {
  SystemSources sources;
  utsname names{};
  if (uname(&names) == 0) {
    sources.kernel = {names.sysname, names.release, names.version, names.machine};
  }
  struct sysinfo info {};
  if (sysinfo(&info) == 0) {
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    sources.memory = MemoryFacts{info.totalram * unit, info.freeram * unit, info.bufferram * unit,
                                 info.totalswap * unit, info.freeswap * unit};
  }
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  sources.processors = online > 0 ? static_cast<int>(online) : 0;
  sources.addressSpaceBytes = UserAddressSpace();
  sources.freeBytes = FreeBytesAt;
  return sources;
}
