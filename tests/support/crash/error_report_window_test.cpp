// ErrorReport's window on the report and log of a real crash.
#include "app/error_report/widgets/error_report_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "support/crash/crash_child_runner.h"

namespace {

TEST(ErrorReportWindow, ShowsTheReportWithFunctionNamesAndTheLogAndCopiesTheReport) {
  crashtest::CrashChild child;
  child.Run("null", true);
  ASSERT_FALSE(child.Report().empty());

  int argc = 1;
  char name[] = "ErrorReport";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  ErrorReportWindow window("Orlenta", QString::fromStdString(child.ReportPath()),
                           QString::fromStdString(child.LogPath()));
  const QString report = window.ReportText();
  EXPECT_TRUE(
      report.startsWith("Where it happened: the program's own code, innermost first (the instruction pointer, then "
                        "return addresses found on the stack; some may be left over from earlier calls):\n"))
      << report.toStdString();
  EXPECT_TRUE(report.contains("ReadFromAddressZero")) << report.toStdString();
  EXPECT_TRUE(report.contains("crash_child caused an Access Violation (0xc0000005) \nin module crash_child at "));
  EXPECT_FALSE(report.contains('\r'));
  EXPECT_TRUE(window.LogText().contains("crash_child - crashing by null"));
  EXPECT_TRUE(window.windowTitle().startsWith("Orlenta"));

  window.CopyReport();
  EXPECT_EQ(QApplication::clipboard()->text(), report);
}

TEST(ErrorReportWindow, AClosedLogAndAMissingReportAreSaidPlainly) {
  int argc = 1;
  char name[] = "ErrorReport";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  ErrorReportWindow window("Orlenta", "/nonexistent/ERRORLOG.TXT", "");
  EXPECT_EQ(window.ReportText(), "The report /nonexistent/ERRORLOG.TXT could not be read.\n");
  EXPECT_EQ(window.LogText(), "No log was written in this run.\n");
}

}  // namespace
