#include "platform/process/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/process/process_spawn.h"

extern char** environ;

namespace {

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Our environment with the additions; an addition replaces an entry of the same name.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& additions) {
  std::vector<std::string> merged;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const auto name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const auto& addition : additions) replaced = replaced || addition.starts_with(name);
    if (!replaced) merged.emplace_back(text);
  }
  merged.insert(merged.end(), additions.begin(), additions.end());
  return merged;
}

std::vector<char*> PointersTo(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  pointers.reserve(texts.size() + 1);
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildProcess::~ChildProcess() {
  Close();
}

int ChildProcess::Start(const std::vector<std::string>& argv, const Options& options) {
  Close();
  if (argv.empty() || argv.front().empty()) return ENOENT;
  m_outputEnded = m_exited = m_killedBySignal = false;
  m_exitCode = -1;

  int output[2] = {-1, -1};
  int input[2] = {-1, -1};
  if (::pipe2(output, O_CLOEXEC) != 0) return errno;
  if (::pipe2(input, O_CLOEXEC) != 0) {
    const int error = errno;
    ::close(output[0]);
    ::close(output[1]);
    return error;
  }

  std::vector<std::string> args = argv;
  std::vector<std::string> environment = MergedEnvironment(options.environment);
  auto argPointers = PointersTo(args);
  auto envPointers = PointersTo(environment);

  SpawnRequest request;
  request.argv = argPointers.data();
  request.envp = envPointers.data();
  request.stdinFd = input[0];
  request.stdoutFd = output[1];
  request.stderrFd = output[1];
  if (!options.stdinPath.empty()) request.stdinPath = options.stdinPath.c_str();
  if (!options.stdoutPath.empty()) request.stdoutPath = options.stdoutPath.c_str();
  if (!options.workingDirectory.empty()) request.workingDirectory = options.workingDirectory.c_str();

  pid_t pid = -1;
  const int error = SpawnProcess(request, pid);
  ::close(output[1]);
  ::close(input[0]);
  if (error != 0) {
    ::close(output[0]);
    ::close(input[1]);
    return error;
  }

  m_pid = pid;
  m_outputFd = output[0];
  m_inputFd = input[1];
  ::fcntl(m_outputFd, F_SETFL, ::fcntl(m_outputFd, F_GETFL) | O_NONBLOCK);
  // -1 on kernels before 5.3: waits then fall back to polling.
  m_pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  return 0;
}

int ChildProcess::BytesWaiting() const {
  int waiting = 0;
  if (m_outputFd < 0 || ::ioctl(m_outputFd, FIONREAD, &waiting) != 0) return -1;
  return waiting;
}

ssize_t ChildProcess::ReadOutput(char* buffer, std::size_t size) {
  if (m_outputFd < 0) {
    errno = EBADF;
    return -1;
  }
  for (;;) {
    const ssize_t got = ::read(m_outputFd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got == 0) m_outputEnded = true;
    return got;
  }
}

ChildProcess::WaitResult ChildProcess::Wait(std::chrono::milliseconds timeout) {
  if (HasExited()) return WaitResult::Exited;
  pollfd fds[2];
  nfds_t count = 0;
  const bool watchOutput = m_outputFd >= 0 && !m_outputEnded;
  if (watchOutput) fds[count++] = {m_outputFd, POLLIN, 0};
  if (m_pidFd >= 0) fds[count++] = {m_pidFd, POLLIN, 0};
  const int ready = ::poll(fds, count, static_cast<int>(timeout.count()));
  if (ready > 0 && watchOutput && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) return WaitResult::Output;
  return HasExited() ? WaitResult::Exited : WaitResult::Timeout;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!HasExited()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    if (m_pidFd >= 0) {
      pollfd fd{m_pidFd, POLLIN, 0};
      ::poll(&fd, 1, static_cast<int>(left.count()));
    } else {
      // No process descriptor on this kernel: look again shortly.
      pollfd none{};
      ::poll(&none, 0, static_cast<int>(std::min<long long>(left.count(), 10)));
    }
  }
  return true;
}

void ChildProcess::Reap(int status) {
  m_exited = true;
  if (WIFEXITED(status)) {
    m_exitCode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    m_killedBySignal = true;
    m_exitCode = 128 + WTERMSIG(status);
  }
  CloseFd(m_pidFd);
}

bool ChildProcess::HasExited() {
  if (m_pid <= 0) return false;
  if (m_exited) return true;
  int status = 0;
  pid_t result;
  do {
    result = ::waitpid(m_pid, &status, WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == m_pid) Reap(status);
  if (result < 0 && errno == ECHILD) {
    // Someone else reaped it; it has ended all the same.
    m_exited = true;
    CloseFd(m_pidFd);
  }
  return m_exited;
}

std::optional<int> ChildProcess::ExitCode() {
  if (!HasExited() || m_exitCode < 0) return std::nullopt;
  return m_exitCode;
}

void ChildProcess::Kill() {
  if (m_pid <= 0 || HasExited()) return;
  ::kill(-m_pid, SIGKILL);  // the child leads its own group: take its children too
  ::kill(m_pid, SIGKILL);
  int status = 0;
  pid_t result;
  do {
    result = ::waitpid(m_pid, &status, 0);
  } while (result < 0 && errno == EINTR);
  if (result == m_pid) {
    Reap(status);
  } else {
    m_exited = true;
    CloseFd(m_pidFd);
  }
}

void ChildProcess::CloseInput() {
  CloseFd(m_inputFd);
}

void ChildProcess::CloseOutput() {
  CloseFd(m_outputFd);
}

void ChildProcess::Close() {
  Kill();
  CloseFd(m_inputFd);
  CloseFd(m_outputFd);
  CloseFd(m_pidFd);
  m_pid = -1;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ChildProcess::Options& options) {
  ProcessResult result;
  ChildProcess child;
  result.startError = child.Start(argv, options);
  if (result.startError != 0) return result;
  child.CloseInput();
  char buffer[4096];
  bool outputOpen = true;
  while (outputOpen) {
    child.Wait(std::chrono::milliseconds(1000));
    for (;;) {
      const ssize_t got = child.ReadOutput(buffer, sizeof buffer);
      if (got > 0) {
        result.output.append(buffer, static_cast<std::size_t>(got));
        continue;
      }
      if (got == 0) outputOpen = false;
      break;
    }
  }
  child.WaitForExit(std::chrono::hours(24));
  result.exitCode = child.ExitCode().value_or(-1);
  return result;
}

std::string CommandText(const std::vector<std::string>& argv) {
  std::string text;
  for (const auto& arg : argv) {
    if (!text.empty()) text += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\"'$;&|<>()*?\\") == std::string::npos) {
      text += arg;
    } else {
      text += '"' + arg + '"';
    }
  }
  return text;
}
