#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "common/fake_ffmpeg.h"
#include "common/test_kit.h"
#include "convert/convert_test_support.h"
#include "convert/converter.h"
#include "convert/recording_receiver.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

class ExternalConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    ASSERT_TRUE(LogOpen(m_dir.File("Orlenta_log.txt").c_str()));
  }
  void TearDown() override { LogClose(); }

  testkit::TempDir m_dir;
  RecordingReceiver m_receiver;
  ScriptedResponder m_responder;
  RecordingFallback m_fallback;
};

TEST_F(ExternalConverterTest, DurationIsWholeSecondsOrZero) {
  const auto clip = testkit::MakeClip(m_dir.File("clip.mkv"), {.seconds = 2.96});
  EXPECT_EQ(ExternalConverter(clip, m_dir.File("o.avi"), {}, nullptr).Duration(), 2.0);
  testkit::WriteFile(m_dir.File("text.avi"), "not a video at all");
  EXPECT_EQ(ExternalConverter(m_dir.File("text.avi"), m_dir.File("o.avi"), {}, nullptr).Duration(), 0.0);
  EXPECT_EQ(ExternalConverter(m_dir.File("missing.avi"), m_dir.File("o.avi"), {}, nullptr).Duration(), 0.0);
}

struct FormatCase {
  const char* name;
  std::function<std::unique_ptr<OutputFormat>()> make;
  const char* container;
  const char* videoCodec;
  const char* videoTag;  // "" = not checked
  int width, height;     // 0 = not checked
  const char* audioCodec;
};

std::unique_ptr<OutputFormat> Configured(std::unique_ptr<OutputFormat> format,
                                         const std::function<void(OutputFormat&)>& choose) {
  choose(*format);
  format->slider_pos = 5;
  return format;
}

TEST_F(ExternalConverterTest, ConvertsToEveryOutputFormat) {
  const auto input = testkit::MakeClip(m_dir.File("in.avi"), {.seconds = 1.0});
  const FormatCase cases[] = {
      {"avi", [] { return Configured(std::make_unique<CPageAVI_Ffmpeg>(), [](OutputFormat&) {}); }, "avi", "mpeg4",
       "DIVX", 0, 0, "mp3"},
      {"mpeg2", [] { return Configured(std::make_unique<CPageMPEG_Ffmpeg>(), [](OutputFormat&) {}); }, "mpeg",
       "mpeg2video", "", 0, 0, "mp2"},
      {"wmv", [] { return Configured(std::make_unique<CPageWMV_Ffmpeg>(), [](OutputFormat&) {}); }, "asf", "wmv1", "",
       0, 0, "wmav1"},
      {"rm", [] { return Configured(std::make_unique<CPageRM_Ffmpeg>(), [](OutputFormat&) {}); }, "rm", "rv20", "", 0,
       0, "ac3"},
      {"pal dvd",
       [] {
         return Configured(std::make_unique<CPageDVD_Ffmpeg>(), [](OutputFormat& f) {
           f.video_codec_id = 1;
           f.video_framesize_id = 1;
           f.audio_codec_id = 0;
         });
       },
       "mpeg", "mpeg2video", "", 720, 576, "ac3"},
      {"ntsc vcd", [] { return Configured(std::make_unique<CPageVCD_Ffmpeg>(), [](OutputFormat&) {}); }, "mpeg",
       "mpeg1video", "", 352, 240, "mp2"},
      {"ntsc svcd", [] { return Configured(std::make_unique<CPageSVCD_Ffmpeg>(), [](OutputFormat&) {}); }, "mpeg",
       "mpeg2video", "", 480, 480, "mp2"},
      {"pal svcd",
       [] { return Configured(std::make_unique<CPageSVCD_Ffmpeg>(), [](OutputFormat& f) { f.video_codec_id = 1; }); },
       "mpeg", "mpeg2video", "", 480, 576, "mp2"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto format = c.make();
    const std::string output = m_dir.File(std::string(c.name) + format->GetFileExt());
    ExternalConverter converter(input, output, format->GetEncodingParameters(), &m_receiver);
    converter.Convert();
    ASSERT_TRUE(m_responder.Messages().empty()) << m_responder.MessageTexts().front();

    const ProbedFile probed = ProbeWithFfprobe(output);
    EXPECT_EQ(probed.container, c.container);
    const ProbedStream* video = probed.Find("video");
    const ProbedStream* audio = probed.Find("audio");
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(video->codec, c.videoCodec);
    if (*c.videoTag != '\0') {
      EXPECT_EQ(video->tag, c.videoTag);
    }
    if (c.width != 0) {
      EXPECT_EQ(video->width, c.width);
      EXPECT_EQ(video->height, c.height);
    }
    EXPECT_EQ(audio->codec, c.audioCodec);
  }
  EXPECT_EQ(m_fallback.calls, 0);
}

TEST_F(ExternalConverterTest, FailureShowsErrorTwelveAndCallsTheFallbackOnce) {
  testkit::WriteFile(m_dir.File("truncated.avi"),
                     testkit::ReadFile(testkit::MakeClip(m_dir.File("whole.avi"))).substr(0, 300));
  CPageAVI_Ffmpeg avi;
  ExternalConverter converter(m_dir.File("truncated.avi"), m_dir.File("out.avi"), avi.GetEncodingParameters(),
                              &m_receiver);
  converter.Convert();

  const auto messages = m_responder.Messages();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].text, "Error #12: Conversion problem");
  EXPECT_EQ(messages[0].caption, kApplicationTitle);
  EXPECT_EQ(messages[0].flags, MB_OK);
  EXPECT_EQ(m_fallback.calls, 1);
  EXPECT_NE(testkit::ReadFile(m_dir.File("Orlenta_log.txt")).find("Conversion failed! Error #12: Conversion problem"),
            std::string::npos);
}

TEST_F(ExternalConverterTest, HostileNamesConvertAndTouchNothingElse) {
  const std::string folder = m_dir.File("in \"q\" $(touch x); 'ü'");
  std::filesystem::create_directory(folder);
  const auto input = testkit::MakeClip(folder + "/-an ;rm -rf ~; $(id) \"é\".avi", {.seconds = 1.0});
  const std::string output = folder + "/pipe:1 & ö\".avi";
  CPageAVI_Ffmpeg avi;
  ExternalConverter converter(input, output, avi.GetEncodingParameters(), &m_receiver);
  EXPECT_EQ(converter.GetCommandLine().substr(0, 13 + input.size()), " -i        \"" + input + "\"");
  converter.Convert();
  EXPECT_TRUE(m_responder.Messages().empty());
  EXPECT_EQ(ProbeWithFfprobe(output).container, "avi");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"-an ;rm -rf ~; $(id) \"é\".avi", "pipe:1 & ö\".avi"}));
}

TEST_F(ExternalConverterTest, FailureLogsWhyAndKeepsAFileFfmpegNeverWrote) {
  testkit::WriteFile(m_dir.File("text.avi"), "not a video at all");
  testkit::WriteFile(m_dir.File("out.avi"), "mine");
  CPageAVI_Ffmpeg avi;
  ExternalConverter(m_dir.File("text.avi"), m_dir.File("out.avi"), avi.GetEncodingParameters(), &m_receiver).Convert();

  EXPECT_EQ(m_responder.MessageTexts(), std::vector<std::string>{"Error #12: Conversion problem"});
  EXPECT_EQ(testkit::ReadFile(m_dir.File("out.avi")), "mine") << "ffmpeg failed on its input, before the output";
  const auto log = testkit::LogEntries(m_dir.File("Orlenta_log.txt"));
  const auto logged = [&log](const std::string& start, const std::string& part) {
    return std::any_of(log.begin(), log.end(), [&](const std::string& line) {
      return line.starts_with(start) && line.find(part) != std::string::npos;
    });
  };
  EXPECT_TRUE(logged("ffmpeg failed with exit code 1", ""));
  EXPECT_TRUE(logged("ffmpeg: ", "Invalid data found when processing input"));
}

TEST_F(ExternalConverterTest, AnOutputWhosePictureCannotBeReadBackIsAFailure) {
  const auto clip = testkit::MakeClip(m_dir.File("clip.avi"), {.seconds = 1.0});
  const auto sound = testkit::MakeClip(m_dir.File("sound.mpg"), {.seconds = 1.0, .video = false});
  const std::string output = m_dir.File("clip_new.mpg");
  const auto dvd = Configured(std::make_unique<CPageDVD_Ffmpeg>(), [](OutputFormat&) {});
  {
    // An ffmpeg that ends well but leaves the pictures out (as it may when it
    // cannot decode them): its output is the last argument, a "file:" address.
    FakeFfmpeg soundOnly(m_dir, "for argument; do output=$argument; done\ncp '" + sound + "' \"${output#file:}\"");
    ExternalConverter(clip, output, dvd->GetEncodingParameters(), &m_receiver).Convert();
  }
  EXPECT_EQ(m_responder.MessageTexts(), std::vector<std::string>{"Error #12: Conversion problem"});
  EXPECT_EQ(m_fallback.calls, 1);
  EXPECT_FALSE(std::filesystem::exists(output)) << "the output without pictures is removed";
  EXPECT_NE(testkit::ReadFile(m_dir.File("Orlenta_log.txt"))
                .find("ffmpeg ended with exit code 0, but the picture of " + output + " cannot be read back"),
            std::string::npos);
}

// Converts a few seconds to PAL DVD into output on a disk that is too small.
class FullDiskTest : public ExternalConverterTest {
 protected:
  void ConvertInto(const std::string& output) {
    const auto input = testkit::MakeClip(m_dir.File("in.avi"), {.seconds = 4.0});
    const auto dvd = Configured(std::make_unique<CPageDVD_Ffmpeg>(), [](OutputFormat& f) {
      f.video_codec_id = 1;
      f.video_framesize_id = 1;
    });
    ExternalConverter(input, output, dvd->GetEncodingParameters(), &m_receiver).Convert();
    EXPECT_EQ(m_responder.MessageTexts(),
              std::vector<std::string>{"Error #12: Conversion problem\n\nThe disk is full: there is no room left for " +
                                       output});
    EXPECT_EQ(m_fallback.calls, 1);
  }
};

TEST_F(FullDiskTest, RemovesThePartialOutputAndSaysTheDiskIsFull) {
  testkit::SmallDisk disk(256 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string output = disk.File("in_new.mpg");
  ConvertInto(output);
  EXPECT_FALSE(std::filesystem::exists(output)) << "the partial output stays";
}

TEST_F(FullDiskTest, SaysTheDiskIsFullWhereNoDiskCanBeMounted) {
  // /dev/full fails every write with ENOSPC. The link is not ffmpeg's output
  // file, and neither is the device: both stay.
  const std::string output = m_dir.File("full.mpg");
  std::filesystem::create_symlink("/dev/full", output);
  ConvertInto(output);
  EXPECT_TRUE(std::filesystem::is_symlink(output));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(ExternalConverterTest, SoundWithoutAPictureBecomesADiscTitleWithABlackOne) {
  const auto song = testkit::MakeClip(m_dir.File("song.mp3"), {.seconds = 3.0, .video = false});
  // The same song with a cover picture, which is no moving picture either.
  const std::string covered = m_dir.File("covered.mp3");
  ASSERT_TRUE(RunProcess({FindProgram("ffmpeg"),
                          "-hide_banner",
                          "-nostdin",
                          "-i",
                          song,
                          "-f",
                          "lavfi",
                          "-i",
                          "color=c=red:s=64x64:d=1",
                          "-map",
                          "0:a",
                          "-map",
                          "1:v",
                          "-c:a",
                          "copy",
                          "-c:v",
                          "mjpeg",
                          "-frames:v",
                          "1",
                          "-disposition:v",
                          "attached_pic",
                          covered})
                  .Succeeded());
  const auto palDvd = Configured(std::make_unique<CPageDVD_Ffmpeg>(), [](OutputFormat& f) {
    f.video_codec_id = 1;
    f.video_framesize_id = 1;
  });
  const auto ntscVcd = Configured(std::make_unique<CPageVCD_Ffmpeg>(), [](OutputFormat&) {});
  const struct {
    const char* what;
    std::string input;
    const OutputFormat* format;
    int width, height;
  } cases[] = {
      {"song to PAL DVD", song, palDvd.get(), 720, 576},
      {"covered song to PAL DVD", covered, palDvd.get(), 720, 576},
      {"song to NTSC VCD", song, ntscVcd.get(), 352, 240},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string output = m_dir.File(std::string(c.what) + ".mpg");
    ExternalConverter(c.input, output, c.format->GetEncodingParameters(), &m_receiver).Convert();
    ASSERT_TRUE(m_responder.Messages().empty()) << m_responder.MessageTexts().front();
    const ProbedFile probed = ProbeWithFfprobe(output);
    const ProbedStream* video = probed.Find("video");
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->width, c.width);
    EXPECT_EQ(video->height, c.height);
    EXPECT_NE(probed.Find("audio"), nullptr);
    const double seconds = ProbeInput(output.c_str()).durationSeconds;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 3.0) << "the picture ends with the sound";
  }

  // Only disc formats need the picture, and only inputs without one get it.
  CPageAVI_Ffmpeg avi;
  const auto clip = testkit::MakeClip(m_dir.File("clip.avi"), {.seconds = 1.0});
  EXPECT_EQ(
      ExternalConverter(song, m_dir.File("o.avi"), avi.GetEncodingParameters(), nullptr).GetCommandLine().find("lavfi"),
      std::string::npos);
  EXPECT_EQ(ExternalConverter(clip, m_dir.File("o.mpg"), palDvd->GetEncodingParameters(), nullptr)
                .GetCommandLine()
                .find("lavfi"),
            std::string::npos);
}

}  // namespace
