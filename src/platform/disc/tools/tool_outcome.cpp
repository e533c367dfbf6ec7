#include "platform/disc/tools/tool_outcome.h"

#include <cerrno>
#include <cstring>

#include "support/log.h"

ToolOutcome ToolOutcome::Failure(ToolFailure failure, std::string why) {
  ToolOutcome outcome;
  outcome.failure = failure;
  outcome.text = std::move(why);
  return outcome;
}

ToolFailure ProblemKindOf(std::string_view message) {
  static const std::string kNoSpace = std::strerror(ENOSPC);
  const bool full = message.find(kNoSpace) != std::string_view::npos ||
                    message.find("No space left on device") != std::string_view::npos;
  return full ? ToolFailure::DiskFull : ToolFailure::Failed;
}

ToolOutcome OutcomeOfRun(const std::string& program, const ToolRunResult& run, const ToolProblem& reported) {
  if (run.stopped) return ToolOutcome::Failure(ToolFailure::Stopped, "Stopped");
  if (run.startError != 0) {
    return ToolOutcome::Failure(ToolFailure::CannotStart,
                                "Cannot start " + program + ": " + GetErrorText(run.startError));
  }
  if (run.exitCode == 0) return {};
  std::string text = program + " failed (exit code " + std::to_string(run.exitCode) + ")";
  if (!reported.text.empty()) text += ": " + reported.text;
  const ToolFailure kind = reported.kind == ToolFailure::None ? ToolFailure::Failed : reported.kind;
  ToolOutcome outcome = ToolOutcome::Failure(kind, std::move(text));
  return kind == ToolFailure::DiskFull ? AsDiskFull(std::move(outcome)) : outcome;
}

ToolOutcome AsDiskFull(ToolOutcome outcome) {
  constexpr std::string_view kLead = "The disk is full: ";
  outcome.failure = ToolFailure::DiskFull;
  if (!outcome.text.starts_with(kLead)) outcome.text = std::string(kLead) + outcome.text;
  return outcome;
}
