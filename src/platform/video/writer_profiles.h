#pragma once
// The writer's choices that the program lists for people: the video codecs an
// AVI file can be written with (those this FFmpeg build has), and the
// Windows Media and Real Media profiles, numbered from 1, lowest quality first.

#include <string>
#include <vector>

// How a codec's quality setting works.
enum class QualityScale {
  None,       // lossless or fixed
  Quantizer,  // 1 (best) .. 31
  RateFactor  // 0 (best) .. 51
};

struct AviVideoCodec {
  const char* name;         // for people
  const char* encoder;      // FFmpeg encoder
  const char* fourcc;       // tag written into the AVI header; nullptr keeps FFmpeg's
  const char* pixelFormat;  // nullptr: the format closest to BGRA the codec takes
  QualityScale scale;
  int defaultQuality;
};

// The AVI video codecs of this build, in the order offered.
const std::vector<AviVideoCodec>& AviVideoCodecs();

struct StreamingProfile {
  const char* name;
  const char* videoEncoder;
  int videoKbps;
  int maxFrameRate;  // 0: the frame rate written
  int sizeMultiple;  // frame width and height are rounded to a multiple of this
  const char* audioEncoder;
  int audioKbps;
  int audioHz;
  int audioChannels;
};

const std::vector<StreamingProfile>& WindowsMediaProfiles();
const std::vector<StreamingProfile>& RealMediaProfiles();

// Profile number (1-based) of a list; a number outside the list is corrected
// to its nearest end.
const StreamingProfile& ProfileByNumber(const std::vector<StreamingProfile>& profiles, int number);
