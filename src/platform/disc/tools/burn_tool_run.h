#pragma once
// Runs one writing program with its line parser and sums up how it ended:
// done, stopped, or failed with the program's own error text.

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/tools/burn_line.h"
#include "platform/disc/tools/disc_tools.h"
#include "platform/process/child_process.h"

struct BurnStepResult {
  enum class Status { Done, Stopped, Failed };
  Status status = Status::Done;
  BurnLine::Kind problem = BurnLine::Kind::Other;  // NotBlank or NoMedium when the program said so
  std::string text;                                // why it failed

  bool Done() const { return status == Status::Done; }
  static BurnStepResult Failure(std::string why) {
    BurnStepResult result;
    result.status = Status::Failed;
    result.problem = BurnLine::Kind::Error;
    result.text = std::move(why);
    return result;
  }
};

using BurnLineParser = BurnLine (*)(std::string_view line);
using BurnLineHandler = std::function<void(const BurnLine& line)>;

// Runs tool with arguments (without the program itself). Every parsed line
// goes to onLine; the first problem line becomes the failure text.
BurnStepResult RunBurnTool(DiscTool tool, const std::vector<std::string>& arguments,
                           const ChildProcess::Options& options, BurnLineParser parse, const BurnLineHandler& onLine,
                           const std::atomic<bool>* stop);
