#pragma once
// Runs one writing program with its BurnLine parser through RunProgram: the
// parsed lines go to the caller (progress), their problems make the outcome.

#include <atomic>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/disc/tools/burn_line.h"
#include "platform/disc/tools/tool_outcome.h"
#include "platform/process/child_process.h"
#include "platform/programs/external_programs.h"

using BurnLineParser = BurnLine (*)(std::string_view line);
using BurnLineHandler = std::function<void(const BurnLine& line)>;

// The failure kind a parsed line reports; None for a line without a problem.
ToolFailure FailureOf(const BurnLine& line);

// Runs program with arguments (without the program itself). Every parsed line
// goes to onLine; the first problem line becomes the failure text.
ToolOutcome RunBurnTool(ExternalProgram program, const std::vector<std::string>& arguments,
                        const ChildProcess::Options& options, BurnLineParser parse, const BurnLineHandler& onLine,
                        const std::atomic<bool>* stop);
