#pragma once
// Decodes one stream of an input: reads packets of that stream only (the
// demuxer skips the others) and turns them into frames. Each decoded stream
// of a file has a demuxer of its own, so video and audio can be read at any
// pace without queueing the other's packets.

#include <cstdint>

#include "platform/video/av_pointers.h"

class StreamDecoder {
 public:
  // Takes the opened input; streamIndex must name an audio or video stream.
  // Throws video_exception when no decoder can be opened.
  StreamDecoder(InputContextPtr input, int streamIndex);

  // The next decoded frame (valid until the next call), or nullptr at the end
  // of the stream. A damaged or cut file ends where its readable data ends.
  AVFrame* NextFrame();

  // Moves to the last key frame at or before the time (seconds from the
  // file's start) and forgets what was decoded.
  void Seek(double seconds);

  const AVStream* Stream() const noexcept { return m_input->streams[m_streamIndex]; }
  const AVCodecContext* Codec() const noexcept { return m_codec.get(); }
  // Start of the file in seconds (the earliest stream start), 0 if unknown.
  double FileStart() const noexcept { return m_fileStart; }
  // A frame's time in seconds from the file's start, or a negative value when
  // the frame carries none.
  double FrameSeconds(const AVFrame& frame) const;

 private:
  bool FeedPacket();

  InputContextPtr m_input;
  int m_streamIndex;
  CodecContextPtr m_codec;
  PacketPtr m_packet;
  FramePtr m_frame;
  double m_fileStart = 0.0;
  bool m_inputEnded = false;
  bool m_decoderDrained = false;
  int m_damagedPackets = 0;
};
