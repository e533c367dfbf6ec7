#include "formats/library_engine_tables.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr double kAviFrameRates[] = {10, 15, 20, 23.97, 24, 25, 29.97, 30};
constexpr double kMpegFrameRates[] = {23.97, 24, 25, 29.97, 30};
constexpr int kMpegVideoKbps[] = {750, 1150, 1950, 2376};
constexpr double kMpegFrameRateBySlider[] = {23.97, 23.97, 23.97, 24, 24, 24, 25, 29.97, 30, 30};
constexpr int kMpegVideoKbpsBySlider[] = {750, 750, 1150, 1150, 1150, 1950, 1950, 2376, 5100, 7200};
constexpr int kRealMediaProfileBySlider[] = {1, 5, 6, 7, 8, 9, 10, 11, 12, 13};

template <typename T, std::size_t N>
T At(const T (&table)[N], int index) {
  return table[std::clamp(index, 0, static_cast<int>(N) - 1)];
}

}  // namespace

double AviFrameRateAt(int index) {
  return At(kAviFrameRates, index);
}
double MpegFrameRateAt(int index) {
  return At(kMpegFrameRates, index);
}
int MpegVideoKbpsAt(int index) {
  return At(kMpegVideoKbps, index);
}
double MpegFrameRateBySlider(int position) {
  return At(kMpegFrameRateBySlider, position);
}
int MpegVideoKbpsBySlider(int position) {
  return At(kMpegVideoKbpsBySlider, position);
}
int RealMediaProfileBySlider(int position) {
  return At(kRealMediaProfileBySlider, position);
}

DiscFrameFormat DiscFrameFormatFor(OutputFormatId format, int discType) {
  const bool ntsc = discType == 0;
  DiscFrameFormat disc;
  disc.frameRate = ntsc ? 29.97 : 25.0;
  switch (format) {
    case kFormatVcd:
      disc.width = 352;
      disc.height = ntsc ? 240 : 288;
      disc.mpegVersion = 1;
      disc.audioHz = 44100;
      break;
    case kFormatSvcd:
      disc.width = 480;
      disc.height = ntsc ? 480 : 576;
      disc.audioHz = 44100;
      break;
    default:
      disc.width = 720;
      disc.height = ntsc ? 480 : 576;
      break;
  }
  return disc;
}

int LibraryMpegHeight(int mpegVersionSetting, int height) {
  if (mpegVersionSetting == 1 && height >= 33) return (height + 16) / 32 * 32;
  return height;
}

int SplitLengthMs(OutputFormatId format, int durationMs, int cdCount) {
  const double margin = format == kFormatVcd ? 1000.0 : 100.0;
  return static_cast<int>(static_cast<double>(durationMs) / std::max(1, cdCount) + margin);
}

std::string PartFileName(std::string path, int part) {
  if (path.size() >= 5 && part >= 0 && part <= 9) path[path.size() - 5] = static_cast<char>('0' + part);
  return path;
}

double LibraryProgress(int doneMs, int videoMs, int audioMs, int totalMs, int currentFileMs, bool discFormat) {
  double total = totalMs;
  if (total <= 0) total = static_cast<double>(doneMs) + currentFileMs;
  if (total <= 0) return 0.0;
  double percent = (2.0 * doneMs + videoMs + audioMs) * 100.0 / (2.0 * total);
  if (discFormat) percent *= 0.75;
  if (percent > 100.0) percent -= 100.0 * std::trunc(std::trunc(percent) / 100.0);
  return std::max(0.0, percent);
}
