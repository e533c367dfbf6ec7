#include "platform/video/frame_rate.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

AVRational FrameRateFromDouble(double framesPerSecond) {
  if (!(framesPerSecond > 0.0) || framesPerSecond > 1000.0) return AVRational{25, 1};
  // The NTSC family, however the caller rounded it.
  for (const int base : {24, 30, 48, 60, 120}) {
    const double ntsc = base * 1000.0 / 1001.0;
    if (std::fabs(framesPerSecond - ntsc) < 0.01) return AVRational{base * 1000, 1001};
  }
  const double whole = std::round(framesPerSecond);
  if (std::fabs(framesPerSecond - whole) < 1e-6) return AVRational{static_cast<int>(whole), 1};
  return av_d2q(framesPerSecond, 100000);
}

AVRational NearestMpegFrameRate(AVRational rate) {
  static constexpr AVRational kMpegRates[] = {{24000, 1001}, {24, 1}, {25, 1},       {30000, 1001},
                                              {30, 1},       {50, 1}, {60000, 1001}, {60, 1}};
  const double wanted = av_q2d(rate);
  AVRational best = kMpegRates[0];
  for (const AVRational candidate : kMpegRates) {
    if (std::fabs(av_q2d(candidate) - wanted) < std::fabs(av_q2d(best) - wanted)) best = candidate;
  }
  return best;
}

int FrameRateMapper::Add() {
  // Output frame j (at j/out seconds) belongs to input frame i when
  // i/in <= j/out < (i+1)/in; after input i every j with j*in < (i+1)*out is due.
  ++m_inputFrames;
  const std::int64_t left = static_cast<std::int64_t>(m_input.num) * m_output.den;
  const std::int64_t right = m_inputFrames * m_output.num * m_input.den;
  int count = 0;
  while (m_outputFrames * left < right) {
    ++m_outputFrames;
    ++count;
  }
  return count;
}
