// A program that installs the crash handler and then crashes as its first
// argument says; the crash tests run it as a child process.
//   crash_child <how> [log path] [VCD stream, for "burner-overflow"]
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "convert/convert_task_list.h"
#include "formats/format_pages.h"
#include "formats/output_format_id.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_text.h"
#include "support/crash_handler.h"
#include "support/log.h"

// The sanitizers would stop these crashes themselves; the handler is what is tested.
#define REAL_CRASH __attribute__((noinline, no_sanitize("address", "undefined")))

namespace {

volatile int g_zero = 0;
volatile int* volatile g_nowhere = nullptr;

REAL_CRASH int DivideByZero() {
  return 7 / g_zero;
}

REAL_CRASH int ReadFromAddressZero() {
  return *g_nowhere;
}

__attribute__((noinline)) int Recurse(int depth) {
  volatile char frame[512];
  frame[0] = static_cast<char>(depth);
  return g_zero == 0 ? Recurse(depth + 1) + frame[0] : 0;
}

__attribute__((noinline)) void ThrowOut() {
  throw std::runtime_error("the disc tray ran away");
}

void CrashOnWorker() {
  std::thread worker([] {
    pthread_setname_np(pthread_self(), "crash-worker");
    ReadFromAddressZero();
  });
  worker.join();
}

// A worker with its own crash stack runs out of stack.
void OverflowOnWorker() {
  std::thread worker([] {
    const CrashStackForThread crashStack;
    Recurse(0);
  });
  worker.join();
}

[[noreturn]] void WaitForTheCrash() {
  for (;;) pause();
}

// A receiver of the conversion's pings that runs out of stack on the
// conversion thread, at the first file's start.
class RecursingReceiver : public PingReceiver {
 public:
  std::int32_t OnPing(std::int32_t /*value*/, const Pinger& /*sender*/) override { return Recurse(0); }
};

[[noreturn]] void OverflowOnConversionThread() {
  static RecursingReceiver receiver;
  const auto formats = CreateFfmpegFormatPages();
  ConvertTaskList list({PathBuffer("/nonexistent/clip.avi")}, "/nonexistent", *formats[kFormatDvd], &receiver);
  list.SetParallelJobs(1);
  ConvertTaskList::Start(list);
  WaitForTheCrash();
}

// The burner's scan thread runs out of stack in its progress callback.
[[noreturn]] void OverflowOnBurnerThread(const char* stream) {
  burner::CreateProject(burner::BS_BURNER_VCD);
  burner::SetVideoScannerEventCallback([](float, int, void*) { Recurse(0); }, nullptr);
  burner::FileRecord file{};
  WriteTextField(file.sourcePath, sizeof file.sourcePath, stream);
  WriteTextField(file.destinationPath, sizeof file.destinationPath, "\\");
  file.flag = 1;
  if (burner::AddFile(file) != 0) std::exit(5);
  WaitForTheCrash();
}

// The first crash is reported and the handler returns (a raised signal can
// go on); the second is not reported at all.
void CrashTwice() {
  crash_detail::SetReturnAfterReportForTesting(true);
  std::raise(SIGSEGV);
  unlink(crash_detail::ReportPath());
  std::raise(SIGSEGV);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  InstallCrashHandler("Orlenta");
  if (argc > 2 && !LogOpen(argv[2])) return 3;
  Log("crash_child - crashing by %s", argv[1]);
  const char* how = argv[1];
  if (std::strcmp(how, "divide") == 0) return DivideByZero();
  // Not a tail call: main stays on the stack, for the report's symbols.
  if (std::strcmp(how, "null") == 0) return 1 + ReadFromAddressZero();
  if (std::strcmp(how, "abort") == 0) std::abort();
  if (std::strcmp(how, "overflow") == 0) return Recurse(0);
  if (std::strcmp(how, "exception") == 0) ThrowOut();
  if (std::strcmp(how, "thread") == 0) CrashOnWorker();
  if (std::strcmp(how, "thread-overflow") == 0) OverflowOnWorker();
  if (std::strcmp(how, "conversion-overflow") == 0) OverflowOnConversionThread();
  if (std::strcmp(how, "burner-overflow") == 0 && argc > 3) OverflowOnBurnerThread(argv[3]);
  if (std::strcmp(how, "twice") == 0) CrashTwice();
  if (std::strcmp(how, "fault-in-handler") == 0) {
    crash_detail::SetFaultWhileReportingForTesting(true);
    return ReadFromAddressZero();
  }
  return 4;
}
