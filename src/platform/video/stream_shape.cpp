#include "platform/video/stream_shape.h"

#include <cstdint>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

SourceShape StreamShape(AVFormatContext* input, AVStream* stream) {
  SourceShape shape;
  shape.width = stream->codecpar->width;
  shape.height = stream->codecpar->height;
  const AVRational sample = av_guess_sample_aspect_ratio(input, stream, nullptr);
  if (sample.num > 0 && sample.den > 0) {
    shape.sampleAspectNum = sample.num;
    shape.sampleAspectDen = sample.den;
  }
  // The matrix turns the stored picture counter-clockwise by this angle to
  // show it; the picture is put upright by turning it the other way.
  const std::uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
  if (matrix != nullptr) {
    shape.rotationDegrees = NormalizedRotation(-av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix)));
  }
  return shape;
}
