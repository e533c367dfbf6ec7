#pragma once
// Frame rates as callers give them (25, 29.97, 23.97) and as codecs need them
// (exact fractions), and the mapping of frames written at one rate onto an
// output of another.

#include <cstdint>

extern "C" {
#include <libavutil/rational.h>
}

// The exact rate for a rate given as a number: 23.97 and 23.976 become
// 24000/1001, 29.97 becomes 30000/1001, 59.94 becomes 60000/1001; other rates
// are kept as closely as a fraction allows. Rates outside (0, 1000] give 25.
AVRational FrameRateFromDouble(double framesPerSecond);

// The nearest rate an MPEG-1/2 sequence header can carry.
AVRational NearestMpegFrameRate(AVRational rate);

// Frames arrive at the input rate, each standing for 1/input seconds; the
// output shows, at each of its own frame times, the input frame of that
// moment. Same rates give one output per input.
class FrameRateMapper {
 public:
  FrameRateMapper() = default;
  FrameRateMapper(AVRational inputRate, AVRational outputRate) : m_input(inputRate), m_output(outputRate) {}

  // Counts the next input frame; returns how many output frames it fills.
  int Add();
  std::int64_t InputFrames() const noexcept { return m_inputFrames; }
  std::int64_t OutputFrames() const noexcept { return m_outputFrames; }

 private:
  AVRational m_input{25, 1};
  AVRational m_output{25, 1};
  std::int64_t m_inputFrames = 0;
  std::int64_t m_outputFrames = 0;
};
