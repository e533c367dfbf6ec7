#include "ui_test_support.h"

#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "support/log.h"

namespace uitest {

QApplication& App() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
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
