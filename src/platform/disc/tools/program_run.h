#pragma once
// Runs one program of the table with its line parser: every line the program
// prints goes to the caller's reader, which parses it, acts on it (progress)
// and says whether it reports a problem. Problems and warnings are logged
// under the program's name; the first problem becomes the failure text.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/disc/tools/tool_outcome.h"
#include "platform/process/child_process.h"
#include "platform/programs/external_programs.h"

struct ToolLineReport {
  ToolProblem problem;   // kind None: no problem on this line
  bool warning = false;  // logged, not a failure
};
using ToolLineReader = std::function<ToolLineReport(const std::string& line)>;

// Runs program with arguments (without the program itself).
ToolOutcome RunProgram(ExternalProgram program, const std::vector<std::string>& arguments,
                       const ChildProcess::Options& options, const ToolLineReader& read,
                       const std::atomic<bool>* stop = nullptr);
