// The gauge under the list, headless: the core's plan for the listed files
// follows the list, the format, the quality and the disc sizes (the settings
// sheet's disc pages), and is stored with the settings.

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/converter.h"
#include "disc/disc_prompts.h"
#include "disc/dvd_space_plan.h"
#include "formats/ffmpeg_page_layout.h"
#include "formats/settings_sheet_request.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"

namespace {

constexpr std::int64_t kMinute = 60'000;
constexpr int SB_ENDSCROLL = 8;

class DiscGauge : public ::testing::Test {
 protected:
  void SetUp() override {
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
  }

  // Listed files of these lengths (known to the core as Add File leaves them).
  void List(const std::vector<std::int64_t>& durationsMs) {
    view.list.clear();
    for (std::size_t i = 0; i < durationsMs.size(); ++i) {
      const std::string path = "/videos/title " + std::to_string(i + 1) + ".mp4";
      view.list.push_back(path);
      core.m_mapListDurations[path] = durationsMs[i];
    }
    core.UpdateData(false);
  }
  void ChooseFormat(OutputFormatId format) {
    view.controls.nOutputFormat = format;
    core.OnFormatRadio(format);
  }
  void MoveQuality(int position) {
    view.controls.nSliderPos = position;
    core.OnHScroll(SB_ENDSCROLL, position, control_id::kQualitySlider);
  }
  const DiscPlan& Shown() const { return view.plans.back(); }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST_F(DiscGauge, FollowsTheListTheFormatTheQualityAndTheDiscSize) {
  ASSERT_FALSE(view.plans.empty()) << "the window opens with a gauge";
  EXPECT_EQ(Shown().fileCount, 0);

  List({60 * kMinute, 60 * kMinute});
  // 2 h are fitted to fill 97 % of the disc: 4718 kbit/s, under the 5000 of the setting.
  EXPECT_EQ(Shown().videoKbps, 4718);
  EXPECT_EQ(Shown().fillPercent, 97);
  EXPECT_TRUE(Shown().fits);

  MoveQuality(2);  // the slider's third place: 3000 kbit/s
  EXPECT_EQ(Shown().videoKbps, 3000);
  EXPECT_EQ(Shown().fillPercent, 63);

  core.m_nDVDDiscSize = 1;
  MoveQuality(5);  // 6000 kbit/s fits a DVD-9
  EXPECT_EQ(Shown().videoKbps, 6000);
  EXPECT_EQ(Shown().discName, "DVD-9 (8.5 GB)");

  // A VCD holds the selected file: one hour, 618,300,000 bytes.
  view.selection = 0;
  ChooseFormat(kFormatVcd);
  EXPECT_EQ(Shown().cdCount, 2) << "over two 650 MB CDs";
  core.m_nCDDiscSize = 1;
  core.UpdateData(false);
  EXPECT_EQ(Shown().cdCount, 1) << "one 700 MB CD";

  // Removing the files empties the gauge.
  ChooseFormat(kFormatDvd);
  view.selection = 0;
  core.OnRemoveFile();
  view.selection = 0;
  core.OnRemoveFile();
  EXPECT_EQ(Shown().fileCount, 0);
  EXPECT_EQ(DiscPlanLines(Shown()).front(), "No video listed yet: add files to see how full the disc will be.");
}

TEST_F(DiscGauge, TheGaugeShowsTheFiguresOfThePlanForATableOfLists) {
  struct Case {
    std::vector<std::int64_t> durationsMs;
    bool fits;
  };
  const Case cases[] = {{{5 * kMinute}, true},
                        {std::vector<std::int64_t>(8, 20 * kMinute), true},
                        {{40 * 60 * kMinute, 10 * 60 * kMinute}, false}};
  for (const Case& c : cases) {
    List(c.durationsMs);
    DiscPlanRequest request;
    request.format = kFormatDvd;
    request.durationsMs = c.durationsMs;
    request.dvdBitrateSettingKbps = core.m_nDVDBitrate;
    EXPECT_EQ(DiscPlanLines(Shown()), DiscPlanLines(PlanDisc(request)));
    EXPECT_EQ(Shown().fits, c.fits);
  }
}

TEST_F(DiscGauge, TheDiscPagesSetTheDiscSizesWhichAreStored) {
  responder.SetDialogHandler([](const DialogRequest& request) {
    if (const auto* sheet = request.As<SettingsSheetRequest>()) {
      for (SettingsPage* page : sheet->pages) {
        auto* format = static_cast<OutputFormat*>(page);
        // The user picks DVD-9 and 800 MB CDs on the SVCD page.
        if (format->format_id == kFormatDvd) {
          EXPECT_EQ(format->chapter_minutes, 5) << "the page shows the window's chapter interval";
          format->disc_size_id = 1;
          format->chapter_minutes = 0;  // and no chapters
        }
        if (format->format_id == kFormatSvcd) format->disc_size_id = 2;
      }
    }
    return DialogResult{IDOK, {}};
  });
  core.OnButtonSettings();
  EXPECT_EQ(core.m_nDVDDiscSize, 1);
  EXPECT_EQ(core.m_nCDDiscSize, 2);
  EXPECT_EQ(core.m_nChapterSeconds, 0);
  EXPECT_EQ(Shown().discName, "DVD-9 (8.5 GB)");
  EXPECT_EQ(core.DvdMediumCapacity(), 8'547'991'552);
  EXPECT_EQ(core.CdStreamCapacity(), 738'461'538);

  ASSERT_EQ(core.SaveSettings(), ERROR_SUCCESS);
  CCastrel1Dlg restarted;
  restarted.SetDefaultSettings();
  restarted.LoadSettings();
  EXPECT_EQ(restarted.m_nDVDDiscSize, 1);
  EXPECT_EQ(restarted.m_nCDDiscSize, 2);
  EXPECT_EQ(restarted.m_nChapterSeconds, 0);

  // The chapter interval is on the DVD page only, from off to 30 minutes.
  for (OutputFormatId id : {kFormatDvd, kFormatVcd, kFormatSvcd}) {
    bool found = false;
    for (const PageItem& item : core.m_formats[id]->Template().items) found = found || item.text == "Chapters:";
    EXPECT_EQ(found, id == kFormatDvd) << id;
  }
  const std::vector<std::string> intervals = ChapterIntervalNames();
  ASSERT_EQ(intervals.size(), 31u);
  EXPECT_EQ(intervals[0], "Off");
  EXPECT_EQ(intervals[1], "Every minute");
  EXPECT_EQ(intervals[5], "Every 5 minutes");
  EXPECT_EQ(intervals[30], "Every 30 minutes");

  // Each disc page has its disc size list.
  for (OutputFormatId id : {kFormatDvd, kFormatVcd, kFormatSvcd}) {
    const PageTemplate& page = core.m_formats[id]->Template();
    bool found = false;
    for (const PageItem& item : page.items) found = found || item.id == FfmpegPageControls(id).discSize;
    EXPECT_TRUE(found) << id;
  }
}

TEST_F(DiscGauge, MenuTitlesAreTheFileNamesUnlessTheUserNamesThem) {
  view.list = {"/videos/Holiday 2019.mp4", "/videos/b.tar.mkv"};
  EXPECT_EQ(core.MenuTitles(), (std::vector<std::string>{"Holiday 2019", "b.tar"}));

  responder.QueueAnswer<TitleTextRequest>(IDOK, {"Summer by the sea\nsecond line"});
  view.selection = 0;
  core.OnEditTitle();
  const auto asked = responder.Requests<TitleTextRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].fileName, "Holiday 2019.mp4");
  EXPECT_EQ(asked[0].text, "Holiday 2019");
  EXPECT_EQ(core.MenuTitles(), (std::vector<std::string>{"Summer by the sea", "b.tar"})) << "one line of it";
  EXPECT_EQ(view.titles[0], "Summer by the sea");

  responder.QueueAnswer<TitleTextRequest>(IDCANCEL);
  core.OnEditTitle();
  EXPECT_EQ(core.MenuTitles()[0], "Summer by the sea") << "Cancel changes nothing";
  core.SetTitleText(0, "");
  EXPECT_EQ(core.MenuTitles()[0], "Holiday 2019") << "an empty text gives the file's name back";

  core.m_nChapterSeconds = 0;
  ASSERT_EQ(core.SaveSettings(), ERROR_SUCCESS);
  CCastrel1Dlg restarted;
  restarted.SetDefaultSettings();
  restarted.LoadSettings();
  EXPECT_EQ(restarted.m_nChapterSeconds, 0) << "chapters off is kept";
}

TEST_F(DiscGauge, CountsEveryTrackADvdKeepsAsTheConvertCommandDoes) {
  testkit::TempDir dir;
  testkit::TrackedClipOptions threeTracks;
  threeTracks.sounds = {{"eng"}, {"fra"}, {"deu", 6}};
  threeTracks.subtitleLanguages = {"eng", "fra"};
  const std::vector<std::string> inputs = {testkit::MakeTrackedClip(dir.File("three tracks.mkv"), threeTracks),
                                           testkit::MakeClip(dir.File("plain.mp4"))};
  view.list = inputs;
  // Long titles, so that the tracks' room lowers the video's rate.
  for (const std::string& input : inputs) core.m_mapListDurations[input] = 70 * kMinute;
  ChooseFormat(kFormatDvd);
  const DiscPlan plan = core.MakeDiscPlan();

  // What the Convert command counts: every track the DVD keeps of each file,
  // over the files' lengths.
  const EncodingParameters parameters = core.GetCurrentOutputFormat().GetEncodingParameters();
  double kbpsMs = 0;
  double ms = 0;
  for (const std::string& input : inputs) {
    const InputProbe probe = ProbeInput(input.c_str());
    ASSERT_TRUE(probe.streamsKnown);
    const double length = std::max(1.0, probe.durationSeconds) * 1000;
    kbpsMs += length * DvdTrackKbps(PlanDiscTracks(probe.tracks, DiscKind::Dvd), parameters.audio_bitrate / 1000,
                                    parameters.keep_multichannel);
    ms += length;
  }
  const int trackKbps = static_cast<int>(kbpsMs / ms + 0.5);
  EXPECT_GT(trackKbps, 2 * kDvdAudioKbps) << "three sound tracks and two subtitles in half the list";
  EXPECT_EQ(plan.audioKbps, trackKbps) << "the gauge counts what Convert counts";
  const DvdSpacePlan convert =
      PlanDvdSpace(140 * kMinute, core.m_nDVDBitrate, trackKbps, DvdPlanCapacityBits(core.m_nDVDDiscSize),
                   DvdMediumBytes(core.m_nDVDDiscSize));
  EXPECT_LT(convert.encoderVideoKbps, core.m_nDVDBitrate) << "the tracks' room lowers the rate";
  EXPECT_EQ(plan.videoKbps, convert.encoderVideoKbps) << "the rate the titles are encoded at";
  EXPECT_EQ(plan.sizeBytes, static_cast<std::int64_t>(140.0 * kMinute * (convert.encoderVideoKbps + trackKbps) / 8 *
                                                      (1 + kDvdMuxOverhead)));
}

}  // namespace
