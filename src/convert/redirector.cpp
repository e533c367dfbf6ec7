#include "convert/redirector.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "support/log.h"

namespace {
// How long a child that has closed its output may take to exit before it
// counts as hanging and is killed.
constexpr std::chrono::seconds kExitGrace{10};
}  // namespace

CRedirector::CRedirector() {
  Log("CRedirector constructor");
}

CRedirector::~CRedirector() {
  CRedirector::Close();
}

void CRedirector::OnOutputText(const char*) {}

void CRedirector::OnErrorText(const char*) {}

bool CRedirector::Open(const CommandLine& commandLine) {
  Log("CRedirector::Open -> %s", commandLine.text.c_str());
  Close();
  auto reportFailure = [this](int error) {
    char text[40];
    std::snprintf(text, sizeof text, "Redirect console error: %x\r\n", static_cast<unsigned>(error));
    OnErrorText(text);
    Close();
    errno = error;
  };
  try {
    if (!LaunchChild(commandLine)) {
      reportFailure(errno);
      return false;
    }
    ReadLoop();
    return true;
  } catch (...) {
    reportFailure(errno);
    throw;
  }
}

bool CRedirector::LaunchChild(const CommandLine& commandLine) {
  Log("CRedirector::LaunchChild - command line: %s", commandLine.text.c_str());
  const int error = m_child.Start(commandLine.arguments);
  if (error != 0) {
    Log("CRedirector::LaunchChild - cannot start %s: %s",
        commandLine.arguments.empty() ? "" : commandLine.arguments.front().c_str(), GetErrorText(error).c_str());
    errno = error;
    return false;
  }
  return true;
}

int CRedirector::ReadLoop() {
  int result = ReadAvailable();
  if (result <= 0) {
    Close();
    return result;
  }
  for (;;) {
    const auto waited = m_child.Wait(std::chrono::milliseconds(m_dwWaitTime));
    if (waited == ChildProcess::WaitResult::Exited) break;
    if (waited == ChildProcess::WaitResult::Timeout) OnIdle();
    result = ReadAvailable();
    if (result <= 0) {
      Close();
      return result;
    }
  }
  result = ReadAvailable();
  if (result > 0) result = 0;
  Close();
  return result;
}

// 1: nothing more for now; 0: the child closed its output; -1: read error.
int CRedirector::ReadAvailable() {
  char buffer[256];
  for (;;) {
    const int waiting = m_child.BytesWaiting();
    if (waiting < 0) break;
    // FIONREAD reports 0 both when the pipe is empty and when it has been
    // closed; a read tells them apart.
    const std::size_t wanted = waiting == 0 ? 1 : std::min<std::size_t>(static_cast<std::size_t>(waiting), 255);
    const ssize_t got = m_child.ReadOutput(buffer, wanted);
    if (got > 0) {
      buffer[got] = '\0';
      OnOutputText(buffer);
      continue;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 1;
    if (got == 0) {
      // The child has closed its output: it is ending. Let it finish so that
      // its exit code can be read.
      m_child.WaitForExit(kExitGrace);
      OnOutputText("\r\n<TEST INFO>: Child process ended\r\n");
      return 0;
    }
    break;
  }
  OnErrorText("Read stdout pipe error\r\n");
  return -1;
}

std::optional<int> CRedirector::ChildExitCode() {
  if (!m_child.IsStarted() || !m_child.HasExited() || m_child.KilledBySignal()) return std::nullopt;
  return m_child.ExitCode();
}

void CRedirector::Close() {
  Log("CRedirector::Close - child process still running? close it.");
  m_child.Close();
}
