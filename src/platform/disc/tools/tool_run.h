#pragma once
// Runs one disc program to its end on the calling thread, handing each line it
// prints to a parser. Programs such as dvdauthor and vcdxbuild redraw their
// progress with CR alone, so both CR and LF end a line. A stop flag set from
// anywhere (a progress callback included) kills the program's whole process
// group within a few milliseconds.

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process/child_process.h"

struct ToolRunResult {
  int startError = 0;  // errno that kept the program from starting
  int exitCode = -1;   // its exit code, 128 + signal when killed
  bool stopped = false;
  bool Succeeded() const { return startError == 0 && !stopped && exitCode == 0; }
};

// Cuts a byte stream into lines at CR or LF; empty lines are dropped.
class LineSplitter {
 public:
  void Feed(std::string_view data, const std::function<void(const std::string&)>& onLine);
  // Hands over what is left after the last line end.
  void Finish(const std::function<void(const std::string&)>& onLine);

 private:
  std::string m_pending;
};

using ToolLineHandler = std::function<void(const std::string& line)>;

// Runs argv (argv[0] a full path) and returns once it has ended. When stop is
// given and becomes true the program is killed and the result says stopped.
ToolRunResult RunTool(const std::vector<std::string>& argv, const ChildProcess::Options& options,
                      const ToolLineHandler& onLine, const std::atomic<bool>* stop = nullptr);

// Sees every command RunTool starts (the benchmark repeats them directly).
using ToolRunObserver = std::function<void(const std::vector<std::string>& argv, const ChildProcess::Options&)>;
void SetToolRunObserver(ToolRunObserver observer);
