#include "platform/video/media_test_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <stdexcept>

#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace videotest {

namespace {

constexpr Rgb kBlocks[4][2] = {
    {{230, 30, 30}, {30, 200, 40}},    // red, green
    {{40, 40, 220}, {230, 220, 40}},   // blue, yellow
    {{235, 235, 235}, {20, 20, 20}},   // white, black
    {{220, 40, 210}, {40, 210, 220}},  // magenta, cyan
};

}  // namespace

Rgb BlockColour(int column, int row) {
  return kBlocks[row][column];
}

VideoFrame ColourBlocks(int width, int height) {
  VideoFrame frame(width, height);
  for (int y = 0; y < height; ++y) {
    const int row = std::min(3, y * 4 / height);
    for (int x = 0; x < width; ++x) {
      const Rgb colour = kBlocks[row][std::min(1, x * 2 / width)];
      std::uint8_t* pixel = frame.PixelFromTop(x, y);
      pixel[0] = static_cast<std::uint8_t>(colour.b);
      pixel[1] = static_cast<std::uint8_t>(colour.g);
      pixel[2] = static_cast<std::uint8_t>(colour.r);
      pixel[3] = 255;
    }
  }
  return frame;
}

VideoFrame Noise(int width, int height, unsigned seed) {
  VideoFrame frame(width, height);
  std::minstd_rand random(seed);
  for (std::size_t i = 0; i < frame.pixels.size(); i += 4) {
    const auto grey = static_cast<std::uint8_t>(random() & 0xFF);
    frame.pixels[i] = frame.pixels[i + 1] = frame.pixels[i + 2] = grey;
    frame.pixels[i + 3] = 255;
  }
  return frame;
}

Rgb MeasureBlock(const VideoFrame& frame, int column, int row) {
  const int blockWidth = frame.width / 2;
  const int blockHeight = frame.height / 4;
  const int x0 = column * blockWidth + blockWidth / 4;
  const int y0 = row * blockHeight + blockHeight / 4;
  long sum[3] = {0, 0, 0};
  long count = 0;
  for (int y = y0; y < y0 + blockHeight / 2; ++y) {
    for (int x = x0; x < x0 + blockWidth / 2; ++x) {
      const std::uint8_t* pixel = frame.PixelFromTop(x, y);
      sum[0] += pixel[2];
      sum[1] += pixel[1];
      sum[2] += pixel[0];
      ++count;
    }
  }
  if (count == 0) return {0, 0, 0};
  return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count)};
}

int ColourDistance(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

int WorstBlockDistance(const VideoFrame& frame) {
  int worst = 0;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 2; ++column) {
      worst = std::max(worst, ColourDistance(MeasureBlock(frame, column, row), BlockColour(column, row)));
    }
  }
  return worst;
}

std::vector<std::int16_t> Tone(int sampleRate, int channels, int frames, double frequency, std::int64_t firstFrame) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(firstFrame + i) / sampleRate;
    const auto value = static_cast<std::int16_t>(12000.0 * std::sin(2.0 * std::numbers::pi * frequency * t));
    for (int c = 0; c < channels; ++c) samples[static_cast<std::size_t>(i) * channels + c] = value;
  }
  return samples;
}

double EstimateFrequency(const std::vector<std::int16_t>& samples, int channels, int sampleRate) {
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  // Skip the edges, where encoders fade in and pad.
  const std::size_t begin = frames / 4;
  const std::size_t end = frames * 3 / 4;
  int crossings = 0;
  for (std::size_t i = begin + 1; i < end; ++i) {
    const int previous = samples[(i - 1) * channels];
    const int current = samples[i * channels];
    if (previous < 0 && current >= 0) ++crossings;
  }
  if (end <= begin) return 0.0;
  return crossings * static_cast<double>(sampleRate) / static_cast<double>(end - begin);
}

std::string MakeOrientationClip(const std::string& path) {
  const std::vector<std::string> argv = {FindProgram("ffmpeg"),
                                         "-hide_banner",
                                         "-nostdin",
                                         "-y",
                                         "-f",
                                         "lavfi",
                                         "-i",
                                         "color=c=red:s=160x120:r=25:d=1,drawbox=x=0:y=60:w=160:h=60:color=blue:t=fill,"
                                         "drawbox=x=0:y=0:w=40:h=60:color=lime:t=fill",
                                         "-c:v",
                                         "mpeg4",
                                         "-q:v",
                                         "2",
                                         path};
  const ProcessResult result = RunProcess(argv);
  if (!result.Succeeded()) throw std::runtime_error("ffmpeg could not make " + path + ":\n" + result.output);
  return path;
}

}  // namespace videotest
