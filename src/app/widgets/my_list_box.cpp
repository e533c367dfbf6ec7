#include "app/widgets/my_list_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "support/log.h"

namespace {

constexpr const char* kUriListType = "text/uri-list";

}  // namespace

bool CarriesFiles(const QMimeData* mime) {
  return mime != nullptr && mime->hasFormat(kUriListType);
}

std::string DroppedUriList(const QMimeData* mime) {
  return CarriesFiles(mime) ? mime->data(kUriListType).toStdString() : std::string();
}

CMyListBox::CMyListBox(QWidget* parent) : QListWidget(parent) {
  setAcceptDrops(true);
  // The entries are the user's files; they are not dragged about.
  setDragDropMode(QAbstractItemView::DropOnly);
}

void CMyListBox::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void CMyListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (CarriesFiles(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void CMyListBox::changeEvent(QEvent* event) {
  // A disabled list gets no drops; they go to the window behind it instead,
  // which keeps them until the job that disabled it has ended.
  if (event->type() == QEvent::EnabledChange) setAcceptDrops(isEnabled());
  QListWidget::changeEvent(event);
}

void CMyListBox::dropEvent(QDropEvent* event) {
  Log("CMyListBox::OnDropFiles");
  if (!CarriesFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit FilesDropped(DroppedUriList(event->mimeData()));
}
