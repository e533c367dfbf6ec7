#include "formats/encoding_tables.h"

#include <iterator>

namespace {

constexpr std::int32_t kNtsc = 0;
constexpr std::int32_t kPal = 1;
constexpr std::int32_t kSecam = 2;
constexpr std::int32_t kAviMjpeg = 2;
constexpr std::int32_t kDvdAc3 = 0;
constexpr std::int32_t kDvdMp2 = 1;

const CodecTable kNoCodecs;

}  // namespace

const CodecTable& VideoCodecTableOf(OutputFormatId format) {
  static const CodecTable avi = {{"MS MPEG4 V2", "msmpeg4v2", "MP42"},
                                 {"DIVX", "mpeg4", "DIVX"},
                                 {"MJPEG", "mjpeg", nullptr},
                                 {"Windows Media 7", "wmv1", nullptr},
                                 {"Windows Media 8", "wmv2", nullptr}};
  static const CodecTable mpeg = {{"MPEG1", "mpeg1video", nullptr}, {"MPEG2", "mpeg2video", nullptr}};
  static const CodecTable wmv = {{"Windows Media 7", "wmv1", nullptr}, {"Windows Media 8", "wmv2", nullptr}};
  static const CodecTable rm = {{"RealVideo 1.0", "rv10", nullptr}, {"RealVideo 2.0", "rv20", nullptr}};
  static const CodecTable dvd = {{"NTSC", "ntsc-dvd", nullptr}, {"PAL", "pal-dvd", nullptr}};
  // SECAM discs are made with the PAL target.
  static const CodecTable vcd = {
      {"NTSC", "ntsc-vcd", nullptr}, {"PAL", "pal-vcd", nullptr}, {"SECAM", "pal-vcd", nullptr}};
  static const CodecTable svcd = {{"NTSC", "ntsc-svcd", nullptr}, {"PAL", "pal-svcd", nullptr}};
  switch (format) {
    case kFormatAvi:
      return avi;
    case kFormatMpeg:
      return mpeg;
    case kFormatWmv:
      return wmv;
    case kFormatRm:
      return rm;
    case kFormatDvd:
      return dvd;
    case kFormatVcd:
      return vcd;
    case kFormatSvcd:
      return svcd;
    default:
      return kNoCodecs;
  }
}

const CodecTable& AudioCodecTableOf(OutputFormatId format) {
  static const CodecTable avi = {{"mp2", "mp2", nullptr}, {"mp3", "libmp3lame", nullptr}};
  static const CodecTable mpeg = {{"mp2", "mp2", nullptr}, {"ac3", "ac3", nullptr}};
  static const CodecTable wmv = {
      {"wma1", "wmav1", nullptr}, {"wma2", "wmav2", nullptr}, {"mp3", "libmp3lame", nullptr}};
  static const CodecTable rm = {{"ATSC A/52A (AC-3)", "ac3", nullptr}};
  static const CodecTable dvd = {{"ac3", "ac3", nullptr}, {"mp2", "mp2", nullptr}};
  static const CodecTable mp2Only = {{"mp2", "mp2", nullptr}};
  switch (format) {
    case kFormatAvi:
      return avi;
    case kFormatMpeg:
      return mpeg;
    case kFormatWmv:
      return wmv;
    case kFormatRm:
      return rm;
    case kFormatDvd:
      return dvd;
    case kFormatVcd:
    case kFormatSvcd:
      return mp2Only;
    default:
      return kNoCodecs;
  }
}

const BitRateTable& VideoBitRateTableOf(OutputFormatId format, std::int32_t videoCodecId) {
  static const BitRateTable mjpeg = {100000, 200000, 450000, 600000, 1000000, 1600000, 2500000};
  static const BitRateTable rm = {100000, 200000, 450000, 600000, 1000000};
  static const BitRateTable dvd = {6000000, 7000000, 8000000, 9000000};
  static const BitRateTable vcd = {1150000};
  static const BitRateTable svcd = {2500000};
  static const BitRateTable general = {100000,  200000,  450000,  600000,  1000000,
                                       1600000, 2500000, 5000000, 8000000, 9000000};
  if (format == kFormatAvi && videoCodecId == kAviMjpeg) return mjpeg;
  switch (format) {
    case kFormatRm:
      return rm;
    case kFormatDvd:
      return dvd;
    case kFormatVcd:
      return vcd;
    case kFormatSvcd:
      return svcd;
    default:
      return general;
  }
}

const FrameSizeTable& VideoFrameSizeTableOf(OutputFormatId format, std::int32_t tvStandard) {
  static const FrameSizeTable rm = {{0, 0}, {320, 240}, {640, 480}};
  static const FrameSizeTable dvdNtsc = {{0, 0}, {720, 480}};
  static const FrameSizeTable dvdPal = {{0, 0}, {720, 576}};
  static const FrameSizeTable svcdNtsc = {{0, 0}, {480, 480}};
  static const FrameSizeTable svcdPal = {{0, 0}, {480, 576}};
  static const FrameSizeTable vcdNtsc = {{0, 0}, {352, 240}, {704, 480}};
  static const FrameSizeTable vcdPal = {{0, 0}, {352, 288}, {704, 576}};
  static const FrameSizeTable general = {{0, 0},     {160, 120},  {176, 144},  {192, 168}, {240, 180}, {320, 200},
                                         {320, 240}, {352, 288},  {640, 480},  {720, 480}, {720, 576}, {800, 400},
                                         {800, 600}, {1024, 600}, {1024, 768}, {1280, 720}};
  switch (format) {
    case kFormatRm:
      return rm;
    case kFormatDvd:
      if (tvStandard == kNtsc) return dvdNtsc;
      if (tvStandard == kPal) return dvdPal;
      return general;
    case kFormatSvcd:
      if (tvStandard == kNtsc) return svcdNtsc;
      if (tvStandard == kPal) return svcdPal;
      return general;
    case kFormatVcd:
      if (tvStandard == kNtsc) return vcdNtsc;
      if (tvStandard == kPal || tvStandard == kSecam) return vcdPal;
      return general;
    default:
      return general;
  }
}

const FrameRateTable& VideoFrameRateTableOf(OutputFormatId format, std::int32_t tvStandard) {
  static const FrameRateTable mpeg = {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}};
  static const FrameRateTable ntsc = {{30000, 1001}};
  static const FrameRateTable pal = {{25, 1}};
  static const FrameRateTable general = {{10, 1}, {15, 1}, {20, 1},       {24000, 1001},
                                         {24, 1}, {25, 1}, {30000, 1001}, {30, 1}};
  if (format == kFormatMpeg) return mpeg;
  if (IsDiscFormat(format)) {
    if (tvStandard == kNtsc) return ntsc;
    if (tvStandard == kPal || tvStandard == kSecam) return pal;
  }
  return general;
}

const BitRateTable& AudioBitRateTableOf(OutputFormatId format, std::int32_t audioCodecId) {
  static const BitRateTable dvdAc3 = {224000, 448000};
  static const BitRateTable only224 = {224000};
  static const BitRateTable general = {32000,  40000,  48000,  56000,  64000,  80000,  96000,
                                       112000, 128000, 160000, 192000, 224000, 256000, 320000};
  if (format == kFormatDvd && audioCodecId == kDvdAc3) return dvdAc3;
  if (format == kFormatDvd && audioCodecId == kDvdMp2) return only224;
  if (format == kFormatVcd || format == kFormatSvcd) return only224;
  return general;
}

std::int32_t FitIndexToTable(std::int32_t stored, std::size_t count) {
  std::int32_t fitted = stored;
  if (static_cast<std::uint32_t>(stored) >= count) fitted = static_cast<std::int32_t>(count) - 1;
  if (stored < 0) fitted = 0;
  return fitted;
}

std::int32_t QuantiserForSliderPosition(std::int32_t position) {
  // Low position, low quality: a high quantiser.
  static constexpr std::int32_t kQuantisers[] = {31, 27, 23, 19, 16, 13, 10, 7, 4, 1};
  if (position < 0 || position >= static_cast<std::int32_t>(std::size(kQuantisers))) return 0;
  return kQuantisers[position];
}

const FormatDefaults* DefaultsOf(OutputFormatId format) {
  // codec, video bit rate, frame rate, frame size, aspect, audio codec, audio bit rate, channels
  static constexpr FormatDefaults kDefaults[] = {
      {1, 6, 5, 0, -1, 1, 8, 1},  // AVI: DIVX, 2500 kbps, 25 fps, source size, mp3, 128 kbps, stereo
      {1, 6, 2, 0, -1, 0, 8, 1},  // MPEG: MPEG2, 2500 kbps, 25 fps, mp2
      {0, 6, 5, 0, -1, 0, 8, 1},  // WMV: Windows Media 7, wma1
      {1, 3, 5, 0, -1, 0, 8, 1},  // RM: RealVideo 2.0, 600 kbps, AC-3
      {0, 2, 0, 0, 0, 1, 0, 1},   // DVD: NTSC, 8000 kbps, 29.97 fps, auto aspect, mp2, 224 kbps
      {0, 0, 0, 0, 0, 0, 0, 1},   // VCD: NTSC
      {0, 0, 0, 0, 0, 0, 0, 1},   // SVCD: NTSC
  };
  return IsKnownFormat(format) ? &kDefaults[format] : nullptr;
}
