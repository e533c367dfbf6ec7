#pragma once
// A child process started from an argument vector: never through a shell, so
// no file name can break the command or inject options. The child runs in a
// session of its own with stdout and stderr merged into one pipe and stdin
// from a pipe (or from and to files); every other descriptor is closed.
// Destroying a ChildProcess kills its child's whole process group, and the
// child is killed by the kernel when our process ends in any way (see
// process_spawn.h).

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
 public:
  struct Options {
    std::string workingDirectory;          // "" keeps ours
    std::vector<std::string> environment;  // "NAME=value" entries added to ours
    std::string stdinPath;                 // read stdin from this file instead of a pipe
    std::string stdoutPath;                // write stdout to this file; stderr alone goes to the pipe
  };

  enum class WaitResult { Output, Exited, Timeout };

  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0], which must be a path (see FindProgram). Returns 0 or the
  // errno that kept it from starting.
  int Start(const std::vector<std::string>& argv, const Options& options);
  int Start(const std::vector<std::string>& argv) { return Start(argv, Options{}); }

  bool IsStarted() const noexcept { return m_pid > 0; }
  pid_t Pid() const noexcept { return m_pid; }

  // Read end of the output pipe (non-blocking), or -1.
  int OutputFd() const noexcept { return m_outputFd; }
  // Write end of the input pipe, or -1.
  int InputFd() const noexcept { return m_inputFd; }

  // Bytes waiting in the output pipe; -1 if the query fails.
  int BytesWaiting() const;
  // Reads at most size bytes without blocking: >0 bytes read, 0 end of
  // output, -1 nothing waiting (EAGAIN) or error (errno tells).
  ssize_t ReadOutput(char* buffer, std::size_t size);

  // Waits up to timeout for output to read or for the child to end.
  WaitResult Wait(std::chrono::milliseconds timeout);
  // Waits for the child to end; false on time-out.
  bool WaitForExit(std::chrono::milliseconds timeout);

  // True once the child has ended (reaps it without blocking).
  bool HasExited();
  // The exit code once ended: the child's code, or 128 + signal number.
  std::optional<int> ExitCode();
  bool KilledBySignal() const noexcept { return m_killedBySignal; }

  // Ends the child's process group with SIGKILL if it still runs, and reaps it.
  void Kill();
  void CloseInput();
  void CloseOutput();
  // Kills a running child and releases every descriptor.
  void Close();

 private:
  void Reap(int status);

  pid_t m_pid = -1;
  int m_pidFd = -1;
  int m_outputFd = -1;
  int m_inputFd = -1;
  bool m_outputEnded = false;
  bool m_exited = false;
  bool m_killedBySignal = false;
  int m_exitCode = -1;
};

// Runs argv to its end and collects its merged output. startError is the
// errno that kept it from starting (then exitCode is -1).
struct ProcessResult {
  int startError = 0;
  int exitCode = -1;
  std::string output;
  bool Succeeded() const { return startError == 0 && exitCode == 0; }
};
ProcessResult RunProcess(const std::vector<std::string>& argv, const ChildProcess::Options& options = {});

// The command as a person would type it, for logs: arguments holding blanks
// or quotes are shown in double quotes.
std::string CommandText(const std::vector<std::string>& argv);
