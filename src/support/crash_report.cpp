#include "support/crash_report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/crash_memory.h"

namespace crash_detail {

bool g_faultWhileReporting = false;

namespace {

struct ExceptionNameRow {
  std::uint32_t code;
  const char* name;
};

constexpr ExceptionNameRow kExceptionNames[] = {
    {0x40010005, "a Control-C"},
    {0x40010008, "a Control-Break"},
    {0x80000002, "a Datatype Misalignment"},
    {0x80000003, "a Breakpoint"},
    {0xC0000005, "an Access Violation"},
    {0xC0000006, "an In Page Error"},
    {0xC0000017, "a No Memory"},
    {0xC000001D, "an Illegal Instruction"},
    {0xC0000025, "a Noncontinuable Exception"},
    {0xC0000026, "an Invalid Disposition"},
    {0xC000008C, "a Array Bounds Exceeded"},
    {0xC000008D, "a Float Denormal Operand"},
    {0xC000008E, "a Float Divide by Zero"},
    {0xC000008F, "a Float Inexact Result"},
    {0xC0000090, "a Float Invalid Operation"},
    {0xC0000091, "a Float Overflow"},
    {0xC0000092, "a Float Stack Check"},
    {0xC0000093, "a Float Underflow"},
    {0xC0000094, "an Integer Divide by Zero"},
    {0xC0000095, "an Integer Overflow"},
    {0xC0000096, "a Privileged Instruction"},
    {0xC00000FD, "a Stack Overflow"},
    {0xC0000142, "a DLL Initialization Failed"},
    {0xE06D7363, "a Microsoft C++ Exception"},
};

constexpr std::uint64_t kStackDumpBytes = 0x3000;

// The registers the report shows; zero where the context has none.
struct Registers {
  std::uint64_t rax = 0, rbx = 0, rcx = 0, rdx = 0, rsi = 0, rdi = 0, rbp = 0, rsp = 0, rip = 0;
  std::uint64_t r8 = 0, r9 = 0, r10 = 0, r11 = 0, r12 = 0, r13 = 0, r14 = 0, r15 = 0;
  std::uint64_t flags = 0;
  std::uint32_t cs = 0, ss = 0;
};

Registers ReadRegisters(const ucontext_t* context) noexcept {
  Registers r;
#if defined(__x86_64__)
  if (context == nullptr) return r;
  const greg_t* g = context->uc_mcontext.gregs;
  auto value = [g](int index) { return static_cast<std::uint64_t>(g[index]); };
  r.rax = value(REG_RAX), r.rbx = value(REG_RBX), r.rcx = value(REG_RCX), r.rdx = value(REG_RDX);
  r.rsi = value(REG_RSI), r.rdi = value(REG_RDI), r.rbp = value(REG_RBP), r.rsp = value(REG_RSP);
  r.rip = value(REG_RIP), r.flags = value(REG_EFL);
  r.r8 = value(REG_R8), r.r9 = value(REG_R9), r.r10 = value(REG_R10), r.r11 = value(REG_R11);
  r.r12 = value(REG_R12), r.r13 = value(REG_R13), r.r14 = value(REG_R14), r.r15 = value(REG_R15);
  // cs, gs, fs and (since Linux 4.6) ss share one word, 16 bits each.
  r.cs = static_cast<std::uint32_t>(value(REG_CSGSFS) & 0xFFFF);
  r.ss = static_cast<std::uint32_t>((value(REG_CSGSFS) >> 48) & 0xFFFF);
#else
  (void)context;
#endif
  return r;
}

void FileNamePart(const char* path, const char*& name) noexcept {
  name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/') name = p + 1;
  }
}

std::int64_t LocalNow(const InstalledFacts& facts) noexcept {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) + facts.utcOffsetSeconds;
}

// "Key:   1234 kB" lines of a /proc file, in bytes; false when the key is missing.
bool ProcKilobytes(const char* path, const char* key, std::uint64_t& bytes) noexcept {
  static char text[16384];
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t length = 0;
  for (ssize_t got; length + 1 < sizeof text && (got = ::read(fd, text + length, sizeof text - 1 - length)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    length += static_cast<std::size_t>(got);
  }
  ::close(fd);
  text[length] = '\0';
  const std::size_t keyLength = std::strlen(key);
  for (const char* line = text; *line != '\0';) {
    if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
      const char* p = line + keyLength + 1;
      while (*p == ' ' || *p == '\t') ++p;
      std::uint64_t kilobytes = 0;
      for (; *p >= '0' && *p <= '9'; ++p) kilobytes = kilobytes * 10 + static_cast<std::uint64_t>(*p - '0');
      bytes = kilobytes * 1024;
      return true;
    }
    const char* next = std::strchr(line, '\n');
    if (next == nullptr) break;
    line = next + 1;
  }
  return false;
}

void WriteHeader(ReportBuffer& out, const InstalledFacts& facts, const CrashEvent& event, const Registers& r) {
  char modulePath[PATH_MAX];
  Mapping mapping;
  const char* module = "Unknown";
  if (FindMapping(r.rip, mapping, modulePath, sizeof modulePath) && modulePath[0] == '/') {
    FileNamePart(modulePath, module);
  }
  out.Text(facts.applicationName);
  out.Text(" caused ");
  out.Text(ExceptionName(event.code));
  out.Text(" (0x");
  out.Hex(event.code, 8);
  out.Text(") \r\nin module ");
  out.Text(module);
  out.Text(" at ");
  out.Hex(r.cs, 4);
  out.Char(':');
  out.Hex(r.rip, 16);
  out.Text(".\r\n\r\n");
  out.Text("Exception handler called in ");
  out.Text(event.location);
  out.Text(".\r\n");
}

void MegabytesLine(ReportBuffer& out, std::uint64_t bytes, const char* text) {
  out.Decimal(MegabytesRoundedUp(bytes));
  out.Text(text);
}

void WriteSystemDetails(ReportBuffer& out, const InstalledFacts& facts) {
  out.Text("Error occurred at ");
  DateTime(out, LocalNow(facts));
  out.Text(".\r\n");
  out.Text(facts.executablePath[0] != '\0' ? facts.executablePath : "Unknown");
  out.Text(", run by ");
  out.Text(facts.userName[0] != '\0' ? facts.userName : "Unknown");
  out.Text(".\r\n");
  out.Text("Operating system:  ");
  out.Text(facts.systemName);
  out.Text(" (");
  out.Text(facts.systemVersion);
  out.Text(").\r\n");
  out.Text("Service Pack:  ");
  out.Text(facts.servicePack);
  out.Text(".\r\n");
  out.Decimal(facts.processors);
  out.Text(" processor(s), type ");
  out.Decimal(facts.processorType);
  out.Text(".\r\n");

  std::uint64_t total = 0, available = 0, swapTotal = 0, swapFree = 0, used = 0;
  ProcKilobytes("/proc/meminfo", "MemTotal", total);
  if (!ProcKilobytes("/proc/meminfo", "MemAvailable", available)) ProcKilobytes("/proc/meminfo", "MemFree", available);
  ProcKilobytes("/proc/meminfo", "SwapTotal", swapTotal);
  ProcKilobytes("/proc/meminfo", "SwapFree", swapFree);
  ProcKilobytes("/proc/self/status", "VmSize", used);
  if (available > total) available = total;
  out.Decimal(total == 0 ? 0 : static_cast<std::int64_t>((total - available) * 100 / total));
  out.Text("% memory in use.\r\n");
  MegabytesLine(out, total, " MBytes physical memory.\r\n");
  MegabytesLine(out, available, " MBytes physical memory free.\r\n");
  // The commit limit, as the system report counts it: memory and swap together.
  MegabytesLine(out, total + swapTotal, " MBytes paging file.\r\n");
  MegabytesLine(out, available + swapFree, " MBytes paging file free.\r\n");
  MegabytesLine(out, facts.addressSpaceBytes, " MBytes user address space.\r\n");
  MegabytesLine(out, facts.addressSpaceBytes > used ? facts.addressSpaceBytes - used : 0,
                " MBytes user address space free.\r\n");
}

void WriteAccessViolation(ReportBuffer& out, const CrashEvent& event) {
  if (!event.accessViolation) return;
  out.Text(event.write ? "Write to" : "Read from");
  out.Text(" location ");
  out.Hex(event.faultAddress, 8);
  out.Text(" caused an access violation.\r\n");
}

// One row "NAME:  0x<16 digits>" per register, three to a line, in the
// columns of the 32-bit report: 8, 5 and 7 characters for name and colon.
void RegisterCell(ReportBuffer& out, const char* name, int width, std::uint64_t value, int digits) {
  out.Text(name);
  out.Char(':');
  for (int written = static_cast<int>(std::strlen(name)) + 1; written < width; ++written) out.Char(' ');
  out.Text("0x");
  out.Hex(value, digits);
}

void RegisterRow(ReportBuffer& out, const char* a, std::uint64_t va, const char* b, std::uint64_t vb, const char* c,
                 std::uint64_t vc, int cDigits = 16) {
  RegisterCell(out, a, 8, va, 16);
  out.Text("  ");
  RegisterCell(out, b, 5, vb, 16);
  if (c != nullptr) {
    out.Text("  ");
    RegisterCell(out, c, 7, vc, cDigits);
  }
  out.Text("\r\n");
}

void WriteRegisters(ReportBuffer& out, const Registers& r) {
  out.Text("\r\n");
  out.Text("Context:\r\n");
  RegisterRow(out, "RDI", r.rdi, "RSI", r.rsi, "RAX", r.rax);
  RegisterRow(out, "RBX", r.rbx, "RCX", r.rcx, "RDX", r.rdx);
  RegisterRow(out, "RIP", r.rip, "RBP", r.rbp, "SegCs", r.cs, 8);
  // EFlags keeps its 32-bit width: the upper half of RFLAGS is reserved.
  RegisterCell(out, "EFlags", 8, r.flags, 8);
  out.Text("  ");
  RegisterCell(out, "RSP", 5, r.rsp, 16);
  out.Text("  ");
  RegisterCell(out, "SegSs", 7, r.ss, 8);
  out.Text("\r\n");
  RegisterRow(out, "R8", r.r8, "R9", r.r9, "R10", r.r10);
  RegisterRow(out, "R11", r.r11, "R12", r.r12, "R13", r.r13);
  RegisterRow(out, "R14", r.r14, "R15", r.r15, nullptr, 0);
}

void WriteCodeBytes(ReportBuffer& out, std::uint64_t rip) {
  out.Text("\r\nBytes at CS:RIP:\r\n");
  unsigned char bytes[16];
  if (!SafeRead(rip, bytes, sizeof bytes)) return;
  for (const unsigned char byte : bytes) {
    out.Hex(byte, 2);
    out.Char(' ');
  }
}

void WriteStack(ReportBuffer& out, std::uint64_t rsp) {
  out.Text("\r\n\r\nStack:\r\n");
  char path[PATH_MAX];
  Mapping stack;
  if (!FindMapping(rsp, stack, path, sizeof path) || !stack.readable) {
    // A stack overflow leaves the stack pointer below the stack, in its guard
    // gap or page: dump the stack from where it really begins instead of nothing.
    stack = Mapping{};
    Mapping above;
    if (MappingAbove(rsp, above) && above.start - rsp < kStackDumpBytes) {
      out.Text("The stack pointer lies beyond the end of the stack; the dump starts at 0x");
      out.Hex(above.start, 16);
      out.Text(".\r\n");
      rsp = above.start;
      stack = above;
    }
  }
  std::uint64_t end = rsp + kStackDumpBytes;
  if (stack.end > rsp && stack.end < end) end = stack.end;
  for (std::uint64_t address = rsp; address + 4 <= end; address += 16) {
    std::uint64_t rowEnd = address + 16 < end ? address + 16 : end;
    const int count = static_cast<int>((rowEnd - address) / 4);
    std::uint32_t words[4] = {};
    if (!SafeRead(address, words, static_cast<std::size_t>(count) * 4)) {
      out.Text("Exception encountered during stack dump.\r\n");
      break;
    }
    StackRow(out, address, words, count);
  }
  out.Text("\r\n");
}

// The module list: every file-backed ELF image of the address space, in
// address order, one entry from its first mapping to its last.
struct ModuleWalk {
  ReportBuffer* out;
  const InstalledFacts* facts;
  int number = 0;
  bool open = false;
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  std::uint64_t inode = 0;
  char path[PATH_MAX] = {};
};

void WriteModule(ModuleWalk& walk) {
  walk.open = false;
  char magic[4];
  if (!SafeRead(walk.start, magic, sizeof magic) || std::memcmp(magic,
                                                                "\x7f"
                                                                "ELF",
                                                                4) != 0)
    return;
  ReportBuffer& out = *walk.out;
  out.Text("Module ");
  out.Decimal(++walk.number);
  out.Text("\r\n");
  out.Text(walk.path);
  out.Text("\r\n");
  // Where the image lies in this process: what a symbol lookup needs.
  out.Text("Image Base: 0x");
  out.Hex(walk.start, 16);
  out.Text("  Image Size: 0x");
  out.Hex(walk.end - walk.start, 8);
  out.Text("\r\n");
  // ELF has neither a header checksum nor a link time stamp.
  out.Text("Checksum:   0x00000000  Time Stamp: 0x00000000\r\n");
  struct stat info {};
  const bool known = ::stat(walk.path, &info) == 0;
  out.Text("File Size:  ");
  out.DecimalLeft(known ? static_cast<std::int64_t>(info.st_size) : 0, 10);
  out.Text("  File Time:  ");
  if (known) DateTime(out, static_cast<std::int64_t>(info.st_mtime) + walk.facts->utcOffsetSeconds);
  out.Text("\r\n");
  out.Text("Version Information:\r\n");
  out.Text("   Company:    \r\n");
  out.Text("   Product:    \r\n");
  out.Text("   FileDesc:   \r\n");
  out.Text("   FileVer:    0.0.0.0\r\n");
  out.Text("   ProdVer:    0.0.0.0\r\n");
  out.Text("\r\n");
}

bool ModuleVisitor(const Mapping& mapping, void* context) noexcept {
  auto& walk = *static_cast<ModuleWalk*>(context);
  const bool file = mapping.path[0] == '/';
  if (walk.open && file && mapping.inode == walk.inode && std::strcmp(mapping.path, walk.path) == 0) {
    walk.end = mapping.end;
    return true;
  }
  if (walk.open) WriteModule(walk);
  const std::size_t length = std::strlen(mapping.path);
  if (file && mapping.offset == 0 && mapping.readable && length < sizeof walk.path) {
    std::memcpy(walk.path, mapping.path, length + 1);
    walk.start = mapping.start;
    walk.end = mapping.end;
    walk.inode = mapping.inode;
    walk.open = true;
  }
  return true;
}

void WriteModules(ReportBuffer& out, const InstalledFacts& facts) {
  static ModuleWalk walk;
  walk = ModuleWalk{};
  walk.out = &out;
  walk.facts = &facts;
  ForEachMapping(ModuleVisitor, &walk);
  if (walk.open) WriteModule(walk);
}

// A real fault, which the sanitizers must not turn into their own report.
__attribute__((noinline, no_sanitize("address", "undefined"))) void FaultForTesting() {
  volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
}

}  // namespace

const char* ExceptionName(std::uint32_t code) noexcept {
  for (const ExceptionNameRow& row : kExceptionNames) {
    if (row.code == code) return row.name;
  }
  return "an Unknown exception type";
}

void WriteReport(ReportBuffer& out, const InstalledFacts& facts, const CrashEvent& event) noexcept {
  const Registers registers = ReadRegisters(event.context);
  WriteHeader(out, facts, event, registers);
  WriteSystemDetails(out, facts);
  if (g_faultWhileReporting) FaultForTesting();
  WriteAccessViolation(out, event);
  WriteRegisters(out, registers);
  WriteCodeBytes(out, registers.rip);
  WriteStack(out, registers.rsp);
  WriteModules(out, facts);
  out.Text("\r\n===== [end of ");
  out.Text(facts.reportPath);
  out.Text("] =====\r\n");
}

}  // namespace crash_detail
