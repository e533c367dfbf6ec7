#include "support/crash_memory.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace crash_detail {

namespace {

// The longest maps line: addresses, flags, device, inode and a path.
constexpr std::size_t kLineCapacity = 4096 + 128;

bool ReadThroughProcMem(std::uintptr_t address, void* out, std::size_t size) noexcept {
  const int fd = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const ssize_t got = ::pread(fd, out, size, static_cast<off_t>(address));
  ::close(fd);
  return got == static_cast<ssize_t>(size);
}

const char* SkipBlanks(const char* text) noexcept {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

std::uint64_t ReadHex(const char*& text) noexcept {
  std::uint64_t value = 0;
  for (;; ++text) {
    const char c = *text;
    if (c >= '0' && c <= '9') {
      value = value * 16 + static_cast<std::uint64_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      value = value * 16 + static_cast<std::uint64_t>(c - 'a' + 10);
    } else {
      return value;
    }
  }
}

std::uint64_t ReadDecimal(const char*& text) noexcept {
  std::uint64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<std::uint64_t>(*text - '0');
  return value;
}

struct FindContext {
  std::uint64_t address;
  Mapping* found;
  char* pathOut;
  std::size_t pathSize;
  bool hit;
};

bool FindVisitor(const Mapping& mapping, void* context) noexcept {
  auto* find = static_cast<FindContext*>(context);
  if (find->address < mapping.start || find->address >= mapping.end) return true;
  *find->found = mapping;
  const std::size_t length = std::strlen(mapping.path);
  const std::size_t copied = length < find->pathSize ? length : find->pathSize - 1;
  std::memcpy(find->pathOut, mapping.path, copied);
  find->pathOut[copied] = '\0';
  find->found->path = find->pathOut;
  find->hit = true;
  return false;
}

struct AboveContext {
  std::uint64_t address;
  Mapping* found;
  bool hit;
};

bool AboveVisitor(const Mapping& mapping, void* context) noexcept {
  auto* above = static_cast<AboveContext*>(context);
  if (mapping.start <= above->address) return true;
  *above->found = mapping;
  above->found->path = "";  // the line buffer is gone after the walk
  above->hit = true;
  return false;
}

}  // namespace

bool SafeRead(std::uintptr_t address, void* out, std::size_t size) noexcept {
  if (size == 0) return true;
  iovec local{out, size};
  iovec remote{reinterpret_cast<void*>(address), size};  // NOLINT(performance-no-int-to-ptr)
  const ssize_t got = ::process_vm_readv(::getpid(), &local, 1, &remote, 1, 0);
  if (got == static_cast<ssize_t>(size)) return true;
  // Some sandboxes refuse process_vm_readv even on the process itself.
  if (got < 0 && (errno == EPERM || errno == ENOSYS)) return ReadThroughProcMem(address, out, size);
  return false;
}

bool ParseMappingLine(char* line, Mapping& mapping) noexcept {
  const char* text = line;
  mapping = Mapping{};
  mapping.start = ReadHex(text);
  if (*text != '-') return false;
  ++text;
  mapping.end = ReadHex(text);
  text = SkipBlanks(text);
  if (std::strlen(text) < 4) return false;
  mapping.readable = text[0] == 'r';
  mapping.executable = text[2] == 'x';
  text = SkipBlanks(text + 4);
  mapping.offset = ReadHex(text);
  text = SkipBlanks(text);
  while (*text != '\0' && *text != ' ') ++text;  // device
  text = SkipBlanks(text);
  mapping.inode = ReadDecimal(text);
  text = SkipBlanks(text);
  mapping.path = text;
  return mapping.end > mapping.start;
}

bool ForEachMapping(MappingVisitor visit, void* context) noexcept {
  const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char chunk[4096];
  char line[kLineCapacity];
  std::size_t length = 0;
  bool go_on = true;
  while (go_on) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    for (ssize_t i = 0; i < got && go_on; ++i) {
      if (chunk[i] != '\n') {
        if (length + 1 < sizeof line) line[length++] = chunk[i];
        continue;
      }
      line[length] = '\0';
      length = 0;
      Mapping mapping;
      if (ParseMappingLine(line, mapping)) go_on = visit(mapping, context);
    }
  }
  ::close(fd);
  return true;
}

bool FindMapping(std::uint64_t address, Mapping& found, char* pathOut, std::size_t pathSize) noexcept {
  if (pathSize == 0) return false;
  FindContext context{address, &found, pathOut, pathSize, false};
  ForEachMapping(FindVisitor, &context);
  return context.hit;
}

bool MappingAbove(std::uint64_t address, Mapping& found) noexcept {
  AboveContext context{address, &found, false};
  ForEachMapping(AboveVisitor, &context);
  return context.hit;
}

}  // namespace crash_detail
