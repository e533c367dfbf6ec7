#include "platform/disc/mpeg_compliance.h"

#include <cmath>

namespace {

bool Near(double value, double wanted) {
  return std::fabs(value - wanted) < 0.01;
}

bool PalRate(double rate) {
  return Near(rate, 25.0);
}
bool NtscRate(double rate) {
  return Near(rate, 30000.0 / 1001.0) || Near(rate, 24000.0 / 1001.0) || Near(rate, 30.0);
}

}  // namespace

VideoStandard StandardOf(const MpegInfo& info) {
  if (info.height == 576 || info.height == 288) return VideoStandard::Pal;
  if (info.height == 480 || info.height == 240) return VideoStandard::Ntsc;
  if (PalRate(info.frameRate)) return VideoStandard::Pal;
  if (NtscRate(info.frameRate)) return VideoStandard::Ntsc;
  return VideoStandard::Unknown;
}

std::string VideoCdProblem(const MpegInfo& info, VideoCdKind kind) {
  const bool svcd = kind == VideoCdKind::Svcd;
  if (info.container != "mpeg" && info.container != "vob") {
    return "not an MPEG program stream (" + info.container + ")";
  }
  const std::string wantedCodec = svcd ? "mpeg2video" : "mpeg1video";
  if (info.videoCodec != wantedCodec) {
    return "video is " + (info.videoCodec.empty() ? std::string("missing") : info.videoCodec) + ", not " + wantedCodec;
  }
  const int width = svcd ? 480 : 352;
  const bool pal = info.width == width && (info.height == (svcd ? 576 : 288)) && PalRate(info.frameRate);
  const bool ntsc = info.width == width && (info.height == (svcd ? 480 : 240)) && NtscRate(info.frameRate);
  if (!pal && !ntsc) {
    return "picture " + std::to_string(info.width) + "x" + std::to_string(info.height) + " at " +
           std::to_string(info.frameRate) + " fps does not fit";
  }
  if (!info.audioCodec.empty()) {
    if (info.audioCodec != "mp2" && info.audioCodec != "mp1") return "audio is " + info.audioCodec + ", not MPEG audio";
    if (info.sampleRate != 44100) return "audio sample rate " + std::to_string(info.sampleRate) + " Hz, not 44100 Hz";
  }
  return {};
}
