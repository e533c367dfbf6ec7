#pragma once
// Looking at the crashed process's own memory from a signal handler: reads
// that fail instead of faulting, and the mappings of /proc/self/maps read
// through a fixed buffer. Async-signal-safe: system calls only.

#include <cstddef>
#include <cstdint>

namespace crash_detail {

// Copies size bytes from address into out; false (and nothing trustworthy in
// out) when any of them is not readable.
bool SafeRead(std::uintptr_t address, void* out, std::size_t size) noexcept;

struct Mapping {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  std::uint64_t offset = 0;
  std::uint64_t inode = 0;
  bool readable = false;
  bool executable = false;
  const char* path = "";  // "" for anonymous memory; valid only during the callback
};

// Calls visit for every line of /proc/self/maps, in address order, until it
// returns false. False when the file cannot be read.
using MappingVisitor = bool (*)(const Mapping& mapping, void* context);
bool ForEachMapping(MappingVisitor visit, void* context) noexcept;

// The mapping that holds address; false when none does. path is copied into
// pathOut (pathSize bytes with the terminating zero).
bool FindMapping(std::uint64_t address, Mapping& found, char* pathOut, std::size_t pathSize) noexcept;

// The first mapping that starts above address; false when there is none.
bool MappingAbove(std::uint64_t address, Mapping& found) noexcept;

// Parses one line of /proc/self/maps (exposed for tests). False if it is not one.
bool ParseMappingLine(char* line, Mapping& mapping) noexcept;

}  // namespace crash_detail
