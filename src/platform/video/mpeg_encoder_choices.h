#pragma once
// Choices for ffmpeg's MPEG-1/2 encoders that both engines make: the command
// line of the ffmpeg engine and the library engine's encoder.

#include <utility>

// A DVD title at a rate under the disc's peak, where bits are scarce:
// trellis quantisation, motion and macroblock choices by squared error, and
// the last picture's vectors as search candidates. Measured at 2.5 to 5
// Mbit/s on noise and on a film-like pan: 0.15 dB over ffmpeg's own choices,
// and more than trellis with rate-distortion macroblock decisions give, in
// 70 % of their time. Each is ffmpeg's command-line keyword; the encoder's
// option is its name after the dash.
inline constexpr std::pair<const char*, const char*> kScarceBitsMpegOptions[] = {
    {"-trellis", "1"}, {"-cmp", "sse"}, {"-subcmp", "sse"}, {"-mbcmp", "sse"}, {"-last_pred", "2"}};
