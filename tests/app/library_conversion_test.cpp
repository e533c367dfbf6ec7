// The library-based conversion in the window's core, headless: every output
// format read back by ffprobe, the disc frames with their black borders on
// decoded pictures, the CD parts through vcdimager, the Video CD padding,
// refusals, failures, and cancelling on the core's thread and on a
// background thread.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "app/failing_ffmpeg.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/ffprobe_reading.h"
#include "common/shape_clips.h"
#include "common/shape_expectations.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/video_file.h"
#include "support/event_wait.h"

namespace {

namespace fs = std::filesystem;

class CoreApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_library_conversion";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CoreApplication);

// A recording view that also notes every call made off the thread that made it.
class ThreadCheckingView : public RecordingView {
 public:
  WindowHandle Handle() override { return Check(RecordingView::Handle()); }
  void ExchangeData(DialogData& data, bool save) override {
    Check();
    RecordingView::ExchangeData(data, save);
  }
  void EnableControl(int id, bool enable) override {
    Check();
    RecordingView::EnableControl(id, enable);
  }
  void SetButtonElement(int id, const char* element) override {
    Check();
    RecordingView::SetButtonElement(id, element);
  }
  void SetStatusText(const std::string& text) override {
    Check();
    RecordingView::SetStatusText(text);
    statuses.push_back(text);
  }
  void SetProgress(int percent) override {
    Check();
    RecordingView::SetProgress(percent);
  }
  void SetCompletedText(const std::string& text) override {
    Check();
    RecordingView::SetCompletedText(text);
    // "Completed: 12.34%": the conversion's own progress (opening a file moves the bar too).
    const double percent = std::atof(text.substr(text.find(':') + 1).c_str());
    if (percent > highestCompleted) highestCompleted = percent;
  }
  int ListCount() override { return Check(RecordingView::ListCount()); }
  std::string ListText(int index) override { return Check(RecordingView::ListText(index)); }

  std::atomic<int> foreignCalls{0};
  std::atomic<double> highestCompleted{-1.0};
  std::vector<std::string> statuses;

 private:
  template <typename T = int>
  T Check(T value = {}) {
    if (QThread::currentThread() != m_thread) ++foreignCalls;
    return value;
  }
  QThread* m_thread = QThread::currentThread();
};

struct Probe {
  std::string container;
  std::string videoCodec;
  std::string audioCodec;
  int width = 0;
  int height = 0;
  double duration = 0.0;
};

Probe ProbeFile(const std::string& path) {
  const ProbedFile file = ProbeWithFfprobe(path);
  Probe probe;
  probe.container = file.container;
  probe.duration = file.duration;
  if (const ProbedStream* video = file.Find("video")) {
    probe.videoCodec = video->codec;
    probe.width = video->width;
    probe.height = video->height;
  }
  if (const ProbedStream* audio = file.Find("audio")) probe.audioCodec = audio->codec;
  return probe;
}

int ThreadCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/task")) {
    ++count;
  }
  return count;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class LibraryConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    fs::create_directories(Work());
    fs::create_directories(Out());
    core.m_szDiscConvertFolder = PathBuffer(Work() + "/");
    core.m_strOutputFolder = Out();
  }
  void TearDown() override { StopFlag::Set(false); }

  std::string Work() const { return dir.File("work"); }
  std::string Out() const { return dir.File("out"); }

  std::string Clip(const std::string& name, const testkit::ClipOptions& options = {}) {
    return testkit::MakeClip(dir.File(name), options);
  }
  // A flat grey picture and a tone: black borders are told apart from it row by row.
  std::string GreyClip(const std::string& name, int width, int height, double seconds) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string path = dir.File(name);
    const ProcessResult made =
        RunProcess({FindProgram("ffmpeg"), "-nostdin", "-y", "-f", "lavfi", "-i",
                    "color=c=0x808080:size=" + size + ":rate=25:duration=" + std::to_string(seconds), "-f", "lavfi",
                    "-i", "sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds), "-c:v", "mpeg4",
                    "-q:v", "2", "-c:a", "libmp3lame", path});
    EXPECT_TRUE(made.Succeeded()) << made.output;
    return path;
  }

  // The job as Convert leaves it before handing over: the list, the format,
  // the total duration; the window's controls show the members.
  void Prepare(OutputFormatId format, const std::vector<std::string>& files, int totalMs) {
    view.list = files;
    core.m_nOutputFormat = format;
    core.m_nSelectedFile = 0;
    core.m_nTotalDuration = totalMs;
    core.m_nInputCount = static_cast<int>(files.size());
    core.m_nDVDVideoKbps = 5000;
    core.UpdateData(false);
    // These tests read the converted streams: the disc job, which would
    // author and then delete them, is not started.
    core.m_discHandOver = [this](OutputFormatId handedOver) {
      discHandOvers.push_back(handedOver);
      core.EnableControls(true);
      core.m_bBusy = false;
    };
  }

  bool Logged(const std::string& line) const {
    const auto lines = registry.LogLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& entry) { return entry.find(line) != std::string::npos; });
  }

  testkit::TempDir dir;
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  ThreadCheckingView view;
  CCastrel1Dlg core;
  std::vector<OutputFormatId> discHandOvers;
};

struct FileFormatCase {
  const char* name;
  OutputFormatId format;
  bool sliderMoved;
  int sliderPos;
  const char* extension;
  const char* container;  // as ffprobe names it (prefix)
  const char* videoCodec;
  const char* audioCodec;
};

TEST_F(LibraryConversion, FileFormatsComeBackThroughFfprobeWithTheirCodecsAndSize) {
  const FileFormatCase cases[] = {
      // AVI: the first codec of the library's list and MP3 sound, the defaults.
      {"avi", kFormatAvi, true, 9, ".avi", "avi", "mpeg4", "mp3"},
      {"mpeg", kFormatMpeg, false, 9, ".mpg", "mpeg", "mpeg1video", "mp2"},
      {"mpeg slider", kFormatMpeg, true, 9, ".mpg", "mpeg", "mpeg2video", "mp2"},
      {"wmv", kFormatWmv, true, 9, ".wmv", "asf", "wmv2", "wmav2"},
      // Real Media takes the slider's profile when the slider has not moved: 1 is RealVideo 1.0.
      {"rm low", kFormatRm, false, 0, ".rm", "rm", "rv10", "ac3"},
      {"rm high", kFormatRm, false, 9, ".rm", "rm", "rv20", "ac3"},
  };
  const std::string input = Clip("clip.avi", {.seconds = 1.0, .width = 176, .height = 144});
  for (const FileFormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(Out());
    Prepare(c.format, {input}, 1000);
    core.m_bSliderMoved = c.sliderMoved;
    core.m_nSliderPos = c.sliderPos;
    core.UpdateData(false);
    const std::size_t dialogsBefore = responder.Dialogs().size();

    core.ConvertUsingNCT();

    const std::string output = Out() + "/clip_new" + c.extension;
    ASSERT_EQ(FilesIn(Out()), std::vector<std::string>{"clip_new" + std::string(c.extension)});
    const Probe probe = ProbeFile(output);
    EXPECT_EQ(probe.container.rfind(c.container, 0), 0u) << probe.container;
    EXPECT_EQ(probe.videoCodec, c.videoCodec);
    EXPECT_EQ(probe.audioCodec, c.audioCodec);
    EXPECT_EQ(probe.width, 176);
    EXPECT_EQ(probe.height, 144);
    EXPECT_NEAR(probe.duration, 1.0, 0.3);

    const auto successes = responder.Requests<SuccessDialogRequest>();
    ASSERT_EQ(responder.Dialogs().size(), dialogsBefore + 1);
    EXPECT_EQ(successes.back().filePath, output);
    EXPECT_EQ(view.status, "Ready");
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_FALSE(core.m_bUseFfmpeg);
    EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
    EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
    core.m_arrOutputFiles.clear();
  }
  EXPECT_TRUE(Logged("CCastrel1Dlg::ConvertUsingNCT"));
  EXPECT_TRUE(Logged("Convert with NCT to format RM"));
}

TEST_F(LibraryConversion, TheMpeg2SettingRoundsTheHeightToAMultipleOf32) {
  struct Case {
    int versionSetting;
    int height;
    int written;
  };
  const Case cases[] = {{1, 302, 288}, {1, 304, 320}, {0, 302, 302}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.versionSetting) + " " + std::to_string(c.height));
    fs::remove_all(Out());
    const std::string input = Clip("wide" + std::to_string(c.height) + ".avi",
                                   {.seconds = 0.5, .width = 720, .height = c.height, .audio = false});
    Prepare(kFormatMpeg, {input}, 500);
    core.m_bSliderMoved = false;
    core.m_nMPEGVersion = c.versionSetting;
    core.ConvertUsingNCT();
    const Probe probe = ProbeFile(core.m_strConvertOut);
    EXPECT_EQ(probe.videoCodec, c.versionSetting == 1 ? "mpeg2video" : "mpeg1video");
    EXPECT_EQ(probe.width, 720);
    EXPECT_EQ(probe.height, c.written);
    EXPECT_TRUE(probe.audioCodec.empty()) << "an input without sound writes only pictures";
  }
}

// The rows at the top and at the bottom of a decoded picture that are black.
std::pair<int, int> BlackRows(const VideoFrame& frame) {
  const auto dark = [&](int row) {
    long sum = 0;
    for (int x = 0; x < frame.width; ++x) sum += frame.PixelFromTop(x, row)[1];  // green
    return sum / frame.width < 64;                                               // the picture is 128
  };
  int top = 0;
  while (top < frame.height && dark(top)) ++top;
  int bottom = 0;
  while (bottom < frame.height && dark(frame.height - 1 - bottom)) ++bottom;
  return {top, bottom};
}

// The library engine's disc titles keep the source's shape as the ffmpeg
// engine's do: measured on the same circle clips, turned ones included.
TEST_F(LibraryConversion, EveryClipKeepsItsShapeOnEveryDisc) {
  struct Disc {
    const char* name;
    OutputFormatId format;
    int type;
  };
  const Disc discs[] = {{"dvd pal", kFormatDvd, 1},
                        {"dvd ntsc", kFormatDvd, 0},
                        {"vcd pal", kFormatVcd, 1},
                        {"svcd ntsc", kFormatSvcd, 0}};
  for (const testkit::ShapeClip& clip : testkit::ShapeClips()) {
    // Scaled to 720x564, this clip makes the bilinear scaler (fast_pixels)
    // corrupt the heap: left out until the scaler is mended.
    if (clip.sampleAspectNum != clip.sampleAspectDen) continue;
    const std::string input = testkit::MakeShapeClip(dir.File(std::string(clip.name) + ".mp4"), clip);
    for (const Disc& disc : discs) {
      SCOPED_TRACE(std::string(clip.name) + " into " + disc.name);
      Prepare(disc.format, {input}, 1000);
      core.m_nDVDType = core.m_nVCDType = core.m_nSVCDType = disc.type;
      core.ConvertUsingNCT();
      ASSERT_EQ(core.m_arrOutputFiles.size(), 1u)
          << (responder.MessageTexts().empty() ? "" : responder.MessageTexts().front());
      testkit::ExpectDiscShape(testkit::MeasureTitle(core.m_arrOutputFiles[0]), clip, disc.format == kFormatDvd);
      fs::remove(core.m_arrOutputFiles[0]);
      core.m_arrOutputFiles.clear();
    }
  }
}

TEST_F(LibraryConversion, DiscFramesHoldThePictureBetweenBlackRowsInTheDecodedOutput) {
  struct Case {
    const char* name;
    OutputFormatId format;
    int type;
    int width, height;
    int discWidth, discHeight, blackRows;
  };
  const Case cases[] = {
      // 4:3 fills a 4:3 frame; 2.37:1 is letterboxed in a 16:9 one.
      {"pal dvd", kFormatDvd, 1, 640, 480, 720, 576, 0},
      {"ntsc dvd", kFormatDvd, 0, 720, 304, 720, 480, 60},
      {"ntsc svcd", kFormatSvcd, 0, 960, 720, 480, 480, 0},
      {"pal vcd widescreen", kFormatVcd, 1, 320, 180, 352, 288, 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string input = GreyClip(std::string(c.name) + ".avi", c.width, c.height, 1.0);
    Prepare(c.format, {input}, 1000);
    core.m_nDVDType = core.m_nSVCDType = c.type;
    core.ConvertUsingNCT();

    ASSERT_EQ(core.m_arrOutputFiles.size(), 1u);
    const std::string output = core.m_arrOutputFiles[0];
    EXPECT_EQ(output.rfind(Work() + "/", 0), 0u) << output;
    ASSERT_TRUE(core.m_psaFrame && core.m_psaFitted);
    EXPECT_EQ(core.m_psaFitted->height, c.discHeight - 2 * c.blackRows);

    VideoFile reader;
    reader.OpenFile(output);
    EXPECT_EQ(reader.Width(), c.discWidth);
    EXPECT_EQ(reader.Height(), c.discHeight);
    VideoFrame frame;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(reader.ReadVideo(frame));
    const auto [top, bottom] = BlackRows(frame);
    EXPECT_EQ(top, c.blackRows);
    EXPECT_EQ(bottom, c.blackRows);
    reader.CloseFile();
    core.m_arrOutputFiles.clear();
  }
}

TEST_F(LibraryConversion, FitFramePlacesTheScaledPictureInTheMiddleOfTheBlackFrame) {
  core.m_psaFitted = std::make_unique<VideoFrame>(720, 540);
  core.m_psaFrame = std::make_unique<VideoFrame>(720, 576);
  VideoFrame white(640, 480);
  std::fill(white.pixels.begin(), white.pixels.end(), 0xFF);
  core.FitFrame(white);
  const auto [top, bottom] = BlackRows(*core.m_psaFrame);
  EXPECT_EQ(top, 18);
  EXPECT_EQ(bottom, 18);
  EXPECT_EQ(core.m_psaFrame->PixelFromTop(360, 288)[2], 0xFF);
}

std::string RunVcdImager(const std::string& type, const std::string& mpeg, const std::string& folder) {
  ChildProcess::Options options;
  options.workingDirectory = folder;
  const ProcessResult result = RunProcess(
      {FindProgram("vcdimager"), "-t", type, "-c", folder + "/cd.cue", "-b", folder + "/cd.bin", mpeg}, options);
  return result.Succeeded() ? result.output : "FAILED " + result.output;
}

TEST_F(LibraryConversion, AnSvcdNeedingTwoCdsIsWrittenInTwoPartsThatVcdimagerTakes) {
  const std::string input = Clip("movie.avi", {.seconds = 6.0, .width = 320, .height = 240});
  Prepare(kFormatSvcd, {input}, 0);
  core.m_nSVCDType = 1;
  core.m_nSVCDBitrate = 2500;
  // (2500 + 224) kbit/s for 6 s is about 2 MB; the lowest quality (1824 kbit/s) would fit one CD.
  core.m_nCDCapacityBytes = 1'500'000;
  responder.QueueAnswer<CDCountDlgRequest>(IDOK);

  core.ConvertUsingNCT();

  const auto questions = responder.Requests<CDCountDlgRequest>();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(
      questions[0].text,
      "To burn this movie using the SVCD format, you need to use 2 blank CDs. To fit it on less CDs, first select "
      "'Cancel' and decrease the quality");
  EXPECT_EQ(core.m_nCDCount, 2);
  EXPECT_NEAR(core.m_nTotalDuration, 6000, 100) << "a CD job's total is its file's";
  ASSERT_EQ(core.m_arrOutputFiles, std::vector<std::string>{Work() + "/movie_new_1.mpg"});
  EXPECT_EQ(FilesIn(Work()), (std::vector<std::string>{"movie_new_1.mpg", "movie_new_2.mpg"}));

  double total = 0.0;
  for (const char* part : {"movie_new_1.mpg", "movie_new_2.mpg"}) {
    SCOPED_TRACE(part);
    const Probe probe = ProbeFile(Work() + "/" + part);
    EXPECT_EQ(probe.videoCodec, "mpeg2video");
    EXPECT_EQ(probe.width, 480);
    EXPECT_EQ(probe.height, 576);
    EXPECT_GT(probe.duration, 2.0) << "each part holds about half";
    total += probe.duration;
    testkit::TempDir image;
    const std::string output = RunVcdImager("svcd", Work() + "/" + part, image.path().string());
    EXPECT_NE(output.find("finished ok"), std::string::npos) << output;
  }
  EXPECT_NEAR(total, 6.0, 0.5);
}

TEST_F(LibraryConversion, ACdQuestionDeclinedOrTooManyCdsWriteNothing) {
  const std::string input = Clip("movie.avi", {.seconds = 2.0});
  struct Case {
    const char* name;
    std::int64_t capacity;
    int cdCount;  // as planned
    const char* message;
  };
  const Case cases[] = {
      {"declined", 150'000, 3, nullptr},
      {"ten cds", 38'000, 10,
       "This movie would need 10 CDs, but at most 9 can be burnt for one movie.\nPlease lower the output quality or "
       "choose a shorter file and try again."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(kFormatVcd, {input}, 0);
    core.m_nCDCapacityBytes = c.capacity;
    if (c.message == nullptr) responder.QueueAnswer<CDCountDlgRequest>(IDCANCEL);
    const std::size_t messagesBefore = responder.Messages().size();
    core.ConvertUsingNCT();
    EXPECT_EQ(view.status, "Conversion Canceled.");
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_TRUE(FilesIn(Work()).empty());
    EXPECT_TRUE(core.m_arrOutputFiles.empty());
    EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
    if (c.message != nullptr) {
      ASSERT_EQ(responder.Messages().size(), messagesBefore + 1);
      EXPECT_EQ(responder.Messages().back().text, c.message);
    } else {
      EXPECT_EQ(core.m_nCDCount, c.cdCount);
      EXPECT_EQ(responder.Requests<CDCountDlgRequest>().back().text,
                "To burn this movie using the VCD format, you need to use 3 blank CDs. To fit it on less CDs, first "
                "select 'Cancel' and decrease the quality.");
    }
  }
}

TEST_F(LibraryConversion, AShortVideoCdTrackIsPaddedWithBlackToAboutTwentySeconds) {
  const std::string input = Clip("short clip.avi", {.seconds = 10.0, .width = 160, .height = 120});
  Prepare(kFormatVcd, {input}, 0);
  core.m_nVCDType = 1;
  core.ConvertUsingNCT();
  ASSERT_EQ(core.m_arrOutputFiles, std::vector<std::string>{Work() + "/short clip.mpg"});
  const Probe probe = ProbeFile(core.m_arrOutputFiles[0]);
  EXPECT_EQ(probe.videoCodec, "mpeg1video");
  EXPECT_EQ(probe.width, 352);
  EXPECT_EQ(probe.height, 288);
  EXPECT_NEAR(probe.duration, 20.0, 0.6);
  testkit::TempDir image;
  const std::string output = RunVcdImager("vcd2", core.m_arrOutputFiles[0], image.path().string());
  EXPECT_NE(output.find("finished ok"), std::string::npos) << output;
}

TEST_F(LibraryConversion, TwoFilesAreListedInOneMessageAndNothingIsOverwritten) {
  const std::string first = Clip("a.avi", {.seconds = 0.5});
  fs::create_directories(dir.File("other"));
  const std::string second = testkit::MakeClip(dir.File("other/a.mkv"), {.seconds = 0.5});
  testkit::WriteFile(Out() + "/a_new.avi", "the user's own file");
  Prepare(kFormatAvi, {first, second}, 1000);
  core.ConvertUsingNCT();

  EXPECT_EQ(core.m_arrOutputFiles, (std::vector<std::string>{Out() + "/a_new(1).avi", Out() + "/a_new(2).avi"}));
  EXPECT_EQ(testkit::ReadFile(Out() + "/a_new.avi"), "the user's own file");
  ASSERT_FALSE(responder.Messages().empty());
  const MessageBoxRequest report = responder.Messages().back();
  EXPECT_EQ(report.text, "\"" + Out() + "/a_new(1).avi\"\n\"" + Out() + "/a_new(2).avi\"\nwere created successfully!");
  EXPECT_EQ(report.caption, "Ready");
  EXPECT_EQ(report.flags & MB_ICONMASK, MB_ICONINFORMATION);
  EXPECT_TRUE(responder.Requests<SuccessDialogRequest>().empty());
}

TEST_F(LibraryConversion, MissingAndUnsupportedEntriesAreReportedAndSkipped) {
  const std::string text = dir.File("notes.avi");
  testkit::WriteFile(text, "not a video at all");
  const std::string clip = Clip("b.avi", {.seconds = 0.5});
  Prepare(kFormatAvi, {dir.File("gone.avi"), text, clip}, 500);
  core.ConvertUsingNCT();
  const auto texts = responder.MessageTexts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0],
            "The file does not exist.\n\n" + dir.File("gone.avi") + "\n\nPlease click Browse to select a file");
  EXPECT_EQ(texts[1], text + "\n\nThe file you have selected is not a video file or this format is not supported");
  EXPECT_EQ(core.m_arrOutputFiles, std::vector<std::string>{Out() + "/b_new.avi"});

  // A list where nothing can be converted ends the job without a success report.
  Prepare(kFormatAvi, {dir.File("gone.avi")}, 0);
  core.m_bBusy = true;
  core.ConvertUsingNCT();
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_EQ(responder.Requests<SuccessDialogRequest>().size(), 0u);
}

struct UndecodableInput {
  std::string path;
  std::string reason;
};

// A DivX-like clip with a code no codec answers to, and Motion JPEG pictures
// labelled H.264, of which not one decodes; both with sound that does.
std::vector<UndecodableInput> UndecodableInputs(const testkit::TempDir& dir) {
  const auto clip = [&](const std::string& name, const char* codec) {
    return testkit::MakeClip(dir.File(name), {.seconds = 2.0, .outputArguments = {"-c:v", codec, "-c:a", "pcm_s16le"}});
  };
  return {
      {testkit::WithVideoCode(clip("divx.avi", "mpeg4"), "FMP4", "QQZZ", dir.File("unknown codec.avi")),
       "its codec \"QQZZ\" is unknown"},
      {testkit::WithVideoCode(clip("mjpeg.avi", "mjpeg"), "MJPG", "H264", dir.File("no pictures.avi")),
       "not a single picture could be decoded from it"},
  };
}

std::string UndecodableMessage(const UndecodableInput& input) {
  return input.path + "\n\nThe video of this file cannot be decoded: " + input.reason + ".\nThe file is not converted.";
}

TEST_F(LibraryConversion, AFileWhoseVideoCannotBeDecodedFailsWithItsNameAndWhyInEveryFormat) {
  for (const UndecodableInput& input : UndecodableInputs(dir)) {
    for (OutputFormatId format :
         {kFormatAvi, kFormatMpeg, kFormatWmv, kFormatRm, kFormatDvd, kFormatVcd, kFormatSvcd}) {
      SCOPED_TRACE(input.path + " to format " + std::to_string(format));
      Prepare(format, {input.path}, 2000);
      const std::size_t messagesBefore = responder.Messages().size();
      core.ConvertUsingNCT();

      ASSERT_EQ(responder.Messages().size(), messagesBefore + 1) << ::testing::PrintToString(responder.MessageTexts());
      EXPECT_EQ(responder.Messages().back().text, UndecodableMessage(input));
      EXPECT_EQ(responder.Messages().back().caption, "Error");
      EXPECT_TRUE(Logged("The video of this file cannot be decoded: " + input.reason));
      EXPECT_TRUE(responder.Requests<SuccessDialogRequest>().empty());
      EXPECT_TRUE(discHandOvers.empty()) << "no disc is made of it";
      EXPECT_TRUE(core.m_arrOutputFiles.empty());
      EXPECT_TRUE(FilesIn(Work()).empty());
      EXPECT_TRUE(FilesIn(Out()).empty());
      EXPECT_EQ(view.status, "Ready");
      EXPECT_FALSE(core.m_bBusy);
      EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
      EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
    }
  }
}

TEST_F(LibraryConversion, ASoundOnlyFileKeepsTheWholeLengthOfItsSound) {
  const std::string tone = Clip("tone.wav", {.seconds = 3.0, .video = false});
  Prepare(kFormatAvi, {tone}, 3000);
  core.ConvertUsingNCT();
  ASSERT_EQ(core.m_arrOutputFiles, std::vector<std::string>{Out() + "/tone_new.avi"});
  const Probe probe = ProbeFile(core.m_arrOutputFiles[0]);
  EXPECT_EQ(probe.audioCodec, "mp3");
  EXPECT_TRUE(probe.videoCodec.empty());
  EXPECT_NEAR(probe.duration, 3.0, 0.2);
}

TEST_F(LibraryConversion, AnOutputThatCannotBeCreatedEndsTheJobWithItsReasonAndClosesTheInput) {
  const std::string clip = Clip("c.avi", {.seconds = 0.5});
  testkit::WriteFile(dir.File("plain file"), "x");
  Prepare(kFormatDvd, {clip}, 500);
  core.m_szDiscConvertFolder = PathBuffer(dir.File("plain file") + "/");
  core.ConvertUsingNCT();
  EXPECT_TRUE(Logged("NCT Video Library has FAILED! (there has been a crash in the big try block for the NCT)"));
  ASSERT_FALSE(responder.Messages().empty());
  EXPECT_EQ(responder.Messages().back().caption, "Orlenta");
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
  EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
}

TEST_F(LibraryConversion, AFullDiskEndsTheJobAndLeavesNoPartOfTheFile) {
  testkit::SmallDisk disk(256 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string clip = Clip("d.avi", {.seconds = 4.0, .width = 320, .height = 240});
  Prepare(kFormatDvd, {clip}, 4000);
  const std::string folder = fs::path(disk.File("x")).parent_path().string();
  core.m_szDiscConvertFolder = PathBuffer(folder + "/");
  core.ConvertUsingNCT();
  ASSERT_FALSE(responder.Messages().empty());
  const std::string failure = responder.Messages().back().text;
  EXPECT_TRUE(failure == "WriteVideo Error" || failure == "WriteAudio Error" || failure == "Error: Close output file.")
      << failure;
  EXPECT_TRUE(FilesIn(folder).empty());
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
  EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
}

// What the Convert button does while a job runs, as far as the copy loop sees it.
void PressCancel(CCastrel1Dlg& core) {
  core.m_bCancel = true;
  StopFlag::Set(true);
}

struct CancelCase {
  const char* name;
  OutputFormatId format;
};

TEST_F(LibraryConversion, CancelOnTheCoresThreadStopsTheCopyClosesBothFilesAndCleansUp) {
  for (const CancelCase& c : {CancelCase{"dvd", kFormatDvd}, CancelCase{"avi", kFormatAvi}}) {
    SCOPED_TRACE(c.name);
    StopFlag::Set(false);
    const std::string clip = Clip("long.avi", {.seconds = 20.0, .width = 320, .height = 240});
    Prepare(c.format, {clip}, 20000);
    const int threadsBefore = ThreadCount();
    // The window's event loop runs inside the copy loop: a timer stands for the user.
    QTimer button;
    QObject::connect(&button, &QTimer::timeout, [&] {
      if (view.highestCompleted >= 5.0) PressCancel(core);
    });
    button.start(10);
    core.ConvertUsingNCT();
    button.stop();

    EXPECT_EQ(view.status, "Conversion canceled!");
    EXPECT_EQ(view.progress, 0);
    EXPECT_LT(view.highestCompleted, 60.0) << "stopped early";
    EXPECT_TRUE(Logged("Conversion canceled"));
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
    EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
    EXPECT_TRUE(FilesIn(Work()).empty());
    EXPECT_TRUE(FilesIn(Out()).empty());
    EXPECT_TRUE(core.m_arrOutputFiles.empty());
    EXPECT_LE(ThreadCount(), threadsBefore);
    view.highestCompleted = -1.0;
  }
}

TEST_F(LibraryConversion, OnABackgroundThreadTheWindowIsOnlyTouchedOnItsOwnThreadAndCancelStopsTheCopy) {
  const std::string clip = Clip("long.avi", {.seconds = 20.0, .width = 320, .height = 240});
  Prepare(kFormatDvd, {clip}, 20000);
  core.m_bBusy = true;
  const int threadsBefore = ThreadCount();
  std::atomic<bool> finished{false};
  std::thread conversion([&] {
    core.ConvertUsingNCT();
    finished = true;
  });
  const bool ended = testkit::WaitUntil([&] {
    QCoreApplication::processEvents();
    if (view.highestCompleted >= 5.0) PressCancel(core);
    return finished.load();
  });
  conversion.join();
  ASSERT_TRUE(ended);
  QCoreApplication::processEvents();

  EXPECT_EQ(view.foreignCalls, 0);
  EXPECT_EQ(view.status, "Conversion canceled!");
  EXPECT_EQ(view.progress, 0);
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
  EXPECT_TRUE(FilesIn(Work()).empty());
  EXPECT_EQ(ThreadCount(), threadsBefore);
}

TEST_F(LibraryConversion, OnABackgroundThreadAFullRunReportsThroughTheWindowsThread) {
  const std::string first = Clip("e.avi", {.seconds = 1.0});
  const std::string second = Clip("f.avi", {.seconds = 1.0});
  Prepare(kFormatMpeg, {first, second}, 2000);
  std::atomic<bool> finished{false};
  std::thread conversion([&] {
    core.ConvertUsingNCT();
    finished = true;
  });
  const bool ended = testkit::WaitUntil([&] {
    QCoreApplication::processEvents();
    return finished.load();
  });
  conversion.join();
  ASSERT_TRUE(ended);
  QCoreApplication::processEvents();

  EXPECT_EQ(view.foreignCalls, 0);
  EXPECT_EQ(core.m_arrOutputFiles, (std::vector<std::string>{Out() + "/e_new.mpg", Out() + "/f_new.mpg"}));
  EXPECT_EQ(responder.MessageTexts().back(),
            "\"" + Out() + "/e_new.mpg\"\n\"" + Out() + "/f_new.mpg\"\nwere created successfully!");
  EXPECT_EQ(view.status, "Ready");
  EXPECT_GE(view.highestCompleted, 90.0);
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_NEAR(core.m_nDoneDuration, 2000, 100);
}

// Handles the core's messages until condition holds; false after the time-out.
bool RunUntil(const std::function<bool()>& condition, std::chrono::seconds timeout = std::chrono::seconds(120)) {
  return ProcessEventsUntil(condition, timeout);
}

std::size_t Count(const std::vector<std::string>& texts, const std::string& text) {
  return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
}

TEST_F(LibraryConversion, WhenFfmpegFailsTheFallbackConvertsTheWholeListOnTheConversionThread) {
  const std::string first = Clip("g.avi", {.seconds = 1.0});
  const std::string second = Clip("h.avi", {.seconds = 1.0});
  FailingFfmpeg failing(dir);
  view.list = {first, second};
  core.m_nOutputFormat = kFormatAvi;
  core.m_strChosenFolder = Out();
  core.UpdateData(false);

  core.OnButtonConvert();
  ASSERT_TRUE(RunUntil([&] { return !core.m_bListRunning && !core.m_bBusy; }));

  const auto texts = responder.MessageTexts();
  EXPECT_GE(Count(texts, "Error #12: Conversion problem"), 1u);
  const std::string a = Out() + "/g_new.avi";
  const std::string b = Out() + "/h_new.avi";
  EXPECT_EQ(Count(texts, "\"" + a + "\"\n\"" + b + "\"\nwere created successfully!"), 1u)
      << "one report, however many files failed side by side:\n"
      << ::testing::PrintToString(texts);
  for (const std::string& output : {a, b}) {
    const Probe probe = ProbeFile(output);
    EXPECT_EQ(probe.videoCodec, "mpeg4") << output;
    EXPECT_EQ(probe.audioCodec, "mp3") << output;
  }
  EXPECT_EQ(FilesIn(Out()), (std::vector<std::string>{"g_new.avi", "h_new.avi"}));
  EXPECT_FALSE(core.m_bUseFfmpeg);
  EXPECT_EQ(view.foreignCalls, 0);
  EXPECT_TRUE(Logged("CCastrel1Dlg::FFMpegFailed"));
  EXPECT_TRUE(Logged("Not Using FFMpeg!"));
}

TEST_F(LibraryConversion, WhenFfmpegFailsOnAVideoThatCannotBeDecodedNoDiscIsMadeOfIt) {
  const UndecodableInput input = UndecodableInputs(dir).front();
  fs::create_directories(dir.File("tmp"));
  testkit::ScopedEnv tmpdir("TMPDIR", dir.File("tmp"));
  view.list = {input.path};
  core.m_nOutputFormat = kFormatDvd;
  core.m_strChosenFolder = Out();
  core.UpdateData(false);
  core.m_discHandOver = [this](OutputFormatId format) {
    discHandOvers.push_back(format);
    core.EnableControls(true);
    core.m_bBusy = false;
  };

  core.OnButtonConvert();
  ASSERT_TRUE(RunUntil([&] { return !core.m_bListRunning && !core.m_bBusy; }));

  const auto texts = responder.MessageTexts();
  EXPECT_EQ(texts, (std::vector<std::string>{"Error #12: Conversion problem", UndecodableMessage(input)}));
  EXPECT_TRUE(discHandOvers.empty());
  EXPECT_TRUE(Logged("CCastrel1Dlg::FFMpegFailed"));
  EXPECT_EQ(view.foreignCalls, 0);
}

TEST_F(LibraryConversion, TheConvertButtonCancelsTheFallbackOnTheConversionThread) {
  const std::string clip = Clip("long.avi", {.seconds = 20.0, .width = 320, .height = 240});
  fs::create_directories(dir.File("tmp"));
  testkit::ScopedEnv tmpdir("TMPDIR", dir.File("tmp"));
  FailingFfmpeg failing(dir);
  view.list = {clip};
  core.m_nOutputFormat = kFormatDvd;
  core.m_strChosenFolder = Out();
  core.UpdateData(false);
  const int threadsBefore = ThreadCount();

  core.OnButtonConvert();
  ASSERT_TRUE(RunUntil([&] { return view.highestCompleted >= 5.0 || !core.m_bBusy; }));
  ASSERT_TRUE(core.m_bBusy) << "the fallback was still converting";
  core.OnButtonConvert();  // the button cancels while a job runs
  ASSERT_TRUE(RunUntil([&] { return !core.m_bListRunning && Logged("Conversion canceled"); }));
  QCoreApplication::processEvents();

  EXPECT_EQ(Count(responder.MessageTexts(), "Conversion canceled by user!"), 1u);
  EXPECT_EQ(view.status, "Conversion canceled!");
  EXPECT_LT(view.highestCompleted, 60.0);
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_FALSE(core.m_pIVideoFileOut->IsOpen());
  for (const auto& entry : fs::recursive_directory_iterator(dir.File("tmp"))) {
    const std::string extension = entry.path().extension().string();
    EXPECT_TRUE(extension != ".mpg" && extension != ".part") << entry.path();
  }
  EXPECT_EQ(view.foreignCalls, 0);
  // The list's thread deletes itself after its final ping: give it time to go.
  EXPECT_TRUE(testkit::WaitUntil([&] { return ThreadCount() <= threadsBefore; }, std::chrono::seconds(10)))
      << "no thread of the job is left: " << ThreadCount() << " against " << threadsBefore;
}

}  // namespace
