#include "app/widgets/main_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QStyle>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/widgets/banner_widget.h"
#include "app/widgets/disc_gauge_widget.h"
#include "app/widgets/my_list_box.h"
#include "convert/progress_position.h"
#include "platform/skin/widgets/skin_component.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/user_text.h"
#include "ui/control_id.h"

namespace {

using namespace control_id;

// Where a list entry keeps the bytes of its path.
constexpr int kPathBytesRole = Qt::UserRole + 1;

struct Placement {
  int id;
  QRect rect;  // client pixels
};

// Where every control sits (client pixels, x, y, width, height).
const Placement kPlacements[] = {
    {kAddFile, {412, 62, 73, 23}},
    {kRemoveFile, {412, 90, 96, 23}},
    {kSettings, {412, 300, 144, 24}},
    {kHelp, {580, 215, 154, 45}},
    {kConvert, {412, 456, 154, 45}},
    {kSelectFolder, {412, 400, 139, 22}},
    {kPlay, {630, 145, 31, 20}},
    {kStop, {667, 145, 31, 20}},
    {kPlayerSlider, {585, 165, 150, 20}},
    {kFilesList, {19, 60, 376, 35}},
    {kStatus, {18, 465, 390, 15}},
    {kCodecName, {100, 110, 150, 15}},
    {kDuration, {320, 110, 80, 15}},
    {kFrameRate, {100, 125, 100, 15}},
    {kBitRate, {320, 125, 80, 15}},
    {kCodecLabel, {20, 110, 100, 15}},
    {kDurationLabel, {260, 110, 100, 15}},
    {kFrameRateLabel, {20, 125, 100, 15}},
    {kBitRateLabel, {260, 125, 100, 15}},
    {kTracks, {16, 141, 380, 15}},
    {kProgress, {18, 482, 275, 15}},
    {kCompleted, {300, 482, 105, 15}},
    {kOutputFolder, {53, 403, 340, 15}},
    {kQualitySlider, {10, 282, 385, 40}},
    // Not placed by the layout: hidden at start, kept where they would make sense.
    {kLowQualityLabel, {10, 322, 150, 15}},
    {kHighQualityLabel, {245, 322, 150, 15}},
    {kAsSource, {18, 240, 380, 18}},
    {kAdvanced, {412, 270, 144, 24}},
    {kCopyDvd, {580, 300, 154, 24}},
    {kRipDvd, {580, 330, 154, 24}},
    {kConvertVideo, {580, 360, 154, 24}},
    // In the free band between the quality and the output folder: the bar
    // and two lines of text.
    {kDiscGauge, {12, 338, 554, 41}},
};

// The skinned buttons in the layout's order, with their elements.
struct SkinnedButton {
  int id;
  const char* element;
};
const SkinnedButton kSkinnedButtons[] = {
    {kHelp, "button_help"},   {kConvert, "button_start"},     {kSettings, "button_settings"},
    {kAddFile, "button_add"}, {kRemoveFile, "button_remove"}, {kSelectFolder, "button_folder"},
    {kPlay, "button_play"},   {kStop, "button_stop"},
};

// What a button says when the skin does not draw its element, in English.
const char* EnglishLabelOfElement(const QString& element) {
  static const QHash<QString, const char*> labels = {
      {"button_start", QT_TRANSLATE_NOOP("UserText", "Convert")},
      {"button_cancel", QT_TRANSLATE_NOOP("UserText", "Cancel")},
      {"button_help", QT_TRANSLATE_NOOP("UserText", "Help")},
      {"button_settings", QT_TRANSLATE_NOOP("UserText", "Settings")},
      {"button_add", QT_TRANSLATE_NOOP("UserText", "Add File")},
      {"button_remove", QT_TRANSLATE_NOOP("UserText", "Remove File")},
      {"button_folder", QT_TRANSLATE_NOOP("UserText", "Select Folder")},
      {"button_play", QT_TRANSLATE_NOOP("UserText", "Play")},
      {"button_stop", QT_TRANSLATE_NOOP("UserText", "Stop")},
  };
  return labels.value(element, nullptr);
}

// The same in the user's language.
QString LabelOfElement(const QString& element) {
  const char* label = EnglishLabelOfElement(element);
  return label != nullptr ? QString(UserText::Button(label)) : QString();
}

// Narrows, then shrinks, a control's font until text fits room pixels: the
// layout's widths were made for a narrower font than most desktops use
// ("Completed: 100.00%" in 105 pixels, "SVCD" beside a radio in 50).
void FitFontToWidth(QWidget* control, const QString& text, int room) {
  QFont font = control->parentWidget()->font();
  const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(text) <= room; };
  if (!fits()) font.setStretch(QFont::SemiCondensed);
  while (!fits() && font.pixelSize() > 9) font.setPixelSize(font.pixelSize() - 1);
  control->setFont(font);
}

void FitTextToWidth(QLabel* label) {
  FitFontToWidth(label, label->text(), label->width());
}

// The four info texts start right where their labels' texts end: a small
// gap keeps "Codec Name:" and the codec apart.
constexpr int kInfoTextIndent = 4;

// The whole text of an info text, which its label may show shortened.
constexpr const char* kFullTextProperty = "fullText";

// An info text: a long codec name ("H.264 / AVC / MPEG-4 AVC / MPEG-4 part
// 10") gets a smaller font and, if that is not enough, an ellipsis; the tool
// tip and the exchange with the core keep the whole text.
void ShowInfoText(QLabel* label, const std::string& text) {
  const QString full = QString::fromStdString(text);
  const int room = label->width() - kInfoTextIndent;
  label->setIndent(kInfoTextIndent);
  label->setProperty(kFullTextProperty, full);
  label->setToolTip(full);
  label->setFont(QFont());  // the window's font again, unless the text needs a smaller one
  if (label->fontMetrics().horizontalAdvance(full) > room) FitFontToWidth(label, full, room);
  label->setText(QFontMetrics(label->font()).elidedText(full, Qt::ElideRight, room));
}

QString InfoText(const QLabel* label) {
  const QVariant full = label->property(kFullTextProperty);
  return full.isValid() ? full.toString() : label->text();
}

// The room a radio leaves its text beside the indicator.
constexpr int kRadioIndicatorWidth = 20;

// Buttons too small for their label show the player's usual signs instead
// when the skin does not draw them.
QIcon StandardIconOf(const QWidget* button, const QString& element) {
  if (element == "button_play") return button->style()->standardIcon(QStyle::SP_MediaPlay);
  if (element == "button_stop") return button->style()->standardIcon(QStyle::SP_MediaStop);
  return {};
}

// The slider notification the core expects for a thumb being dragged.
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_ENDSCROLL = 8;

}  // namespace

MainDialog::MainDialog(CCastrel1Dlg& core, SkinComponent* skin, QWidget* parent)
    : QDialog(parent), m_core(core), m_pSkin(skin) {
  setObjectName("OrlentaMainWindow");
  setWindowTitle("Orlenta");
  // A caption with minimise and maximise boxes: the window may grow, and
  // the list and the player take the room (main_dialog_layout.cpp).
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setAcceptDrops(true);
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  CreateControls();
  SetUpAccess();
  ConnectCommands();
  resize(kClientWidth, kClientHeight);
  setMinimumSize(kClientWidth, kClientHeight);
  RememberDefaultPlaces();
  m_core.SetView(this);
}

MainDialog::~MainDialog() {
  // The player goes with the window.
  m_core.m_pIVideoPlayer = nullptr;
  m_core.SetView(nullptr);
}

int MainDialog::DoModal() {
  m_core.OnInitDialog();
  RestoreWindowPlace();
  return exec();
}

QWidget* MainDialog::GetDlgItem(int id) const {
  return m_controls.value(id, nullptr);
}

template <typename Control>
Control* MainDialog::AddControl(int id, Control* control) {
  SetControlId(control, id);
  control->setObjectName(QString("control%1").arg(id));
  m_controls.insert(id, control);
  return control;
}

void MainDialog::CreateControls() {
  // Frames first, so that the controls lie above them.
  // The banner ends where the player's column begins: the player's box
  // stands clear of it.
  (new BannerWidget(this))->setGeometry(0, 0, BannerWidget::kWidth, BannerWidget::kHeight);
  const struct {
    const char* name;
    const char* title;
    QRect rect;
  } groups[] = {
      {"inputFrame", QT_TRANSLATE_NOOP("UserText", "Select Input File "), {8, 42, 562, 118}},
      {"formatFrame", QT_TRANSLATE_NOOP("UserText", "Select Output Format "), {8, 180, 402, 46}},
      {"qualityFrame", QT_TRANSLATE_NOOP("UserText", "Output Quality"), {8, 262, 562, 74}},
      {"folderFrame", QT_TRANSLATE_NOOP("UserText", "Output Folder "), {8, 380, 562, 52}},
      {"statusFrame", QT_TRANSLATE_NOOP("UserText", "Status"), {8, 444, 562, 66}},
  };
  for (const auto& group : groups) {
    auto* box = new QGroupBox(UserText::Lookup(group.title), this);
    box->setObjectName(group.name);
    box->setGeometry(group.rect);
  }
  auto* playerArea = new QFrame(this);
  playerArea->setObjectName("playerArea");
  playerArea->setGeometry(584, 17, 150, 110);
  playerArea->setFrameShape(QFrame::Box);
  playerArea->setStyleSheet("#playerArea { background: black; }");
  auto* inputLabel = new QLabel(UserText::tr("Input Files:"), this);
  inputLabel->setGeometry(20, 44, 100, 15);
  inputLabel->hide();  // the group's title says it
  // A folder sign before the output folder, where the layout leaves room for one.
  auto* folderSign = new QLabel(this);
  folderSign->setObjectName("folderSign");
  folderSign->setGeometry(22, 402, 18, 18);
  folderSign->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16));
  folderSign->setToolTip(UserText::tr("Output folder"));
  // Linux window managers keep the title bar's menu: say where About is.
  auto* hint = new QLabel(UserText::tr("Right-click the window for About Orlenta."), this);
  hint->setObjectName("aboutHint");
  hint->setGeometry(18, 530, 400, 15);
  hint->setEnabled(false);

  auto* list = AddControl(kFilesList, new CMyListBox(this));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  AddControl(kAddFile, new QPushButton(UserText::tr("Add File"), this));
  AddControl(kRemoveFile, new QPushButton(UserText::tr("Remove File"), this));
  AddControl(kCodecLabel, new QLabel(UserText::tr("Codec Name:"), this));
  AddControl(kDurationLabel, new QLabel(UserText::tr("Duration:"), this));
  AddControl(kFrameRateLabel, new QLabel(UserText::tr("Frame rate:"), this));
  AddControl(kBitRateLabel, new QLabel(UserText::tr("Bit rate:"), this));
  for (int id : {kCodecName, kDuration, kFrameRate, kBitRate, kTracks}) AddControl(id, new QLabel(this));

  m_pFormatGroup = new QButtonGroup(this);
  const char* formatNames[] = {"AVI", "MPEG", "WMV", "RM", "DVD", "VCD", "SVCD"};
  for (int format = 0; format < kOutputFormatCount; ++format) {
    auto* radio = AddControl(kFormatRadios[format], new QRadioButton(formatNames[format], this));
    m_pFormatGroup->addButton(radio, format);
  }

  auto* quality = AddControl(kQualitySlider, new QSlider(Qt::Horizontal, this));
  quality->setRange(0, kSliderTop);
  quality->setPageStep(1);
  quality->setTickPosition(QSlider::TicksBelow);
  AddControl(kLowQualityLabel, new QLabel(UserText::tr("Low quality / Small file"), this))->hide();
  auto* high = AddControl(kHighQualityLabel, new QLabel(UserText::tr("High quality / Large file"), this));
  high->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  high->hide();
  AddControl(kAsSource,
             new QCheckBox(
                 UserText::tr("Set Output Format as the Source File (recommended for best quality/size ratio)"), this))
      ->hide();
  AddControl(kAdvanced, new QPushButton(UserText::tr("Advanced"), this))->hide();
  AddControl(kSettings, new QPushButton(UserText::tr("Settings"), this));
  AddControl(kHelp, new QPushButton(UserText::tr("Help"), this));
  auto* convert = AddControl(kConvert, new QPushButton(UserText::tr("Convert"), this));
  convert->setAutoDefault(false);
  auto* progress = AddControl(kProgress, new QProgressBar(this));
  progress->setRange(0, 100);
  progress->setValue(0);
  progress->setTextVisible(false);
  AddControl(kCompleted, new QLabel(QString::fromStdString(CompletedText(0)), this));
  AddControl(kStatus, new QLabel(UserText::tr("Ready"), this));
  AddControl(kSelectFolder, new QPushButton(UserText::tr("Select Folder"), this));
  AddControl(kOutputFolder, new QLabel(this));
  auto* position = AddControl(kPlayerSlider, new QSlider(Qt::Horizontal, this));
  position->setRange(0, 100);
  AddControl(kPlay, new QPushButton(UserText::tr("Play"), this));
  AddControl(kStop, new QPushButton(UserText::tr("Stop"), this));
  AddControl(kCopyDvd, new QPushButton(UserText::tr("Copy DVD"), this));
  AddControl(kRipDvd, new QPushButton(UserText::tr("Rip DVD"), this));
  AddControl(kConvertVideo, new QPushButton(UserText::tr("Convert Video"), this));
  AddControl(kDiscGauge, new DiscGaugeWidget(this));

  for (QWidget* control : m_controls) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      button->setAutoDefault(false);
      button->setToolTip(button->text());
    }
  }
  PlaceControls();
  // Sized for the widest text it shows, not the "0.00%" it starts with.
  auto* completed = GetDlgItem(kCompleted);
  FitFontToWidth(completed, QString::fromStdString(CompletedText(100)), completed->width());
  for (int id : kFormatRadios) {
    auto* radio = qobject_cast<QRadioButton*>(GetDlgItem(id));
    FitFontToWidth(radio, radio->text(), radio->width() - kRadioIndicatorWidth);
  }
}

void MainDialog::PlaceControls() {
  for (const Placement& placement : kPlacements) GetDlgItem(placement.id)->setGeometry(placement.rect);
  // The seven radios in a row, then DVD, VCD and SVCD take the first three
  // places and the file formats leave the screen: they stay reachable only
  // through the stored setting.
  for (int format = 0; format < kOutputFormatCount; ++format) {
    GetDlgItem(kFormatRadios[format])->setGeometry(20 + 60 * format, 200, 50, 15);
  }
  for (int format = kFormatDvd; format <= kFormatSvcd; ++format) {
    GetDlgItem(kFormatRadios[format])->move(20 + 60 * (format - kFormatDvd), 200);
  }
  for (int format = kFormatAvi; format <= kFormatRm; ++format) GetDlgItem(kFormatRadios[format])->hide();
  // At a larger size the controls follow it from those places.
  if (!m_followers.isEmpty()) FollowWindowSize();
}

void MainDialog::ConnectCommands() {
  const std::pair<int, CommandHandler> commands[] = {
      {kHelp, &CCastrel1Dlg::OnButtonHelp},         {kSelectFolder, &CCastrel1Dlg::OnOutputFolder},
      {kConvert, &CCastrel1Dlg::OnButtonConvert},   {kSettings, &CCastrel1Dlg::OnButtonSettings},
      {kAdvanced, &CCastrel1Dlg::OnButtonSettings}, {kAsSource, &CCastrel1Dlg::OnCheckAsSource},
  };
  for (const auto& [id, handler] : commands) {
    QObject* button = GetDlgItem(id);
    m_commands.insert(button, handler);
    connect(qobject_cast<QAbstractButton*>(button), &QAbstractButton::clicked, this, &MainDialog::OnCommand);
  }
  for (int format = 0; format < kOutputFormatCount; ++format) {
    connect(qobject_cast<QAbstractButton*>(GetDlgItem(kFormatRadios[format])), &QAbstractButton::clicked, this,
            [this, format] { m_core.OnFormatRadio(format); });
  }
  ConnectInputAndPreview();

  // Only the user's moves reach the core, not the values the core writes.
  auto* quality = qobject_cast<QSlider*>(GetDlgItem(kQualitySlider));
  connect(quality, &QSlider::valueChanged, this, [this](int value) {
    if (!m_bWritingData) m_core.OnHScroll(SB_ENDSCROLL, value, kQualitySlider);
  });
  auto* position = qobject_cast<QSlider*>(GetDlgItem(kPlayerSlider));
  connect(position, &QSlider::sliderMoved, this,
          [this](int value) { m_core.OnHScroll(SB_THUMBTRACK, value, kPlayerSlider); });
}

void MainDialog::OnCommand() {
  if (const CommandHandler handler = m_commands.value(sender(), nullptr)) (m_core.*handler)();
}

void MainDialog::SetSkin() {
  Log("CCastrel1Dlg::SetSkin");
  IncludeInSkin(this);
  resize(kClientWidth, kClientHeight);
  Log("Include all wnd to theApp.m_pSkin");
  for (int id : {kQualitySlider, kPlayerSlider, kProgress, kRadioDvd, kRadioVcd, kRadioSvcd}) {
    IncludeInSkin(GetDlgItem(id));
  }
  for (const SkinnedButton& button : kSkinnedButtons) {
    GiveSkinElement(button.id, button.element);
    IncludeInSkin(GetDlgItem(button.id));
  }
  for (int id : {kCodecName, kDuration, kFrameRate, kBitRate, kTracks, kStatus, kCompleted, kOutputFolder, kCodecLabel,
                 kDurationLabel, kFrameRateLabel, kBitRateLabel}) {
    IncludeInSkin(GetDlgItem(id));
  }
  PlaceControls();
  Log("Update the skin control");
  if (m_pSkin != nullptr) m_pSkin->Redraw();
}

void MainDialog::IncludeInSkin(QWidget* window) {
  if (m_pSkin != nullptr) m_pSkin->IncludeWindow(window);
}

void MainDialog::GiveSkinElement(int id, const char* element) {
  auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
  if (button == nullptr) return;
  // The label goes back first: the skin clears it only if it draws the element.
  const QString label = LabelOfElement(element);
  if (!label.isEmpty()) {
    button->setText(label);
    button->setToolTip(label);
  }
  // The skin's pictures carry the English words: a button whose label is in
  // another language shows it as text on the element's colours instead.
  const bool ownLabel = !label.isEmpty() && label != QLatin1String(EnglishLabelOfElement(element)) &&
                        StandardIconOf(button, element).isNull();
  button->setProperty("skinOwnLabel", ownLabel);
  button->setProperty("skinElement", element);
  if (m_pSkin != nullptr) m_pSkin->SetSkinElement(button, element);
  const bool drawn = m_pSkin != nullptr && m_pSkin->DrawsElement(element);
  const QIcon sign = StandardIconOf(button, element);
  if (!drawn && !sign.isNull()) {
    button->setText(QString());
    button->setIcon(sign);
  }
}

void MainDialog::AppendSystemCommand(unsigned id, const std::string& text) {
  m_systemCommands.emplace_back(id, QString::fromStdString(text));
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
  // Window managers keep the title bar's menu to themselves: the window's
  // own commands are offered on a right click instead.
  if (m_systemCommands.empty()) return;
  QMenu menu(this);
  for (const auto& [id, text] : m_systemCommands) {
    const unsigned command = id;
    connect(menu.addAction(text), &QAction::triggered, this, [this, command] { m_core.OnSysCommand(command); });
  }
  menu.exec(event->globalPos());
}

void MainDialog::SetIcon() {
  // The icon installed for the desktop, else the one beside the program. It is
  // the application's icon, so the About box and other dialogs show it too.
  const QIcon icon = QIcon::fromTheme("orlenta", QIcon(QString::fromStdString(ModuleFolderFile("orlenta.svg").str())));
  QApplication::setWindowIcon(icon);
  setWindowIcon(icon);
}

void MainDialog::ExchangeData(DialogData& values, bool save) {
  Log("CCastrel1Dlg::DoDataExchange");
  auto* quality = qobject_cast<QSlider*>(GetDlgItem(kQualitySlider));
  auto* asSource = qobject_cast<QCheckBox*>(GetDlgItem(kAsSource));
  auto* position = qobject_cast<QSlider*>(GetDlgItem(kPlayerSlider));
  const auto label = [this](int id) { return qobject_cast<QLabel*>(GetDlgItem(id)); };
  if (save) {
    values.nOutputFormat = m_pFormatGroup->checkedId();
    values.nSliderPos = quality->value();
    values.bAsSource = asSource->isChecked();
    values.nPlayerPos = position->value();
    values.strCodecName = InfoText(label(kCodecName)).toStdString();
    values.strBitRate = InfoText(label(kBitRate)).toStdString();
    values.strFrameRate = InfoText(label(kFrameRate)).toStdString();
    values.strDuration = InfoText(label(kDuration)).toStdString();
    values.strTracks = InfoText(label(kTracks)).toStdString();
    return;
  }
  m_bWritingData = true;
  if (QAbstractButton* radio = m_pFormatGroup->button(values.nOutputFormat)) {
    radio->setChecked(true);
  } else if (QAbstractButton* checked = m_pFormatGroup->checkedButton()) {
    // An exclusive group keeps one button checked; "none" needs it released.
    m_pFormatGroup->setExclusive(false);
    checked->setChecked(false);
    m_pFormatGroup->setExclusive(true);
  }
  quality->setValue(values.nSliderPos);
  asSource->setChecked(values.bAsSource);
  position->setValue(values.nPlayerPos);
  for (const auto& [id, text] : {std::pair{kCodecName, &values.strCodecName}, std::pair{kBitRate, &values.strBitRate},
                                 std::pair{kFrameRate, &values.strFrameRate}, std::pair{kDuration, &values.strDuration},
                                 std::pair{kTracks, &values.strTracks}}) {
    ShowInfoText(label(id), *text);
  }
  m_bWritingData = false;
}

void MainDialog::RefitInfoText(int id) {
  auto* label = qobject_cast<QLabel*>(GetDlgItem(id));
  if (label != nullptr && label->property(kFullTextProperty).isValid()) {
    ShowInfoText(label, InfoText(label).toStdString());
  }
}

void MainDialog::EnableControl(int id, bool enable) {
  if (QWidget* control = GetDlgItem(id)) control->setEnabled(enable);
}

void MainDialog::ShowControl(int id, bool show) {
  if (QWidget* control = GetDlgItem(id)) control->setVisible(show);
}

void MainDialog::SetButtonElement(int id, const char* element) {
  IncludeInSkin(this);
  GiveSkinElement(id, element);
  IncludeInSkin(GetDlgItem(id));
  FollowWindowSize(GetDlgItem(id));
  if (m_pSkin != nullptr) m_pSkin->Redraw();
}

void MainDialog::SetStatusText(const std::string& text) {
  qobject_cast<QLabel*>(GetDlgItem(kStatus))->setText(QString::fromStdString(text));
}

std::string MainDialog::StatusText() {
  return qobject_cast<QLabel*>(GetDlgItem(kStatus))->text().toStdString();
}

void MainDialog::SetProgress(int percent) {
  qobject_cast<QProgressBar*>(GetDlgItem(kProgress))->setValue(percent);
}

void MainDialog::SetCompletedText(const std::string& text) {
  auto* label = qobject_cast<QLabel*>(GetDlgItem(kCompleted));
  label->setText(QString::fromStdString(text));
  FitTextToWidth(label);
}

void MainDialog::SetOutputFolderText(const std::string& path) {
  auto* label = qobject_cast<QLabel*>(GetDlgItem(kOutputFolder));
  const QString full = QString::fromStdString(path);
  label->setText(label->fontMetrics().elidedText(full, Qt::ElideMiddle, label->width()));
  label->setToolTip(full);
}

int MainDialog::ListCount() {
  return qobject_cast<QListWidget*>(GetDlgItem(kFilesList))->count();
}

std::string MainDialog::ListText(int index) {
  QListWidgetItem* item = qobject_cast<QListWidget*>(GetDlgItem(kFilesList))->item(index);
  return item != nullptr ? item->data(kPathBytesRole).toByteArray().toStdString() : std::string();
}

int MainDialog::ListSelection() {
  auto* list = qobject_cast<QListWidget*>(GetDlgItem(kFilesList));
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.front());
}

void MainDialog::ListAppend(const std::string& text) {
  const QScopedValueRollback changing(m_bChangingList, true);
  // A file name need not be UTF-8: the entry shows it as well as it can and
  // keeps its bytes, which open the file.
  auto* item = new QListWidgetItem(QString::fromStdString(text));
  item->setData(kPathBytesRole, QByteArray::fromStdString(text));
  qobject_cast<QListWidget*>(GetDlgItem(kFilesList))->addItem(item);
}

void MainDialog::ListDelete(int index) {
  const QScopedValueRollback changing(m_bChangingList, true);
  auto* list = qobject_cast<QListWidget*>(GetDlgItem(kFilesList));
  delete list->takeItem(index);
  list->clearSelection();
}

void MainDialog::ListSelect(int index) {
  const QScopedValueRollback changing(m_bChangingList, true);
  auto* list = qobject_cast<QListWidget*>(GetDlgItem(kFilesList));
  list->setCurrentRow(index);
}

void MainDialog::ShowDiscPlan(const DiscPlan& plan) {
  qobject_cast<DiscGaugeWidget*>(GetDlgItem(kDiscGauge))->ShowPlan(plan);
}

void MainDialog::CloseWindow(int result) {
  SaveWindowPlace();
  done(result);
}

void MainDialog::closeEvent(QCloseEvent* event) {
  // The core decides; it closes the window itself when it may.
  event->ignore();
  m_core.OnSysCommand(SC_CLOSE);
}

void MainDialog::reject() {
  m_core.OnEscape();
}
