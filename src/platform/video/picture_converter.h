#pragma once
// Turns the library's pictures (BGRA, bottom row first, any size) into
// pictures an encoder takes: its pixel format and size, the right way up.

#include "platform/video/av_pointers.h"
#include "platform/video/video_frame.h"

class PictureConverter {
 public:
  PictureConverter(AVPixelFormat format, int width, int height);

  // A new picture (the encoder may keep it while the next is made).
  FramePtr Convert(const VideoFrame& frame);

 private:
  AVPixelFormat m_format;
  int m_width;
  int m_height;
  SwsPtr m_scaler;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
};
