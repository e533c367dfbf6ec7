#pragma once
// CMyListBox: the input list (control 1048). Its own part is files dropped
// on it: it logs them and hands the drop on to the window, which adds them.
//
// Drops from file managers arrive as text/uri-list; DroppedUriList takes
// that text from a drop so the window's core can read it.

#include <QListWidget>
#include <string>

class QMimeData;

// True when the drop carries addresses (file managers send text/uri-list).
bool CarriesFiles(const QMimeData* mime);
// The drop's text/uri-list, as sent.
std::string DroppedUriList(const QMimeData* mime);

class CMyListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit CMyListBox(QWidget* parent = nullptr);

 signals:
  // Files were dropped on the list: the drop's text/uri-list.
  void FilesDropped(const std::string& uriList);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void changeEvent(QEvent* event) override;
};
