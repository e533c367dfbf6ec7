// The disc programs' runner: lines cut at CR or LF, a stop that ends the
// whole process group, and a helper that keeps the output open.
#include "platform/disc/tools/tool_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "common/test_kit.h"
#include "platform/disc/tools/program_run.h"
#include "platform/disc/tools/tool_outcome.h"
#include "platform/process/find_program.h"

namespace {

TEST(ToolRun, LinesStopAndStragglers) {
  std::vector<std::string> lines;
  const ToolRunResult printed =
      RunTool({FindProgram("printf"), "one\rtwo\nthree"}, {}, [&](const std::string& line) { lines.push_back(line); });
  EXPECT_TRUE(printed.Succeeded());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));

  const ToolRunResult missing = RunTool({"/nonexistent/program"}, {}, nullptr);
  EXPECT_NE(missing.startError, 0);
  EXPECT_FALSE(missing.Succeeded());

  // A stop set from another thread ends the program at once.
  testkit::TempDir dir;
  const std::string marker = dir.File("marker");
  std::atomic<bool> stop{false};
  std::thread stopper([&] {
    testkit::WaitUntil([&] { return !testkit::ProcessesMatching(marker).empty(); });
    stop = true;
  });
  const auto start = std::chrono::steady_clock::now();
  // The marker names the shell as its $0; the shell's sleep is in its process group.
  const ToolRunResult stopped = RunTool({FindProgram("sh"), "-c", "sleep 30; true", marker}, {}, nullptr, &stop);
  stopper.join();
  EXPECT_TRUE(stopped.stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // The shell is reaped at once; a child it forked was killed with its group
  // and may take a moment to vanish.
  EXPECT_TRUE(testkit::WaitUntil([&] { return testkit::ProcessesMatching(marker).empty(); }, std::chrono::seconds(5)));
  EXPECT_TRUE(
      testkit::WaitUntil([] { return testkit::ProcessesMatching("sleep 30; true").empty(); }, std::chrono::seconds(5)));

  // A program that leaves a helper holding its output does not keep us waiting.
  const auto before = std::chrono::steady_clock::now();
  const ToolRunResult quick = RunTool({FindProgram("sh"), "-c", "sleep 3 & echo started"}, {}, nullptr);
  EXPECT_TRUE(quick.Succeeded());
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
}

TEST(ToolOutcome, OneTextForEveryEnding) {
  const auto run = [](int startError, int exitCode, bool stopped) {
    ToolRunResult result;
    result.startError = startError;
    result.exitCode = exitCode;
    result.stopped = stopped;
    return result;
  };
  const ToolProblem none;
  const ToolProblem said{ToolFailure::Failed, "cannot open x.mpg"};
  const ToolProblem full{ToolFailure::DiskFull, "No space left on device. cannot fwrite 32768*1"};
  const ToolProblem notBlank{ToolFailure::NotBlank, "media is not blank"};
  const struct {
    ToolRunResult result;
    ToolProblem reported;
    ToolFailure failure;
    const char* text;
  } cases[] = {
      {run(0, 0, false), none, ToolFailure::None, ""},
      {run(0, 0, false), said, ToolFailure::None, ""},  // overcome: it ended well
      {run(0, 1, false), none, ToolFailure::Failed, "dvdauthor failed (exit code 1)"},
      {run(0, 1, false), said, ToolFailure::Failed, "dvdauthor failed (exit code 1): cannot open x.mpg"},
      {run(0, 28, false), full, ToolFailure::DiskFull,
       "The disk is full: dvdauthor failed (exit code 28): No space left on device. cannot fwrite 32768*1"},
      {run(0, 5, false), notBlank, ToolFailure::NotBlank, "dvdauthor failed (exit code 5): media is not blank"},
      {run(ENOENT, -1, false), none, ToolFailure::CannotStart, "Cannot start dvdauthor: No such file or directory"},
      {run(0, 137, true), said, ToolFailure::Stopped, "Stopped"},
  };
  for (const auto& c : cases) {
    const ToolOutcome outcome = OutcomeOfRun("dvdauthor", c.result, c.reported);
    EXPECT_EQ(outcome.failure, c.failure) << c.text;
    EXPECT_EQ(outcome.text, c.text);
    EXPECT_EQ(outcome.Done(), c.failure == ToolFailure::None) << c.text;
  }
  EXPECT_EQ(ProblemKindOf("ERR:  write failed: No space left on device"), ToolFailure::DiskFull);
  EXPECT_EQ(ProblemKindOf("cannot open x.mpg"), ToolFailure::Failed);
}

TEST(ProgramRun, FirstProblemLineMakesTheFailureText) {
  // ffmpeg stands in for any program of the table: it prints its errors and ends with 1.
  std::vector<std::string> seen;
  const ToolOutcome outcome = RunProgram(ExternalProgram::Ffmpeg, {"-v", "error", "-i", "/nonexistent/input.mpg"}, {},
                                         [&](const std::string& line) {
                                           seen.push_back(line);
                                           ToolLineReport report;
                                           report.problem = {ProblemKindOf(line), line};
                                           return report;
                                         });
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(outcome.failure, ToolFailure::Failed);
  EXPECT_TRUE(outcome.text.starts_with("ffmpeg failed (exit code ")) << outcome.text;
  EXPECT_TRUE(outcome.text.ends_with(": " + seen.front())) << outcome.text;
}

}  // namespace
