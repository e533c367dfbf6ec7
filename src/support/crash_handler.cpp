#include "support/crash_handler.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

#include "support/crash_report.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/system_info.h"

extern char** environ;

namespace {

using crash_detail::CrashEvent;
using crash_detail::InstalledFacts;
using crash_detail::ReportBuffer;

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t kAlternateStackBytes = 256 * 1024;
// How close to the stack pointer a fault counts as running out of stack.
constexpr std::uint64_t kStackOverflowReach = 256 * 1024;
// The exit status of a process whose crash was reported.
constexpr int kReportedExitStatus = 1;

InstalledFacts g_facts;
ReportBuffer g_buffer;
std::atomic<bool> g_installed{false};
std::atomic<bool> g_reportStarted{false};
std::atomic<pid_t> g_reporterThread{0};
std::atomic<bool> g_returnAfterReport{false};
char g_logPath[PATH_MAX];
char g_location[128];

pid_t ThreadId() noexcept {
  return static_cast<pid_t>(::syscall(SYS_gettid));
}

void CopyText(char* out, std::size_t size, const std::string& text) {
  const std::size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

void Append(char*& out, char* end, const char* text) noexcept {
  while (*text != '\0' && out + 1 < end) *out++ = *text++;
  *out = '\0';
}

void AppendDecimal(char*& out, char* end, long value) noexcept {
  char digits[24];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 && length < 23);
  while (length > 0 && out + 1 < end) *out++ = digits[--length];
  *out = '\0';
}

// Where the crash happened: the main thread keeps the classic text, every
// other thread is named by its id and name.
const char* Location() noexcept {
  if (ThreadId() == ::getpid()) return "ExceptionAttacher - AfxWinMain";
  char* out = g_location;
  char* end = g_location + sizeof g_location;
  Append(out, end, "ExceptionAttacher - thread ");
  AppendDecimal(out, end, ThreadId());
  char name[17] = {};
  if (::prctl(PR_GET_NAME, name) == 0 && name[0] != '\0') {
    Append(out, end, " (");
    Append(out, end, name);
    Append(out, end, ")");
  }
  return g_location;
}

bool DebuggerAttached() noexcept {
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  static char text[8192];
  const ssize_t got = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (got <= 0) return false;
  text[got] = '\0';
  const char* tracer = std::strstr(text, "TracerPid:");
  if (tracer == nullptr) return false;
  tracer += std::strlen("TracerPid:");
  while (*tracer == ' ' || *tracer == '\t') ++tracer;
  return *tracer != '0';
}

void MakeFolders(const char* folder) noexcept {
  static char path[PATH_MAX];
  const std::size_t length = std::strlen(folder);
  if (length >= sizeof path) return;
  std::memcpy(path, folder, length + 1);
  for (char* p = path + 1; *p != '\0'; ++p) {
    if (*p != '/') continue;
    *p = '\0';
    ::mkdir(path, 0700);
    *p = '/';
  }
  ::mkdir(path, 0700);
}

void Say(const char* text) noexcept {
  [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
}

// ErrorReport with the product word, the report and the log; a new session,
// no descriptors but the standard ones, no blocked signals. False when it
// could not be started (a pipe closed by exec tells success).
bool StartErrorReport() noexcept {
  if (::access(g_facts.errorReportPath, X_OK) != 0) return false;
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
  char* const arguments[] = {g_facts.errorReportPath, g_facts.productWord, g_facts.reportPath, g_logPath, nullptr};
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  const pid_t child = ::_Fork();  // fork without the at-fork handlers: safe in a signal handler
#else
  const pid_t child = ::fork();
#endif
  if (child == 0) {
    ::setsid();
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : kCrashSignals) ::signal(signal, SIG_DFL);
    // Everything but the standard descriptors and the pipe, which exec closes itself.
    const auto writeEnd = static_cast<unsigned>(pipe[1]);
    if (writeEnd > 3) ::syscall(SYS_close_range, 3U, writeEnd - 1, 0U);
    ::syscall(SYS_close_range, writeEnd + 1, ~0U, 0U);
    ::execve(g_facts.errorReportPath, arguments, environ);
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(pipe[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(pipe[1]);
  if (child < 0) {
    ::close(pipe[0]);
    return false;
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(pipe[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(pipe[0]);
  return got == 0;
}

// The report and ErrorReport; true when both happened (the crash is handled).
bool Report(const CrashEvent& event) noexcept {
  if (!LogCopyPath(g_logPath, sizeof g_logPath)) g_logPath[0] = '\0';
  MakeFolders(g_facts.profileFolder);
  const int fd = ::open(g_facts.reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_DSYNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    Say("Error creating exception report\n");
    return false;
  }
  g_buffer.Begin(fd);
  crash_detail::WriteReport(g_buffer, g_facts, event);
  g_buffer.Finish();
  ::close(fd);
  if (DebuggerAttached()) return false;
  return StartErrorReport();
}

// Ends the process the way it would have ended without us.
[[noreturn]] void EndByDefault(int signal) noexcept {
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  ::sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  sigset_t only;
  ::sigemptyset(&only);
  ::sigaddset(&only, signal);
  ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);
}

// Waits for the thread that is writing the report to end the process.
[[noreturn]] void WaitForReporter(int signal) noexcept {
  for (int waited = 0; waited < 600 && g_reporterThread.load() != 0; ++waited) {
    timespec tenth{0, 100'000'000};
    ::nanosleep(&tenth, nullptr);
  }
  EndByDefault(signal);
}

// Runs the report for the first crash of the process; returns only when a
// test asked to go on after it.
void Handle(int signal, const CrashEvent& event) noexcept {
  const pid_t self = ThreadId();
  if (g_reporterThread.load() == self) EndByDefault(signal);  // faulted while reporting
  bool expected = false;
  if (!g_reportStarted.compare_exchange_strong(expected, true)) {
    if (g_reporterThread.load() != 0) WaitForReporter(signal);
    EndByDefault(signal);
  }
  g_reporterThread.store(self);
  const bool handled = Report(event);
  g_reporterThread.store(0);
  if (!handled) EndByDefault(signal);
  if (g_returnAfterReport.load()) return;
  ::_exit(kReportedExitStatus);
}

// The exception code of a signal, from what the kernel says about it.
void Classify(int signal, const siginfo_t* info, const ucontext_t* context, CrashEvent& event) noexcept {
  const int code = info != nullptr ? info->si_code : 0;
  const auto address = info != nullptr ? reinterpret_cast<std::uint64_t>(info->si_addr) : 0;
  switch (signal) {
    case SIGFPE:
      event.code = code == FPE_INTDIV   ? 0xC0000094
                   : code == FPE_INTOVF ? 0xC0000095
                   : code == FPE_FLTDIV ? 0xC000008E
                   : code == FPE_FLTOVF ? 0xC0000091
                   : code == FPE_FLTUND ? 0xC0000093
                   : code == FPE_FLTRES ? 0xC000008F
                   : code == FPE_FLTSUB ? 0xC000008C
                                        : 0xC0000090;
      break;
    case SIGILL:
      event.code = code == ILL_PRVOPC || code == ILL_PRVREG ? 0xC0000096 : 0xC000001D;
      break;
    case SIGBUS:
      event.code = code == BUS_ADRALN ? 0x80000002 : 0xC0000006;
      break;
    case SIGABRT:
      // The program gave up on itself (abort, a failed assertion).
      event.code = 0xC0000025;
      break;
    case SIGSEGV: {
      std::uint64_t rsp = 0;
#if defined(__x86_64__)
      if (context != nullptr) rsp = static_cast<std::uint64_t>(context->uc_mcontext.gregs[REG_RSP]);
#endif
      const bool nearStack = rsp != 0 && address + kStackOverflowReach >= rsp && address < rsp + kStackOverflowReach;
      // Past the main thread's stack lies an unmapped gap, past another
      // thread's a page without access: either way the fault is near the stack pointer.
      if ((code == SEGV_MAPERR || code == SEGV_ACCERR) && nearStack) {
        event.code = 0xC00000FD;
        break;
      }
      event.code = 0xC0000005;
      event.accessViolation = true;
      event.faultAddress = address;
#if defined(__x86_64__)
      // Bit 1 of the page-fault error code: the access was a write.
      if (context != nullptr) event.write = (context->uc_mcontext.gregs[REG_ERR] & 2) != 0;
#endif
      break;
    }
    default:
      break;
  }
}

void OnCrashSignal(int signal, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  CrashEvent event;
  event.location = Location();
  event.context = static_cast<const ucontext_t*>(context);
  Classify(signal, info, event.context, event);
  Handle(signal, event);
  errno = savedErrno;
}

// getcontext keeps neither the segment registers nor the flags: they are
// read from the processor here, where a signal's context has the kernel's.
void AddSegmentsAndFlags(ucontext_t& context) noexcept {
#if defined(__x86_64__)
  std::uint16_t cs = 0, gs = 0, fs = 0, ss = 0;
  asm volatile("mov %%cs, %0" : "=r"(cs));
  asm volatile("mov %%gs, %0" : "=r"(gs));
  asm volatile("mov %%fs, %0" : "=r"(fs));
  asm volatile("mov %%ss, %0" : "=r"(ss));
  // The same word as the kernel's: cs, gs, fs and ss, 16 bits each.
  context.uc_mcontext.gregs[REG_CSGSFS] = static_cast<greg_t>(std::uint64_t{cs} | std::uint64_t{gs} << 16 |
                                                              std::uint64_t{fs} << 32 | std::uint64_t{ss} << 48);
  context.uc_mcontext.gregs[REG_EFL] = static_cast<greg_t>(__builtin_ia32_readeflags_u64());
#else
  (void)context;
#endif
}

// An exception nothing caught. Not a signal handler: its text may be read,
// and it goes into the log, next to the report that names the exception.
[[noreturn]] void OnTerminate() {
  if (const std::exception_ptr current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& error) {
      Log("An exception nothing caught ends the program: %s", error.what());
    } catch (...) {
      Log("An exception nothing caught ends the program (not a std::exception)");
    }
  } else {
    Log("std::terminate was called without an exception");
  }
  static ucontext_t context;
  ::getcontext(&context);
  AddSegmentsAndFlags(context);
  CrashEvent event;
  event.code = 0xE06D7363;
  event.location = Location();
  event.context = &context;
  Handle(SIGABRT, event);
  EndByDefault(SIGABRT);
}

// The crashes of CrashForTesting: real faults, which the sanitizers must not
// turn into reports of their own, and which the compiler must not drop as
// unused (hence the volatile reads and the sink).
volatile int g_zeroForTesting = 0;
volatile int* volatile g_nowhereForTesting = nullptr;
volatile int g_sinkForTesting = 0;

__attribute__((noinline, no_sanitize("address", "undefined"))) void ReadFromAddressZero() {
  g_sinkForTesting = *g_nowhereForTesting;
}

__attribute__((noinline, no_sanitize("address", "undefined"))) void DivideByZero() {
  g_sinkForTesting = 7 / g_zeroForTesting;
}

__attribute__((noinline)) int RecurseWithoutEnd(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  return g_zeroForTesting == 0 ? RecurseWithoutEnd(depth + 1) + frame[0] : 0;
}

void GiveThreadAlternateStack(void*& stack, std::size_t& size) {
  size = kAlternateStackBytes;
  stack = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
  if (stack == MAP_FAILED) {
    stack = nullptr;
    return;
  }
  stack_t alternate{};
  alternate.ss_sp = stack;
  alternate.ss_size = size;
  if (::sigaltstack(&alternate, nullptr) != 0) {
    ::munmap(stack, size);
    stack = nullptr;
  }
}

void GatherFacts(const char* productWord) {
  CopyText(g_facts.productWord, sizeof g_facts.productWord, productWord != nullptr ? productWord : "");
  char executable[PATH_MAX] = {};
  const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof executable - 1);
  std::string fileName = "Unknown";
  if (length > 0) {
    CopyText(g_facts.executablePath, sizeof g_facts.executablePath, std::string(executable, length));
    const std::string path(executable, static_cast<std::size_t>(length));
    fileName = path.substr(path.rfind('/') + 1);
  }
  const std::string application = fileName.substr(0, fileName.rfind('.'));
  CopyText(g_facts.applicationName, sizeof g_facts.applicationName, application);
  const passwd* user = ::getpwuid(::geteuid());
  CopyText(g_facts.userName, sizeof g_facts.userName, user != nullptr ? user->pw_name : "");

  const SystemSources sources = ThisMachine();
  const OperatingSystemFacts system = OperatingSystem(sources);
  const std::string kernel = sources.kernel.sysname.empty() ? "Linux" : sources.kernel.sysname;
  CopyText(g_facts.systemName, sizeof g_facts.systemName,
           system.distribution.empty() ? kernel : system.distribution + " " + kernel);
  CopyText(g_facts.systemVersion, sizeof g_facts.systemVersion, sources.kernel.release);
  CopyText(g_facts.servicePack, sizeof g_facts.servicePack, system.servicePack);
  g_facts.processors = sources.processors;
  const unsigned architecture = ArchitectureCode(sources.kernel.machine);
  g_facts.processorType = architecture == 9 ? 8664 : architecture == 0 ? 586 : 0;
  g_facts.addressSpaceBytes = sources.addressSpaceBytes;

  const time_t now = ::time(nullptr);
  tm local{};
  if (::localtime_r(&now, &local) != nullptr) g_facts.utcOffsetSeconds = local.tm_gmtoff;

  // A path too long for a PathBuffer leaves the report (or ErrorReport) out.
  try {
    const std::string profile = UserDataFolderPath().str() + "/" + fileName + ".INI";
    CopyText(g_facts.profileFolder, sizeof g_facts.profileFolder, profile);
    CopyText(g_facts.reportPath, sizeof g_facts.reportPath, profile + "/ERRORLOG.TXT");
  } catch (const std::exception&) {
    g_facts.reportPath[0] = '\0';
  }
  try {
    CopyText(g_facts.errorReportPath, sizeof g_facts.errorReportPath, ModuleFolderFile("ErrorReport").str());
  } catch (const std::exception&) {
    g_facts.errorReportPath[0] = '\0';
  }
}

}  // namespace

void InstallCrashHandler(const char* productWord) {
  if (g_installed.exchange(true)) return;
  GatherFacts(productWord);

  static void* mainStack = nullptr;
  static std::size_t mainStackSize = 0;
  GiveThreadAlternateStack(mainStack, mainStackSize);

  struct sigaction action {};
  action.sa_sigaction = OnCrashSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  // While one crash is handled, a fault of another kind on the same thread
  // is not delivered to us again: the kernel ends the process instead.
  ::sigemptyset(&action.sa_mask);
  for (const int signal : kCrashSignals) ::sigaddset(&action.sa_mask, signal);
  for (const int signal : kCrashSignals) ::sigaction(signal, &action, nullptr);
  std::set_terminate(OnTerminate);
}

void CrashForTesting(std::string_view how) {
  const std::string name(how);
  Log("Crashing on request (%s=%s)", kTestCrashVariable, name.c_str());
  if (how == "null") ReadFromAddressZero();
  if (how == "divide") DivideByZero();
  if (how == "overflow") g_sinkForTesting = RecurseWithoutEnd(0);
  if (how == "abort") std::abort();
  if (how == "exception") throw std::runtime_error("the crash " + name + " was asked for");
  Log("No crash is called %s", name.c_str());
}

CrashStackForThread::CrashStackForThread() {
  GiveThreadAlternateStack(m_stack, m_size);
}

CrashStackForThread::~CrashStackForThread() {
  if (m_stack == nullptr) return;
  stack_t off{};
  off.ss_flags = SS_DISABLE;
  ::sigaltstack(&off, nullptr);
  ::munmap(m_stack, m_size);
}

namespace crash_detail {

const char* ReportPath() {
  return g_facts.reportPath;
}

void SetReturnAfterReportForTesting(bool on) {
  g_returnAfterReport.store(on);
}

void SetFaultWhileReportingForTesting(bool on) {
  g_faultWhileReporting = on;
}

}  // namespace crash_detail
