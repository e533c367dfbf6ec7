#include "platform/video/video_stream_reader.h"

#include <cmath>

#include "platform/video/video_error.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

// The YUV matrix swscale should use for a picture's colour space.
int SwsColorspace(AVColorSpace space) {
  switch (space) {
    case AVCOL_SPC_BT709:
      return SWS_CS_ITU709;
    case AVCOL_SPC_FCC:
      return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
      return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
      return SWS_CS_BT2020;
    default:
      return SWS_CS_ITU601;
  }
}

bool IsFullRangeFormat(int format) {
  switch (format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
      return true;
    default:
      return false;
  }
}

}  // namespace

VideoStreamReader::VideoStreamReader(std::unique_ptr<StreamDecoder> decoder, AVRational frameRate)
    : m_decoder(std::move(decoder)), m_rate(frameRate), m_current(AllocFrame()), m_next(AllocFrame()) {}

void VideoStreamReader::SetOutputSize(int width, int height) {
  m_outputWidth = width > 0 && height > 0 ? width : 0;
  m_outputHeight = width > 0 && height > 0 ? height : 0;
}

double VideoStreamReader::PositionSeconds() const noexcept {
  return static_cast<double>(m_outputIndex) / av_q2d(m_rate);
}

bool VideoStreamReader::DecodeNext() {
  AVFrame* picture = m_decoder->NextFrame();
  if (picture == nullptr) return false;
  const double fps = av_q2d(m_rate);
  std::int64_t index;
  if (const auto seconds = m_decoder->FrameSeconds(*picture)) {
    index = std::llround(*seconds * fps);
  } else {
    index = m_haveNext ? m_nextIndex + 1 : (m_haveCurrent ? m_currentIndex + 1 : m_outputIndex);
  }
  std::int64_t length = 1;
  if (picture->pkt_duration > 0) {
    length = std::llround(picture->pkt_duration * av_q2d(m_decoder->Stream()->time_base) * fps);
    if (length < 1) length = 1;
  }
  av_frame_unref(m_next.get());
  av_frame_move_ref(m_next.get(), picture);
  m_nextIndex = index;
  m_nextEnd = index + length;
  m_haveNext = true;
  return true;
}

bool VideoStreamReader::Prime() {
  return m_haveNext || m_haveCurrent || DecodeNext();
}

bool VideoStreamReader::Read(VideoFrame& frame) {
  if (m_ended) return false;
  // Take pictures while the next one is already due; the last one taken
  // is the picture of this frame's moment.
  for (;;) {
    if (!m_haveNext && !DecodeNext()) break;
    if (m_haveCurrent && m_nextIndex > m_outputIndex) break;
    std::swap(m_current, m_next);
    m_currentIndex = m_nextIndex;
    m_currentEnd = m_nextEnd;
    m_haveCurrent = true;
    m_haveNext = false;
  }
  if (!m_haveCurrent) {
    m_ended = true;
    return false;
  }
  // Past the last picture's own time there is nothing more to show.
  if (!m_haveNext && m_outputIndex >= m_currentEnd) {
    m_ended = true;
    return false;
  }
  Convert(*m_current, frame);
  ++m_outputIndex;
  return true;
}

void VideoStreamReader::Convert(const AVFrame& picture, VideoFrame& frame) {
  const int targetWidth = m_outputWidth > 0 ? m_outputWidth : picture.width;
  const int targetHeight = m_outputHeight > 0 ? m_outputHeight : picture.height;
  if (!m_scaler || m_scalerSourceWidth != picture.width || m_scalerSourceHeight != picture.height ||
      m_scalerSourceFormat != picture.format || m_scalerTargetWidth != targetWidth ||
      m_scalerTargetHeight != targetHeight) {
    const bool scaling = targetWidth != picture.width || targetHeight != picture.height;
    m_scaler.reset(sws_getContext(picture.width, picture.height, static_cast<AVPixelFormat>(picture.format),
                                  targetWidth, targetHeight, AV_PIX_FMT_BGRA, scaling ? SWS_BICUBIC : SWS_BILINEAR,
                                  nullptr, nullptr, nullptr));
    if (!m_scaler) {
      const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(picture.format));
      throw video_exception(std::string("Cannot convert pictures of format ") + (name ? name : "unknown"));
    }
    m_scalerSourceWidth = picture.width;
    m_scalerSourceHeight = picture.height;
    m_scalerSourceFormat = picture.format;
    m_scalerTargetWidth = targetWidth;
    m_scalerTargetHeight = targetHeight;
    const AVPixFmtDescriptor* source = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(picture.format));
    if (source != nullptr && (source->flags & AV_PIX_FMT_FLAG_RGB) == 0 && source->nb_components >= 3) {
      // The matrix and range the picture says it was made with (HD video is BT.709).
      const int fullRange = picture.color_range == AVCOL_RANGE_JPEG || IsFullRangeFormat(picture.format) ? 1 : 0;
      sws_setColorspaceDetails(m_scaler.get(), sws_getCoefficients(SwsColorspace(picture.colorspace)), fullRange,
                               sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    }
  }
  frame.Resize(targetWidth, targetHeight);
  // Writing from the last row upward turns the picture bottom-up as it is converted.
  uint8_t* destination[4] = {frame.pixels.data() + (targetHeight - 1) * frame.Stride(), nullptr, nullptr, nullptr};
  const int destinationStride[4] = {-static_cast<int>(frame.Stride()), 0, 0, 0};
  sws_scale(m_scaler.get(), picture.data, picture.linesize, 0, picture.height, destination, destinationStride);
}

void VideoStreamReader::Seek(double seconds) {
  m_decoder->Seek(seconds);
  m_haveCurrent = false;
  m_haveNext = false;
  m_ended = false;
  m_outputIndex = std::llround((seconds < 0.0 ? 0.0 : seconds) * av_q2d(m_rate));
}
