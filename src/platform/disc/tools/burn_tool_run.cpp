#include "platform/disc/tools/burn_tool_run.h"

#include "platform/disc/tools/program_run.h"

ToolFailure FailureOf(const BurnLine& line) {
  switch (line.kind) {
    case BurnLine::Kind::Error:
      return ProblemKindOf(line.text);
    case BurnLine::Kind::NotBlank:
      return ToolFailure::NotBlank;
    case BurnLine::Kind::NoMedium:
      return ToolFailure::NoMedium;
    case BurnLine::Kind::DriveBusy:
      return ToolFailure::DriveBusy;
    default:
      return ToolFailure::None;
  }
}

ToolOutcome RunBurnTool(ExternalProgram program, const std::vector<std::string>& arguments,
                        const ChildProcess::Options& options, BurnLineParser parse, const BurnLineHandler& onLine,
                        const std::atomic<bool>* stop) {
  return RunProgram(
      program, arguments, options,
      [&](const std::string& raw) {
        const BurnLine line = parse(raw);
        if (onLine) onLine(line);
        ToolLineReport report;
        report.problem = {FailureOf(line), line.text};
        report.warning = line.kind == BurnLine::Kind::Warning;
        return report;
      },
      stop);
}
