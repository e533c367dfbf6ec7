#pragma once
// The window of ErrorReport, the program the crash handler starts: it tells
// the user that the program stopped, shows the report (with the program's
// own functions and source lines worked out from its raw addresses) and the
// log, and offers to open their folder and to copy the report.

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QTabWidget;

class ErrorReportWindow : public QDialog {
  Q_OBJECT

 public:
  ErrorReportWindow(const QString& productWord, const QString& reportPath, const QString& logPath,
                    QWidget* parent = nullptr);

  // What the report tab shows and Copy Report copies.
  QString ReportText() const;
  QString LogText() const;

  void CopyReport();
  void OpenFolder();

 private:
  QString m_reportPath;
  QTabWidget* m_tabs = nullptr;
  QPlainTextEdit* m_report = nullptr;
  QPlainTextEdit* m_log = nullptr;
};

// The text the report tab shows: where it happened, by function, then the report.
QString ReadableReport(const QString& reportPath);
