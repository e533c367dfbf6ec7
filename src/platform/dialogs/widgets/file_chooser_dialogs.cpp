#include "platform/dialogs/widgets/file_chooser_dialogs.h"

#include <QFileDialog>

QString CaseInsensitivePattern(const std::string& pattern) {
  if (pattern == "*.*") return QStringLiteral("*");
  QString matching;
  for (const QChar c : QString::fromStdString(pattern)) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      matching += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
    } else {
      matching += c;
    }
  }
  return matching;
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
  QStringList names;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << CaseInsensitivePattern(pattern);
    names << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.description).trimmed(), patterns.join(' '));
  }
  return names;
}

DialogReply<OpenFilesRequest> ShowOpenFiles(QWidget* owner, const OpenFilesRequest& request) {
  QFileDialog chooser(owner, QString::fromStdString(request.caption), QString::fromStdString(request.startFolder));
  chooser.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  const QStringList filters = QtNameFilters(request.filters);
  if (!filters.isEmpty()) {
    // The user reads the descriptions; the case-blind patterns stay hidden.
    chooser.setOption(QFileDialog::HideNameFilterDetails);
    chooser.setNameFilters(filters);
  }
  DialogReply<OpenFilesRequest> reply;
  if (chooser.exec() != QDialog::Accepted) return reply;
  OpenFilesAnswer answer;
  for (const QString& file : chooser.selectedFiles()) answer.files.push_back(PathBytesOfShownPath(file.toStdString()));
  if (answer.files.empty()) return reply;
  reply.code = IDOK;
  reply.answer = std::move(answer);
  return reply;
}

DialogReply<BrowseFolderRequest> ShowBrowseFolder(QWidget* owner, const BrowseFolderRequest& request) {
  const QString folder = QFileDialog::getExistingDirectory(owner, QString::fromStdString(request.caption),
                                                           QString::fromStdString(request.startFolder));
  DialogReply<BrowseFolderRequest> reply;
  if (folder.isEmpty()) return reply;
  BrowseFolderAnswer answer{PathBytesOfShownPath(folder.toStdString())};
  while (answer.folder.size() > 1 && answer.folder.back() == '/') answer.folder.pop_back();
  reply.code = IDOK;
  reply.answer = std::move(answer);
  return reply;
}
