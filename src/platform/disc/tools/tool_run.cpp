#include "platform/disc/tools/tool_run.h"

#include <chrono>
#include <mutex>

#include "support/log.h"

namespace {

// A line longer than this is handed over in pieces rather than kept growing.
constexpr std::size_t kLongestLine = 64 * 1024;
// How often a running program's stop flag is looked at while it is silent.
constexpr std::chrono::milliseconds kStopPollInterval(20);

std::mutex g_observerLock;
ToolRunObserver g_observer;

}  // namespace

void LineSplitter::Feed(std::string_view data, const std::function<void(const std::string&)>& onLine) {
  for (const char c : data) {
    if (c == '\r' || c == '\n') {
      if (!m_pending.empty()) onLine(m_pending);
      m_pending.clear();
      continue;
    }
    m_pending.push_back(c);
    if (m_pending.size() >= kLongestLine) {
      onLine(m_pending);
      m_pending.clear();
    }
  }
}

void LineSplitter::Finish(const std::function<void(const std::string&)>& onLine) {
  if (!m_pending.empty()) onLine(m_pending);
  m_pending.clear();
}

void SetToolRunObserver(ToolRunObserver observer) {
  std::lock_guard<std::mutex> lock(g_observerLock);
  g_observer = std::move(observer);
}

ToolRunResult RunTool(const std::vector<std::string>& argv, const ChildProcess::Options& options,
                      const ToolLineHandler& onLine, const std::atomic<bool>* stop) {
  ToolRunResult result;
  const std::string command = CommandText(argv);
  Log("Running %s", command.c_str());
  {
    std::lock_guard<std::mutex> lock(g_observerLock);
    if (g_observer) g_observer(argv, options);
  }

  auto stopRequested = [stop] { return stop != nullptr && stop->load(); };
  if (stopRequested()) {
    result.stopped = true;
    return result;
  }

  ChildProcess child;
  result.startError = child.Start(argv, options);
  if (result.startError != 0) {
    Log("Could not start %s: %s", argv.empty() ? "" : argv.front().c_str(), GetErrorText(result.startError).c_str());
    return result;
  }
  child.CloseInput();

  LineSplitter splitter;
  const auto handle = [&](const std::string& line) {
    if (onLine) onLine(line);
  };
  char buffer[8192];
  bool outputEnded = false;
  // Reads what is waiting; false once the program closed its output.
  const auto drain = [&] {
    for (;;) {
      const ssize_t got = child.ReadOutput(buffer, sizeof buffer);
      if (got == 0) return false;
      if (got < 0) return true;
      splitter.Feed(std::string_view(buffer, static_cast<std::size_t>(got)), handle);
      if (stopRequested()) return true;
    }
  };
  const auto killForStop = [&] {
    child.Kill();
    result.stopped = true;
    result.exitCode = child.ExitCode().value_or(-1);
    Log("Stopped %s", command.c_str());
    return result;
  };
  for (;;) {
    if (stopRequested()) return killForStop();
    const auto state = child.Wait(kStopPollInterval);
    outputEnded = !drain();
    if (stopRequested()) return killForStop();
    // Once the program has ended its output is all in the pipe already; a
    // helper it left behind must not keep us waiting for the pipe to close.
    if (state == ChildProcess::WaitResult::Exited || outputEnded) break;
  }
  if (!outputEnded) drain();
  splitter.Finish(handle);
  while (!child.WaitForExit(kStopPollInterval)) {
    if (stopRequested()) return killForStop();
  }
  result.exitCode = child.ExitCode().value_or(-1);
  Log("%s ended with exit code %d", argv.front().c_str(), result.exitCode);
  return result;
}
