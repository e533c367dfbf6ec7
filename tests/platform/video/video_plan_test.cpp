// The writer's choices, checked without encoding: muxers and parameters for
// each container, profiles, frame rates, and the codec settings dialog.

#include <gtest/gtest.h>

#include "platform/dialogs/scripted_responder.h"
#include "platform/video/codec_settings_request.h"
#include "platform/video/frame_rate.h"
#include "platform/video/output_plan.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "platform/video/writer_profiles.h"

namespace {

bool Equal(AVRational a, AVRational b) {
  return av_cmp_q(a, b) == 0;
}

TEST(FrameRate, NumbersBecomeExactRates) {
  struct Case {
    double fps;
    AVRational rate;
  };
  for (const Case c : {Case{23.97, {24000, 1001}}, Case{23.976, {24000, 1001}}, Case{29.97, {30000, 1001}},
                       Case{59.94, {60000, 1001}}, Case{25.0, {25, 1}}, Case{1.0, {1, 1}}, Case{12.5, {25, 2}},
                       Case{0.0, {25, 1}}, Case{-3.0, {25, 1}}, Case{5000.0, {25, 1}}}) {
    const AVRational rate = FrameRateFromDouble(c.fps);
    EXPECT_TRUE(Equal(rate, c.rate)) << c.fps << " gave " << rate.num << "/" << rate.den;
  }
  EXPECT_TRUE(Equal(NearestMpegFrameRate({15, 1}), {24000, 1001}));
  EXPECT_TRUE(Equal(NearestMpegFrameRate({25, 1}), {25, 1}));
  EXPECT_TRUE(Equal(NearestMpegFrameRate({1, 1}), {24000, 1001}));
}

TEST(FrameRate, MapperFillsTheOutputRateFromTheInputRate) {
  struct Case {
    AVRational in, out;
    int inputs, outputs;
  };
  for (const Case c : {Case{{25, 1}, {25, 1}, 50, 50}, Case{{1, 1}, {25, 1}, 3, 75},
                       Case{{25, 1}, {30000, 1001}, 25, 30}, Case{{30000, 1001}, {25, 1}, 30, 26},
                       Case{{30, 1}, {15, 1}, 30, 15}, Case{{24000, 1001}, {24000, 1001}, 100, 100}}) {
    FrameRateMapper mapper(c.in, c.out);
    int total = 0;
    for (int i = 0; i < c.inputs; ++i) total += mapper.Add();
    EXPECT_EQ(total, c.outputs) << c.in.num << "/" << c.in.den << " -> " << c.out.num << "/" << c.out.den;
  }
  FrameRateMapper halving({30, 1}, {15, 1});
  EXPECT_EQ(halving.Add(), 1);
  EXPECT_EQ(halving.Add(), 0);
  EXPECT_EQ(halving.Add(), 1);
}

WriterSettings MpegSettings(int version, int width, int height, double fps) {
  WriterSettings settings;
  settings.frameWidth = 640;
  settings.frameHeight = 480;
  settings.mpegVersion = version;
  settings.mpegVideoKbps = version == 1 ? 1150 : 5000;
  settings.mpegWidth = width;
  settings.mpegHeight = height;
  settings.mpegFrameRate = fps;
  settings.mpegAudioHz = 44100;
  return settings;
}

TEST(OutputPlan, MpegStreamsOfDiscSizesGetTheDiscMuxers) {
  struct Case {
    int version, width, height;
    double fps;
    const char* muxer;
    const char* audio;
    AVRational aspect;
    int gop;
  };
  for (const Case c :
       {Case{2, 720, 576, 25.0, "dvd", "ac3", {16, 15}, 15}, Case{2, 720, 480, 29.97, "dvd", "ac3", {8, 9}, 18},
        Case{2, 352, 288, 25.0, "dvd", "ac3", {12, 11}, 15}, Case{1, 352, 288, 25.0, "vcd", "mp2", {12, 11}, 15},
        Case{1, 352, 240, 29.97, "vcd", "mp2", {10, 11}, 18}, Case{2, 480, 576, 25.0, "svcd", "mp2", {8, 5}, 15},
        Case{2, 480, 480, 29.97, "svcd", "mp2", {4, 3}, 18}, Case{1, 160, 120, 25.0, "mpeg", "mp2", {1, 1}, 15},
        Case{2, 640, 480, 23.97, "vob", "mp2", {1, 1}, 15}, Case{1, 720, 576, 25.0, "mpeg", "mp2", {1, 1}, 15}}) {
    SCOPED_TRACE(std::to_string(c.version) + ": " + std::to_string(c.width) + "x" + std::to_string(c.height));
    const OutputPlan plan = MakeOutputPlan(MpegSettings(c.version, c.width, c.height, c.fps), OutputContainer::Mpeg);
    EXPECT_EQ(plan.muxer, c.muxer);
    EXPECT_EQ(plan.video.encoder, c.version == 1 ? "mpeg1video" : "mpeg2video");
    EXPECT_EQ(plan.video.width, c.width);
    EXPECT_EQ(plan.video.height, c.height);
    EXPECT_EQ(plan.audio.encoder, c.audio);
    EXPECT_TRUE(Equal(plan.video.sampleAspect, c.aspect));
    EXPECT_EQ(plan.video.gopSize, c.gop);
  }
  const OutputPlan dvd = MakeOutputPlan(MpegSettings(2, 720, 576, 25.0), OutputContainer::Mpeg);
  EXPECT_EQ(dvd.audio.sampleRate, 48000) << "DVD sound is 48 kHz whatever was asked";
  EXPECT_EQ(dvd.video.bufferSize, 1835008);
  const OutputPlan vcd = MakeOutputPlan(MpegSettings(1, 352, 288, 25.0), OutputContainer::Mpeg);
  EXPECT_EQ(vcd.video.minRate, 1150000);
  EXPECT_EQ(vcd.video.maxRate, 1150000);
}

// A DVD title whose rate was fitted under the peak gets the encoder choices
// that spend time on scarce bits; one at the peak, one at a rate that was
// not fitted (a menu, the "DVD Bitrate" setting) and the CD formats do not.
TEST(OutputPlan, ADvdTitleFittedUnderThePeakGetsTheScarceBitsChoices) {
  struct Case {
    int version, width, height, kbps;
    bool fitted;
    OptionList options;
  };
  const OptionList scarce = {{"trellis", "1"}, {"cmp", "sse"}, {"subcmp", "sse"}, {"mbcmp", "sse"}, {"last_pred", "2"}};
  const Case cases[] = {{2, 720, 576, 5000, true, scarce}, {2, 720, 576, 8999, true, scarce},
                        {2, 720, 576, 9000, true, {}},     {2, 720, 576, 5000, false, {}},
                        {1, 352, 288, 1150, true, {}},     {2, 480, 576, 2000, true, {{"scan_offset", "1"}}}};
  for (const Case& c : cases) {
    WriterSettings settings = MpegSettings(c.version, c.width, c.height, 25.0);
    settings.mpegVideoKbps = c.kbps;
    settings.mpegRateFitted = c.fitted;
    EXPECT_EQ(MakeOutputPlan(settings, OutputContainer::Mpeg).video.options, c.options)
        << c.width << "x" << c.height << " at " << c.kbps << " kbit/s" << (c.fitted ? ", fitted" : "");
  }
}

TEST(OutputPlan, MpegSoundRatesAreOnesLayerTwoAllows) {
  struct Case {
    int kbps, hz, channels, planned;
  };
  for (const Case c : {Case{224, 44100, 2, 224}, Case{224, 44100, 1, 192}, Case{160, 16000, 1, 160},
                       Case{224, 22050, 2, 160}, Case{100, 48000, 2, 96}}) {
    WriterSettings settings = MpegSettings(1, 160, 120, 25.0);
    settings.mpegAudioKbps = c.kbps;
    settings.mpegAudioHz = c.hz;
    settings.mpegAudioChannels = c.channels;
    EXPECT_EQ(MakeOutputPlan(settings, OutputContainer::Mpeg).audio.bitRate, c.planned * 1000)
        << c.kbps << " kbit/s " << c.hz << " Hz " << c.channels << " channels";
  }
}

TEST(OutputPlan, ProfilesAreNumberedFromOneAndCorrectedAtTheEnds) {
  WriterSettings settings;
  settings.frameWidth = 170;
  settings.frameHeight = 126;
  settings.frameRate = 29.97;
  for (const auto& [number, expected] : {std::pair{0, 1}, std::pair{1, 1}, std::pair{13, 13}, std::pair{99, 13}}) {
    settings.windowsMediaProfile = number;
    const OutputPlan plan = MakeOutputPlan(settings, OutputContainer::WindowsMedia);
    EXPECT_EQ(plan.video.bitRate, WindowsMediaProfiles()[static_cast<std::size_t>(expected - 1)].videoKbps * 1000LL);
    EXPECT_EQ(plan.muxer, "asf");
  }
  settings.windowsMediaProfile = 1;
  EXPECT_TRUE(Equal(MakeOutputPlan(settings, OutputContainer::WindowsMedia).video.frameRate, {15, 1}));

  settings.realMediaProfile = 1;  // RealVideo 1: multiples of 16
  OutputPlan rm = MakeOutputPlan(settings, OutputContainer::RealMedia);
  EXPECT_EQ(rm.muxer, "rm");
  EXPECT_EQ(rm.video.encoder, "rv10");
  EXPECT_EQ(rm.video.width, 176);
  EXPECT_EQ(rm.video.height, 128);
  settings.realMediaProfile = 13;
  rm = MakeOutputPlan(settings, OutputContainer::RealMedia);
  EXPECT_EQ(rm.video.width, 172);
  EXPECT_EQ(rm.video.height, 128);
  EXPECT_TRUE(Equal(rm.video.frameRate, {30, 1})) << "Real Media keeps whole frame rates";

  for (int number = 1; number <= VideoFile::WMVProfileCount(); ++number)
    EXPECT_FALSE(VideoFile::WMVProfileName(number).empty());
  for (int number = 1; number <= VideoFile::RMProfileCount(); ++number)
    EXPECT_FALSE(VideoFile::RMProfileName(number).empty());
  EXPECT_EQ(VideoFile::WMVProfileName(0), "");
  EXPECT_EQ(VideoFile::RMProfileName(VideoFile::RMProfileCount() + 1), "");
}

TEST(OutputPlan, AviTakesTheSelectedCodecAndSoundFormat) {
  WriterSettings settings;
  settings.frameWidth = 321;
  settings.frameHeight = 241;
  settings.aviCodec = 99;  // out of the list: the first codec
  settings.aviAudio = AviAudioFormat::Gsm;
  settings.aviAudioHz = 44100;
  settings.aviAudioChannels = 2;
  OutputPlan plan = MakeOutputPlan(settings, OutputContainer::Avi);
  EXPECT_EQ(plan.muxer, "avi");
  EXPECT_EQ(plan.video.encoder, AviVideoCodecs().front().encoder);
  EXPECT_EQ(plan.video.width, 320) << "4:2:0 pictures need even sizes";
  EXPECT_EQ(plan.video.height, 240);
  EXPECT_EQ(plan.audio.encoder, "libgsm_ms");
  EXPECT_EQ(plan.audio.sampleRate, 8000);
  EXPECT_EQ(plan.audio.channels, 1);

  settings.aviAudio = AviAudioFormat::Mp3;
  settings.aviAudioKbps = 128;
  plan = MakeOutputPlan(settings, OutputContainer::Avi);
  EXPECT_EQ(plan.audio.encoder, "libmp3lame");
  EXPECT_EQ(plan.audio.bitRate, 128000);
  EXPECT_EQ(plan.audio.sampleRate, 44100);

  settings.frameWidth = 0;
  EXPECT_THROW(MakeOutputPlan(settings, OutputContainer::Avi), video_exception);
  settings.videoEnabled = false;
  EXPECT_NO_THROW(MakeOutputPlan(settings, OutputContainer::Avi)) << "sound alone needs no frame size";
}

TEST(VideoCodecSettings, DialogShowsTheSelectedCodecAndItsAnswerChangesTheEncoding) {
  ScriptedResponder responder;
  VideoFile writer;
  ASSERT_GE(writer.VideoCodecCount(), 3);
  writer.SelectVideoCodec(1);
  EXPECT_EQ(writer.SelectedVideoCodec(), 1);
  EXPECT_EQ(writer.VideoCodecName(), VideoFile::VideoCodecName(1));
  EXPECT_EQ(VideoFile::VideoCodecName(0), "");

  responder.QueueAnswer<CodecSettingsRequest>(IDOK, {2, 800, 50});
  EXPECT_EQ(writer.ShowVideoCodecSettings(), IDOK);
  ASSERT_EQ(responder.DialogNames(), std::vector<std::string>{"VideoCodecSettings"});
  const auto requests = responder.Requests<CodecSettingsRequest>();
  ASSERT_EQ(requests.size(), 1U);
  EXPECT_EQ(requests[0].codecName, VideoFile::VideoCodecName(1));
  EXPECT_EQ(requests[0].encoder, AviVideoCodecs()[0].encoder);
  EXPECT_EQ(requests[0].scale, AviVideoCodecs()[0].scale);
  EXPECT_EQ(requests[0].current.quality, AviVideoCodecs()[0].defaultQuality)
      << "an unset quality starts at the default";
  const VideoCodecSettings& stored = writer.Settings().aviCodecSettings.at(1);
  EXPECT_EQ(stored.quality, 2);
  EXPECT_EQ(stored.bitrateKbps, 800);
  EXPECT_EQ(stored.keyframeInterval, 50);

  // Cancel and answers out of range change nothing.
  responder.QueueAnswer<CodecSettingsRequest>(IDCANCEL, {9, 100, 10});
  EXPECT_EQ(writer.ShowVideoCodecSettings(), IDCANCEL);
  responder.QueueAnswer<CodecSettingsRequest>(IDOK, {99, -5, 10001});
  writer.ShowVideoCodecSettings();
  EXPECT_EQ(writer.Settings().aviCodecSettings.at(1).keyframeInterval, 50);
  responder.QueueDialogAnswer({IDOK, {}});  // OK without an answer: nothing to take
  writer.ShowVideoCodecSettings();
  EXPECT_EQ(writer.Settings().aviCodecSettings.at(1).quality, 2);
  EXPECT_EQ(writer.Settings().aviCodecSettings.at(1).bitrateKbps, 800);

  WriterSettings settings = writer.Settings();
  settings.frameWidth = 160;
  settings.frameHeight = 120;
  const OutputPlan plan = MakeOutputPlan(settings, OutputContainer::Avi);
  EXPECT_EQ(plan.video.bitRate, 800000);
  EXPECT_EQ(plan.video.gopSize, 50);
  // The dialog of the second codec starts from its own defaults.
  writer.SelectVideoCodec(2);
  writer.ShowVideoCodecSettings();
  EXPECT_EQ(responder.Requests<CodecSettingsRequest>().back().codecName, VideoFile::VideoCodecName(2));
  EXPECT_EQ(responder.Requests<CodecSettingsRequest>().back().current.bitrateKbps, 0);
  EXPECT_EQ(responder.Requests<CodecSettingsRequest>()[1].current.quality, 2)
      << "the dialog starts from the stored value";
}

}  // namespace
