#include "platform/disc/tools/burn_tool_run.h"

#include "platform/disc/tools/tool_run.h"
#include "support/log.h"

BurnStepResult RunBurnTool(DiscTool tool, const std::vector<std::string>& arguments,
                           const ChildProcess::Options& options, BurnLineParser parse, const BurnLineHandler& onLine,
                           const std::atomic<bool>* stop) {
  const DiscToolInfo info = GetDiscTool(tool);
  if (!info.Found()) return BurnStepResult::Failure(MissingToolText(tool));
  std::vector<std::string> argv = {info.path};
  argv.insert(argv.end(), arguments.begin(), arguments.end());

  BurnStepResult result;
  const ToolRunResult run = RunTool(
      argv, options,
      [&](const std::string& raw) {
        const BurnLine line = parse(raw);
        if (line.IsProblem() || line.kind == BurnLine::Kind::Warning) Log("%s: %s", info.name.c_str(), raw.c_str());
        if (line.IsProblem() && result.problem == BurnLine::Kind::Other) {
          result.problem = line.kind;
          result.text = line.text.empty() ? raw : line.text;
        }
        if (onLine) onLine(line);
      },
      stop);
  if (run.stopped) {
    result.status = BurnStepResult::Status::Stopped;
    return result;
  }
  if (run.startError != 0)
    return BurnStepResult::Failure("Cannot start " + info.name + ": " + GetErrorText(run.startError));
  if (run.exitCode != 0) {
    result.status = BurnStepResult::Status::Failed;
    if (result.problem == BurnLine::Kind::Other) {
      result.problem = BurnLine::Kind::Error;
      result.text = info.name + " failed (exit code " + std::to_string(run.exitCode) + ")";
    }
    return result;
  }
  // A program that reported a problem but ended well has overcome it.
  result.problem = BurnLine::Kind::Other;
  result.text.clear();
  return result;
}
