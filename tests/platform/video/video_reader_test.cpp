#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "common/shape_clips.h"
#include "common/test_kit.h"
#include "platform/video/media_test_helpers.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"

namespace {

struct InputCase {
  const char* name;
  const char* file;
  std::vector<std::string> arguments;
  int type;
  bool video;
  int formatTag;  // expected AudioFormatTag, or -1 for any non-negative value
  bool audioBitrateKnown;
};

void PrintTo(const InputCase& c, std::ostream* out) {
  *out << c.name;
}

const std::vector<InputCase>& InputCases() {
  static const std::vector<InputCase> cases = {
      {"Mp4H264", "clip.mp4", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}, 3, true, 0xFF, true},
      {"Matroska", "clip.mkv", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libvorbis"}, 4, true, -1, false},
      {"AviDivx", "clip.avi", {"-c:v", "mpeg4", "-vtag", "DIVX", "-c:a", "libmp3lame"}, 0, true, 0x55, true},
      {"MpegProgramStream", "clip.mpg", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpeg"}, 1, true, 0x50, true},
      {"WindowsMedia", "clip.wmv", {"-c:v", "wmv2", "-c:a", "wmav2"}, 2, true, 0x161, true},
      {"QuickTime", "clip.mov", {"-c:v", "mpeg4", "-c:a", "aac"}, 3, true, 0xFF, true},
      {"FlashVideo", "clip.flv", {"-c:v", "flv", "-c:a", "libmp3lame", "-ar", "44100"}, 4, true, 0x55, true},
      {"Mp3AudioOnly", "tone.mp3", {"-c:a", "libmp3lame"}, 1, false, 0x55, true},
  };
  return cases;
}

class ReaderFacts : public ::testing::TestWithParam<InputCase> {};

TEST_P(ReaderFacts, OpensWithRightFactsAndReadsEveryFrameAndSample) {
  const InputCase& c = GetParam();
  testkit::TempDir dir;
  testkit::ClipOptions options;
  options.video = c.video;
  options.outputArguments = c.arguments;
  const std::string path = testkit::MakeClip(dir.File(c.file), options);

  VideoFile file;
  for (int type = 0; type <= 4; ++type) EXPECT_EQ(file.IsFileOfType(path, type), type == c.type) << "type " << type;
  EXPECT_TRUE(file.IsSupportedFile(path));

  std::vector<std::pair<int, short>> events;
  file.SetEventHandler([&events](int value, short stage) { events.emplace_back(value, stage); });
  file.OpenFile(path);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), std::make_pair(100, short{1}));
  for (std::size_t i = 1; i < events.size(); ++i) EXPECT_GE(events[i].first, events[i - 1].first);

  EXPECT_EQ(file.HasVideo(), c.video);
  ASSERT_TRUE(file.HasAudio());
  EXPECT_FALSE(file.AudioCodecName().empty());
  EXPECT_EQ(file.Frequency(), 44100);
  EXPECT_EQ(file.Channels(), 1);
  EXPECT_NEAR(file.AudioDuration(), 2000, 60);
  EXPECT_NEAR(static_cast<double>(file.SamplesCount()), 88200, 0.03 * 88200);
  // Matroska keeps no bit rate of a Vorbis stream; 0 stands for unknown.
  if (c.audioBitrateKnown) {
    EXPECT_GT(file.AudioBitrate(), 0);
  }
  if (c.formatTag >= 0) {
    EXPECT_EQ(file.AudioFormatTag(), c.formatTag);
  } else {
    EXPECT_GE(file.AudioFormatTag(), 0);
  }

  int frames = 0;
  if (c.video) {
    EXPECT_FALSE(file.VideoCodecName().empty());
    EXPECT_EQ(file.Width(), 160);
    EXPECT_EQ(file.Height(), 120);
    EXPECT_NEAR(file.FrameRate(), 25.0, 0.01);
    EXPECT_NEAR(file.VideoDuration(), 2000, 40);
    EXPECT_NEAR(file.FramesCount(), 50, 1);
    EXPECT_GE(file.VideoBitrate(), 0);
    VideoFrame frame;
    while (file.ReadVideo(frame)) {
      ASSERT_EQ(frame.width, 160);
      ASSERT_EQ(frame.height, 120);
      ASSERT_EQ(frame.pixels.size(), 160U * 120U * 4U);
      ++frames;
      EXPECT_EQ(file.VideoPosition(), frames * 40);
    }
    EXPECT_NEAR(frames, file.FramesCount(), 1);
    EXPECT_TRUE(file.ReadVideo().empty()) << "the end stays the end";
  } else {
    EXPECT_TRUE(file.ReadVideo().empty());
  }

  std::size_t samples = 0;
  for (std::vector<std::int16_t> block = file.ReadAudio(2304); !block.empty(); block = file.ReadAudio(2304)) {
    ASSERT_LE(block.size(), 2304U);
    samples += block.size();
  }
  EXPECT_NEAR(static_cast<double>(samples), 88200, 0.03 * 88200);
  EXPECT_NEAR(file.AudioPosition(), samples * 1000.0 / 44100, 1);
  file.CloseFile();
  EXPECT_THROW(file.Width(), video_exception);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReaderFacts, ::testing::ValuesIn(InputCases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Reader, FramesComeBottomRowFirstInBgra) {
  testkit::TempDir dir;
  VideoFile file;
  file.OpenFile(videotest::MakeOrientationClip(dir.File("orientation.avi")));
  const VideoFrame frame = file.ReadVideo();
  ASSERT_EQ(frame.width, 160);
  // Memory starts with the bottom row, which is blue: B high, R low.
  const std::uint8_t* first = frame.pixels.data() + 80 * 4;
  EXPECT_GT(first[0], 200);
  EXPECT_LT(first[2], 60);
  using videotest::ColourDistance;
  const auto at = [&frame](int x, int y) {
    const std::uint8_t* p = frame.PixelFromTop(x, y);
    return videotest::Rgb{p[2], p[1], p[0]};
  };
  EXPECT_LT(ColourDistance(at(120, 20), {255, 0, 0}), 40) << "top right is red";
  EXPECT_LT(ColourDistance(at(15, 20), {0, 255, 0}), 40) << "top left is green";
  EXPECT_LT(ColourDistance(at(80, 100), {0, 0, 255}), 40) << "bottom is blue";
}

TEST(Reader, ReadVideoCanGiveAnotherSizeAndSeekGoesToTheFrameOfThatTime) {
  testkit::TempDir dir;
  const std::string path =
      testkit::MakeClip(dir.File("clip.avi"), {.outputArguments = {"-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le"}});
  VideoFile file;
  file.OpenFile(path);
  file.SetVideoOutputSize(80, 60);
  EXPECT_EQ(file.ReadVideo().width, 80);
  file.Seek(1000);
  EXPECT_EQ(file.VideoPosition(), 1000);
  EXPECT_EQ(file.AudioPosition(), 1000);
  int frames = 0;
  while (!file.ReadVideo().empty()) ++frames;
  EXPECT_NEAR(frames, 25, 1);
  std::size_t samples = 0;
  for (auto block = file.ReadAudio(4096); !block.empty(); block = file.ReadAudio(4096)) samples += block.size();
  EXPECT_NEAR(static_cast<double>(samples), 44100, 50);
  file.Seek(0);
  EXPECT_FALSE(file.ReadVideo().empty());
  EXPECT_EQ(file.VideoPosition(), 40);
}

// What is not media, or no longer whole, is refused with an error, never a crash.
TEST(Reader, BrokenFilesRaiseErrorsThatSayWhatFailed) {
  testkit::TempDir dir;
  const std::string good =
      testkit::MakeClip(dir.File("good.mp4"), {.outputArguments = {"-c:v", "libx264", "-preset", "ultrafast"}});
  const std::string bytes = testkit::ReadFile(good);
  std::mt19937 random(42);
  std::string noise(65536, '\0');
  for (char& c : noise) c = static_cast<char>(random());

  struct Case {
    const char* name;
    std::string content;
    bool looksLikeMedia;  // its first bytes are those of a media file
  };
  const Case cases[] = {
      {"empty.avi", "", false},
      {"noise.mpg", noise, false},
      {"noise.avi", noise, false},
      {"cut.mp4", bytes.substr(0, 200), true},
      {"text.txt", "Just some words, not a film.\n", false},
  };
  VideoFile file;
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    testkit::WriteFile(path, c.content);
    if (!c.looksLikeMedia) {
      for (int type = 0; type <= 4; ++type) EXPECT_FALSE(file.IsFileOfType(path, type)) << c.name << " type " << type;
    }
    EXPECT_FALSE(file.IsSupportedFile(path)) << c.name;
    try {
      file.OpenFile(path);
      ADD_FAILURE() << c.name << " opened";
    } catch (const video_exception& error) {
      EXPECT_NE(std::string(error.what()).find(c.name), std::string::npos) << error.what();
    }
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_THROW(file.OpenFile(dir.File("missing.avi")), video_exception);
}

TEST(Reader, FileCutInTheMiddleReadsWhatIsThereAndEnds) {
  testkit::TempDir dir;
  const std::string whole =
      testkit::MakeClip(dir.File("whole.avi"), {.outputArguments = {"-c:v", "mpeg4", "-c:a", "pcm_s16le"}});
  const std::string bytes = testkit::ReadFile(whole);
  const std::string cut = dir.File("cut.avi");
  testkit::WriteFile(cut, bytes.substr(0, bytes.size() / 2));

  VideoFile file;
  file.OpenFile(cut);
  int frames = 0;
  while (!file.ReadVideo().empty()) ++frames;
  EXPECT_GT(frames, 5);
  EXPECT_LT(frames, 50);
  std::size_t samples = 0;
  for (auto block = file.ReadAudio(2304); !block.empty(); block = file.ReadAudio(2304)) samples += block.size();
  EXPECT_LT(samples, 88200U);
}

// An AVI whose video codec this build does not know: the sound still opens
// the file, the video is there but nameless (the program then offers the
// codec download); without sound the file cannot be opened at all.
TEST(Reader, UnknownVideoCodecLeavesTheCodecNameEmpty) {
  testkit::TempDir dir;
  const std::string withSound = testkit::MakeClip(
      dir.File("sound.avi"), {.outputArguments = {"-c:v", "mpeg4", "-vtag", "DIVX", "-c:a", "pcm_s16le"}});
  const std::string silent = testkit::MakeClip(dir.File("silent.avi"),
                                               {.audio = false, .outputArguments = {"-c:v", "mpeg4", "-vtag", "DIVX"}});
  for (const std::string& path : {withSound, silent}) {
    std::string bytes = testkit::ReadFile(path);
    for (auto at = bytes.find("DIVX"); at != std::string::npos && at < 4096; at = bytes.find("DIVX", at)) {
      bytes.replace(at, 4, "QQQQ");
    }
    testkit::WriteFile(path, bytes);
  }

  VideoFile file;
  EXPECT_TRUE(file.IsFileOfType(withSound, 0));
  EXPECT_TRUE(file.IsSupportedFile(withSound));
  file.OpenFile(withSound);
  EXPECT_TRUE(file.HasVideo());
  EXPECT_EQ(file.VideoCodecName(), "");
  EXPECT_TRUE(file.HasAudio());
  EXPECT_FALSE(file.AudioCodecName().empty());
  EXPECT_TRUE(file.ReadVideo().empty());
  EXPECT_FALSE(file.ReadAudio(2304).empty());

  EXPECT_TRUE(file.IsFileOfType(silent, 0));
  EXPECT_FALSE(file.IsSupportedFile(silent));
  EXPECT_THROW(file.OpenFile(silent), video_exception);
}

TEST(Reader, CallsWithoutAnOpenFileRaise) {
  VideoFile file;
  EXPECT_THROW(file.HasVideo(), video_exception);
  EXPECT_THROW(file.ReadVideo(), video_exception);
  EXPECT_THROW(file.ReadAudio(2304), video_exception);
  EXPECT_THROW(file.VideoPosition(), video_exception);
  EXPECT_NO_THROW(file.CloseFile());
  EXPECT_FALSE(file.IsFileOfType("", 0));
  EXPECT_FALSE(file.IsSupportedFile(""));
}

}  // namespace

namespace {

TEST(Reader, OpenFileAfterIsSupportedFileReadsTheFileAsItIsThen) {
  testkit::TempDir dir;
  const std::string path = dir.File("clip.mpg");
  testkit::MakeClip(path, {.seconds = 1.0});
  VideoFile file;
  ASSERT_TRUE(file.IsSupportedFile(path));
  file.OpenFile(path);
  EXPECT_NEAR(file.VideoDuration(), 1000, 40) << "the checked file";
  file.CloseFile();

  // Replaced between the check and the opening: the new content is read.
  ASSERT_TRUE(file.IsSupportedFile(path));
  testkit::MakeClip(path, {.seconds = 3.0, .width = 320, .height = 240});
  file.OpenFile(path);
  EXPECT_NEAR(file.VideoDuration(), 3000, 40);
  EXPECT_EQ(file.Width(), 320);
  file.CloseFile();

  // A check of another file, or a closed object, keeps nothing of the first.
  ASSERT_TRUE(file.IsSupportedFile(path));
  EXPECT_FALSE(file.IsSupportedFile(dir.File("missing.mpg")));
  file.OpenFile(path);
  EXPECT_EQ(file.Width(), 320);
  EXPECT_THROW(file.OpenFile(dir.File("missing.mpg")), video_exception);
}

}  // namespace

namespace {

// A phone's picture stored sideways with a display matrix is read upright:
// its size, its shape and its pixels (the disc in the middle stays, the grey
// frame is taller than wide).
TEST(VideoReaderShape, ATurnedPictureIsReadUpright) {
  testkit::TempDir dir;
  const testkit::ShapeClip turned{"turned", 320, 180, 1, 1, true};
  VideoFile reader;
  reader.OpenFile(testkit::MakeShapeClip(dir.File("turned.mp4"), turned));
  EXPECT_EQ(reader.Width(), 180);
  EXPECT_EQ(reader.Height(), 320);
  EXPECT_NEAR(reader.DisplayAspect(), 180.0 / 320.0, 0.001);
  VideoFrame frame;
  ASSERT_TRUE(reader.ReadVideo(frame));
  EXPECT_EQ(frame.width, 180);
  EXPECT_EQ(frame.height, 320);
  EXPECT_GT(frame.PixelFromTop(90, 160)[1], 200);  // the disc
  EXPECT_LT(frame.PixelFromTop(90, 20)[1], 160);   // grey above it
  reader.CloseFile();

  const testkit::ShapeClip wide{"wide samples", 180, 144, 16, 11};
  reader.OpenFile(testkit::MakeShapeClip(dir.File("wide.mp4"), wide));
  EXPECT_NEAR(reader.DisplayAspect(), 180.0 * 16 / 11 / 144, 0.001);
  reader.CloseFile();
}

}  // namespace
