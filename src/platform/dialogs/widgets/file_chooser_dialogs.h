#pragma once
// The open-file and folder choosers, shown with QFileDialog. The Qt
// responder registers both; they run on the window thread.

#include <QStringList>

#include "platform/dialogs/file_choosers.h"

class QWidget;

DialogReply<OpenFilesRequest> ShowOpenFiles(QWidget* owner, const OpenFilesRequest& request);
DialogReply<BrowseFolderRequest> ShowBrowseFolder(QWidget* owner, const BrowseFolderRequest& request);

// Qt's name filters, one per entry: the description as given, then the
// patterns in parentheses, which the chooser shows hidden. The patterns match
// as Windows matched them: in either case ("*.avi" becomes "*.[aA][vV][iI]",
// so FILM.AVI is offered too) and "*.*" is every file, with a dot or not.
QStringList QtNameFilters(const std::vector<FileFilter>& filters);
// One pattern in that form.
QString CaseInsensitivePattern(const std::string& pattern);
