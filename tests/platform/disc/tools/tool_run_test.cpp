// The disc programs' runner: lines cut at CR or LF, a stop that ends the
// whole process group, and a helper that keeps the output open.
#include "platform/disc/tools/tool_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "common/test_kit.h"
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

}  // namespace
