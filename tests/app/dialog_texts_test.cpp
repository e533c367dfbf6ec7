// No text of any dialog is cut off: every label, button, check box and radio
// of every dialog and settings page, measured with its font against the room
// its control gives it, with and without the skin. CTest runs this program a
// second time at 200 % (QT_SCALE_FACTOR=2).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/widgets/main_dialog.h"
#include "disc/widgets/cd_count_dialog.h"
#include "disc/widgets/erase_disc_dialog.h"
#include "disc/widgets/erase_dvd_dialog.h"
#include "formats/format_pages.h"
#include "formats/widgets/settings_sheet_dialog.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "platform/skin/widgets/skin_component.h"
#include "ui/about_dialog.h"
#include "ui/dialog_units.h"
#include "ui/find_codec_dialog.h"
#include "ui/mov_warning_dialog.h"
#include "ui/mpeg4_dialog.h"
#include "ui/success_dialog.h"

namespace {

QString Plain(QString text) {
  // A mnemonic's "&" is not drawn.
  return text.replace(QRegularExpression("&(.)"), "\\1");
}

// The room a control gives its text, and the text's extent there; empty
// when the control has no text to measure.
struct Measure {
  QString text;
  QSize needed;
  QSize room;
};

std::optional<Measure> MeasureOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText || !label->pixmap().isNull()) return {};
    const QRect room = label->contentsRect().adjusted(label->indent() > 0 ? label->indent() : 0, 0, 0, 0);
    const QFontMetrics metrics(label->font());
    const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 10000), flags, label->text());
    return Measure{label->text(), needed.size(), room.size()};
  }
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button == nullptr || button->text().isEmpty()) return {};
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<QCheckBox*>(button) != nullptr) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<QRadioButton*>(button) != nullptr) contents = QStyle::SE_RadioButtonContents;
  QRect room = button->style()->subElementRect(contents, &option, button);
  if (contents == QStyle::SE_PushButtonContents && !button->icon().isNull()) {
    room.setWidth(room.width() - button->iconSize().width() - 4);
  }
  const QFontMetrics metrics(button->font());
  const QString text = Plain(button->text());
  return Measure{text, QSize(metrics.horizontalAdvance(text), metrics.height()), room.size()};
}

// Every visible text of window that does not fit its control.
std::vector<std::string> CutTexts(QWidget& window, const std::string& name) {
  std::vector<std::string> cut;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    if (!control->isVisibleTo(&window)) continue;
    const std::optional<Measure> measure = MeasureOf(control);
    if (!measure) continue;
    if (measure->needed.width() > measure->room.width() || measure->needed.height() > measure->room.height()) {
      cut.push_back(name + ": \"" + measure->text.toStdString() + "\" needs " +
                    std::to_string(measure->needed.width()) + "x" + std::to_string(measure->needed.height()) +
                    ", has " + std::to_string(measure->room.width()) + "x" + std::to_string(measure->room.height()));
    }
  }
  return cut;
}

std::vector<std::string> CutTextsShown(QWidget& window, const std::string& name) {
  window.show();
  QApplication::processEvents();
  std::vector<std::string> cut = CutTexts(window, name);
  window.hide();
  return cut;
}

// Every dialog of the program, and each page of the settings sheet.
std::vector<std::string> CutTextsOfEveryDialog() {
  std::vector<std::string> cut;
  const auto add = [&](std::vector<std::string> more) { cut.insert(cut.end(), more.begin(), more.end()); };
  {
    CAboutDlg about;
    add(CutTextsShown(about, "About"));
    CFindCodec codec;
    codec.m_strMessage =
        "The AVI file you are trying to convert needs DIVX codec.\n\nDo you want to download and "
        "install the codec?";
    add(CutTextsShown(codec, "Codec Required"));
    CMovWarningDialog quickTime;
    add(CutTextsShown(quickTime, "Quick Time"));
    CMPEG4Dlg mpeg4;
    add(CutTextsShown(mpeg4, "MPEG-4"));
    CSuccessDlg success("/home/user/Videos/holiday_new.avi");
    add(CutTextsShown(success, "Success"));
    CCDCountDlg cds("Please insert an empty CD to burn.", [] {});
    add(CutTextsShown(cds, "CD count"));
    CEraseDVDDlg erase([] {});
    add(CutTextsShown(erase, "Erase DVD"));
    EraseDiscRequest request;
    request.caption = "Erase";
    request.drives = {{'B', "B: Optiarc DVD RW AD-7280S"}};
    request.suggested = 'B';
    EraseDiscDialog eraseDisc(request);
    add(CutTextsShown(eraseDisc, "Erase disc"));
  }
  {
    std::vector<std::unique_ptr<OutputFormat>> formats = CreateFfmpegFormatPages();
    SettingsSheetRequest request;
    request.caption = kSettingsSheetCaption;
    for (auto& format : formats) request.pages.push_back(format.get());
    request.startPage = 0;
    SettingsSheetDialog sheet(request, nullptr);
    sheet.show();
    for (int page = 0; page < static_cast<int>(request.pages.size()); ++page) {
      sheet.SetActivePage(page);
      QApplication::processEvents();
      add(CutTexts(sheet, "Settings page " + std::to_string(page)));
    }
    sheet.hide();
  }
  {
    ScriptedResponder responder;
    CCastrel1Dlg core;
    MainDialog window(core, nullptr);
    core.SetDefaultSettings();
    core.OnInitDialog();
    window.SetCompletedText("Completed: 100.00%");
    add(CutTextsShown(window, "Main window"));
  }
  return cut;
}

class DialogTexts : public ::testing::Test {
 protected:
  QApplication& application = TestApplication();
  ScopedRegistryFile registry;
};

TEST_F(DialogTexts, NoTextOfAnyDialogIsCutOff) {
  EXPECT_EQ(CutTextsOfEveryDialog(), std::vector<std::string>{})
      << "at " << qgetenv("QT_SCALE_FACTOR").toStdString() << " scale";
}

TEST_F(DialogTexts, NoTextOfAnyDialogIsCutOffUnderTheSkin) {
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(ORLENTA_SKIN_FILE));
  skin.ApplySkin();
  EXPECT_EQ(CutTextsOfEveryDialog(), std::vector<std::string>{})
      << "at " << qgetenv("QT_SCALE_FACTOR").toStdString() << " scale";
  skin.Deinitialize();
}

TEST_F(DialogTexts, TheDialogsFollowTheDesktopsFontSizeAndStillCutNoText) {
  const struct {
    double desktopPoints;
    int dialogPixels;
  } sizes[] = {{9, 11}, {8, 11}, {11, 13}, {14, 17}};
  for (const auto& size : sizes) {
    QFont desktop("Sans Serif");
    desktop.setPointSizeF(size.desktopPoints);
    EXPECT_EQ(DialogFontPixels(desktop), size.dialogPixels) << size.desktopPoints;
  }
  const QFont before = QApplication::font();
  const QSize usual = CAboutDlg().size();
  QFont large = before;
  large.setPointSizeF(14);
  QApplication::setFont(large);
  EXPECT_EQ(DialogFont().pixelSize(), 17);
  EXPECT_GT(CAboutDlg().width(), usual.width() * 5 / 4) << "the dialog's units grow with its font";
  EXPECT_EQ(CutTextsOfEveryDialog(), std::vector<std::string>{});
  QApplication::setFont(before);
}

}  // namespace
