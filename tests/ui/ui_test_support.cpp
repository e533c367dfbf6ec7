#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "support/log.h"

namespace uitest {

namespace {

int g_argc = 1;
char g_name[] = "test_ui";
char* g_argv[] = {g_name, nullptr};
std::unique_ptr<QApplication> g_app;

// Ends the application after the last test, while the libraries it set up can still clean up.
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { g_app.reset(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QApplication& App() {
  if (!g_app) g_app = std::make_unique<QApplication>(g_argc, g_argv);
  return *g_app;
}

TestLog::TestLog() : m_path(m_dir.File("Orlenta_log.txt")) {
  LogOpen(m_path.c_str());
}

TestLog::~TestLog() {
  LogClose();
}

std::vector<std::string> TestLog::Entries() const {
  return testkit::LogEntries(m_path);
}

RecordingOpener::RecordingOpener(bool succeed)
    : m_scope([this, succeed](const std::string& target) {
        m_opened.push_back(target);
        return succeed;
      }) {}

void LeftClick(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  const QPointF global = widget->mapToGlobal(centre);
  QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

}  // namespace uitest
