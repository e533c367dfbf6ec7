#pragma once
// The crash handler: when the program crashes on any of its threads, it
// writes ERRORLOG.TXT into "<data folder>/<executable name>.INI/", starts
// ErrorReport (next to the executable) with the product word, the report and
// the log, and ends the process quietly.
//
// Covered: SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT and a C++ exception that
// nothing catches (std::terminate). Only the first crash of a process is
// reported; a fault while the report is being written ends the process at
// once. The handler runs on an alternate signal stack: the thread that
// installed it has one, and every thread the program starts gets its own
// through ThreadWithCrashStack, without which everything but that thread's
// stack overflow would still be reported.

#include <cstddef>
#include <string_view>
#include <thread>
#include <tuple>
#include <utility>

// Installs the handler; call it first thing in main. productWord goes to
// ErrorReport as its first argument. Static facts (paths, user, system) are
// gathered here, since the handler itself may only make async-signal-safe
// calls. Calling it again changes nothing.
void InstallCrashHandler(const char* productWord);

// Gives the calling thread an alternate signal stack for as long as the
// object lives, so that its stack overflow is reported too.
class CrashStackForThread {
 public:
  CrashStackForThread();
  ~CrashStackForThread();
  CrashStackForThread(const CrashStackForThread&) = delete;
  CrashStackForThread& operator=(const CrashStackForThread&) = delete;

 private:
  void* m_stack = nullptr;
  std::size_t m_size = 0;
};

// A test hook of the real program: when this environment variable is set,
// the window crashes as it says once it runs - "null" (a read from address
// 0), "divide" (an integer division by zero), "overflow" (out of stack),
// "abort" or "exception" (a C++ exception nothing catches) - so that tests
// can check the report and ErrorReport of the program as it is shipped.
inline constexpr const char* kTestCrashVariable = "ORLENTA_TEST_CRASH";

// Crashes as how says (the names above); returns, after a log entry, for a
// name it does not know.
void CrashForTesting(std::string_view how);

// Starts a std::thread that runs function(arguments...) with a crash stack
// of its own. The program starts all its threads here.
template <class Function, class... Arguments>
std::thread ThreadWithCrashStack(Function&& function, Arguments&&... arguments) {
  return std::thread([body = std::forward<Function>(function),
                      values = std::make_tuple(std::forward<Arguments>(arguments)...)]() mutable {
    const CrashStackForThread crashStack;
    std::apply(std::move(body), std::move(values));
  });
}

namespace crash_detail {

// The report's path, as the handler computed it at installation.
const char* ReportPath();

// Tests: return from the handler after a report instead of ending the
// process, so that a raised signal can be followed by another one.
void SetReturnAfterReportForTesting(bool on);

// Tests: make the handler itself fault in the middle of writing the report.
void SetFaultWhileReportingForTesting(bool on);

}  // namespace crash_detail
