// The main window on screen (offscreen): every control with its id, text and
// place, the visible format radios, and the commands reaching the core.

#include "app/widgets/main_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <algorithm>
#include <memory>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/widgets/disc_gauge_widget.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "platform/skin/widgets/skin_component.h"
#include "support/event_wait.h"
#include "ui/control_id.h"

namespace {

using namespace control_id;

class MainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core.SetDefaultSettings();
    core.OnInitDialog();
  }

  QString TextOf(int id) const {
    QWidget* control = dialog.GetDlgItem(id);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
  }

  QApplication& application = TestApplication();  // before any widget
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  CCastrel1Dlg core;
  MainDialog dialog{core, nullptr};
};

TEST_F(MainDialogTest, EveryControlHasItsIdTextAndPlace) {
  struct Case {
    int id;
    const char* text;  // null: not a text control
    QRect rect;
  };
  const Case cases[] = {
      {kFilesList, nullptr, {19, 60, 376, 35}},
      {kAddFile, "Add File", {412, 62, 73, 23}},
      {kRemoveFile, "Remove File", {412, 90, 96, 23}},
      {kCodecLabel, "Codec Name:", {20, 110, 100, 15}},
      {kDurationLabel, "Duration:", {260, 110, 100, 15}},
      {kFrameRateLabel, "Frame rate:", {20, 125, 100, 15}},
      {kBitRateLabel, "Bit rate:", {260, 125, 100, 15}},
      {kCodecName, "", {100, 110, 150, 15}},
      {kDuration, "", {320, 110, 80, 15}},
      {kFrameRate, "", {100, 125, 100, 15}},
      {kBitRate, "", {320, 125, 80, 15}},
      {kRadioAvi, "AVI", {20, 200, 50, 15}},
      {kRadioMpeg, "MPEG", {80, 200, 50, 15}},
      {kRadioWmv, "WMV", {140, 200, 50, 15}},
      {kRadioRm, "RM", {200, 200, 50, 15}},
      {kRadioDvd, "DVD", {20, 200, 50, 15}},
      {kRadioVcd, "VCD", {80, 200, 50, 15}},
      {kRadioSvcd, "SVCD", {140, 200, 50, 15}},
      {kQualitySlider, nullptr, {10, 282, 385, 40}},
      {kLowQualityLabel, "Low quality / Small file", {}},
      {kHighQualityLabel, "High quality / Large file", {}},
      {kAsSource, "Set Output Format as the Source File (recommended for best quality/size ratio)", {}},
      {kAdvanced, "Advanced", {}},
      {kSettings, "Settings", {412, 300, 144, 24}},
      {kHelp, "Help", {580, 215, 154, 45}},
      {kConvert, "Convert", {412, 456, 154, 45}},
      {kProgress, nullptr, {18, 482, 275, 15}},
      {kCompleted, "Completed: 0.00%", {300, 482, 105, 15}},
      {kStatus, "Ready", {18, 465, 390, 15}},
      {kSelectFolder, "Select Folder", {412, 400, 139, 22}},
      {kOutputFolder, nullptr, {53, 403, 340, 15}},
      {kPlayerSlider, nullptr, {585, 165, 150, 20}},
      {kPlay, "", {630, 145, 31, 20}},  // too small for a label: the usual sign, the label as tooltip
      {kStop, "", {667, 145, 31, 20}},
      {kCopyDvd, "Copy DVD", {}},
      {kRipDvd, "Rip DVD", {}},
      {kConvertVideo, "Convert Video", {}},
  };
  EXPECT_EQ(dialog.size(), QSize(746, 565));
  for (const Case& c : cases) {
    QWidget* control = dialog.GetDlgItem(c.id);
    ASSERT_NE(control, nullptr) << c.id;
    EXPECT_EQ(control->property("controlId").toInt(), c.id);
    if (c.text != nullptr) {
      EXPECT_EQ(TextOf(c.id).toStdString(), c.text) << c.id;
    }
    if (!c.rect.isNull()) {
      EXPECT_EQ(control->geometry(), c.rect) << c.id;
    }
  }
  EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
  for (int id : {kPlay, kStop}) {
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id))->icon().isNull()) << id;
  }
  EXPECT_EQ(dialog.GetDlgItem(kPlay)->toolTip(), "Play");
}

TEST_F(MainDialogTest, OnlyTheThreeDiscRadiosAndNoDvdToolOrHiddenControlIsVisible) {
  dialog.show();
  std::vector<int> visibleRadios;
  for (int id : kFormatRadios) {
    if (dialog.GetDlgItem(id)->isVisible()) visibleRadios.push_back(dialog.GetDlgItem(id)->x());
  }
  EXPECT_EQ(visibleRadios, (std::vector<int>{20, 80, 140}));
  EXPECT_TRUE(dialog.GetDlgItem(kRadioDvd)->isVisible());
  for (int id : {kCopyDvd, kRipDvd, kConvertVideo, kLowQualityLabel, kHighQualityLabel, kAsSource, kAdvanced}) {
    EXPECT_FALSE(dialog.GetDlgItem(id)->isVisible()) << id;
  }
  EXPECT_TRUE(qobject_cast<QAbstractButton*>(dialog.GetDlgItem(kRadioDvd))->isChecked()) << "the default format";
  dialog.hide();
}

TEST_F(MainDialogTest, DisablingForAJobLeavesConvertEnabledAsTheCancelButton) {
  core.EnableControls(false);
  for (int id : {kAddFile, kRemoveFile, kSettings, kAdvanced, kSelectFolder, kPlay, kStop, kQualitySlider,
                 kPlayerSlider, kFilesList}) {
    EXPECT_FALSE(dialog.GetDlgItem(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(dialog.GetDlgItem(kConvert)->isEnabled());
  EXPECT_EQ(dialog.GetDlgItem(kConvert)->property("skinElement").toString(), "button_cancel");
  EXPECT_EQ(TextOf(kConvert), "Cancel") << "without a skin the button keeps a label";
  EXPECT_EQ(dialog.GetDlgItem(kConvert)->geometry(), QRect(412, 456, 154, 45));

  core.EnableControls(true);
  EXPECT_TRUE(dialog.GetDlgItem(kAddFile)->isEnabled());
  EXPECT_EQ(TextOf(kConvert), "Convert");
}

TEST_F(MainDialogTest, ALongOutputFolderIsShortenedWithAnEllipsisToTheFieldsWidth) {
  const std::string folder = "/home/user/" + std::string(120, 'v') + "/discs";
  dialog.SetOutputFolderText(folder);
  auto* label = qobject_cast<QLabel*>(dialog.GetDlgItem(kOutputFolder));
  EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
  EXPECT_TRUE(label->text().endsWith("/discs"));
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
  EXPECT_EQ(label->toolTip().toStdString(), folder);
}

TEST_F(MainDialogTest, NoVisibleTextIsClippedByItsControlsFixedWidth) {
  dialog.SetCompletedText("Completed: 100.00%");
  dialog.show();
  for (QWidget* control : dialog.findChildren<QWidget*>()) {
    if (!control->isVisible()) continue;
    int room = control->width();
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) {
      text = label->text();
    } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
      text = radio->text();
      room -= 20;  // the indicator and its gap
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      text = button->text();
      room -= 8;  // the frame
    }
    if (text.isEmpty() || qobject_cast<QLabel*>(control) == dialog.GetDlgItem(kOutputFolder)) continue;
    EXPECT_LE(control->fontMetrics().horizontalAdvance(text), room) << text.toStdString();
  }
  dialog.hide();
}

TEST_F(MainDialogTest, TheFramesLineUpAndThePlayerStandsClearOfTheBanner) {
  for (const char* frame : {"inputFrame", "qualityFrame", "folderFrame", "statusFrame"}) {
    const QWidget* box = dialog.findChild<QWidget*>(frame);
    ASSERT_NE(box, nullptr) << frame;
    EXPECT_EQ(box->x(), 8) << frame;
    EXPECT_EQ(box->geometry().right(), 569) << frame;
  }
  EXPECT_EQ(dialog.findChild<QWidget*>("formatFrame")->x(), 8);
  const QRect banner = dialog.findChild<QWidget*>("banner")->geometry();
  ASSERT_NE(dialog.Player(), nullptr);
  for (const char* player : {"NCTVideoPlayer", "playerArea"}) {
    EXPECT_FALSE(banner.intersects(dialog.findChild<QWidget*>(player)->geometry())) << player;
  }
}

TEST_F(MainDialogTest, UserCommandsReachTheCoreAndTheCoresWritesDoNot) {
  qobject_cast<QAbstractButton*>(dialog.GetDlgItem(kRadioVcd))->click();
  EXPECT_EQ(core.m_nOutputFormat, kFormatVcd);

  core.m_nVCDBitrate = 1150;
  auto* quality = qobject_cast<QSlider*>(dialog.GetDlgItem(kQualitySlider));
  quality->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the user steps it down from 9
  EXPECT_EQ(core.m_nSliderPos, 8);
  EXPECT_EQ(core.m_nVCDBitrate, 1100);

  core.m_nSliderPos = 2;
  core.UpdateData(false);
  EXPECT_EQ(quality->value(), 2);
  EXPECT_EQ(core.m_nVCDBitrate, 1100) << "a value the core writes is no user move";
}

TEST_F(MainDialogTest, AListEntryKeepsTheBytesOfANameThatIsNotUtf8) {
  const std::string latin1 = "/videos/caf\xe9.mp4";
  const std::string utf8 = "/videos/caf\xc3\xa9.mp4";
  dialog.ListAppend(latin1);
  dialog.ListAppend(utf8);
  EXPECT_EQ(dialog.ListText(0), latin1) << "the file still opens";
  EXPECT_EQ(dialog.ListText(1), utf8);
  EXPECT_EQ(qobject_cast<QListWidget*>(dialog.GetDlgItem(kFilesList))->item(1)->text(), QString::fromUtf8(utf8));
}

TEST_F(MainDialogTest, TheConvertButtonRunsTheConvertCommand) {
  qobject_cast<QAbstractButton*>(dialog.GetDlgItem(kConvert))->click();
  ASSERT_EQ(responder.MessageTexts().size(), 1u);
  EXPECT_EQ(responder.MessageTexts()[0], "No input files added.\nPlease click 'Add File' to add files!");
}

TEST_F(MainDialogTest, TheCloseBoxWhileBusyAsksAndEscapeDuringAListOnlyStopsIt) {
  dialog.show();
  core.m_bBusy = true;
  responder.QueueMessageAnswer(IDNO);
  dialog.close();
  EXPECT_EQ(responder.MessageTexts(),
            std::vector<std::string>{"Conversion in progress - Are you sure you want to quit now?"});
  EXPECT_TRUE(dialog.isVisible());

  core.m_bConverting = true;
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &escape);
  EXPECT_TRUE(core.m_bExitRequested);
  EXPECT_TRUE(dialog.isVisible()) << "the list has not ended yet";
  StopFlag::Set(false);

  core.OnCancel();  // the list's end
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), IDCANCEL);
}

TEST_F(MainDialogTest, EscapeAndTheCloseBoxAskBeforeQuittingWithFilesListed) {
  dialog.show();
  dialog.ListAppend("/videos/holiday.mp4");
  responder.QueueMessageAnswer(IDNO);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &escape);
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text, "The files listed are not kept - Are you sure you want to quit now?");
  EXPECT_EQ(responder.Messages()[0].flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_TRUE(dialog.isVisible()) << "No keeps the window and its list";

  responder.QueueMessageAnswer(IDNO);
  dialog.close();
  EXPECT_EQ(responder.Messages().size(), 2u) << "the close box asks too";
  EXPECT_TRUE(dialog.isVisible());

  dialog.ListDelete(0);
  QApplication::sendEvent(&dialog, &escape);
  EXPECT_EQ(responder.Messages().size(), 2u) << "nothing to lose: no question";
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MainDialogTest, TheGaugeShowsThePlanAndTurnsRedWhenTheListDoesNotFit) {
  auto* gauge = qobject_cast<DiscGaugeWidget*>(dialog.GetDlgItem(kDiscGauge));
  ASSERT_NE(gauge, nullptr);
  const struct {
    int format;
    std::vector<std::int64_t> durationsMs;
    bool fits;
  } cases[] = {
      {kFormatDvd, {30 * 60'000, 45 * 60'000}, true},
      {kFormatDvd, std::vector<std::int64_t>(8, 15 * 60'000), true},
      {kFormatDvd, {48 * 3600'000}, false},
      {kFormatDvd, std::vector<std::int64_t>(100, 60'000), false},
      {kFormatSvcd, {95 * 60'000}, true},
  };
  for (const auto& c : cases) {
    core.OnFormatRadio(c.format);
    while (dialog.ListCount() > 0) dialog.ListDelete(0);
    for (std::size_t i = 0; i < c.durationsMs.size(); ++i) {
      const std::string path = "/videos/" + std::to_string(i) + ".mp4";
      dialog.ListAppend(path);
      core.m_mapListDurations[path] = c.durationsMs[i];
    }
    core.UpdateDiscPlan();
    QStringList expected;
    for (const std::string& line : DiscPlanLines(core.MakeDiscPlan())) expected << QString::fromStdString(line);
    EXPECT_EQ(gauge->Lines(), expected);
    EXPECT_EQ(gauge->Fits(), c.fits);
    EXPECT_EQ(gauge->BarColor() == QColor(0xc6, 0x28, 0x28), !c.fits);
    // The bar is drawn in its colour.
    const QImage picture = gauge->grab().toImage();
    EXPECT_EQ(picture.pixelColor(3, 8), gauge->BarColor()) << "the filled part of the bar";

    // Every word is shown whole at the window's default size.
    const DiscGaugeWidget::Texts texts = gauge->Layout();
    const QFontMetrics metrics = gauge->fontMetrics();
    EXPECT_LE(metrics.horizontalAdvance(texts.barLeft + "    " + texts.barRight), texts.barRoom.width())
        << texts.barLeft.toStdString();
    const QRect below = metrics.boundingRect(QRect(0, 0, texts.belowRoom.width(), 1000), Qt::TextWordWrap, texts.below);
    EXPECT_LE(below.height(), texts.belowRoom.height()) << texts.below.toStdString();
    EXPECT_LE(below.width(), texts.belowRoom.width()) << texts.below.toStdString();
    QStringList shown = {texts.barLeft, texts.barRight, texts.below};
    for (const QString& line : gauge->Lines()) {
      EXPECT_TRUE(shown.join('\n').contains(line) || (!c.fits && line == gauge->Lines()[1]))
          << "shown: " << line.toStdString();
    }
  }
}

TEST_F(MainDialogTest, TheSliderSaysItsEndsAndValueAndEveryControlHasANameAndATabPlace) {
  dialog.show();
  const auto* smaller = dialog.findChild<QLabel*>("smallerFiles");
  const auto* better = dialog.findChild<QLabel*>("betterPicture");
  ASSERT_TRUE(smaller != nullptr && better != nullptr);
  EXPECT_EQ(smaller->text(), "Smaller files");
  EXPECT_EQ(better->text(), "Better picture");
  EXPECT_TRUE(smaller->isVisible() && better->isVisible());
  auto* quality = qobject_cast<QSlider*>(dialog.GetDlgItem(kQualitySlider));
  quality->setValue(4);
  EXPECT_EQ(quality->toolTip(), "Quality 4 of 9");

  for (int id : {kFilesList, kAddFile, kRemoveFile, kQualitySlider, kSettings, kHelp, kConvert, kSelectFolder,
                 kPlayerSlider, kPlay, kStop, kRadioDvd, kRadioVcd, kRadioSvcd, kProgress, kStatus}) {
    EXPECT_FALSE(dialog.GetDlgItem(id)->accessibleName().isEmpty()) << id;
  }
  // Tab goes down the left column, then the middle one, then the right one.
  std::vector<int> order;
  QWidget* control = dialog.GetDlgItem(kFilesList);
  for (int step = 0; step < 14; ++step, control = control->nextInFocusChain()) {
    while (GetControlId(control) == IDC_STATIC || !control->isVisible() || control->focusPolicy() == Qt::NoFocus) {
      control = control->nextInFocusChain();
    }
    order.push_back(GetControlId(control));
  }
  EXPECT_EQ(order,
            (std::vector<int>{kFilesList, kRadioDvd, kRadioVcd, kRadioSvcd, kQualitySlider, kAddFile, kRemoveFile,
                              kSettings, kSelectFolder, kConvert, kPlay, kStop, kPlayerSlider, kHelp}));

  // Every button has its key: Alt+A is Add File, whose chooser the responder answers with Cancel.
  std::vector<QString> keys;
  for (const QShortcut* shortcut : dialog.findChildren<QShortcut*>()) keys.push_back(shortcut->key().toString());
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<QString>{"Alt+A", "Alt+C", "Alt+F", "Alt+H", "Alt+P", "Alt+R", "Alt+S", "Alt+T", "F2"}))
      << "F2 names the selected title";
  for (QShortcut* shortcut : dialog.findChildren<QShortcut*>()) {
    if (shortcut->key() == QKeySequence("Alt+A")) emit shortcut->activated();
  }
  EXPECT_TRUE(ProcessEventsUntil([&] { return !responder.DialogNames().empty(); }, std::chrono::seconds(10)));
}

TEST(MainDialogSkin, TheShippedSkinDrawsEveryButtonAndItsLabelBecomesTheTooltip) {
  TestApplication();
  ScopedRegistryFile registry;
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(ORLENTA_SKIN_FILE));
  skin.ApplySkin();
  {
    CCastrel1Dlg core;
    MainDialog dialog(core, &skin);
    core.SetDefaultSettings();
    core.OnInitDialog();
    const struct {
      int id;
      const char* element;
      const char* label;
    } buttons[] = {
        {kHelp, "button_help", "Help"},
        {kConvert, "button_start", "Convert"},
        {kSettings, "button_settings", "Settings"},
        {kAddFile, "button_add", "Add File"},
        {kRemoveFile, "button_remove", "Remove File"},
        {kSelectFolder, "button_folder", "Select Folder"},
        {kPlay, "button_play", "Play"},
        {kStop, "button_stop", "Stop"},
    };
    for (const auto& button : buttons) {
      auto* control = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(button.id));
      EXPECT_EQ(control->property("skinElement").toString(), button.element);
      EXPECT_TRUE(skin.DrawsElement(button.element)) << button.element;
      EXPECT_TRUE(control->text().isEmpty()) << button.element << ": the skin's image carries the label";
      EXPECT_EQ(control->toolTip(), button.label);
    }
    EXPECT_EQ(dialog.GetDlgItem(kConvert)->geometry(), QRect(412, 456, 154, 45)) << "the skin keeps the layout";

    core.EnableControls(false);
    auto* convert = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(kConvert));
    EXPECT_EQ(convert->property("skinElement").toString(), "button_cancel");
    EXPECT_TRUE(convert->text().isEmpty());
    EXPECT_EQ(convert->toolTip(), "Cancel");
  }
  skin.Deinitialize();
}

}  // namespace
