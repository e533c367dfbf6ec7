#pragma once
// A picture as the video library exchanges it: BGRA, 4 bytes a pixel, the
// bottom row first (the layout of a Windows DIB), shaped (4, width, height).
// Black with alpha 0 is all zero bytes, so a fresh frame is a black frame.

#include <cstddef>
#include <cstdint>
#include <vector>

struct VideoFrame {
  static constexpr int kBytesPerPixel = 4;

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  VideoFrame() = default;
  // A black frame of that size.
  VideoFrame(int frameWidth, int frameHeight);

  bool empty() const noexcept { return pixels.empty(); }
  std::size_t Stride() const noexcept { return static_cast<std::size_t>(width) * kBytesPerPixel; }
  // True when the size is positive and pixels holds exactly width x height pixels.
  bool IsWellFormed() const noexcept;

  // Changes the size; the content is unspecified afterwards (kept where the
  // byte count stays, so a reused frame costs no allocation).
  void Resize(int frameWidth, int frameHeight);

  // The pixel at column x of row y, counted from the top of the picture.
  std::uint8_t* PixelFromTop(int x, int y) noexcept;
  const std::uint8_t* PixelFromTop(int x, int y) const noexcept;
};
