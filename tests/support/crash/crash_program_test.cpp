// The program as it is built, crashed through its test hook while its window
// runs: its ERRORLOG.TXT, its log and how it starts ErrorReport. The program
// runs from a copy of its folder in which ErrorReport is the recording
// stand-in.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "support/crash/crash_child_runner.h"
#include "support/crash_handler.h"

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = ORLENTA_PROGRAM;
const fs::path kStandIn = STAND_IN_ERROR_REPORT;

// The program's folder as the build leaves it, with the stand-in for ErrorReport.
void CopyProgramFolder(const fs::path& to) {
  fs::create_directories(to);
  for (const auto& entry : fs::recursive_directory_iterator(kProgram.parent_path())) {
    const fs::path copy = to / fs::relative(entry.path(), kProgram.parent_path());
    if (entry.is_directory()) fs::create_directories(copy);
    if (!entry.is_regular_file() || copy == to / "ErrorReport") continue;
    std::error_code linked;
    fs::create_hard_link(entry.path(), copy, linked);
    if (linked) fs::copy_file(entry.path(), copy);
  }
  fs::copy_file(kStandIn, to / "ErrorReport");
  fs::permissions(to / "ErrorReport", fs::perms::owner_all);
}

std::vector<std::string> ReportLines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(report.substr(start, end - start));
  }
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

TEST(CrashedProgram, AReadFromAddressZeroInTheWindowIsReportedAndHandedToErrorReport) {
  testkit::TempDir folder;
  const fs::path program = fs::path(folder.File("bin")) / "orlenta";
  CopyProgramFolder(program.parent_path());
  crashtest::CrashChild child(program.string());
  const std::string runtime = child.File("runtime");
  fs::create_directory(runtime);
  fs::permissions(runtime, fs::perms::owner_all);
  const crashtest::ChildEnd end = child.Spawn(
      {}, {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + child.File("config"), "XDG_RUNTIME_DIR=" + runtime,
           "HOME=" + child.File("home"), std::string(kTestCrashVariable) + "=null"});
  EXPECT_TRUE(end.exited) << "ended by signal " << end.status;
  EXPECT_EQ(end.status, 1);

  const std::string report = child.Report();
  ASSERT_FALSE(report.empty()) << "no report at " << child.ReportPath();
  const std::vector<std::string> lines = ReportLines(report);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], "orlenta caused an Access Violation (0xc0000005) ");
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(R"(in module orlenta at (?!0000)[0-9a-f]{4}:[0-9a-f]{16}\.)")))
      << lines[1];
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Exception handler called in ExceptionAttacher - AfxWinMain.");
  EXPECT_EQ(lines[4].rfind("Error occurred at ", 0), 0u) << lines[4];
  const passwd* user = getpwuid(geteuid());
  EXPECT_EQ(lines[5], program.string() + ", run by " + (user != nullptr ? user->pw_name : "Unknown") + ".");
  EXPECT_TRUE(HasLine(lines, "Read from location 00000000 caused an access violation."));
  EXPECT_TRUE(HasLine(lines, "Context:"));
  EXPECT_TRUE(HasLine(lines, "Stack:"));
  EXPECT_TRUE(HasLine(lines, program.string())) << "the program among the modules";
  EXPECT_EQ(lines.back(), "===== [end of " + child.ReportPath() + "] =====");

  const std::string log = child.DataFolder() + "/Orlenta/Orlenta_log.txt";
  const std::vector<std::string> entries = testkit::LogEntries(log);
  ASSERT_FALSE(entries.empty()) << log;
  EXPECT_NE(entries.back().find("Crashing on request (ORLENTA_TEST_CRASH=null)"), std::string::npos) << entries.back();

  EXPECT_EQ(child.WaitForRecord(), "\"Orlenta\" \"" + child.ReportPath() + "\" \"" + log + "\" \n");
}

}  // namespace
