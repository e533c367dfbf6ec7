#pragma once
// Scales a picture to another size. Both pictures are BGRA, bottom row first;
// scaling keeps that orientation, so nothing is flipped.

#include "platform/video/av_pointers.h"
#include "platform/video/video_frame.h"

class ImageScaler {
 public:
  // How GetImage places the picture in the target.
  enum Fit { kStretch = 0, kKeepAspect = 1 };
  // How GetImage filters.
  enum Quality { kFast = 0, kSmooth = 1 };

  // The picture to scale (copied; the caller may reuse its frame).
  void SetImage(const VideoFrame& frame);
  // Takes the picture without copying; frame gets the scaler's previous
  // buffer in exchange, so a caller reading frame after frame into the same
  // object allocates nothing.
  void SetImage(VideoFrame&& frame);

  // Fills target (its width and height say the size wanted) with the picture
  // scaled to that size. kKeepAspect fits the whole picture in with its
  // proportions kept and black around it. Throws video_exception when no
  // picture was set or a size is not positive.
  void GetImage(VideoFrame& target, int fit = kStretch, int quality = kSmooth);
  // Draws the picture scaled to width x height into target with its first
  // row and column at row top (counted as stored) and column left, leaving
  // the rest of target as it is: a picture in a frame without a copy. Throws
  // video_exception when no picture was set or the area is not inside target.
  void GetImage(VideoFrame& target, int left, int top, int width, int height, int quality = kSmooth);

 private:
  void ScaleInto(VideoFrame& target, int left, int top, int width, int height, int quality);

  VideoFrame m_image;
  SwsPtr m_scaler;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
  int m_targetWidth = 0;
  int m_targetHeight = 0;
  int m_flags = 0;
};
