// OutputFormat::GetEncodingParameters: the record each format's choices give.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "format_test_support.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"

namespace {

TEST(EncodingParameters, DefaultsOfEveryFormat) {
  const auto pages = CreateFfmpegFormatPages();
  const char* expected[kOutputFormatCount] = {
      "f=avi vcodec=mpeg4 vtag=DIVX vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=libmp3lame atag=- "
      "ab=128000 ar=0 ac=2 an=0 q=31 target=-",
      "f=vob vcodec=mpeg2video vtag=- vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
      "ab=128000 ar=0 ac=2 an=0 q=31 target=-",
      "f=asf vcodec=wmv1 vtag=- vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=wmav1 atag=- "
      "ab=128000 ar=0 ac=2 an=0 q=31 target=-",
      "f=rm vcodec=rv20 vtag=- vb=600000 r=25/1 vn=0 s=0x0 aspect=- acodec=ac3 atag=- "
      "ab=128000 ar=0 ac=2 an=0 q=31 target=-",
      "f=dvd vcodec=ntsc-dvd vtag=- vb=8000000 r=30000/1001 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
      "ab=224000 ar=0 ac=2 an=0 q=31 target=dvd",
      "f=vcd vcodec=ntsc-vcd vtag=- vb=1150000 r=30000/1001 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
      "ab=224000 ar=0 ac=2 an=0 q=31 target=vcd",
      "f=svcd vcodec=ntsc-svcd vtag=- vb=2500000 r=30000/1001 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
      "ab=224000 ar=0 ac=2 an=0 q=31 target=svcd",
  };
  for (OutputFormatId id = 0; id < kOutputFormatCount; ++id) {
    EXPECT_EQ(Describe(pages[id]->GetEncodingParameters()), expected[id]) << "format " << id;
  }
}

struct EdgeCase {
  const char* what;
  std::function<std::unique_ptr<OutputFormat>()> make;
  std::function<void(OutputFormat&)> change;
  const char* expected;
};

template <typename Page>
std::function<std::unique_ptr<OutputFormat>()> Make() {
  return [] { return std::make_unique<Page>(); };
}

TEST(EncodingParameters, IndicesAreBroughtIntoRangeOnCopies) {
  const EdgeCase cases[] = {
      {"AVI MJPEG with bit rate 9 takes the last of its 7 rows", Make<CPageAVI_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_codec_id = 2;
         f.video_bitrate_id = 9;
       },
       "f=avi vcodec=mjpeg vtag=- vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=libmp3lame atag=- "
       "ab=128000 ar=0 ac=2 an=0 q=31 target=-"},
      {"DVD mp2 has one audio bit rate", Make<CPageDVD_Ffmpeg>(), [](OutputFormat& f) { f.audio_bitrate_id = 1; },
       "f=dvd vcodec=ntsc-dvd vtag=- vb=8000000 r=30000/1001 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
       "ab=224000 ar=0 ac=2 an=0 q=31 target=dvd"},
      {"DVD ac3 has two", Make<CPageDVD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.audio_codec_id = 0;
         f.audio_bitrate_id = 1;
       },
       "f=dvd vcodec=ntsc-dvd vtag=- vb=8000000 r=30000/1001 vn=0 s=0x0 aspect=- acodec=ac3 atag=- "
       "ab=448000 ar=0 ac=2 an=0 q=31 target=dvd"},
      {"SECAM VCD is made as PAL", Make<CPageVCD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_codec_id = 2;
         f.video_framesize_id = 1;
       },
       "f=vcd vcodec=pal-vcd vtag=- vb=1150000 r=25/1 vn=0 s=352x288 aspect=- acodec=mp2 atag=- "
       "ab=224000 ar=0 ac=2 an=0 q=31 target=vcd"},
      {"every index -1 gives row 0, channel -1 mono", Make<CPageMPEG_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_codec_id = f.video_bitrate_id = f.video_framerate_id = f.video_framesize_id = -1;
         f.audio_codec_id = f.audio_bitrate_id = f.audio_channels_id = -1;
       },
       "f=mpeg vcodec=mpeg1video vtag=- vb=100000 r=24000/1001 vn=0 s=0x0 aspect=- acodec=mp2 atag=- "
       "ab=32000 ar=0 ac=1 an=0 q=31 target=-"},
      {"channel index 5 gives stereo, slider 9 the finest quantiser", Make<CPageAVI_Ffmpeg>(),
       [](OutputFormat& f) {
         f.audio_channels_id = 5;
         f.slider_pos = 9;
         f.video_codec_id = 0;
       },
       "f=avi vcodec=msmpeg4v2 vtag=MP42 vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=libmp3lame atag=- "
       "ab=128000 ar=0 ac=2 an=0 q=1 target=-"},
      {"slider 10 gives no quantiser", Make<CPageWMV_Ffmpeg>(), [](OutputFormat& f) { f.slider_pos = 10; },
       "f=asf vcodec=wmv1 vtag=- vb=2500000 r=25/1 vn=0 s=0x0 aspect=- acodec=wmav1 atag=- "
       "ab=128000 ar=0 ac=2 an=0 q=0 target=-"},
      {"a disc format passes its aspect", Make<CPageSVCD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_aspect_id = 2;
         f.video_codec_id = 1;
         f.video_framesize_id = 1;
       },
       "f=svcd vcodec=pal-svcd vtag=- vb=2500000 r=25/1 vn=0 s=480x576 aspect=16:9 acodec=mp2 atag=- "
       "ab=224000 ar=0 ac=2 an=0 q=31 target=svcd"},
      {"a file format never does", Make<CPageRM_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_aspect_id = 1;
         f.video_framesize_id = 2;
       },
       "f=rm vcodec=rv20 vtag=- vb=600000 r=25/1 vn=0 s=640x480 aspect=- acodec=ac3 atag=- "
       "ab=128000 ar=0 ac=2 an=0 q=31 target=-"},
      // Too large everywhere: the tables are chosen by the stored choices, so
      // DVD takes its general frame sizes and rates and general audio rates.
      {"too large indices take the last rows", Make<CPageDVD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.video_codec_id = f.video_bitrate_id = f.video_framerate_id = f.video_framesize_id = INT_MAX;
         f.audio_codec_id = f.audio_bitrate_id = f.audio_channels_id = f.video_aspect_id = INT_MAX;
         f.audio_samplerate = 44100;
       },
       "f=dvd vcodec=pal-dvd vtag=- vb=9000000 r=30/1 vn=0 s=1280x720 aspect=- acodec=mp2 atag=- "
       "ab=320000 ar=44100 ac=2 an=0 q=31 target=dvd"},
      {"no audio", Make<CPageVCD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.has_audio = 0;
         f.video_aspect_id = 1;
       },
       "f=vcd vcodec=ntsc-vcd vtag=- vb=1150000 r=30000/1001 vn=0 s=0x0 aspect=4:3 acodec=mp2 atag=- "
       "ab=224000 ar=0 ac=2 an=1 q=31 target=vcd"},
      {"no video: no video fields and quantiser 9", Make<CPageDVD_Ffmpeg>(),
       [](OutputFormat& f) {
         f.has_video = 0;
         f.slider_pos = 0;
         f.video_aspect_id = 2;
       },
       "f=dvd vcodec=- vtag=- vb=0 r=0/0 vn=1 s=0x0 aspect=- acodec=mp2 atag=- "
       "ab=224000 ar=0 ac=2 an=0 q=9 target=dvd"},
      {"the audio-only variant", [] { return std::make_unique<AudioOutputFormat>(0, kFormatAvi); },
       [](OutputFormat& f) { f.slider_pos = 5; },
       "f=avi vcodec=- vtag=- vb=0 r=0/0 vn=1 s=0x0 aspect=- acodec=libmp3lame atag=- "
       "ab=128000 ar=0 ac=2 an=0 q=9 target=-"},
  };
  for (const auto& c : cases) {
    auto format = c.make();
    c.change(*format);
    const std::int32_t before[] = {format->video_codec_id,     format->video_bitrate_id,  format->video_framerate_id,
                                   format->video_framesize_id, format->video_aspect_id,   format->audio_codec_id,
                                   format->audio_bitrate_id,   format->audio_channels_id, format->slider_pos};
    EXPECT_EQ(Describe(format->GetEncodingParameters()), c.expected) << c.what;
    const std::int32_t after[] = {format->video_codec_id,     format->video_bitrate_id,  format->video_framerate_id,
                                  format->video_framesize_id, format->video_aspect_id,   format->audio_codec_id,
                                  format->audio_bitrate_id,   format->audio_channels_id, format->slider_pos};
    EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after))) << c.what << ": members kept";
  }
}

TEST(EncodingParameters, TextsPointAtTheSharedTables) {
  CPageAVI_Ffmpeg avi;
  const EncodingParameters first = avi.GetEncodingParameters();
  const EncodingParameters second = avi.GetEncodingParameters();
  EXPECT_EQ(first.video_codec, second.video_codec);
  EXPECT_EQ(first.video_codec, avi.GetVideoCodecTable()[1].ffmpeg_name);
}

TEST(EncodingParameters, LogsTheValuesBeforeAndAfterTheRangeCheck) {
  CPageDVD_Ffmpeg dvd;
  dvd.video_bitrate_id = 7;
  dvd.audio_channels_id = -3;
  dvd.slider_pos = 9;
  LogCapture log;
  dvd.GetEncodingParameters();
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "OutputFormat::GetEncodingParameters",
                             "Before checking range values: ",
                             "Video Codec: 0",
                             "Video Bitrate: 7",
                             "Video Framerate: 0",
                             "Video Framesize: 0",
                             "Audio Codec: 1",
                             "Audio Bitrate: 0",
                             "Audio Samplerate: 0",
                             "Audio Channels: -3",
                             "OutputFormat::GetVideoCodecTable - format 4",
                             "OutputFormat::GetVideoBitRateTable - format 4",
                             "OutputFormat::GetVideoFrameRateTable - format 4",
                             "OutputFormat::GetVideoFrameSizeTable - format 4",
                             "OutputFormat::GetAudioCodecTable - format 4",
                             "OutputFormat::GetAudioBitRateTable - format 4",
                             "After checking range values: ",
                             "Video Codec: 0",
                             "Video Bitrate: 3",
                             "Video Framerate: 0",
                             "Video Framesize: 0",
                             "Audio Codec: 1",
                             "Audio Bitrate: 0",
                             "Audio Channels: 0",
                             "OutputFormat::GetFormatMuxer - format 4",
                             "OutputFormat::GetVideoQuality - slider pos: 9",
                             "OutputFormat::GetVideoAspectRatio - aspect ratio: 0",
                             "OutputFormat::GetType - format 4",
                         }));
}

}  // namespace
