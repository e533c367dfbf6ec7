// MainDialog: the input list and the preview on screen - the list's commands
// and drops, files dropped on the window, the player, Play, Stop and the
// position slider.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/widgets/main_dialog.h"
#include "app/widgets/my_list_box.h"
#include "platform/video/widgets/video_player.h"

namespace {

using namespace control_id;

// Calls a function when the mouse is released on the watched control, after
// the control has taken its new value.
class MouseReleaseWatcher : public QObject {
 public:
  MouseReleaseWatcher(QObject* parent, std::function<void()> onRelease)
      : QObject(parent), m_onRelease(std::move(onRelease)) {}

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      QTimer::singleShot(0, this, m_onRelease);
    }
    return false;
  }

 private:
  std::function<void()> m_onRelease;
};

// Where the list's waiting drops are told: the free line under the list.
constexpr QRect kDeferredDropsPlace{19, 95, 376, 14};

}  // namespace

void MainDialog::ConnectInputAndPreview() {
  const std::pair<int, CommandHandler> commands[] = {
      {kAddFile, &CCastrel1Dlg::OnButtonBrowseSource},
      {kRemoveFile, &CCastrel1Dlg::OnRemoveFile},
      {kPlay, &CCastrel1Dlg::OnPlay},
      {kStop, &CCastrel1Dlg::OnPlayerStop},
  };
  for (const auto& [id, handler] : commands) {
    QObject* button = GetDlgItem(id);
    m_commands.insert(button, handler);
    connect(qobject_cast<QAbstractButton*>(button), &QAbstractButton::clicked, this, &MainDialog::OnCommand);
  }

  auto* list = qobject_cast<CMyListBox*>(GetDlgItem(kFilesList));
  connect(list, &QListWidget::itemSelectionChanged, this, [this] {
    if (!m_bChangingList) m_core.OnSelchangeFileslist();
  });
  connect(list, &CMyListBox::FilesDropped, this, &MainDialog::TakeDrop);

  auto* position = qobject_cast<QSlider*>(GetDlgItem(kPlayerSlider));
  position->installEventFilter(new MouseReleaseWatcher(position, [this] { m_core.OnReleasedcaptureSlider2(); }));

  m_pDeferredDrops = new QLabel(this);
  m_pDeferredDrops->setObjectName("deferredDrops");
  m_pDeferredDrops->setGeometry(kDeferredDropsPlace);
  QFont italic = m_pDeferredDrops->font();
  italic.setItalic(true);
  m_pDeferredDrops->setFont(italic);
  m_pDeferredDrops->hide();
}

PreviewPlayer* MainDialog::CreatePlayer() {
  m_pPlayer = std::make_unique<PlayerHost>(this, m_core);
  FollowPlayer(m_pPlayer->Widget());
  return m_pPlayer.get();
}

void MainDialog::SetDeferredDropsText(const std::string& text) {
  m_pDeferredDrops->setText(QString::fromStdString(text));
  m_pDeferredDrops->setVisible(!text.empty());
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
  AcceptFileDrags(event);
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event) {
  AcceptFileDrags(event);
}

void MainDialog::dropEvent(QDropEvent* event) {
  if (!CarriesFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  TakeDrop(DroppedUriList(event->mimeData()));
}

void MainDialog::TakeDrop(const std::string& uriList) {
  // After the drop has ended: the file manager does not wait on the
  // messages adding may show.
  QTimer::singleShot(0, this, [this, uriList] { m_core.OnDropUriList(uriList); });
}
