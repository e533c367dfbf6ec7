#include "platform/video/image_scaler.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/video/fast_pixels.h"
#include "platform/video/video_error.h"

void ImageScaler::SetImage(const VideoFrame& frame) {
  m_image.width = frame.width;
  m_image.height = frame.height;
  m_image.pixels.assign(frame.pixels.begin(), frame.pixels.end());
}

void ImageScaler::SetImage(VideoFrame&& frame) {
  std::swap(m_image, frame);
}

void ImageScaler::GetImage(VideoFrame& target, int fit, int quality) {
  if (!m_image.IsWellFormed()) throw video_exception("Scaler: no picture was set");
  if (target.width <= 0 || target.height <= 0) {
    throw video_exception("Scaler: target size " + std::to_string(target.width) + "x" + std::to_string(target.height) +
                          " is not valid");
  }
  target.Resize(target.width, target.height);

  int width = target.width;
  int height = target.height;
  if (fit == kKeepAspect) {
    // The largest size of the picture's proportions that fits.
    const double scale = std::min(static_cast<double>(target.width) / m_image.width,
                                  static_cast<double>(target.height) / m_image.height);
    width = std::clamp(static_cast<int>(m_image.width * scale), 1, target.width);
    height = std::clamp(static_cast<int>(m_image.height * scale), 1, target.height);
    std::fill(target.pixels.begin(), target.pixels.end(), std::uint8_t{0});
  }
  ScaleInto(target, (target.width - width) / 2, (target.height - height) / 2, width, height, quality);
}

void ImageScaler::GetImage(VideoFrame& target, int left, int top, int width, int height, int quality) {
  if (!m_image.IsWellFormed()) throw video_exception("Scaler: no picture was set");
  if (!target.IsWellFormed() || width <= 0 || height <= 0 || left < 0 || top < 0 || left + width > target.width ||
      top + height > target.height) {
    throw video_exception("Scaler: " + std::to_string(width) + "x" + std::to_string(height) + " at " +
                          std::to_string(left) + "," + std::to_string(top) + " is not inside the " +
                          std::to_string(target.width) + "x" + std::to_string(target.height) + " target");
  }
  ScaleInto(target, left, top, width, height, quality);
}

void ImageScaler::ScaleInto(VideoFrame& target, int left, int top, int width, int height, int quality) {
  uint8_t* corner = target.pixels.data() + top * target.Stride() + left * VideoFrame::kBytesPerPixel;
  // Bilinear is right down to half the size; below that only a wider filter
  // keeps thin lines, so smooth scaling hands that to swscale.
  if (quality == kFast || (width * 2 >= m_image.width && height * 2 >= m_image.height)) {
    ScaleBgraBilinear(m_image.pixels.data(), m_image.width, m_image.height,
                      static_cast<std::ptrdiff_t>(m_image.Stride()), corner, width, height,
                      static_cast<std::ptrdiff_t>(target.Stride()));
    return;
  }
  const int flags = SWS_BICUBIC;
  if (!m_scaler || m_sourceWidth != m_image.width || m_sourceHeight != m_image.height || m_targetWidth != width ||
      m_targetHeight != height || m_flags != flags) {
    m_scaler.reset(sws_getContext(m_image.width, m_image.height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_BGRA, flags,
                                  nullptr, nullptr, nullptr));
    if (!m_scaler)
      throw video_exception("Scaler: cannot scale to " + std::to_string(width) + "x" + std::to_string(height));
    m_sourceWidth = m_image.width;
    m_sourceHeight = m_image.height;
    m_targetWidth = width;
    m_targetHeight = height;
    m_flags = flags;
  }
  const uint8_t* source[4] = {m_image.pixels.data(), nullptr, nullptr, nullptr};
  const int sourceStride[4] = {static_cast<int>(m_image.Stride()), 0, 0, 0};
  // Rows count from the bottom in both pictures, so "top" borders are the same rows either way.
  uint8_t* destination[4] = {corner, nullptr, nullptr, nullptr};
  const int destinationStride[4] = {static_cast<int>(target.Stride()), 0, 0, 0};
  sws_scale(m_scaler.get(), source, sourceStride, 0, m_image.height, destination, destinationStride);
}
