#pragma once
// Reads the pictures of a video stream as BGRA frames, bottom row first, at a
// constant frame rate: each output frame shows the picture of its moment, so
// gaps repeat a picture and surplus pictures are skipped. The Nth frame
// therefore always stands for time N / rate, which keeps writers that count
// frames in step with the sound.

#include <cstdint>
#include <memory>

#include "platform/video/av_pointers.h"
#include "platform/video/stream_decoder.h"
#include "platform/video/video_frame.h"

class VideoStreamReader {
 public:
  VideoStreamReader(std::unique_ptr<StreamDecoder> decoder, AVRational frameRate);

  // Decodes the first picture ahead; false when the stream yields none.
  bool Prime();

  // Fills frame with the next picture; false at the end of the stream.
  bool Read(VideoFrame& frame);

  // Size of the frames Read gives; 0 x 0 (the default) keeps each picture's size.
  void SetOutputSize(int width, int height);

  // Continues at the frame of that time (seconds from the first picture).
  void Seek(double seconds);

  // Frames given so far, counted from the first picture (after a seek, the
  // frame of the seek time counts as the one there).
  std::int64_t FramesRead() const noexcept { return m_outputIndex; }
  double PositionSeconds() const noexcept;

 private:
  bool DecodeNext();
  void Convert(const AVFrame& picture, VideoFrame& frame);

  std::unique_ptr<StreamDecoder> m_decoder;
  AVRational m_rate;
  FramePtr m_current;
  FramePtr m_next;
  bool m_haveCurrent = false;
  bool m_haveNext = false;
  bool m_ended = false;
  std::int64_t m_currentIndex = 0;
  std::int64_t m_currentEnd = 0;  // first index the current picture no longer covers
  std::int64_t m_nextIndex = 0;
  std::int64_t m_nextEnd = 0;
  std::int64_t m_outputIndex = 0;
  int m_outputWidth = 0;
  int m_outputHeight = 0;

  SwsPtr m_scaler;
  int m_scalerSourceWidth = 0;
  int m_scalerSourceHeight = 0;
  int m_scalerSourceFormat = -1;
  int m_scalerTargetWidth = 0;
  int m_scalerTargetHeight = 0;
};
