#pragma once
// Runs a child program to its end with its console output redirected into a
// pipe, handing every piece of that output to OnOutputText as it arrives.
// The command is an argument vector; its text form is only for the log.

#include <optional>
#include <string>
#include <vector>

#include "platform/process/child_process.h"

struct CommandLine {
  std::string text;                    // as shown in the log
  std::vector<std::string> arguments;  // what runs: program path first
};

class CRedirector {
 public:
  CRedirector();
  virtual ~CRedirector();
  CRedirector(const CRedirector&) = delete;
  CRedirector& operator=(const CRedirector&) = delete;

  // Starts the child and reads its output until it ends. False if it could
  // not be started (or the pipes failed); exceptions of the hooks pass through
  // after the child has been closed.
  bool Open(const CommandLine& commandLine);

  // A piece of the child's output, at most 255 bytes, zero-terminated.
  virtual void OnOutputText(const char* text);
  // A problem of the redirector itself.
  virtual void OnErrorText(const char* text);
  // Called after each wait that brought no output, about every 100 ms.
  virtual void OnIdle() {}
  // Kills the child if it still runs and releases the pipes.
  virtual void Close();

 protected:
  bool LaunchChild(const CommandLine& commandLine);
  // The child's exit code once it has ended on its own.
  std::optional<int> ChildExitCode();

 private:
  int ReadLoop();
  int ReadAvailable();
  void CloseChild();

  unsigned m_dwWaitTime = 100;  // milliseconds
  ChildProcess m_child;
};
