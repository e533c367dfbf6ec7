#include "platform/disc/tools/program_run.h"

#include "platform/disc/tools/tool_run.h"
#include "support/log.h"

ToolOutcome RunProgram(ExternalProgram program, const std::vector<std::string>& arguments,
                       const ChildProcess::Options& options, const ToolLineReader& read,
                       const std::atomic<bool>* stop) {
  const ExternalProgramInfo info = GetExternalProgram(program);
  if (!info.Found()) return ToolOutcome::Failure(ToolFailure::NotInstalled, MissingProgramText(program));
  std::vector<std::string> argv = {info.path};
  argv.insert(argv.end(), arguments.begin(), arguments.end());

  ToolProblem first;
  const ToolRunResult run = RunTool(
      argv, options,
      [&](const std::string& line) {
        if (!read) return;
        const ToolLineReport report = read(line);
        const bool problem = report.problem.kind != ToolFailure::None;
        if (problem || report.warning) Log("%s: %s", info.name.c_str(), line.c_str());
        if (problem && first.kind == ToolFailure::None) {
          first = report.problem;
          if (first.text.empty()) first.text = line;
        }
      },
      stop);
  return OutcomeOfRun(info.name, run, first);
}
