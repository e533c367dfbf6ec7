// The crash handler in a child process: each way of crashing gives one
// complete ERRORLOG.TXT and starts the stand-in ErrorReport next to the
// child, which records its arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/crash/crash_child_runner.h"
#include "support/crash_symbols.h"

namespace {

using crashtest::ChildEnd;
using crashtest::CrashChild;

std::vector<std::string> ReportLines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(report.substr(start, end - start));
  }
  EXPECT_EQ(start, report.size()) << "every line ends with CR LF";
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

// The checks every complete report passes; location "" leaves that line to the caller.
void ExpectCompleteReport(const std::string& report, const std::string& reportPath, const std::string& firstLine,
                          const std::string& location) {
  ASSERT_FALSE(report.empty()) << "no report at " << reportPath;
  const std::vector<std::string> lines = ReportLines(report);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], firstLine);
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(R"(in module \S+ at [0-9a-f]{4}:[0-9a-f]{16}\.)"))) << lines[1];
  EXPECT_EQ(lines[2], "");
  if (!location.empty()) {
    EXPECT_EQ(lines[3], "Exception handler called in " + location + ".");
  }
  // The system details follow at once.
  EXPECT_TRUE(std::regex_match(lines[4], std::regex(R"(Error occurred at \d+/\d+/\d{4} \d\d:\d\d:\d\d\.)")))
      << lines[4];
  EXPECT_TRUE(std::regex_search(report, std::regex(R"(\r\n\d+ processor\(s\), type \d+\.\r\n)")));
  EXPECT_TRUE(std::regex_search(report, std::regex(R"(\r\n\d+ MBytes physical memory\.\r\n)")));
  // The segments and flags are the processor's, whichever way the program crashed.
  std::smatch registers;
  ASSERT_TRUE(
      std::regex_search(report, registers,
                        std::regex(R"(\r\nRIP:    0x[0-9a-f]{16}  RBP: 0x[0-9a-f]{16}  SegCs: 0x([0-9a-f]{8})\r\n)"
                                   R"(EFlags: 0x([0-9a-f]{8})  RSP: 0x[0-9a-f]{16}  SegSs: 0x([0-9a-f]{8})\r\n)")));
  EXPECT_NE(registers[1], "00000000") << "SegCs";
  EXPECT_NE(registers[2], "00000000") << "EFlags";
  EXPECT_NE(registers[3], "00000000") << "SegSs";
  EXPECT_TRUE(std::regex_search(report, std::regex(R"(\r\nBytes at CS:RIP:\r\n)")));

  // The stack: rows of up to four words, a short row padded to the width of four.
  const auto stack = std::find(lines.begin(), lines.end(), "Stack:");
  ASSERT_NE(stack, lines.end());
  const std::regex row(R"(0x[0-9a-f]{16}: ((?:[0-9a-f]{8} ){1,4})((?:         )*)(.*))");
  int rows = 0;
  for (auto line = stack + 1; line != lines.end() && !line->empty(); ++line) {
    if (*line == "Exception encountered during stack dump.") break;
    if (line->rfind("The stack pointer lies beyond the end of the stack", 0) == 0) continue;
    std::smatch match;
    ASSERT_TRUE(std::regex_match(*line, match, row)) << *line;
    const std::size_t words = match[1].length() / 9;
    EXPECT_EQ(words + match[2].length() / 9, 4u) << *line;
    EXPECT_EQ(static_cast<std::size_t>(match[3].length()), 4 * words) << *line;
    ++rows;
  }
  EXPECT_GT(rows, 0);

  // Modules: the child itself and the C library, each with its ELF image facts.
  EXPECT_TRUE(HasLine(lines, CRASH_CHILD));
  EXPECT_TRUE(std::regex_search(report, std::regex(R"(\r\nModule 1\r\n)")));
  EXPECT_TRUE(std::regex_search(report, std::regex(R"(\r\n/\S*/libc\.so\.6\r\nImage Base: 0x[0-9a-f]{16}  )")));
  EXPECT_EQ(lines.back(), "===== [end of " + reportPath + "] =====");
}

struct CrashCase {
  const char* how;
  const char* firstLine;
  const char* extraLine;  // a line the report must hold, or ""
  bool withLog;
  const char* logEntry = "";  // an entry the log must end with, or ""
};

class CrashReport : public ::testing::TestWithParam<CrashCase> {};

TEST_P(CrashReport, WritesOneCompleteReportAndStartsErrorReport) {
  const CrashCase& c = GetParam();
  CrashChild child;
  const ChildEnd end = child.Run(c.how, c.withLog);
  EXPECT_TRUE(end.exited) << "ended by signal " << end.status;
  EXPECT_EQ(end.status, 1);

  const std::string report = child.Report();
  ExpectCompleteReport(report, child.ReportPath(), c.firstLine, "ExceptionAttacher - AfxWinMain");
  if (c.extraLine[0] != '\0') {
    EXPECT_TRUE(HasLine(ReportLines(report), c.extraLine)) << c.extraLine;
  }

  if (c.logEntry[0] != '\0') {
    const std::vector<std::string> entries = testkit::LogEntries(child.LogPath());
    ASSERT_FALSE(entries.empty());
    EXPECT_NE(entries.back().find(c.logEntry), std::string::npos) << entries.back();
  }

  const std::string logArgument = c.withLog ? child.LogPath() : "";
  EXPECT_EQ(child.WaitForRecord(), "\"Orlenta\" \"" + child.ReportPath() + "\" \"" + logArgument + "\" \n");
}

INSTANTIATE_TEST_SUITE_P(
    EachWay, CrashReport,
    ::testing::Values(CrashCase{"divide", "crash_child caused an Integer Divide by Zero (0xc0000094) ", "", true},
                      CrashCase{"null", "crash_child caused an Access Violation (0xc0000005) ",
                                "Read from location 00000000 caused an access violation.", false},
                      CrashCase{"abort", "crash_child caused a Noncontinuable Exception (0xc0000025) ", "", true},
                      CrashCase{"overflow", "crash_child caused a Stack Overflow (0xc00000fd) ", "", true},
                      CrashCase{"exception", "crash_child caused a Microsoft C++ Exception (0xe06d7363) ", "", true,
                                "An exception nothing caught ends the program: the disc tray ran away"}),
    [](const ::testing::TestParamInfo<CrashCase>& param) { return std::string(param.param.how); });

TEST(CrashReportOnThreads, ACrashOnAWorkerThreadIsReportedWithThatThread) {
  CrashChild child;
  const ChildEnd end = child.Run("thread", true);
  EXPECT_TRUE(end.exited);
  const std::string report = child.Report();
  ASSERT_FALSE(report.empty());
  const std::vector<std::string> lines = ReportLines(report);
  EXPECT_TRUE(std::regex_match(
      lines[3], std::regex(R"(Exception handler called in ExceptionAttacher - thread \d+ \(crash-worker\)\.)")))
      << lines[3];
  ExpectCompleteReport(report, child.ReportPath(), "crash_child caused an Access Violation (0xc0000005) ", "");
  EXPECT_NE(child.WaitForRecord(), "");
}

TEST(CrashReportOnThreads, AWorkerWithItsCrashStackReportsItsStackOverflow) {
  CrashChild child;
  const ChildEnd end = child.Run("thread-overflow", true);
  EXPECT_TRUE(end.exited);
  const std::string report = child.Report();
  ASSERT_FALSE(report.empty());
  ExpectCompleteReport(report, child.ReportPath(), "crash_child caused a Stack Overflow (0xc00000fd) ", "");
  EXPECT_NE(ReportLines(report)[3].find("ExceptionAttacher - thread "), std::string::npos);
  EXPECT_NE(child.WaitForRecord(), "");
}

// The threads the program starts have crash stacks of their own: running
// out of stack on the conversion list's thread or on the burner's is reported.
TEST(CrashReportOnThreads, AStackOverflowOnTheConversionOrTheBurnersThreadIsReported) {
  testkit::TempDir media;
  const std::string stream =
      testkit::MakeClip(media.File("clip.mpg"), {.seconds = 1.0, .outputArguments = {"-target", "pal-vcd"}});
  struct Case {
    const char* how;
    std::vector<std::string> more;
  };
  for (const Case& c : {Case{"conversion-overflow", {}}, Case{"burner-overflow", {stream}}}) {
    SCOPED_TRACE(c.how);
    CrashChild child;
    const ChildEnd end = child.Run(c.how, true, c.more);
    EXPECT_TRUE(end.exited) << "ended by signal " << end.status;
    EXPECT_EQ(end.status, 1);
    const std::string report = child.Report();
    ASSERT_FALSE(report.empty());
    ExpectCompleteReport(report, child.ReportPath(), "crash_child caused a Stack Overflow (0xc00000fd) ", "");
    EXPECT_NE(ReportLines(report)[3].find("ExceptionAttacher - thread "), std::string::npos);
    EXPECT_NE(child.WaitForRecord(), "");
  }
}

TEST(CrashReportOnce, ASecondCrashWritesNothingAndIsNotHandled) {
  CrashChild child;
  const ChildEnd end = child.Run("twice", true);
  EXPECT_FALSE(end.exited);
  EXPECT_EQ(end.status, SIGSEGV);
  EXPECT_EQ(child.Report(), "") << "the child removed the first report; the second crash wrote a new one";
  const std::string record = child.WaitForRecord();
  EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 1) << record;
}

TEST(CrashReportOnce, AFaultInsideTheHandlerEndsTheProcess) {
  CrashChild child;
  const ChildEnd end = child.Run("fault-in-handler", true);
  EXPECT_FALSE(end.exited);
  EXPECT_EQ(end.status, SIGSEGV);
  EXPECT_FALSE(std::filesystem::exists(child.RecordPath())) << "ErrorReport is not started for a broken report";
}

TEST(CrashReportSymbols, TheProgramsOwnAddressesBecomeFunctionsAndLines) {
  CrashChild child;
  child.Run("null", false);
  const std::string report = child.Report();
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(ReportProgramPath(report), CRASH_CHILD);

  const std::vector<ReportModule> modules = ReportModules(report);
  ASSERT_FALSE(modules.empty());
  const auto program =
      std::find_if(modules.begin(), modules.end(), [](const ReportModule& m) { return m.path == CRASH_CHILD; });
  ASSERT_NE(program, modules.end());
  EXPECT_GT(program->size, 0u);
  const std::vector<CodeAddress> addresses = CodeAddressesIn(report, *program);
  ASSERT_FALSE(addresses.empty());
  EXPECT_FALSE(addresses.front().returnAddress) << "the instruction pointer comes first";

  const std::string stack = SymbolisedStack(report);
  std::istringstream lines(stack);
  std::string first;
  std::getline(lines, first);
  EXPECT_TRUE(
      std::regex_search(first, std::regex(R"(^0x[0-9a-f]{16}  .*ReadFromAddressZero.*  \S*crash_child\.cpp:\d+)")))
      << stack;
  EXPECT_NE(stack.find("main"), std::string::npos) << stack;
}

}  // namespace
