// Sound tracks and subtitles through whole jobs of the window's core: a DVD
// of clips with several tracks read back from its image (lsdvd, ffprobe on
// its VOB), the stereo setting on a 5.1 title, and the question a Video CD
// asks before it leaves tracks out, in the window and in batch mode.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>

#include "app/batch/batch_run.h"
#include "app/failing_ffmpeg.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/converter.h"
#include "convert/ping.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;

namespace {

QCoreApplication& CoreApplication() {
  static int argc = 1;
  static char name[] = "test_disc_tracks_job";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  return *app;
}

// One title as lsdvd -Oy lists it.
struct LsdvdTitle {
  std::vector<std::string> soundLanguages;
  std::vector<int> soundChannels;
  std::vector<std::string> subtitleLanguages;
};

std::vector<LsdvdTitle> ReadDisc(const std::string& dvd) {
  const ProcessResult result = RunProcess({FindProgram("lsdvd"), "-a", "-s", dvd});
  std::vector<LsdvdTitle> titles;
  const std::regex title(R"(^Title: \d+,)");
  const std::regex sound(R"(Audio: \d+, Language: (\S*) - .*, Channels: (\d+),)");
  const std::regex subtitle(R"(Subtitle: \d+, Language: (\S*) - )");
  std::istringstream lines(result.output);
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, title)) titles.emplace_back();
    if (titles.empty()) continue;
    if (std::regex_search(line, match, sound)) {
      titles.back().soundLanguages.push_back(match[1]);
      titles.back().soundChannels.push_back(std::stoi(match[2]));
    } else if (std::regex_search(line, match, subtitle)) {
      titles.back().subtitleLanguages.push_back(match[1]);
    }
  }
  return titles;
}

class DiscTracksJob : public ::testing::Test {
 protected:
  void SetUp() override {
    CoreApplication();
    StopFlag::Set(false);
    for (const char* folder : {"in", "out", "tmp"}) fs::create_directory(dir.File(folder));
    tmpdir.emplace("TMPDIR", dir.File("tmp"));
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    core.m_strOutputFolder = core.m_strChosenFolder = dir.File("out");
    core.m_formats[kFormatDvd]->video_codec_id = 1;  // PAL
    core.m_formats[kFormatVcd]->video_codec_id = 1;
  }
  void TearDown() override {
    EXPECT_TRUE(ProcessEventsUntil([&] { return !core.m_bListRunning; }, std::chrono::seconds(120)));
    CTemporaryFiles::DeleteTempFiles();
    StopFlag::Set(false);
    tmpdir.reset();
  }

  // An MKV with English and French sound and an English SubRip track.
  std::string Holiday() {
    return testkit::MakeTrackedClip(dir.File("in/holiday.mkv"),
                                    {.sounds = {{"eng"}, {"fra"}}, .subtitleLanguages = {"eng"}});
  }
  bool ConvertAndWaitForTheEnd() {
    core.OnButtonConvert();
    return ProcessEventsUntil([&] { return !core.m_bListRunning && !core.m_bBusy; }, std::chrono::seconds(300));
  }

  testkit::TempDir dir;
  std::optional<testkit::ScopedEnv> tmpdir;
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST_F(DiscTracksJob, ADvdCarriesEverySoundTrackAndSubtitleWithItsLanguage) {
  core.m_nOutputFormat = kFormatDvd;
  burner::DeviceName devices[burner::kMaxDevices];
  int count = 0;
  ASSERT_EQ(burner::GetDevices(devices, &count, 1), 0);
  core.m_nDVDDevice = count - 1;  // the image writer
  std::vector<testkit::TrackedClipOptions::Sound> nine;
  for (int i = 0; i < 9; ++i) nine.push_back({i < 8 ? "ger" : ""});
  const std::string side = testkit::MakeClip(dir.File("in/side.avi"), {.seconds = 1.5});
  testkit::WriteSubRip(dir.File("in/side.fr.srt"), "Bonjour", 0.1, 1.4);
  for (const std::string& clip : {
           Holiday(),
           testkit::MakeTrackedClip(dir.File("in/talk.mp4"),
                                    {.sounds = {{"spa"}}, .subtitleLanguages = {"ita"}, .subtitleCodec = "mov_text"}),
           side,
           testkit::MakeTrackedClip(dir.File("in/surround.mkv"), {.sounds = {{"eng", 6}}, .soundCodec = "ac3"}),
           testkit::MakeTrackedClip(dir.File("in/nine.mkv"), {.seconds = 1, .sounds = nine}),
       }) {
    view.ListAppend(clip);
  }
  responder.QueueMessageAnswer(IDYES);  // leave the ninth track out
  responder.QueueMessageAnswer(IDNO);   // do not open the image's folder
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 2u);
  EXPECT_EQ(responder.Messages()[0].text,
            "A DVD holds 8 sound tracks: 'sound track 9' of 'nine.mkv' will be left out. Go on?");
  EXPECT_EQ(responder.Messages()[1].text.rfind("DVD created successfully!", 0), 0u) << responder.Messages()[1].text;

  const std::string iso = dir.File("out/Video DVD.iso");
  const std::vector<LsdvdTitle> titles = ReadDisc(iso);
  ASSERT_EQ(titles.size(), 5u);
  EXPECT_EQ(titles[0].soundLanguages, (std::vector<std::string>{"en", "fr"}));
  EXPECT_EQ(titles[0].subtitleLanguages, (std::vector<std::string>{"en"}));
  EXPECT_EQ(titles[1].soundLanguages, (std::vector<std::string>{"es"}));
  EXPECT_EQ(titles[1].subtitleLanguages, (std::vector<std::string>{"it"}));
  EXPECT_EQ(titles[2].subtitleLanguages, (std::vector<std::string>{"fr"}));
  EXPECT_EQ(titles[3].soundChannels, (std::vector<int>{6})) << "5.1 stays 5.1";
  EXPECT_EQ(titles[4].soundLanguages, std::vector<std::string>(8, "de"));
  EXPECT_EQ(titles[0].soundChannels, (std::vector<int>{2, 2}));

  // The first title's subtitle is a picture with something in it.
  const std::string vob = dir.File("VTS_01_1.VOB");
  const ProcessResult extracted =
      RunProcess({FindProgram("isoinfo"), "-i", iso, "-x", "/VIDEO_TS/VTS_01_1.VOB;1"}, {.stdoutPath = vob});
  ASSERT_TRUE(extracted.Succeeded()) << extracted.output;
  const ProcessResult frames = RunProcess({FindProgram("ffprobe"), "-v", "error", "-select_streams", "s:0",
                                           "-show_entries", "subtitle=num_rects", "-show_frames", vob});
  EXPECT_NE(frames.output.find("num_rects=1"), std::string::npos) << frames.output;
}

TEST_F(DiscTracksJob, FiveOneBecomesStereoWithTheSetting) {
  const std::string clip = testkit::MakeTrackedClip(dir.File("in/surround.mkv"),
                                                    {.seconds = 1, .sounds = {{"eng", 6}}, .soundCodec = "ac3"});
  OutputFormat& dvd = *core.m_formats[kFormatDvd];
  for (const int setting : {0, 1}) {
    dvd.audio_multichannel_id = setting;
    const std::string out = dir.File("out/title" + std::to_string(setting) + ".mpg");
    ExternalConverter converter(clip, out, dvd.GetEncodingParameters(), nullptr);
    converter.Convert();
    const ProcessResult probe = RunProcess({FindProgram("ffprobe"), "-v", "error", "-select_streams", "a",
                                            "-show_entries", "stream=codec_name,channels", "-of", "csv=p=0", out});
    EXPECT_EQ(probe.output, setting == 0 ? "ac3,6\n" : "mp2,2\n") << "setting " << setting;
  }
  EXPECT_TRUE(responder.Messages().empty());
}

TEST_F(DiscTracksJob, AVideoCdAsksBeforeLeavingTracksOutAndDecliningLeavesNothing) {
  core.m_nOutputFormat = kFormatVcd;
  view.ListAppend(Holiday());
  responder.QueueMessageAnswer(IDNO);
  core.OnButtonConvert();
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text,
            "Video CD holds one sound track: 'French' and 1 subtitle track of 'holiday.mkv' will be left out. Go on?");
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_FALSE(core.m_bListRunning);
  EXPECT_EQ(core.m_strOutputFolder, dir.File("out"));
  EXPECT_TRUE(fs::is_empty(dir.File("out")));
  EXPECT_TRUE(fs::is_empty(dir.File("tmp")));
  EXPECT_EQ(fs::directory_iterator(dir.File("in"))->path().filename(), "holiday.mkv");

  // Batch mode without --yes ends with the question and status 1.
  std::FILE* out = std::tmpfile();
  BatchOptions options;
  options.format = kFormatVcd;
  options.outputFolder = dir.File("out");
  options.image = true;
  options.files = {dir.File("in/holiday.mkv")};
  EXPECT_EQ(RunBatchJob(options, out, false, PressConvertButton), 1);
  std::rewind(out);
  std::string text;
  for (int c = 0; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  std::fclose(out);
  EXPECT_NE(text.find("orlenta: the job stopped at a question that needs an answer:\n  Video CD holds one sound "
                      "track: 'French' and 1 subtitle track of 'holiday.mkv' will be left out. Go on?\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(fs::is_empty(dir.File("out")));
}

TEST_F(DiscTracksJob, TheWindowSaysHowManyTracksAFileHas) {
  const std::string holiday = Holiday();
  testkit::WriteSubRip(dir.File("in/holiday.de.srt"), "Hallo", 0.1, 1.0);
  ASSERT_TRUE(core.InputFileInfo(holiday));
  EXPECT_EQ(view.controls.strTracks, "Sound tracks: 2, subtitle tracks: 2");
  EXPECT_EQ(view.controls.strDuration.back(), 's') << "the four facts keep their texts";
}

TEST_F(DiscTracksJob, TheLibraryEngineAsksBeforeItLeavesTracksOutOfADvd) {
  view.ListAppend(Holiday());
  FailingFfmpeg ffmpeg(dir);
  core.m_nOutputFormat = kFormatDvd;
  responder.QueueMessageAnswer(IDOK);  // Error #12
  responder.QueueMessageAnswer(IDNO);
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 2u);
  EXPECT_EQ(responder.Messages()[0].text, "Error #12: Conversion problem");
  EXPECT_EQ(responder.Messages()[1].text,
            "A DVD made by the video library holds one sound track: 'French' and 1 subtitle track of 'holiday.mkv' "
            "will be left out. Go on?");
  EXPECT_EQ(view.status, "Conversion canceled!");
  EXPECT_TRUE(fs::is_empty(dir.File("out")));
}

}  // namespace
