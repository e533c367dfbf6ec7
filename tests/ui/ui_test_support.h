#pragma once
// Shared by the widget tests of ui/: one application for the executable, a
// log per test, a recording desktop opener and a left click.

#include <QApplication>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "platform/dialogs/shell_open.h"

namespace uitest {

// The one QApplication of the test executable (offscreen), made on first use.
QApplication& App();

// A log file open for the test's lifetime; its entries after the header.
class TestLog {
 public:
  TestLog();
  ~TestLog();
  std::vector<std::string> Entries() const;

 private:
  testkit::TempDir m_dir;
  std::string m_path;
};

// Records what would have been opened on the desktop; answers with success.
class RecordingOpener {
 public:
  explicit RecordingOpener(bool succeed = true);
  const std::vector<std::string>& Opened() const { return m_opened; }

 private:
  std::vector<std::string> m_opened;
  ScopedShellOpener m_scope;
};

// A left button press and release in the middle of a widget.
void LeftClick(QWidget* widget);

}  // namespace uitest
