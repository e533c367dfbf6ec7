// The settings sheet on screen (offscreen): its pages in order beside the
// navigation list, the widgets made only for shown pages, a TV standard
// refilling its page's lists, OK taking the choices, Cancel through the
// window's core, and the library pages with the burner's devices.

#include "formats/widgets/settings_sheet_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/recording_view.h"
#include "app/widgets/main_dialog.h"
#include "common/test_kit.h"
#include "formats/format_pages.h"
#include "formats/library_pages.h"
#include "formats/widgets/settings_page_widget.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/video_file.h"
#include "platform/video/widgets/codec_settings_dialog.h"
#include "ui/control_id.h"

namespace {

QStringList Rows(const QComboBox* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->itemText(i);
  return rows;
}

// The user picks a row of a list.
void Choose(QComboBox* list, int row) {
  list->setCurrentIndex(row);
  emit list->activated(row);
}

class SheetTest : public ::testing::Test {
 protected:
  SettingsSheetRequest SheetOf(const std::vector<SettingsPage*>& pages, int startPage) {
    SettingsSheetRequest request;
    request.caption = kSettingsSheetCaption;
    request.pages = pages;
    request.startPage = startPage;
    return request;
  }

  std::vector<SettingsPage*> FormatPages() {
    std::vector<SettingsPage*> pages;
    for (auto& format : formats) pages.push_back(format.get());
    return pages;
  }

  QComboBox* List(SettingsSheetDialog& sheet, int page, int id) {
    SettingsPageWidget* widget = sheet.PageWidget(page);
    return widget != nullptr ? qobject_cast<QComboBox*>(widget->GetDlgItem(id)) : nullptr;
  }

  QAbstractButton* Button(QWidget& parent, int id) { return qobject_cast<QAbstractButton*>(GetDlgItem(&parent, id)); }

  QApplication& application = TestApplication();
  std::vector<std::unique_ptr<OutputFormat>> formats = CreateFfmpegFormatPages();
};

TEST_F(SheetTest, ShowsThePagesInOrderBesideTheNavigationListAndMakesAPageOnlyWhenShown) {
  SettingsSheetDialog sheet(SheetOf(FormatPages(), kFormatDvd), nullptr);
  sheet.show();
  EXPECT_EQ(sheet.windowTitle(), "Output file format settings");
  QListWidget* navigation = sheet.Navigation();
  QStringList titles;
  for (int i = 0; i < navigation->count(); ++i) titles << navigation->item(i)->text();
  EXPECT_EQ(titles, (QStringList{"AVI", "MPEG", "WMV", "RM", "DVD", "VCD", "SVCD"}));
  EXPECT_EQ(navigation->currentRow(), kFormatDvd);
  EXPECT_EQ(navigation->width(), sheet.DialogRect(0, 0, 100, 0).width()) << "100 dialog units wide";
  EXPECT_LT(navigation->geometry().right(), sheet.PageWidget(kFormatDvd)->mapTo(&sheet, QPoint(0, 0)).x())
      << "the list is on the left";
  for (int page = 0; page < 7; ++page) {
    EXPECT_EQ(sheet.PageWidget(page) != nullptr, page == kFormatDvd) << page;
  }
  EXPECT_EQ(formats[kFormatDvd]->Controls(), sheet.PageWidget(kFormatDvd));

  QStringList buttons;
  for (const QPushButton* button : sheet.findChildren<QPushButton*>()) {
    if (button->parentWidget() == &sheet) buttons << button->text();
  }
  EXPECT_EQ(buttons, (QStringList{"OK", "Cancel"})) << "no Help and no Apply";

  SettingsPageWidget& dvd = *sheet.PageWidget(kFormatDvd);
  QStringList labels;
  for (const QLabel* label : dvd.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("TV Standard:") && labels.contains("Aspect Ratio:") && labels.contains("Using FFmpeg"))
      << labels.join(", ").toStdString();
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 295)), (QStringList{"NTSC", "PAL"}));

  navigation->setCurrentRow(kFormatAvi);
  EXPECT_EQ(sheet.ActivePage(), kFormatAvi);
  ASSERT_NE(sheet.PageWidget(kFormatAvi), nullptr);
  EXPECT_TRUE(sheet.PageWidget(kFormatAvi)->isVisible());
  EXPECT_FALSE(dvd.isVisible());
  EXPECT_EQ(Rows(List(sheet, kFormatAvi, 201)).size(), 5) << "the AVI codecs";
}

TEST_F(SheetTest, ChangingTheDvdTvStandardRefillsItsFrameSizesAndRates) {
  SettingsSheetDialog sheet(SheetOf(FormatPages(), kFormatDvd), nullptr);
  sheet.show();
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 301)), (QStringList{"Original Size", "720 x 480"}));
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 299)), (QStringList{"29.97 fps"}));
  List(sheet, kFormatDvd, 301)->setCurrentIndex(1);

  Choose(List(sheet, kFormatDvd, 295), 1);  // PAL

  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 301)), (QStringList{"Original Size", "720 x 576"}));
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 299)), (QStringList{"25.00 fps"}));
  EXPECT_EQ(List(sheet, kFormatDvd, 301)->currentIndex(), 1) << "the frame size keeps its row";
  EXPECT_EQ(List(sheet, kFormatDvd, 295)->currentIndex(), 1);

  Choose(List(sheet, kFormatDvd, 304), 0);  // ac3
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 306)), (QStringList{"224 kbps", "448 kbps"}));
  Choose(List(sheet, kFormatDvd, 306), 1);  // 448 kbps
  Choose(List(sheet, kFormatDvd, 304), 1);  // mp2
  EXPECT_EQ(Rows(List(sheet, kFormatDvd, 306)), (QStringList{"224 kbps"}));
  EXPECT_EQ(List(sheet, kFormatDvd, 306)->currentIndex(), 0);
}

TEST_F(SheetTest, OkTakesTheChoicesOfEveryPageIntoTheFormatsAndEndsThePagesWidgets) {
  SettingsSheetDialog sheet(SheetOf(FormatPages(), kFormatDvd), nullptr);
  sheet.show();
  Choose(List(sheet, kFormatDvd, 297), 0);  // 6000 kbps
  Choose(List(sheet, kFormatDvd, 310), 2);  // 16:9
  sheet.Navigation()->setCurrentRow(kFormatVcd);
  EXPECT_EQ(formats[kFormatDvd]->video_bitrate_id, 0) << "leaving a page takes its choices";
  Choose(List(sheet, kFormatVcd, 261), 1);  // PAL
  Choose(List(sheet, kFormatVcd, 267), 2);  // 704 x 576

  Button(sheet, IDOK)->click();

  EXPECT_EQ(sheet.result(), IDOK);
  EXPECT_EQ(formats[kFormatDvd]->video_bitrate_id, 0);
  EXPECT_EQ(formats[kFormatDvd]->video_aspect_id, 2);
  EXPECT_EQ(formats[kFormatVcd]->video_codec_id, 1);
  EXPECT_EQ(formats[kFormatVcd]->video_framesize_id, 2);
  EXPECT_EQ(formats[kFormatVcd]->GetEncodingParameters().height, 576);
  EXPECT_EQ(formats[kFormatSvcd]->video_codec_id, 0) << "a page never shown keeps its choices";
  for (const auto& format : formats) EXPECT_EQ(format->Controls(), nullptr) << "no widget after the sheet ended";
  EXPECT_EQ(sheet.PageWidget(kFormatDvd), nullptr);
}

TEST_F(SheetTest, CancelOnTheRealSheetLeavesTheWindowsFormatsAsTheyWere) {
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
  core.SetView(&view);
  core.SetDefaultSettings();
  core.OnInitDialog();
  core.m_nOutputFormat = kFormatVcd;
  const OutputFormat& vcd = *core.m_formats[kFormatVcd];
  const OutputFormat& dvd = *core.m_formats[kFormatDvd];
  const int vcdCodec = vcd.video_codec_id;
  const int dvdBitrate = dvd.video_bitrate_id;
  int shownPage = -1;
  responder.SetDialogHandler([&](const DialogRequest& request) {
    SettingsSheetDialog sheet(*request.As<SettingsSheetRequest>(), nullptr);
    sheet.show();
    shownPage = sheet.ActivePage();
    Choose(List(sheet, 1, 261), 1 - vcdCodec);
    sheet.Navigation()->setCurrentRow(0);  // leaves the VCD page: its choices are taken
    Choose(List(sheet, 0, 297), 3);
    Button(sheet, IDCANCEL)->click();
    return DialogResult{sheet.result(), {}};
  });

  core.OnButtonSettings();

  EXPECT_EQ(shownPage, 1) << "the sheet opened on the VCD page";
  EXPECT_EQ(vcd.video_codec_id, vcdCodec);
  EXPECT_EQ(dvd.video_bitrate_id, dvdBitrate);
}

TEST_F(SheetTest, TheWindowsSettingsAndAdvancedButtonsOpenTheSheet) {
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  CCastrel1Dlg core;
  MainDialog window(core, nullptr);
  core.SetDefaultSettings();
  core.OnInitDialog();
  Button(window, control_id::kSettings)->click();
  Button(window, control_id::kAdvanced)->click();
  EXPECT_EQ(responder.Requests<SettingsSheetRequest>().size(), 2u);
}

TEST_F(SheetTest, TheLibraryDiscPagesListTheBurnersDevicesAndTheBitRates) {
  testkit::TempDir dir;
  testkit::ScopedEnv drives(kPseudoDrivesVariable, dir.File("drive.img"));
  CPageDVD dvd;
  CPageVCD vcd;
  CPageSVCD svcd;
  dvd.m_nDevice = 0;
  dvd.m_nType = 0;
  dvd.m_nBitrate = 4;
  vcd.m_nDevice = 0;
  vcd.m_nType = 1;
  vcd.m_nBitrate = 9;
  SettingsSheetDialog sheet(SheetOf({&dvd, &vcd, &svcd}, 0), nullptr);
  sheet.show();
  QStringList titles;
  for (int i = 0; i < sheet.Navigation()->count(); ++i) titles << sheet.Navigation()->item(i)->text();
  EXPECT_EQ(titles, (QStringList{"DVD", "VCD Settings", "SVCD Settings"}));

  const QStringList devices = Rows(List(sheet, 0, CDiscLibraryPage::kDeviceList));
  ASSERT_GE(devices.size(), 2);
  EXPECT_TRUE(devices[devices.size() - 2].endsWith(": File drive drive.img")) << devices.join("|").toStdString();
  EXPECT_TRUE(devices.back().endsWith(": Image file in the output folder"));
  EXPECT_EQ(List(sheet, 0, CDiscLibraryPage::kDeviceList)->currentIndex(), 0);
  EXPECT_EQ(Rows(List(sheet, 0, CDiscLibraryPage::kBitrateList)),
            (QStringList{"1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "9000", "10000"}));
  EXPECT_EQ(List(sheet, 0, CDiscLibraryPage::kBitrateList)->currentText(), "5000");
  EXPECT_TRUE(Button(*sheet.PageWidget(0), CDiscLibraryPage::kTypeNtsc)->isChecked());

  sheet.Navigation()->setCurrentRow(1);
  EXPECT_EQ(List(sheet, 1, CDiscLibraryPage::kBitrateList)->currentText(), "1150");
  EXPECT_TRUE(Button(*sheet.PageWidget(1), CDiscLibraryPage::kTypePal)->isChecked());
  Button(*sheet.PageWidget(1), CDiscLibraryPage::kTypeNtsc)->click();
  Choose(List(sheet, 1, CDiscLibraryPage::kBitrateList), 4);
  Choose(List(sheet, 1, CDiscLibraryPage::kDeviceList), static_cast<int>(devices.size()) - 1);
  Button(sheet, IDOK)->click();

  EXPECT_EQ(vcd.m_nType, 0);
  EXPECT_EQ(vcd.m_nBitrate, 4);
  EXPECT_EQ(vcd.m_nDevice, devices.size() - 1) << "the image writer";
  EXPECT_EQ(dvd.m_nBitrate, 4);
}

TEST_F(SheetTest, ConfigureCodecOnTheAviPageAsksForTheChosenCodecsSettings) {
  ScriptedResponder responder;
  VideoFile writer;
  std::vector<std::string> codecs;
  for (int number = 1; number <= writer.VideoCodecCount(); ++number)
    codecs.push_back(VideoFile::VideoCodecName(number));
  ASSERT_GE(codecs.size(), 3u);
  CPageAVI avi;
  avi.SetVideoLibrary(&codecs, &writer);
  avi.m_nCodec = 2;
  SettingsSheetDialog sheet(SheetOf({&avi}, 0), nullptr);
  sheet.show();
  EXPECT_EQ(Rows(List(sheet, 0, CPageAVI::kCodecList)).size(), static_cast<int>(codecs.size()));
  Button(*sheet.PageWidget(0), CPageAVI::kConfigureCodec)->click();
  const auto asked = responder.Requests<CodecSettingsRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].codecName, codecs[2]);
}

TEST_F(SheetTest, TheCodecSettingsDialogStartsFromTheCurrentSettingsAndAnswersItsValues) {
  CodecSettingsRequest request;
  request.codecName = "Motion JPEG";
  request.encoder = "mjpeg";
  request.scale = QualityScale::Quantizer;
  request.qualityMin = 1;
  request.qualityMax = 31;
  request.current = {5, 0, 25};
  CodecSettingsDialog dialog(request, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Motion JPEG");
  ASSERT_NE(dialog.QualityBox(), nullptr);
  EXPECT_EQ(dialog.QualityBox()->value(), 5);
  EXPECT_EQ(dialog.QualityBox()->maximum(), 31);
  dialog.BitrateBox()->setValue(1800);
  const CodecSettingsAnswer answer = dialog.Answer();
  EXPECT_EQ(answer.quality, 5);
  EXPECT_EQ(answer.bitrateKbps, 1800);
  EXPECT_EQ(answer.keyframeInterval, 25);

  request.scale = QualityScale::None;
  request.qualityMin = request.qualityMax = 0;
  CodecSettingsDialog lossless(request, nullptr);
  EXPECT_EQ(lossless.QualityBox(), nullptr) << "a codec without a quality setting offers none";
}

}  // namespace
