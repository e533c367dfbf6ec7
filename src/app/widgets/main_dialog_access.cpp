// MainDialog: the window for the keyboard and for assistive tools - the
// quality slider's words at its ends and its value, the tab order by
// columns, a name for every control and a key for every button.

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QSlider>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/widgets/main_dialog.h"

namespace {

using namespace control_id;

// The words at the slider's ends, under it.
constexpr QRect kSmallerFilesPlace(14, 321, 150, 14);
constexpr QRect kBetterPicturePlace(241, 321, 150, 14);

// Read left column, middle column, right column, each from the top.
constexpr int kTabOrder[] = {kFilesList, kRadioDvd,   kRadioVcd,     kRadioSvcd,    kQualitySlider,
                             kAddFile,   kRemoveFile, kSettings,     kSelectFolder, kConvert,
                             kPlay,      kStop,       kPlayerSlider, kHelp};

struct Named {
  int id;
  const char* name;
  // The button's key with Alt; 0 for a control without one.
  char key;
};
// The skin draws most buttons as pictures without text: each keeps its name
// for the screen reader, and its key.
constexpr Named kNames[] = {
    {kFilesList, "Input files", 0},
    {kAddFile, "Add File", 'A'},
    {kRemoveFile, "Remove File", 'R'},
    {kQualitySlider, "Output quality", 0},
    {kSettings, "Settings", 'S'},
    {kHelp, "Help", 'H'},
    {kConvert, "Convert", 'C'},
    {kProgress, "Progress", 0},
    {kCompleted, "Completed", 0},
    {kStatus, "Status", 0},
    {kSelectFolder, "Select Folder", 'F'},
    {kOutputFolder, "Output folder", 0},
    {kPlayerSlider, "Playing position", 0},
    {kPlay, "Play", 'P'},
    {kStop, "Stop", 'T'},
    {kCodecName, "Codec name", 0},
    {kDuration, "Duration", 0},
    {kFrameRate, "Frame rate", 0},
    {kBitRate, "Bit rate", 0},
    {kRadioDvd, "DVD", 0},
    {kRadioVcd, "VCD", 0},
    {kRadioSvcd, "SVCD", 0},
};

QString QualityTip(int value) {
  return QString("Quality %1 of %2").arg(value).arg(kSliderTop);
}

}  // namespace

void MainDialog::SetUpAccess() {
  auto* quality = qobject_cast<QSlider*>(GetDlgItem(kQualitySlider));
  m_pSmallerFiles = new QLabel("Smaller files", this);
  m_pSmallerFiles->setObjectName("smallerFiles");
  m_pSmallerFiles->setGeometry(kSmallerFilesPlace);
  m_pBetterPicture = new QLabel("Better picture", this);
  m_pBetterPicture->setObjectName("betterPicture");
  m_pBetterPicture->setGeometry(kBetterPicturePlace);
  m_pBetterPicture->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  quality->setToolTip(QualityTip(quality->value()));
  connect(quality, &QSlider::valueChanged, this, [quality](int value) { quality->setToolTip(QualityTip(value)); });

  for (const Named& named : kNames) {
    QWidget* control = GetDlgItem(named.id);
    if (control == nullptr) continue;
    control->setAccessibleName(named.name);
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (named.key == 0 || button == nullptr) continue;
    // A shortcut of the window's own: the skin clears the buttons' texts,
    // and with them the mnemonics an "&" would give.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(named.key)), this);
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled() && button->isVisible()) button->animateClick();
    });
  }
  // A title's menu text: a double click on its entry, or F2.
  auto* list = qobject_cast<QListWidget*>(GetDlgItem(kFilesList));
  connect(list, &QListWidget::itemDoubleClicked, this, [this] { m_core.OnEditTitle(); });
  connect(new QShortcut(QKeySequence(Qt::Key_F2), list), &QShortcut::activated, this, [this] { m_core.OnEditTitle(); });
  for (std::size_t i = 1; i < std::size(kTabOrder); ++i) {
    setTabOrder(GetDlgItem(kTabOrder[i - 1]), GetDlgItem(kTabOrder[i]));
  }
}

void MainDialog::SetListTitle(int index, const std::string& title) {
  QListWidgetItem* item = qobject_cast<QListWidget*>(GetDlgItem(kFilesList))->item(index);
  if (item != nullptr) item->setToolTip("Title on the DVD menu: " + QString::fromStdString(title));
}
