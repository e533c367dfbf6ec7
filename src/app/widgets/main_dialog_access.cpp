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
#include "support/user_text.h"

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
    {kFilesList, QT_TRANSLATE_NOOP("UserText", "Input files"), 0},
    {kAddFile, QT_TRANSLATE_NOOP("UserText", "Add File"), 'A'},
    {kRemoveFile, QT_TRANSLATE_NOOP("UserText", "Remove File"), 'R'},
    {kQualitySlider, QT_TRANSLATE_NOOP("UserText", "Output quality"), 0},
    {kSettings, QT_TRANSLATE_NOOP("UserText", "Settings"), 'S'},
    {kHelp, QT_TRANSLATE_NOOP("UserText", "Help"), 'H'},
    {kConvert, QT_TRANSLATE_NOOP("UserText", "Convert"), 'C'},
    {kProgress, QT_TRANSLATE_NOOP("UserText", "Progress"), 0},
    {kCompleted, QT_TRANSLATE_NOOP("UserText", "Completed"), 0},
    {kStatus, QT_TRANSLATE_NOOP("UserText", "Status"), 0},
    {kSelectFolder, QT_TRANSLATE_NOOP("UserText", "Select Folder"), 'F'},
    {kOutputFolder, QT_TRANSLATE_NOOP("UserText", "Output folder"), 0},
    {kPlayerSlider, QT_TRANSLATE_NOOP("UserText", "Playing position"), 0},
    {kPlay, QT_TRANSLATE_NOOP("UserText", "Play"), 'P'},
    {kStop, QT_TRANSLATE_NOOP("UserText", "Stop"), 'T'},
    {kCodecName, QT_TRANSLATE_NOOP("UserText", "Codec name"), 0},
    {kDuration, QT_TRANSLATE_NOOP("UserText", "Duration"), 0},
    {kFrameRate, QT_TRANSLATE_NOOP("UserText", "Frame rate"), 0},
    {kBitRate, QT_TRANSLATE_NOOP("UserText", "Bit rate"), 0},
    {kRadioDvd, "DVD", 0},
    {kRadioVcd, "VCD", 0},
    {kRadioSvcd, "SVCD", 0},
};

QString QualityTip(int value) {
  return UserText::Fill(UserText::tr("Quality %1 of %2"), {std::to_string(value), std::to_string(kSliderTop)});
}

}  // namespace

void MainDialog::SetUpAccess() {
  auto* quality = qobject_cast<QSlider*>(GetDlgItem(kQualitySlider));
  m_pSmallerFiles = new QLabel(UserText::tr("Smaller files"), this);
  m_pSmallerFiles->setObjectName("smallerFiles");
  m_pSmallerFiles->setGeometry(kSmallerFilesPlace);
  m_pBetterPicture = new QLabel(UserText::tr("Better picture"), this);
  m_pBetterPicture->setObjectName("betterPicture");
  m_pBetterPicture->setGeometry(kBetterPicturePlace);
  m_pBetterPicture->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  quality->setToolTip(QualityTip(quality->value()));
  connect(quality, &QSlider::valueChanged, this, [quality](int value) { quality->setToolTip(QualityTip(value)); });

  for (const Named& named : kNames) {
    QWidget* control = GetDlgItem(named.id);
    if (control == nullptr) continue;
    control->setAccessibleName(UserText::Lookup(named.name));
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
  if (item != nullptr) item->setToolTip(UserText::Fill(UserText::tr("Title on the DVD menu: %1"), {title}));
}
