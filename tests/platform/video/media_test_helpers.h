#pragma once
// Pictures and tones for the video library's tests, and checks on them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/video_frame.h"

namespace videotest {

struct Rgb {
  int r, g, b;
};

// A frame of 4 rows x 2 columns of coloured blocks, each block a different
// colour, so that a picture turned upside down or mirrored is told apart.
VideoFrame ColourBlocks(int width, int height);
// A frame of random grey pixels (a picture no encoder can shrink much).
VideoFrame Noise(int width, int height, unsigned seed);
// The colour of block (column, row) of ColourBlocks, row 0 at the top.
Rgb BlockColour(int column, int row);
// The average colour of the middle of block (column, row) of a frame of any size.
Rgb MeasureBlock(const VideoFrame& frame, int column, int row);
// Largest channel difference.
int ColourDistance(Rgb a, Rgb b);
// The worst block of ColourBlocks in frame, as a distance.
int WorstBlockDistance(const VideoFrame& frame);

// Interleaved 16-bit sine of that frequency.
std::vector<std::int16_t> Tone(int sampleRate, int channels, int frames, double frequency, std::int64_t firstFrame = 0);
// The tone's frequency estimated from the zero crossings of the first channel.
double EstimateFrequency(const std::vector<std::int16_t>& samples, int channels, int sampleRate);

// A clip whose top half is red and bottom half blue, the left quarter of the
// top half green (orientation checks on reading).
std::string MakeOrientationClip(const std::string& path);

}  // namespace videotest
