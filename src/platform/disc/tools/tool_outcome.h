#pragma once
// How a run of an external program ended, as a kind the caller can act on
// (no text to search) and a text for the user and the log. The one place that
// turns a finished run into its failure text.

#include <string>
#include <string_view>

#include "platform/disc/tools/tool_run.h"

enum class ToolFailure {
  None,          // the program did its work
  Stopped,       // stopped on request
  NotInstalled,  // the program is missing
  CannotStart,   // it was found but could not be started
  Failed,        // it ended with an error of its own
  NotBlank,      // the disc needs erasing first
  NoMedium,      // no disc in the drive
  DriveBusy,     // another program holds the drive
  DiskFull,      // no space left where it writes
};

struct ToolOutcome {
  ToolFailure failure = ToolFailure::None;
  std::string text;  // why it failed; "" when done

  bool Done() const { return failure == ToolFailure::None; }
  static ToolOutcome Failure(ToolFailure failure, std::string why);
};

// A problem a program reported on one of its lines.
struct ToolProblem {
  ToolFailure kind = ToolFailure::None;  // None: the line reports no problem
  std::string text;                      // the program's own words
};

// outcome as a full disk: kind DiskFull, its text led by "The disk is full: "
// (for a program that does not say why its write failed, when the caller
// finds no room left where it wrote).
ToolOutcome AsDiskFull(ToolOutcome outcome);

// The kind of a problem from the program's own message: DiskFull when the
// system's "No space left on device" is in it, else Failed.
ToolFailure ProblemKindOf(std::string_view message);

// How the run of program ended: done, "Stopped", "Cannot start X: ...", or
// "X failed (exit code N)" with the first problem it reported after ": "
// (led by "The disk is full: " when that was the problem).
// A program that reported a problem but ended with 0 has overcome it.
ToolOutcome OutcomeOfRun(const std::string& program, const ToolRunResult& run, const ToolProblem& reported);
