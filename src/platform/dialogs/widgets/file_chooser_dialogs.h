#pragma once
// The open-file and folder choosers, shown with QFileDialog. The Qt
// responder registers both; they run on the window thread.

#include <QStringList>

#include "platform/dialogs/file_choosers.h"

class QWidget;

DialogReply<OpenFilesRequest> ShowOpenFiles(QWidget* owner, const OpenFilesRequest& request);
DialogReply<BrowseFolderRequest> ShowBrowseFolder(QWidget* owner, const BrowseFolderRequest& request);

// Qt's name filters: "AVI Files (*.avi)", one per entry; a description that
// already ends in its own "(...)" list has that list replaced by the patterns.
QStringList QtNameFilters(const std::vector<FileFilter>& filters);
