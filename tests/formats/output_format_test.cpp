#include "formats/output_format.h"

#include <gtest/gtest.h>

#include "format_test_support.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"

namespace {

std::string Text(const char* value) {
  return value != nullptr ? value : "(null)";
}

TEST(OutputFormat, CatalogueOfTheSevenPages) {
  ScriptedResponder responder;
  const auto pages = CreateFfmpegFormatPages();
  const struct {
    int templateId;
    const char* type;
    const char* muxer;
    const char* extension;
    const char* target;
  } expected[] = {
      {180, "AVI", "avi", ".avi", "(null)"}, {182, "MPEG", "vob", ".mpg", "(null)"},
      {186, "WMV", "asf", ".wmv", "(null)"}, {183, "RM", "rm", ".rm", "(null)"},
      {181, "DVD", "dvd", ".mpg", "dvd"},    {184, "VCD", "vcd", ".mpg", "vcd"},
      {185, "SVCD", "svcd", ".mpg", "svcd"},
  };
  ASSERT_EQ(pages.size(), std::size(expected));
  for (std::size_t id = 0; id < pages.size(); ++id) {
    const OutputFormat& page = *pages[id];
    SCOPED_TRACE(expected[id].type);
    EXPECT_EQ(page.format_id, static_cast<OutputFormatId>(id)) << "index is the format id";
    EXPECT_EQ(page.TemplateId(), expected[id].templateId);
    EXPECT_EQ(Text(page.GetOutputFormat()), expected[id].type);
    EXPECT_EQ(Text(page.GetFormatMuxer()), expected[id].muxer);
    EXPECT_EQ(Text(page.GetFileExt()), expected[id].extension);
    EXPECT_EQ(Text(page.GetType()), expected[id].target);
    EXPECT_FALSE(page.IsAudioFormat());
  }
  EXPECT_TRUE(responder.Messages().empty());
}

TEST(OutputFormat, MpegMuxerFollowsItsCodecBroughtIntoRange) {
  CPageMPEG_Ffmpeg mpeg;
  const struct {
    std::int32_t codec;
    const char* muxer;
  } cases[] = {{0, "mpeg"}, {1, "vob"}, {-1, "mpeg"}, {2, "vob"}, {INT32_MAX, "vob"}};
  for (const auto& c : cases) {
    mpeg.video_codec_id = c.codec;
    EXPECT_EQ(Text(mpeg.GetFormatMuxer()), c.muxer) << c.codec;
    EXPECT_EQ(Text(mpeg.GetFileExt()), ".mpg");
  }
}

TEST(OutputFormat, AspectRatioText) {
  CPageDVD_Ffmpeg dvd;
  const struct {
    std::int32_t aspect;
    const char* text;
  } cases[] = {{0, "(null)"}, {1, "4:3"}, {2, "16:9"}, {3, "(null)"}, {-1, "(null)"}};
  for (const auto& c : cases) {
    dvd.video_aspect_id = c.aspect;
    EXPECT_EQ(Text(dvd.GetVideoAspectRatio()), c.text) << c.aspect;
  }
}

TEST(OutputFormat, UnknownFormatIdShowsTheMessageWhereSpecifiedAndGoesOn) {
  for (OutputFormatId id : {-1, 7}) {
    ScriptedResponder responder;
    CPageAVI_Ffmpeg page;
    page.format_id = id;
    EXPECT_EQ(page.GetOutputFormat(), nullptr);
    EXPECT_EQ(page.GetType(), nullptr);
    EXPECT_TRUE(responder.Messages().empty()) << "these two stay silent";

    EXPECT_EQ(page.GetFormatMuxer(), nullptr);
    EXPECT_EQ(page.GetFileExt(), nullptr);
    EXPECT_TRUE(page.GetVideoCodecTable().empty());
    EXPECT_TRUE(page.GetAudioCodecTable().empty());
    const auto messages = responder.Messages();
    ASSERT_EQ(messages.size(), 4U);
    for (const auto& message : messages) {
      EXPECT_EQ(message.text, "Output File Type Unknown");
      EXPECT_EQ(message.caption, "Orlenta");
      EXPECT_EQ(message.flags, MB_OK);
    }
    // The other tables are the general ones, without a message.
    EXPECT_EQ(page.GetVideoBitRateTable().size(), 10U);
    EXPECT_EQ(page.GetVideoFrameRateTable().size(), 8U);
    EXPECT_EQ(page.GetVideoFrameSizeTable().size(), 16U);
    EXPECT_EQ(page.GetAudioBitRateTable().size(), 14U);
    EXPECT_EQ(responder.Messages().size(), 4U);

    // No record can be formed, but asking for one must not read outside a table.
    const EncodingParameters record = page.GetEncodingParameters();
    EXPECT_EQ(record.format, nullptr);
    EXPECT_EQ(record.video_codec, nullptr);
    EXPECT_EQ(record.audio_codec, nullptr);
  }
}

TEST(OutputFormat, EachPageStartsFromItsOwnDefaults) {
  const auto pages = CreateFfmpegFormatPages();
  // codec, video bit rate, frame rate, frame size, aspect, audio codec, audio bit rate, channels
  const std::int32_t expected[kOutputFormatCount][8] = {
      {1, 6, 5, 0, 0, 1, 8, 1},  // AVI
      {1, 6, 2, 0, 0, 0, 8, 1},  // MPEG
      {0, 6, 5, 0, 0, 0, 8, 1},  // WMV
      {1, 3, 5, 0, 0, 0, 8, 1},  // RM
      {0, 2, 0, 0, 0, 1, 0, 1},  // DVD
      {0, 0, 0, 0, 0, 0, 0, 1},  // VCD
      {0, 0, 0, 0, 0, 0, 0, 1},  // SVCD
  };
  for (OutputFormatId id = 0; id < kOutputFormatCount; ++id) {
    OutputFormat& page = *pages[id];
    SCOPED_TRACE(page.GetOutputFormat());
    const std::int32_t actual[8] = {page.video_codec_id,     page.video_bitrate_id, page.video_framerate_id,
                                    page.video_framesize_id, page.video_aspect_id,  page.audio_codec_id,
                                    page.audio_bitrate_id,   page.audio_channels_id};
    EXPECT_TRUE(std::equal(std::begin(actual), std::end(actual), std::begin(expected[id])));
    EXPECT_EQ(page.has_video, 1);
    EXPECT_EQ(page.has_audio, 1);
    EXPECT_EQ(page.audio_samplerate, 0);

    // A reset restores the indices; only disc formats reset their aspect.
    page.video_codec_id = page.video_bitrate_id = page.audio_channels_id = 5;
    page.video_aspect_id = 2;
    page.has_video = 0;
    page.audio_samplerate = 44100;
    page.ResetToDefaults();
    EXPECT_EQ(page.video_codec_id, expected[id][0]);
    EXPECT_EQ(page.video_bitrate_id, expected[id][1]);
    EXPECT_EQ(page.audio_channels_id, 1);
    EXPECT_EQ(page.video_aspect_id, IsDiscFormat(id) ? 0 : 2);
    EXPECT_EQ(page.has_video, 1);
    EXPECT_EQ(page.audio_samplerate, 0);
  }
}

TEST(OutputFormat, AudioOnlyVariant) {
  AudioOutputFormat audio(0, kFormatAvi);
  EXPECT_TRUE(audio.IsAudioFormat());
  EXPECT_EQ(audio.has_video, 0);
  EXPECT_EQ(audio.has_audio, 1);
  EXPECT_EQ(audio.audio_codec_id, 1) << "the base defaults apply first";
  EXPECT_TRUE(audio.GetVideoCodecTable().empty());
  EXPECT_TRUE(audio.GetVideoBitRateTable().empty());
  EXPECT_TRUE(audio.GetVideoFrameRateTable().empty());
  EXPECT_TRUE(audio.GetVideoFrameSizeTable().empty());
  EXPECT_EQ(audio.GetAudioCodecTable().size(), 2U);
  // Through the base class, as the main window holds its formats.
  const OutputFormat& base = audio;
  EXPECT_TRUE(base.IsAudioFormat());
}

TEST(OutputFormat, LogsItsEntryLines) {
  LogCapture log;
  CPageDVD_Ffmpeg dvd;
  dvd.GetOutputFormat();
  dvd.GetFormatMuxer();
  dvd.GetFileExt();
  dvd.GetType();
  dvd.GetVideoAspectRatio();
  dvd.IsAudioFormat();
  dvd.GetVideoCodecTable();
  dvd.GetAudioCodecTable();
  dvd.GetVideoBitRateTable();
  dvd.GetVideoFrameSizeTable();
  dvd.GetAudioBitRateTable();
  dvd.GetVideoFrameRateTable();
  dvd.slider_pos = 3;
  dvd.GetVideoQuality();
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "OutputFormat constructor with ID: 181",
                             "OutputFormat::ResetToDefaults - format 4",
                             "OutputFormat::GetOutputFormat - format 4",
                             "OutputFormat::GetFormatMuxer - format 4",
                             "OutputFormat::GetFileExt - format 4",
                             "OutputFormat::GetType - format 4",
                             "OutputFormat::GetVideoAspectRatio - aspect ratio: 0",
                             "OutputFormat::IsAudioFormat",
                             "OutputFormat::GetVideoCodecTable - format 4",
                             "OutputFormat::GetAudioCodecTable - format 4",
                             "OutputFormat::GetVideoBitRateTable - format 4",
                             "OutputFormat::GetVideoFrameSizeTable - format 4",
                             "OutputFormat::GetAudioBitRateTable - format 4",
                             "OutputFormat::GetVideoFrameRateTable - format 4",
                             "OutputFormat::GetVideoQuality - slider pos: 3",
                         }));
}

}  // namespace
