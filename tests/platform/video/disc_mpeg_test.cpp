// MPEG files written for discs must pass the tools that author the discs.

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/media_test_helpers.h"
#include "platform/video/video_file.h"

namespace {

struct DiscStream {
  const char* name;
  int version;
  int width;
  int height;
  double frameRate;
  int kbps;
  int audioHz;
  int seconds;  // vcdimager wants a track of at least 75 sectors
};

void PrintTo(const DiscStream& stream, std::ostream* out) {
  *out << stream.name;
}

// Seconds of changing pictures and a tone, set up as the library-based
// conversion does. Noise keeps the stream near its bit rate, as a film would.
std::string WriteDiscStream(const testkit::TempDir& dir, const DiscStream& stream, int seconds) {
  const std::string path = dir.File(std::string(stream.name) + ".mpg");
  VideoFile writer;
  writer.SetVideoEnabled(true);
  writer.SetAudioEnabled(true);
  writer.SetAudioInput(44100, 2);
  writer.SetMPEGAudio(224, stream.audioHz, 2);
  writer.SetFrameFormat(stream.width, stream.height, stream.frameRate);
  writer.SetMPEGVideo(stream.version, stream.kbps, stream.width, stream.height, stream.frameRate);
  writer.SetMPEGRateFitted(true);
  writer.CreateFile(path, 2);
  const int frames = static_cast<int>(stream.frameRate * seconds + 0.5);
  const int samplesPerFrame = static_cast<int>(44100 / stream.frameRate);
  for (int i = 0; i < frames; ++i) {
    writer.WriteVideo(videotest::Noise(stream.width, stream.height, static_cast<unsigned>(i) + 1));
    writer.WriteAudio(
        videotest::Tone(44100, 2, samplesPerFrame, 440.0, static_cast<std::int64_t>(i) * samplesPerFrame));
  }
  writer.CloseFile();
  return path;
}

class DvdStream : public ::testing::TestWithParam<DiscStream> {};

TEST_P(DvdStream, DvdauthorBuildsATitleFromIt) {
  const DiscStream& stream = GetParam();
  testkit::TempDir dir;
  ScopedRegistryFile log;
  const std::string mpeg = WriteDiscStream(dir, stream, stream.seconds);
  // A DVD fitted at 5000 kbit/s gets the choices for scarce bits: the encoder takes them all.
  for (const std::string& line : log.LogLines()) EXPECT_EQ(line.find("ignored option"), std::string::npos) << line;
  testkit::WriteFile(dir.File("dvd.xml"),
                     "<dvdauthor dest=\"DVD\">\n  <vmgm />\n  <titleset>\n    <titles>\n      <pgc>\n"
                     "        <vob file=\"" +
                         mpeg + "\" />\n      </pgc>\n    </titles>\n  </titleset>\n</dvdauthor>\n");
  ChildProcess::Options options;
  options.workingDirectory = dir.path().string();
  options.environment = {std::string("VIDEO_FORMAT=") + (stream.height == 576 ? "PAL" : "NTSC")};
  const ProcessResult result = RunProcess({FindProgram("dvdauthor"), "-x", dir.File("dvd.xml")}, options);
  ASSERT_TRUE(result.Succeeded()) << result.output;
  EXPECT_EQ(result.output.find("ERR:"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("WARN:"), std::string::npos) << result.output;
  EXPECT_TRUE(std::filesystem::exists(dir.File("DVD/VIDEO_TS/VTS_01_1.VOB")));
  // The title plays for the second that was written.
  const ProcessResult listing = RunProcess({FindProgram("lsdvd"), dir.File("DVD")});
  EXPECT_NE(listing.output.find("Title: 01, Length: 00:00:01"), std::string::npos) << listing.output;
}

INSTANTIATE_TEST_SUITE_P(Standards, DvdStream,
                         ::testing::Values(DiscStream{"DvdPal", 2, 720, 576, 25.0, 5000, 48000, 1},
                                           DiscStream{"DvdNtsc", 2, 720, 480, 29.97, 5000, 48000, 1}),
                         [](const auto& param) { return std::string(param.param.name); });

class CdStream : public ::testing::TestWithParam<DiscStream> {};

TEST_P(CdStream, VcdimagerBuildsAnImageFromIt) {
  const DiscStream& stream = GetParam();
  testkit::TempDir dir;
  const std::string mpeg = WriteDiscStream(dir, stream, stream.seconds);
  const char* type = stream.version == 1 ? "vcd2" : "svcd";
  ChildProcess::Options options;
  options.workingDirectory = dir.path().string();
  const ProcessResult result = RunProcess(
      {FindProgram("vcdimager"), "-t", type, "-c", dir.File("cd.cue"), "-b", dir.File("cd.bin"), mpeg}, options);
  ASSERT_TRUE(result.Succeeded()) << result.output;
  EXPECT_NE(result.output.find("finished ok"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("**ERROR"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("WARN"), std::string::npos) << result.output;
}

INSTANTIATE_TEST_SUITE_P(Standards, CdStream,
                         ::testing::Values(DiscStream{"VcdPal", 1, 352, 288, 25.0, 1150, 44100, 2},
                                           DiscStream{"VcdNtsc", 1, 352, 240, 29.97, 1150, 44100, 2},
                                           DiscStream{"SvcdPal", 2, 480, 576, 25.0, 2040, 44100, 2}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
