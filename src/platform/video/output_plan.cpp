#include "platform/video/output_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/video/frame_rate.h"
#include "platform/video/mpeg_encoder_choices.h"
#include "platform/video/video_error.h"
#include "platform/video/writer_profiles.h"
#include "support/log.h"

namespace {

// The peak video rate of a DVD title's encoder: a list fitted onto the disc
// below it is short of bits.
constexpr std::int64_t kDvdPeakBitRate = 9000000;
constexpr int kMp2Kbps[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
constexpr int kMp2LowRateKbps[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int kAc3Kbps[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640};

template <std::size_t N>
int Nearest(const int (&allowed)[N], int wanted) {
  int best = allowed[0];
  for (const int value : allowed) {
    if (std::abs(value - wanted) < std::abs(best - wanted)) best = value;
  }
  return best;
}

int Even(int value) {
  return std::max(2, value - value % 2);
}

int RoundToMultiple(int value, int multiple) {
  if (multiple <= 1) return value;
  const int rounded = (value + multiple / 2) / multiple * multiple;
  return std::max(multiple, rounded);
}

bool IsNtscRate(AVRational rate) {
  return std::fabs(av_q2d(rate) - 30000.0 / 1001.0) < 0.01 || av_q2d(rate) == 30.0;
}

// Disc pictures are shown at 4:3 (or 16:9); their pixels are not square.
AVRational DiscSampleAspect(int width, int height, bool widescreen) {
  AVRational aspect{1, 1};
  av_reduce(&aspect.num, &aspect.den, (widescreen ? 16LL : 4LL) * height, (widescreen ? 9LL : 3LL) * width, 1 << 16);
  return aspect;
}

void FrameSizeOrThrow(int& width, int& height, const WriterSettings& settings) {
  if (!settings.videoEnabled) {
    width = height = 16;  // no picture will be written; any size will do
    return;
  }
  if (width <= 0 || height <= 0) {
    width = settings.frameWidth;
    height = settings.frameHeight;
  }
  if (width <= 0 || height <= 0) throw video_exception("CreateFile: no frame size was set (SetFrameFormat)");
}

void PlanMpeg(const WriterSettings& settings, OutputPlan& plan) {
  const int version = settings.mpegVersion <= 1 ? 1 : 2;
  VideoPlan& video = plan.video;
  int width = settings.mpegWidth;
  int height = settings.mpegHeight;
  FrameSizeOrThrow(width, height, settings);
  video.encoder = version == 1 ? "mpeg1video" : "mpeg2video";
  video.pixelFormat = "yuv420p";
  video.width = Even(width);
  video.height = Even(height);
  video.frameRate = NearestMpegFrameRate(
      FrameRateFromDouble(settings.mpegFrameRate > 0.0 ? settings.mpegFrameRate : settings.frameRate));
  video.bitRate = std::max(1, settings.mpegVideoKbps) * 1000LL;
  video.gopSize = IsNtscRate(video.frameRate) ? 18 : 15;

  AudioPlan& audio = plan.audio;
  audio.encoder = "mp2";
  audio.sampleRate = settings.mpegAudioHz > 0 ? settings.mpegAudioHz : 48000;
  audio.channels = std::clamp(settings.mpegAudioChannels, 1, 2);
  const bool lowRate = audio.sampleRate < 32000;
  int kbps = lowRate ? Nearest(kMp2LowRateKbps, settings.mpegAudioKbps) : Nearest(kMp2Kbps, settings.mpegAudioKbps);
  if (audio.channels == 1 && !lowRate) kbps = std::min(kbps, 192);  // the most layer II allows for one channel
  audio.bitRate = kbps * 1000LL;

  if (version == 2 && IsDvdFrameSize(video.width, video.height)) {
    // DVD-Video: the dvd muxer writes the navigation packs dvdauthor needs;
    // AC-3 at 48 kHz is the sound every DVD player plays.
    plan.muxer = "dvd";
    plan.muxerOptions = {{"packetsize", "2048"}, {"muxrate", "10080000"}};
    video.maxRate = std::clamp<std::int64_t>(video.bitRate, kDvdPeakBitRate, 9800000);
    video.bufferSize = 1835008;
    if (settings.mpegRateFitted && video.bitRate < kDvdPeakBitRate) {
      for (const auto& [keyword, value] : kScarceBitsMpegOptions) video.options.emplace_back(keyword + 1, value);
    }
    video.sampleAspect = DiscSampleAspect(video.width, video.height, settings.mpegWidescreen);
    audio.encoder = "ac3";
    audio.sampleRate = 48000;
    audio.bitRate = Nearest(kAc3Kbps, settings.mpegAudioKbps) * 1000LL;
  } else if (version == 1 && IsVcdFrameSize(video.width, video.height)) {
    plan.muxer = "vcd";
    plan.muxerOptions = {{"packetsize", "2324"}, {"muxrate", "1411200"}, {"preload", "440000"}};
    // A VCD stream is constant bit rate.
    video.maxRate = video.bitRate;
    video.minRate = video.bitRate;
    video.bufferSize = 327680;
    video.sampleAspect = DiscSampleAspect(video.width, video.height, false);
  } else if (version == 2 && IsSvcdFrameSize(video.width, video.height)) {
    plan.muxer = "svcd";
    plan.muxerOptions = {{"packetsize", "2324"}};
    video.maxRate = std::max<std::int64_t>(video.bitRate, 2516000);
    video.bufferSize = 1835008;
    video.sampleAspect = DiscSampleAspect(video.width, video.height, false);
    video.options = {{"scan_offset", "1"}};
  } else {
    plan.muxer = version == 1 ? "mpeg" : "vob";
  }
}

void PlanAvi(const WriterSettings& settings, OutputPlan& plan) {
  plan.muxer = "avi";
  const auto& codecs = AviVideoCodecs();
  if (codecs.empty()) throw video_exception("CreateFile: this FFmpeg build has no video encoder for AVI");
  // A number outside the list (a setting stored under another build) falls back to the default codec.
  const bool listed = settings.aviCodec >= 1 && settings.aviCodec <= static_cast<int>(codecs.size());
  const int number = listed ? settings.aviCodec : 1;
  if (!listed) Log("Video library: AVI codec %d does not exist, using %d", settings.aviCodec, number);
  const AviVideoCodec& codec = codecs[static_cast<std::size_t>(number - 1)];
  VideoCodecSettings user;
  if (const auto found = settings.aviCodecSettings.find(number); found != settings.aviCodecSettings.end()) {
    user = found->second;
  }

  VideoPlan& video = plan.video;
  int width = settings.aviWidth;
  int height = settings.aviHeight;
  FrameSizeOrThrow(width, height, settings);
  video.encoder = codec.encoder;
  video.pixelFormat = codec.pixelFormat != nullptr ? codec.pixelFormat : "";
  video.fourcc = codec.fourcc != nullptr ? codec.fourcc : "";
  video.width = Even(width);
  video.height = Even(height);
  video.frameRate = FrameRateFromDouble(settings.aviFrameRate > 0.0 ? settings.aviFrameRate : settings.frameRate);
  video.gopSize = user.keyframeInterval > 0 ? user.keyframeInterval
                                            : std::max(1, static_cast<int>(std::lround(av_q2d(video.frameRate) * 5)));
  if (user.bitrateKbps > 0) {
    video.bitRate = user.bitrateKbps * 1000LL;
  } else if (codec.scale == QualityScale::Quantizer) {
    video.quantizer = std::clamp(user.quality > 0 ? user.quality : codec.defaultQuality, 1, 31);
  } else if (codec.scale == QualityScale::RateFactor) {
    const int factor = std::clamp(user.quality > 0 ? user.quality : codec.defaultQuality, 0, 51);
    video.options.emplace_back("crf", std::to_string(factor));
  }
  if (std::string(codec.encoder) == "libx264") {
    // No B-frames: AVI has no room for reordered time stamps.
    video.options.emplace_back("preset", "veryfast");
    video.options.emplace_back("bf", "0");
  }

  AudioPlan& audio = plan.audio;
  audio.sampleRate = settings.aviAudioHz > 0 ? settings.aviAudioHz : settings.inputSampleRate;
  audio.channels = std::clamp(settings.aviAudioChannels > 0 ? settings.aviAudioChannels : settings.inputChannels, 1, 2);
  switch (settings.aviAudio) {
    case AviAudioFormat::Pcm:
      audio.encoder = settings.aviAudioBits == 8 ? "pcm_u8" : "pcm_s16le";
      break;
    case AviAudioFormat::Mp3:
      audio.encoder = "libmp3lame";
      audio.bitRate = std::max(8, settings.aviAudioKbps) * 1000LL;
      break;
    case AviAudioFormat::Adpcm:
      audio.encoder = "adpcm_ms";
      break;
    case AviAudioFormat::ALaw:
      audio.encoder = "pcm_alaw";
      break;
    case AviAudioFormat::ULaw:
      audio.encoder = "pcm_mulaw";
      break;
    case AviAudioFormat::Gsm:
      // GSM 6.10 is defined for 8 kHz mono only.
      audio.encoder = "libgsm_ms";
      audio.sampleRate = 8000;
      audio.channels = 1;
      break;
  }
}

void PlanProfile(const WriterSettings& settings, const StreamingProfile& profile, OutputPlan& plan) {
  VideoPlan& video = plan.video;
  int width = 0;
  int height = 0;
  FrameSizeOrThrow(width, height, settings);
  video.encoder = profile.videoEncoder;
  video.pixelFormat = "yuv420p";
  video.width = RoundToMultiple(Even(width), std::max(2, profile.sizeMultiple));
  video.height = RoundToMultiple(Even(height), std::max(2, profile.sizeMultiple));
  video.frameRate = FrameRateFromDouble(settings.frameRate);
  if (profile.maxFrameRate > 0 && av_q2d(video.frameRate) > profile.maxFrameRate) {
    video.frameRate = AVRational{profile.maxFrameRate, 1};
  }
  video.bitRate = profile.videoKbps * 1000LL;
  video.gopSize = std::max(1, static_cast<int>(std::lround(av_q2d(video.frameRate) * 5)));
  plan.audio.encoder = profile.audioEncoder;
  plan.audio.sampleRate = profile.audioHz;
  plan.audio.channels = profile.audioChannels;
  plan.audio.bitRate = profile.audioKbps * 1000LL;
}

}  // namespace

bool IsDvdFrameSize(int width, int height) {
  const bool dvdWidth = width == 720 || width == 704 || width == 352;
  const bool dvdHeight = height == 576 || height == 480 || ((height == 288 || height == 240) && width == 352);
  return dvdWidth && dvdHeight;
}

bool IsVcdFrameSize(int width, int height) {
  return width == 352 && (height == 288 || height == 240);
}

bool IsSvcdFrameSize(int width, int height) {
  return width == 480 && (height == 576 || height == 480);
}

OutputPlan MakeOutputPlan(const WriterSettings& settings, OutputContainer container) {
  OutputPlan plan;
  switch (container) {
    case OutputContainer::Avi:
      PlanAvi(settings, plan);
      break;
    case OutputContainer::Mpeg:
      PlanMpeg(settings, plan);
      break;
    case OutputContainer::WindowsMedia:
      plan.muxer = "asf";
      PlanProfile(settings, ProfileByNumber(WindowsMediaProfiles(), settings.windowsMediaProfile), plan);
      break;
    case OutputContainer::RealMedia:
      plan.muxer = "rm";
      PlanProfile(settings, ProfileByNumber(RealMediaProfiles(), settings.realMediaProfile), plan);
      // Real Media stores milliseconds; NTSC rates would not survive the round trip.
      plan.video.frameRate = AVRational{std::max(1, static_cast<int>(std::lround(av_q2d(plan.video.frameRate)))), 1};
      break;
    default:
      throw video_exception("CreateFile: unknown container " + std::to_string(static_cast<int>(container)));
  }
  plan.hasVideo = settings.videoEnabled;
  plan.hasAudio = settings.audioEnabled;
  if (!plan.hasVideo && !plan.hasAudio) throw video_exception("CreateFile: neither video nor audio is enabled");
  return plan;
}
