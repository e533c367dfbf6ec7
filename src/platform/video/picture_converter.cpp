#include "platform/video/picture_converter.h"

#include "platform/video/fast_pixels.h"
#include "platform/video/video_error.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

bool IsFullRange(AVPixelFormat format) {
  return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P;
}

}  // namespace

PictureConverter::PictureConverter(AVPixelFormat format, int width, int height)
    : m_format(format), m_width(width), m_height(height) {}

AVFrame* PictureConverter::FreeBuffer() {
  for (const FramePtr& buffer : m_buffers) {
    if (av_frame_is_writable(buffer.get()) != 0) return buffer.get();
  }
  FramePtr buffer = AllocFrame();
  buffer->format = m_format;
  buffer->width = m_width;
  buffer->height = m_height;
  CheckAv(av_frame_get_buffer(buffer.get(), 0), "WriteVideo: picture buffer");
  m_buffers.push_back(std::move(buffer));
  return m_buffers.back().get();
}

FramePtr PictureConverter::Convert(const VideoFrame& frame) {
  AVFrame* buffer = FreeBuffer();
  FramePtr picture(av_frame_clone(buffer));
  if (!picture) throw video_exception("Out of memory for a picture");
  // Starting from the last row turns the bottom-up picture the right way up.
  const auto stride = static_cast<std::ptrdiff_t>(frame.Stride());
  const std::uint8_t* lastRow = frame.pixels.data() + (frame.height - 1) * stride;

  if (m_format == AV_PIX_FMT_YUV420P && frame.width == m_width && frame.height == m_height) {
    BgraToYuv420(lastRow, frame.width, frame.height, -stride, picture->data[0], picture->linesize[0], picture->data[1],
                 picture->linesize[1], picture->data[2], picture->linesize[2]);
    return picture;
  }
  if (!m_scaler || m_sourceWidth != frame.width || m_sourceHeight != frame.height) {
    const bool scaling = frame.width != m_width || frame.height != m_height;
    m_scaler.reset(sws_getContext(frame.width, frame.height, AV_PIX_FMT_BGRA, m_width, m_height, m_format,
                                  scaling ? SWS_BICUBIC : SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!m_scaler) throw video_exception("WriteVideo: cannot convert pictures for the encoder");
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(m_format);
    if (format != nullptr && (format->flags & AV_PIX_FMT_FLAG_RGB) == 0) {
      sws_setColorspaceDetails(m_scaler.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1,
                               sws_getCoefficients(SWS_CS_ITU601), IsFullRange(m_format) ? 1 : 0, 0, 1 << 16, 1 << 16);
    }
    m_sourceWidth = frame.width;
    m_sourceHeight = frame.height;
  }
  const uint8_t* source[4] = {lastRow, nullptr, nullptr, nullptr};
  const int sourceStride[4] = {-static_cast<int>(stride), 0, 0, 0};
  sws_scale(m_scaler.get(), source, sourceStride, 0, frame.height, picture->data, picture->linesize);
  return picture;
}
