// The settings pages without their widget: what the lists of the format pages
// and the library pages hold, how a change of codec or TV standard refills
// the others, and how the choices move between the lists and the members.

#include <gtest/gtest.h>

#include "common/test_kit.h"
#include "formats/fake_page_controls.h"
#include "formats/ffmpeg_page_layout.h"
#include "formats/format_pages.h"
#include "formats/format_test_support.h"
#include "formats/library_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/video/codec_settings_request.h"
#include "platform/video/video_file.h"

namespace {

using Rows = std::vector<std::string>;

const Rows kAllFrameSizes = {"Original Size", "160 x 120",  "176 x 144",  "192 x 168", "240 x 180", "320 x 200",
                             "320 x 240",     "352 x 288",  "640 x 480",  "720 x 480", "720 x 576", "800 x 400",
                             "800 x 600",     "1024 x 600", "1024 x 768", "1280 x 720"};

TEST(FormatPage, OpeningShowsEveryTableOfTheFormatAndSelectsTheStoredChoices) {
  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;    // PAL
  dvd.video_bitrate_id = 3;  // 9000 kbps
  dvd.video_aspect_id = 2;   // 16:9
  dvd.audio_codec_id = 0;    // ac3
  dvd.audio_bitrate_id = 1;  // 448 kbps
  FakePageControls page(dvd);
  LogCapture log;
  EXPECT_TRUE(dvd.OnInitDialog());

  EXPECT_EQ(page.rows[295], (Rows{"NTSC", "PAL"}));
  EXPECT_EQ(page.rows[297], (Rows{"6000 kbps", "7000 kbps", "8000 kbps", "9000 kbps"}));
  EXPECT_EQ(page.rows[299], (Rows{"25.00 fps"}));
  EXPECT_EQ(page.rows[301], (Rows{"Original Size", "720 x 576"}));
  EXPECT_EQ(page.rows[310], (Rows{"Auto", "4:3", "16:9"}));
  EXPECT_EQ(page.rows[304], (Rows{"ac3", "mp2"}));
  EXPECT_EQ(page.rows[306], (Rows{"224 kbps", "448 kbps"}));
  EXPECT_EQ(page.rows[308], (Rows{"Mono", "Stereo"}));
  EXPECT_EQ(page.rows[312], (Rows{"As the source", "Stereo"}));
  EXPECT_EQ(page.rows[311], (Rows{"DVD-5 (4.7 GB)", "DVD-9 (8.5 GB)"}));
  ASSERT_EQ(page.rows[313].size(), 31u);  // the chapter interval: off, or 1 to 30 minutes
  EXPECT_EQ(page.rows[313][5], "Every 5 minutes");
  const std::map<int, int> shown = {{295, 1}, {297, 3}, {299, 0}, {301, 0}, {310, 2}, {304, 0},
                                    {306, 1}, {308, 1}, {312, 0}, {311, 0}, {313, 5}};
  EXPECT_EQ(page.selection, shown);
  const std::vector<std::string> lines = log.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "OutputFormat::OnInitDialog");
  EXPECT_EQ(lines[1], "OutputFormat::UpdateSettingsValues - format 4");
}

TEST(FormatPage, AFileFormatPageHasNoAspectListAndNamesItsCodecs) {
  CPageAVI_Ffmpeg avi;
  FakePageControls page(avi);
  avi.OnInitDialog();
  EXPECT_EQ(page.rows.count(0), 0u);
  EXPECT_EQ(page.rows.size(), 7u);
  EXPECT_EQ(page.rows[201], (Rows{"MS MPEG4 V2", "DIVX", "MJPEG", "Windows Media 7", "Windows Media 8"}));
  EXPECT_EQ(page.rows[207], kAllFrameSizes);
  EXPECT_EQ(page.rows[205], (Rows{"10.00 fps", "15.00 fps", "20.00 fps", "23.98 fps", "24.00 fps", "25.00 fps",
                                  "29.97 fps", "30.00 fps"}));
}

// A choice on one list, and what the page's lists and members are after it.
struct RefreshCase {
  const char* situation;
  OutputFormatId format;
  int list;  // the list the user changes
  int row;
  int watchedList;
  Rows watchedRows;
  std::int32_t OutputFormat::*member;
  std::int32_t memberAfter;
};

std::unique_ptr<OutputFormat> PageOf(OutputFormatId id) {
  auto pages = CreateFfmpegFormatPages();
  return std::move(pages[static_cast<std::size_t>(id)]);
}

TEST(FormatPage, ACodecOrTvStandardChangeRefillsTheListsItSelectsAndKeepsChoicesThatStillHaveARow) {
  const RefreshCase cases[] = {
      {"DVD to PAL: the PAL frame sizes",
       kFormatDvd,
       295,
       1,
       301,
       {"Original Size", "720 x 576"},
       &OutputFormat::video_framesize_id,
       1},
      {"DVD to PAL: the single PAL frame rate",
       kFormatDvd,
       295,
       1,
       299,
       {"25.00 fps"},
       &OutputFormat::video_framerate_id,
       0},
      {"DVD ac3 to mp2: 448 kbps falls back to 224",
       kFormatDvd,
       304,
       1,
       306,
       {"224 kbps"},
       &OutputFormat::audio_bitrate_id,
       0},
      {"VCD PAL to NTSC keeps row 2 (704 x 480)",
       kFormatVcd,
       261,
       0,
       267,
       {"Original Size", "352 x 240", "704 x 480"},
       &OutputFormat::video_framesize_id,
       2},
      {"SVCD to PAL", kFormatSvcd, 278, 1, 284, {"Original Size", "480 x 576"}, &OutputFormat::video_framesize_id, 1},
      {"AVI to MJPEG: seven bit rates, 9000 becomes 2500",
       kFormatAvi,
       201,
       2,
       203,
       {"100 kbps", "200 kbps", "450 kbps", "600 kbps", "1000 kbps", "1600 kbps", "2500 kbps"},
       &OutputFormat::video_bitrate_id,
       6},
  };
  for (const RefreshCase& c : cases) {
    auto format = PageOf(c.format);
    // Choices that the new tables may not have: the last rows of the old ones.
    format->video_codec_id = c.format == kFormatVcd ? 1 : 0;
    format->video_framesize_id = c.format == kFormatVcd ? 2 : 1;
    format->video_bitrate_id = c.format == kFormatAvi ? 9 : 0;
    format->audio_codec_id = 0;
    format->audio_bitrate_id = 1;
    FakePageControls page(*format);
    format->OnInitDialog();
    page.Choose(c.list, c.row);
    EXPECT_EQ(page.rows[c.watchedList], c.watchedRows) << c.situation;
    EXPECT_EQ((*format).*c.member, c.memberAfter) << c.situation;
    EXPECT_EQ(page.selection[c.watchedList], c.memberAfter) << c.situation;
  }
}

TEST(FormatPage, MpegWmvAndRmNeverRefillTheirListsAndOtherListsRefillNothing) {
  struct Case {
    OutputFormatId format;
    int list;
  };
  const Case cases[] = {{kFormatMpeg, 216}, {kFormatWmv, 231}, {kFormatRm, 246},
                        {kFormatDvd, 297},  {kFormatVcd, 270}, {kFormatAvi, 203}};
  for (const Case& c : cases) {
    auto format = PageOf(c.format);
    FakePageControls page(*format);
    format->OnInitDialog();
    const std::int32_t before = format->video_codec_id;
    LogCapture log;
    page.Choose(c.list, 1);
    EXPECT_TRUE(log.Lines().empty()) << c.format << ": " << log.Lines().front();
    EXPECT_EQ(format->video_codec_id, before) << "read only when the page is left";
  }
}

TEST(FormatPage, LeavingThePageTakesTheListsIntoTheMembersAndAnEmptySelectionAsMinusOne) {
  CPageVCD_Ffmpeg vcd;
  vcd.video_framesize_id = 7;  // loaded from an edited file: no such row
  FakePageControls page(vcd);
  vcd.OnInitDialog();
  EXPECT_EQ(page.selection[267], -1) << "a stored index without a row shows no selection";
  page.selection[272] = 0;
  page.selection[274] = 0;
  page.selection[276] = 1;
  EXPECT_TRUE(vcd.OnKillActive());
  EXPECT_EQ(vcd.video_framesize_id, -1);
  EXPECT_EQ(vcd.audio_channels_id, 0);
  EXPECT_EQ(vcd.video_aspect_id, 1);
  EXPECT_EQ(vcd.GetEncodingParameters().width, 0) << "-1 is used as row 0, the source size";
}

TEST(FormatPage, WithoutItsWidgetAPageChangesNothing) {
  CPageDVD_Ffmpeg dvd;
  dvd.video_bitrate_id = 3;
  dvd.OnSelChange(295);
  EXPECT_TRUE(dvd.OnKillActive());
  EXPECT_EQ(dvd.video_bitrate_id, 3);
}

TEST(FormatPage, EachPageHasItsTemplateNumberTitleAndAListForEveryControlId) {
  auto pages = CreateFfmpegFormatPages();
  const char* titles[] = {"AVI", "MPEG", "WMV", "RM", "DVD", "VCD", "SVCD"};
  const int templates[] = {180, 182, 186, 183, 181, 184, 185};
  for (OutputFormatId id = 0; id < kOutputFormatCount; ++id) {
    const OutputFormat& page = *pages[static_cast<std::size_t>(id)];
    EXPECT_EQ(page.Title(), titles[id]);
    EXPECT_EQ(page.Template().id, templates[id]);
    const FfmpegPageControlIds& ids = FfmpegPageControls(id);
    std::vector<int> lists;
    for (const PageItem& item : page.Template().items) {
      if (item.kind == PageItem::Kind::DropDown) lists.push_back(item.id);
    }
    std::vector<int> expected = {ids.videoCodec, ids.videoBitrate, ids.videoFramerate, ids.videoFramesize};
    if (IsDiscFormat(id)) expected.push_back(ids.videoAspect);
    expected.insert(expected.end(), {ids.audioCodec, ids.audioBitrate, ids.audioChannels});
    if (id == kFormatDvd) expected.push_back(ids.audioMultichannel);  // the DVD keeps 5.1 or mixes it down
    if (IsDiscFormat(id)) expected.push_back(ids.discSize);
    if (id == kFormatDvd) expected.push_back(ids.chapterMinutes);
    EXPECT_EQ(lists, expected) << titles[id];
    bool usingFfmpeg = false;
    for (const PageItem& item : page.Template().items) usingFfmpeg |= item.text == "Using FFmpeg";
    EXPECT_TRUE(usingFfmpeg) << titles[id];
  }
}

// Library pages --------------------------------------------------------------

class LibraryDiscPage : public ::testing::Test {
 protected:
  testkit::TempDir dir;
  // Two file-backed drives, so the list is known whatever drives the machine has.
  testkit::ScopedEnv drives{kPseudoDrivesVariable, dir.File("first.img") + ":" + dir.File("second.img")};
};

TEST_F(LibraryDiscPage, ListsTheBurnersDevicesWithTheImageWriterAndTenBitRates) {
  struct Case {
    CDiscLibraryPage* page;
    const char* caption;
    Rows bitrates;
  };
  CPageDVD dvd;
  CPageVCD vcd;
  CPageSVCD svcd;
  const Case cases[] = {
      {&dvd, "DVD", {"1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "9000", "10000"}},
      {&vcd, "VCD Settings", {"700", "750", "800", "850", "900", "950", "1000", "1050", "1100", "1150"}},
      {&svcd, "SVCD Settings", {"1600", "1700", "1800", "1900", "2000", "2100", "2200", "2300", "2400", "2500"}},
  };
  for (const Case& c : cases) {
    c.page->m_nDevice = 1;
    c.page->m_nType = 1;
    c.page->m_nBitrate = 9;
    FakePageControls controls(*c.page);
    EXPECT_TRUE(c.page->OnInitDialog());
    EXPECT_EQ(c.page->Title(), c.caption);
    EXPECT_EQ(controls.rows[CDiscLibraryPage::kBitrateList], c.bitrates) << c.caption;
    const Rows& devices = controls.rows[CDiscLibraryPage::kDeviceList];
    ASSERT_GE(devices.size(), 3u) << c.caption;
    EXPECT_EQ(devices[devices.size() - 3].substr(1), ": File drive first.img");
    EXPECT_EQ(devices[devices.size() - 2].substr(1), ": File drive second.img");
    EXPECT_EQ(devices.back().substr(1), ": Image file in the output folder");
    EXPECT_EQ(controls.selection[CDiscLibraryPage::kDeviceList], 1);
    EXPECT_EQ(controls.selection[CDiscLibraryPage::kTypeNtsc], 1);
    EXPECT_EQ(controls.selection[CDiscLibraryPage::kBitrateList], 9);
  }
}

TEST_F(LibraryDiscPage, TheChoicesAreReadBackWhenThePageIsLeftAndNothingChosenIsMinusOne) {
  CPageDVD dvd;
  dvd.m_nDevice = 40;  // no such device
  dvd.m_nType = 0;
  dvd.m_nBitrate = 4;
  FakePageControls controls(dvd);
  dvd.OnInitDialog();
  controls.selection[CDiscLibraryPage::kTypeNtsc] = 1;
  controls.selection[CDiscLibraryPage::kBitrateList] = 7;
  dvd.OnKillActive();
  EXPECT_EQ(dvd.m_nDevice, -1);
  EXPECT_EQ(dvd.m_nType, 1);
  EXPECT_EQ(dvd.m_nBitrate, 7);
}

TEST(LibraryFilePages, ListTheLibrarysFrameRatesCodecsAndProfiles) {
  const std::vector<std::string> codecs = {"First codec", "Second codec"};
  CPageAVI avi;
  avi.SetVideoLibrary(&codecs, nullptr);
  avi.m_nCodec = 1;
  avi.m_nAudioFormat = 5;
  FakePageControls aviControls(avi);
  avi.OnInitDialog();
  EXPECT_EQ(aviControls.rows[CPageAVI::kFrameRateList],
            (Rows{"10.00", "15.00", "20.00", "23.97", "24.00", "25.00", "29.97", "30.00"}));
  EXPECT_EQ(aviControls.rows[CPageAVI::kCodecList], codecs);
  EXPECT_EQ(aviControls.selection[CPageAVI::kCodecList], 1);
  EXPECT_EQ(aviControls.selection[CPageAVI::kAudioFormatPcm], 5);

  CPageMPEG mpeg;
  FakePageControls mpegControls(mpeg);
  mpeg.OnInitDialog();
  EXPECT_EQ(mpegControls.rows[CPageMPEG::kFrameRateList], (Rows{"23.97", "24.00", "25.00", "29.97", "30.00"}));
  EXPECT_EQ(mpegControls.rows[CPageMPEG::kBitrateList], (Rows{"750", "1150", "1950", "2376"}));
  EXPECT_EQ(mpeg.Title(), "MPEG");

  CPageWMV wmv;
  CPageRM rm;
  FakePageControls wmvControls(wmv);
  FakePageControls rmControls(rm);
  wmv.m_nProfile = 12;
  wmv.OnInitDialog();
  rm.OnInitDialog();
  ASSERT_EQ(static_cast<int>(wmvControls.rows[CPageWMV::kProfileList].size()), VideoFile::WMVProfileCount());
  EXPECT_EQ(wmvControls.rows[CPageWMV::kProfileList].front(), VideoFile::WMVProfileName(1));
  EXPECT_EQ(wmvControls.selection[CPageWMV::kProfileList], 12) << "the slider's top profile has a row";
  EXPECT_EQ(static_cast<int>(rmControls.rows[CPageRM::kProfileList].size()), VideoFile::RMProfileCount());
  EXPECT_EQ(rm.Title(), "Real Media");
  EXPECT_EQ(wmv.Title(), "WMV");
}

TEST(LibraryFilePages, ConfigureCodecShowsTheChosenCodecsSettingsAndLeavesTheWritersSelection) {
  ScriptedResponder responder;
  VideoFile writer;
  ASSERT_GE(writer.VideoCodecCount(), 2);
  writer.SelectVideoCodec(1);
  std::vector<std::string> codecs;
  for (int number = 1; number <= writer.VideoCodecCount(); ++number)
    codecs.push_back(VideoFile::VideoCodecName(number));
  CPageAVI avi;
  avi.SetVideoLibrary(&codecs, &writer);
  FakePageControls controls(avi);
  avi.OnInitDialog();
  controls.selection[CPageAVI::kCodecList] = 1;
  responder.QueueAnswer<CodecSettingsRequest>(IDOK, CodecSettingsAnswer{7, 0, 50});

  avi.OnButton(CPageAVI::kConfigureCodec);

  const auto asked = responder.Requests<CodecSettingsRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].codecName, codecs[1]);
  EXPECT_EQ(avi.m_nCodec, 1) << "the page's choice was read first";
  EXPECT_EQ(writer.SelectedVideoCodec(), 1);
  EXPECT_EQ(writer.Settings().aviCodecSettings.at(2).keyframeInterval, 50) << "the dialog's answer reached codec 2";
}

TEST(LibraryFilePages, HowToMpeg4OpensTheMpeg4Dialog) {
  ScriptedResponder responder;
  CPageMPEG mpeg;
  FakePageControls controls(mpeg);
  mpeg.OnButton(CPageMPEG::kHowToMpeg4);
  EXPECT_EQ(responder.DialogNames(), (std::vector<std::string>{"CMPEG4Dlg"}));
}

}  // namespace
