#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/test_kit.h"
#include "platform/video/media_test_helpers.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "platform/video/writer_profiles.h"

namespace {

using videotest::ColourBlocks;
using videotest::Tone;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr double kToneHz = 1000.0;

// Writes seconds of colour blocks and a tone, interleaved as a conversion does.
void WriteClip(VideoFile& writer, const std::string& path, int container, double inputRate = 25.0, int frames = 25,
               int width = kWidth, int height = kHeight) {
  writer.SetVideoEnabled(true);
  writer.SetAudioEnabled(true);
  writer.SetAudioInput(kSampleRate, kChannels);
  writer.SetFrameFormat(width, height, inputRate);
  writer.CreateFile(path, container);
  const VideoFrame frame = ColourBlocks(width, height);
  const int samplesPerFrame = static_cast<int>(kSampleRate / inputRate);
  for (int i = 0; i < frames; ++i) {
    writer.WriteVideo(frame);
    writer.WriteAudio(
        Tone(kSampleRate, kChannels, samplesPerFrame, kToneHz, static_cast<std::int64_t>(i) * samplesPerFrame));
  }
  writer.CloseFile();
}

struct Expected {
  int width = kWidth;
  int height = kHeight;
  double frameRate = 25.0;
  int frames = 25;
  int colourTolerance = 12;
  int sampleRate = 0;  // 0: any
};

// Reads the file back and checks size, length, frame count, colours (the
// right way up) and the tone.
void CheckClip(const std::string& path, const Expected& expected) {
  SCOPED_TRACE(path);
  VideoFile reader;
  reader.OpenFile(path);
  ASSERT_TRUE(reader.HasVideo());
  ASSERT_TRUE(reader.HasAudio());
  EXPECT_EQ(reader.Width(), expected.width);
  EXPECT_EQ(reader.Height(), expected.height);
  EXPECT_NEAR(reader.FrameRate(), expected.frameRate, 0.01);
  const double frameMs = 1000.0 / expected.frameRate;
  const double lengthMs = expected.frames * frameMs;
  EXPECT_NEAR(reader.VideoDuration(), lengthMs, frameMs + 1);
  EXPECT_NEAR(reader.FramesCount(), expected.frames, 1);
  if (expected.sampleRate > 0) {
    EXPECT_EQ(reader.Frequency(), expected.sampleRate);
  }
  EXPECT_NEAR(reader.AudioDuration(), lengthMs, 150);

  int frames = 0;
  int worst = 0;
  VideoFrame frame;
  while (reader.ReadVideo(frame)) {
    ++frames;
    // The first pictures of a low-rate stream may still be building up.
    if (frames > 2) worst = std::max(worst, videotest::WorstBlockDistance(frame));
  }
  EXPECT_NEAR(frames, expected.frames, 1);
  EXPECT_LE(worst, expected.colourTolerance);

  std::vector<std::int16_t> sound;
  for (auto block = reader.ReadAudio(4096); !block.empty(); block = reader.ReadAudio(4096)) {
    sound.insert(sound.end(), block.begin(), block.end());
  }
  const double seconds = static_cast<double>(sound.size()) / reader.Channels() / reader.Frequency();
  EXPECT_NEAR(seconds * 1000.0, lengthMs, 150);
  EXPECT_NEAR(videotest::EstimateFrequency(sound, reader.Channels(), reader.Frequency()), kToneHz, 0.05 * kToneHz);
}

struct RoundTrip {
  std::string name;
  std::string file;
  int container;
  std::function<void(VideoFile&)> setUp;
  Expected expected;
};

void PrintTo(const RoundTrip& trip, std::ostream* out) {
  *out << trip.name;
}

std::vector<RoundTrip> RoundTrips() {
  std::vector<RoundTrip> trips;
  // Every AVI video codec of this build, with PCM sound.
  for (int number = 1; number <= static_cast<int>(AviVideoCodecs().size()); ++number) {
    const std::string encoder = AviVideoCodecs()[static_cast<std::size_t>(number - 1)].encoder;
    trips.push_back({"Avi_" + encoder,
                     "clip.avi",
                     1,
                     [number](VideoFile& file) {
                       file.SelectVideoCodec(number);
                       file.SetAVIVideo(kWidth, kHeight, 25.0);
                       file.SetAudioPCM(kSampleRate, kChannels, 16);
                     },
                     {}});
  }
  // Every AVI sound format, with the first codec.
  const std::pair<const char*, std::function<void(VideoFile&)>> sounds[] = {
      {"Mp3", [](VideoFile& f) { f.SetAudioMP3(128, kSampleRate, kChannels); }},
      {"Adpcm", [](VideoFile& f) { f.SetAudioADPCM(22050, 1); }},
      {"ALaw", [](VideoFile& f) { f.SetAudioALaw(kSampleRate, 1); }},
      {"ULaw", [](VideoFile& f) { f.SetAudioULaw(kSampleRate, kChannels); }},
      {"Gsm", [](VideoFile& f) { f.SetAudioGSM(kSampleRate); }},
      {"Pcm8", [](VideoFile& f) { f.SetAudioPCM(kSampleRate, 1, 8); }},
  };
  for (const auto& [name, setSound] : sounds) {
    trips.push_back({std::string("AviSound_") + name,
                     "clip.avi",
                     1,
                     [setSound = setSound](VideoFile& file) {
                       file.SelectVideoCodec(1);
                       file.SetAVIVideo(kWidth, kHeight, 25.0);
                       setSound(file);
                     },
                     {}});
  }
  trips.back().expected.sampleRate = kSampleRate;
  trips.push_back({"Mpeg1",
                   "clip.mpg",
                   2,
                   [](VideoFile& file) {
                     file.SetMPEGVideo(1, 1500, kWidth, kHeight, 25.0);
                     file.SetMPEGAudio(224, kSampleRate, 2);
                   },
                   {.sampleRate = kSampleRate}});
  trips.push_back({"Mpeg2",
                   "clip.mpg",
                   2,
                   [](VideoFile& file) {
                     file.SetMPEGVideo(2, 2500, kWidth, kHeight, 25.0);
                     file.SetMPEGAudio(192, 48000, 2);
                   },
                   {.sampleRate = 48000}});
  trips.push_back({"Mpeg2At2997",
                   "clip.mpg",
                   2,
                   [](VideoFile& file) { file.SetMPEGVideo(2, 2500, kWidth, kHeight, 29.97); },
                   {.frameRate = 30000.0 / 1001.0, .frames = 30}});
  trips.push_back({"WindowsMediaBest", "clip.wmv", 3, [](VideoFile& file) { file.SetWMVProfile(13); }, {}});
  trips.push_back({"WindowsMediaLowest",
                   "clip.wmv",
                   3,
                   [](VideoFile& file) { file.SetWMVProfile(1); },
                   {.frameRate = 15.0, .frames = 15, .sampleRate = 22050}});
  trips.push_back(
      {"RealMediaBest", "clip.rm", 4, [](VideoFile& file) { file.SetRMProfile(13); }, {.sampleRate = 48000}});
  // RealVideo 1 takes sizes in multiples of 16 only: 120 becomes 128.
  trips.push_back({"RealMediaLowest",
                   "clip.rm",
                   4,
                   [](VideoFile& file) { file.SetRMProfile(1); },
                   {.height = 128, .frameRate = 10.0, .frames = 10, .sampleRate = 32000}});
  return trips;
}

class WriterRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(WriterRoundTrip, ReadsBackWithTheSizeLengthColoursAndTone) {
  const RoundTrip& trip = GetParam();
  testkit::TempDir dir;
  const std::string path = dir.File(trip.file);
  VideoFile writer;
  trip.setUp(writer);
  WriteClip(writer, path, trip.container);
  CheckClip(path, trip.expected);
}

INSTANTIATE_TEST_SUITE_P(Containers, WriterRoundTrip, ::testing::ValuesIn(RoundTrips()),
                         [](const auto& param) { return param.param.name; });

TEST(Writer, FramesAtAnotherRateAreRepeatedToTheOutputRate) {
  // Three pictures at one a second make three seconds of 25 frames each.
  testkit::TempDir dir;
  const std::string path = dir.File("menu.mpg");
  VideoFile writer;
  writer.SetVideoEnabled(true);
  writer.SetAudioEnabled(false);
  writer.SetFrameFormat(kWidth, kHeight, 1.0);
  writer.SetMPEGVideo(2, 2000, kWidth, kHeight, 25.0);
  writer.CreateFile(path, 2);
  const VideoFrame frame = ColourBlocks(kWidth, kHeight);
  for (int i = 0; i < 3; ++i) writer.WriteVideo(frame);
  writer.CloseFile();

  VideoFile reader;
  reader.OpenFile(path);
  EXPECT_FALSE(reader.HasAudio());
  EXPECT_NEAR(reader.FramesCount(), 75, 1);
  EXPECT_NEAR(reader.VideoDuration(), 3000, 40);
}

TEST(Writer, FramesOfAnotherSizeAreScaledToTheOutputSize) {
  testkit::TempDir dir;
  const std::string path = dir.File("scaled.avi");
  VideoFile writer;
  writer.SelectVideoCodec(1);
  writer.SetAVIVideo(kWidth, kHeight, 25.0);
  WriteClip(writer, path, 1, 25.0, 25, 2 * kWidth, 2 * kHeight);
  CheckClip(path, {});
}

TEST(Writer, SoundShorterThanThePictureIsFilledWithSilence) {
  testkit::TempDir dir;
  const std::string path = dir.File("quiet.avi");
  VideoFile writer;
  writer.SetAudioInput(kSampleRate, 1);
  writer.SetFrameFormat(kWidth, kHeight, 25.0);
  writer.SetAVIVideo(kWidth, kHeight, 25.0);
  writer.SetAudioPCM(kSampleRate, 1, 16);
  writer.CreateFile(path, 1);
  for (int i = 0; i < 50; ++i) writer.WriteVideo(ColourBlocks(kWidth, kHeight));
  writer.CloseFile();

  VideoFile reader;
  reader.OpenFile(path);
  EXPECT_NEAR(reader.AudioDuration(), 2000, 25);
}

TEST(Writer, MisuseRaisesErrorsThatSayWhatFailed) {
  testkit::TempDir dir;
  VideoFile writer;
  EXPECT_THROW(writer.WriteVideo(ColourBlocks(kWidth, kHeight)), video_exception);
  EXPECT_THROW(writer.WriteAudio(std::vector<std::int16_t>(4)), video_exception);
  EXPECT_THROW(writer.CreateFile(dir.File("x.avi"), 7), video_exception);
  EXPECT_THROW(writer.SetFrameFormat(0, 120, 25.0), video_exception);
  EXPECT_THROW(writer.SetAudioInput(0, 2), video_exception);

  writer.SetAudioInput(kSampleRate, 2);
  writer.SetFrameFormat(kWidth, kHeight, 25.0);
  const std::string missingFolder = dir.File("no/such/folder/x.avi");
  try {
    writer.CreateFile(missingFolder, 1);
    ADD_FAILURE() << "created a file in a missing folder";
  } catch (const video_exception& error) {
    EXPECT_NE(std::string(error.what()).find(missingFolder), std::string::npos) << error.what();
  }

  const std::string path = dir.File("x.avi");
  writer.CreateFile(path, 1);
  VideoFrame malformed(kWidth, kHeight);
  malformed.pixels.resize(100);
  EXPECT_THROW(writer.WriteVideo(malformed), video_exception);
  EXPECT_THROW(writer.WriteAudio(std::vector<std::int16_t>(3)), video_exception) << "half a stereo frame";
  EXPECT_NO_THROW(writer.WriteVideo(ColourBlocks(kWidth, kHeight)));
  writer.CloseFile();
  EXPECT_NO_THROW(writer.CloseFile());
  EXPECT_THROW(writer.WriteVideo(ColourBlocks(kWidth, kHeight)), video_exception);

  writer.SetVideoEnabled(false);
  writer.CreateFile(dir.File("sound.avi"), 1);
  EXPECT_THROW(writer.WriteVideo(ColourBlocks(kWidth, kHeight)), video_exception);
  writer.CloseFile();
  writer.SetAudioEnabled(false);
  EXPECT_THROW(writer.CreateFile(dir.File("nothing.avi"), 1), video_exception);
  EXPECT_FALSE(std::filesystem::exists(dir.File("nothing.avi")));
}

// Encoding runs on the writer's own thread; its failures still reach the
// caller, at the next call at the latest.
TEST(Writer, AFullDiskIsReportedToTheCaller) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  VideoFile writer;
  writer.SetAudioEnabled(false);
  writer.SetFrameFormat(kWidth, kHeight, 25.0);
  writer.SetAVIVideo(kWidth, kHeight, 25.0);
  std::string message;
  try {
    writer.CreateFile("/dev/full", 1);
    for (int i = 0; i < 100; ++i) writer.WriteVideo(videotest::Noise(kWidth, kHeight, static_cast<unsigned>(i)));
    writer.CloseFile();
  } catch (const video_exception& error) {
    message = error.what();
  }
  EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
  EXPECT_TRUE(std::filesystem::exists("/dev/full")) << "a path that was there is never removed";
  EXPECT_NO_THROW(writer.CloseFile());
}

TEST(Writer, CreateFileFinishesAFileLeftOpenBeforeStartingTheNext) {
  testkit::TempDir dir;
  VideoFile writer;
  writer.SetAudioEnabled(false);
  writer.SetFrameFormat(kWidth, kHeight, 25.0);
  writer.SetAVIVideo(kWidth, kHeight, 25.0);
  writer.CreateFile(dir.File("first.avi"), 1);
  for (int i = 0; i < 10; ++i) writer.WriteVideo(ColourBlocks(kWidth, kHeight));
  writer.CreateFile(dir.File("second.avi"), 1);  // the first was never closed
  writer.WriteVideo(ColourBlocks(kWidth, kHeight));
  writer.CloseFile();

  VideoFile reader;
  reader.OpenFile(dir.File("first.avi"));
  EXPECT_EQ(reader.FramesCount(), 10);
}

}  // namespace
