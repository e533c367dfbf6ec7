#include "platform/video/writer_profiles.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

// Every candidate; the list offered holds those the build can encode into AVI.
constexpr AviVideoCodec kAviCandidates[] = {
    {"MPEG-4 Part 2 (Xvid compatible)", "mpeg4", "XVID", "yuv420p", QualityScale::Quantizer, 4},
    {"Microsoft MPEG-4 V3 (DivX 3 compatible)", "msmpeg4", "DIV3", "yuv420p", QualityScale::Quantizer, 4},
    {"Microsoft MPEG-4 V2", "msmpeg4v2", "MP42", "yuv420p", QualityScale::Quantizer, 4},
    {"H.264 (x264)", "libx264", "H264", "yuv420p", QualityScale::RateFactor, 23},
    {"Motion JPEG", "mjpeg", "MJPG", "yuvj420p", QualityScale::Quantizer, 3},
    {"Windows Media Video 8", "wmv2", "WMV2", "yuv420p", QualityScale::Quantizer, 4},
    {"Windows Media Video 7", "wmv1", "WMV1", "yuv420p", QualityScale::Quantizer, 4},
    {"Huffyuv (lossless)", "huffyuv", "HFYU", nullptr, QualityScale::None, 0},
    {"FFV1 (lossless)", "ffv1", "FFV1", nullptr, QualityScale::None, 0},
    {"Ut Video (lossless)", "utvideo", nullptr, nullptr, QualityScale::None, 0},
    {"Zip Motion Blocks Video (lossless)", "zmbv", "ZMBV", nullptr, QualityScale::None, 0},
    {"Microsoft Video 1", "msvideo1", nullptr, nullptr, QualityScale::None, 0},
    {"Cinepak", "cinepak", "cvid", nullptr, QualityScale::None, 0},
};

// Lowest to highest. Windows Media Audio 2 needs at least 24 kbit/s.
const std::vector<StreamingProfile> kWindowsMedia = {
    {"Windows Media Video 7, dial-up modem (56 Kbps)", "wmv1", 24, 15, 2, "wmav2", 32, 22050, 1},
    {"Windows Media Video 8, dial-up modem (56 Kbps)", "wmv2", 24, 15, 2, "wmav2", 32, 22050, 1},
    {"Windows Media Video 8, ISDN (64 Kbps)", "wmv2", 32, 15, 2, "wmav2", 32, 22050, 1},
    {"Windows Media Video 8, dual ISDN (128 Kbps)", "wmv2", 80, 15, 2, "wmav2", 48, 32000, 2},
    {"Windows Media Video 8, broadband (256 Kbps)", "wmv2", 200, 25, 2, "wmav2", 48, 32000, 2},
    {"Windows Media Video 8, broadband (384 Kbps)", "wmv2", 320, 0, 2, "wmav2", 64, 44100, 2},
    {"Windows Media Video 8, broadband (512 Kbps)", "wmv2", 450, 0, 2, "wmav2", 64, 44100, 2},
    {"Windows Media Video 8, broadband (768 Kbps)", "wmv2", 680, 0, 2, "wmav2", 96, 44100, 2},
    {"Windows Media Video 8, LAN (1 Mbps)", "wmv2", 900, 0, 2, "wmav2", 128, 44100, 2},
    {"Windows Media Video 8, LAN (1.5 Mbps)", "wmv2", 1350, 0, 2, "wmav2", 128, 44100, 2},
    {"Windows Media Video 8, LAN (2 Mbps)", "wmv2", 1800, 0, 2, "wmav2", 160, 44100, 2},
    {"Windows Media Video 8, high quality (3 Mbps)", "wmv2", 2800, 0, 2, "wmav2", 192, 48000, 2},
    {"Windows Media Video 8, high quality (5 Mbps)", "wmv2", 4800, 0, 2, "wmav2", 192, 48000, 2},
};

// RealVideo 1 needs sizes in multiples of 16, RealVideo 2 in multiples of 4.
// The sound is AC-3, which Real Media carries; FFmpeg's RealAudio 1.0
// encoder would be the classic choice, but its packets come out of the muxer
// without time stamps.
const std::vector<StreamingProfile> kRealMedia = {
    {"RealVideo 1.0, 28.8 Kbps modem", "rv10", 20, 10, 16, "ac3", 32, 32000, 1},
    {"RealVideo 2.0, 56 Kbps modem", "rv20", 40, 15, 4, "ac3", 32, 32000, 1},
    {"RealVideo 2.0, 64 Kbps single ISDN", "rv20", 50, 15, 4, "ac3", 32, 32000, 1},
    {"RealVideo 2.0, 112 Kbps dual ISDN", "rv20", 100, 15, 4, "ac3", 32, 32000, 1},
    {"RealVideo 2.0, 150 Kbps", "rv20", 118, 25, 4, "ac3", 32, 32000, 1},
    {"RealVideo 2.0, 225 Kbps", "rv20", 161, 0, 4, "ac3", 64, 44100, 2},
    {"RealVideo 2.0, 256 Kbps DSL/cable", "rv20", 192, 0, 4, "ac3", 64, 44100, 2},
    {"RealVideo 2.0, 300 Kbps", "rv20", 236, 0, 4, "ac3", 64, 44100, 2},
    {"RealVideo 2.0, 384 Kbps", "rv20", 288, 0, 4, "ac3", 96, 44100, 2},
    {"RealVideo 2.0, 450 Kbps", "rv20", 354, 0, 4, "ac3", 96, 44100, 2},
    {"RealVideo 2.0, 512 Kbps DSL/cable", "rv20", 384, 0, 4, "ac3", 128, 44100, 2},
    {"RealVideo 2.0, 768 Kbps", "rv20", 640, 0, 4, "ac3", 128, 44100, 2},
    {"RealVideo 2.0, 1 Mbps", "rv20", 864, 0, 4, "ac3", 160, 48000, 2},
};

bool AviCanCarry(const char* encoderName) {
  const AVCodec* encoder = avcodec_find_encoder_by_name(encoderName);
  const AVOutputFormat* avi = av_guess_format("avi", nullptr, nullptr);
  return encoder != nullptr && avi != nullptr && avformat_query_codec(avi, encoder->id, FF_COMPLIANCE_NORMAL) == 1;
}

}  // namespace

const std::vector<AviVideoCodec>& AviVideoCodecs() {
  static const std::vector<AviVideoCodec> codecs = [] {
    std::vector<AviVideoCodec> available;
    for (const AviVideoCodec& codec : kAviCandidates) {
      if (AviCanCarry(codec.encoder)) available.push_back(codec);
    }
    return available;
  }();
  return codecs;
}

const std::vector<StreamingProfile>& WindowsMediaProfiles() {
  return kWindowsMedia;
}

const std::vector<StreamingProfile>& RealMediaProfiles() {
  return kRealMedia;
}

const StreamingProfile& ProfileByNumber(const std::vector<StreamingProfile>& profiles, int number) {
  const int index = std::clamp(number, 1, static_cast<int>(profiles.size())) - 1;
  return profiles[static_cast<std::size_t>(index)];
}
