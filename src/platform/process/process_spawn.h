#pragma once
// Starts one child process for ChildProcess: fork and exec of an argument
// vector, never a shell. The child leads a session of its own, starts with
// default signal handling and an empty signal mask, has only the descriptors
// it is given, and is killed by the kernel when our process ends, however it
// ends (a crash, kill -9): it gets SIGKILL as its parent-death signal.
//
// Linux sends that signal when the *thread* that forked the child ends, not
// the process. Tools are started from background threads that often end
// before the tool does, so every child is forked by one spawning thread that
// lives as long as the process; callers hand it their request and wait.

#include <sys/types.h>

#include <string>

struct SpawnRequest {
  char* const* argv = nullptr;  // argv[0] is the program's path; null-terminated
  char* const* envp = nullptr;  // the child's whole environment; null-terminated
  int stdinFd = -1;             // becomes the child's stdin, unless stdinPath is given
  int stdoutFd = -1;            // becomes the child's stdout, unless stdoutPath is given
  int stderrFd = -1;            // becomes the child's stderr
  const char* stdinPath = nullptr;
  const char* stdoutPath = nullptr;  // created or truncated, mode 0644
  const char* workingDirectory = nullptr;
};

// Starts the child. Returns 0 and its pid, or the errno that kept the program
// from running (an exec failure is reported here, not as an exit code).
int SpawnProcess(const SpawnRequest& request, pid_t& pid);
