// ErrorReport: started by the crash handler of the program that crashed, as
//   ErrorReport <product word> <report path> <log path> [more paths...]
// where the log path is "" when that run had no log.
#include <QApplication>

#include "app/error_report/widgets/error_report_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const QString productWord = arguments.value(1);
  const QString reportPath = arguments.value(2);
  const QString logPath = arguments.value(3);
  ErrorReportWindow window(productWord, reportPath, logPath);
  window.show();
  return QApplication::exec();
}
