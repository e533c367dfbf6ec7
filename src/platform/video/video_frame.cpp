#include "platform/video/video_frame.h"

VideoFrame::VideoFrame(int frameWidth, int frameHeight)
    : width(frameWidth > 0 ? frameWidth : 0),
      height(frameHeight > 0 ? frameHeight : 0),
      pixels(Stride() * static_cast<std::size_t>(height), 0) {}

bool VideoFrame::IsWellFormed() const noexcept {
  return width > 0 && height > 0 && pixels.size() == Stride() * static_cast<std::size_t>(height);
}

void VideoFrame::Resize(int frameWidth, int frameHeight) {
  width = frameWidth > 0 ? frameWidth : 0;
  height = frameHeight > 0 ? frameHeight : 0;
  pixels.resize(Stride() * static_cast<std::size_t>(height));
}

std::uint8_t* VideoFrame::PixelFromTop(int x, int y) noexcept {
  return pixels.data() + static_cast<std::size_t>(height - 1 - y) * Stride() +
         static_cast<std::size_t>(x) * kBytesPerPixel;
}

const std::uint8_t* VideoFrame::PixelFromTop(int x, int y) const noexcept {
  return pixels.data() + static_cast<std::size_t>(height - 1 - y) * Stride() +
         static_cast<std::size_t>(x) * kBytesPerPixel;
}
