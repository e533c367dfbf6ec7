#pragma once
// Turns the library's pictures (BGRA, bottom row first, any size) into
// pictures an encoder takes: its pixel format and size, the right way up.

#include <vector>

#include "platform/video/av_pointers.h"
#include "platform/video/video_frame.h"

class PictureConverter {
 public:
  PictureConverter(AVPixelFormat format, int width, int height);

  // A picture of its own for the caller (the encoder may keep it while the
  // next is made). Buffers come back to the converter once every holder has
  // let go, so converting frame after frame allocates nothing.
  FramePtr Convert(const VideoFrame& frame);

 private:
  AVFrame* FreeBuffer();

  AVPixelFormat m_format;
  int m_width;
  int m_height;
  SwsPtr m_scaler;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
  std::vector<FramePtr> m_buffers;  // each held here and by whoever uses it
};
