#include "app/error_report/widgets/error_report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "support/crash_symbols.h"

namespace {

QString ReadText(const QString& path, const QString& missing) {
  if (path.isEmpty()) return missing;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return missing;
  QString text = QString::fromUtf8(file.readAll());
  text.remove(QLatin1Char('\r'));
  return text;
}

QPlainTextEdit* ReadOnlyText(const QString& text) {
  auto* view = new QPlainTextEdit;
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setPlainText(text);
  return view;
}

}  // namespace

QString ReadableReport(const QString& reportPath) {
  const QString report = ReadText(reportPath, QString());
  if (report.isEmpty()) return QStringLiteral("The report %1 could not be read.\n").arg(reportPath);
  const std::string stack = SymbolisedStack(report.toStdString());
  if (stack.empty()) return report;
  return QStringLiteral(
             "Where it happened: the program's own code, innermost first (the instruction pointer, then return "
             "addresses found on the stack; some may be left over from earlier calls):\n") +
         QString::fromStdString(stack) + QStringLiteral("\n") + report;
}

ErrorReportWindow::ErrorReportWindow(const QString& productWord, const QString& reportPath, const QString& logPath,
                                     QWidget* parent)
    : QDialog(parent), m_reportPath(reportPath) {
  const QString product = productWord.isEmpty() ? QStringLiteral("The program") : productWord;
  setWindowTitle(QStringLiteral("%1 Error Report").arg(product));
  auto* message = new QLabel(QStringLiteral("<b>%1 stopped because of an unexpected error.</b><br>"
                                            "We are sorry. The report below describes what happened; "
                                            "please send it together with the log to support.<br>"
                                            "The report is kept in %2")
                                 .arg(product.toHtmlEscaped(), reportPath.toHtmlEscaped()));
  message->setWordWrap(true);
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);

  m_report = ReadOnlyText(ReadableReport(reportPath));
  m_log = ReadOnlyText(ReadText(logPath, QStringLiteral("No log was written in this run.\n")));
  m_tabs = new QTabWidget;
  m_tabs->addTab(m_report, QStringLiteral("Report"));
  m_tabs->addTab(m_log, QStringLiteral("Log"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* folder = buttons->addButton(QStringLiteral("Open Folder"), QDialogButtonBox::ActionRole);
  QPushButton* copy = buttons->addButton(QStringLiteral("Copy Report"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  connect(folder, &QPushButton::clicked, this, &ErrorReportWindow::OpenFolder);
  connect(copy, &QPushButton::clicked, this, &ErrorReportWindow::CopyReport);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message);
  layout->addWidget(m_tabs, 1);
  layout->addWidget(buttons);
  resize(900, 640);
}

QString ErrorReportWindow::ReportText() const {
  return m_report->toPlainText();
}

QString ErrorReportWindow::LogText() const {
  return m_log->toPlainText();
}

void ErrorReportWindow::CopyReport() {
  QApplication::clipboard()->setText(ReportText());
}

void ErrorReportWindow::OpenFolder() {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_reportPath).absolutePath()));
}
