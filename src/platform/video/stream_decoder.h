#pragma once
// Decodes one stream of an input: reads packets of that stream only (the
// demuxer skips the others) and turns them into frames. Each decoded stream
// of a file has a demuxer of its own, so video and audio can be read at any
// pace without queueing the other's packets.

#include <cstdint>
#include <optional>

#include "platform/video/av_pointers.h"

class StreamDecoder {
 public:
  // Takes the opened input; streamIndex must name an audio or video stream.
  // Times are counted from origin (seconds on the file's clock). Throws
  // video_exception when no decoder can be opened.
  StreamDecoder(InputContextPtr input, int streamIndex, double origin);

  // The next decoded frame (valid until the next call), or nullptr at the end
  // of the stream. A damaged or cut file ends where its readable data ends.
  AVFrame* NextFrame();

  // Moves to the last key frame at or before the time (seconds from the
  // origin) and forgets what was decoded.
  void Seek(double seconds);

  const AVStream* Stream() const noexcept { return m_input->streams[m_streamIndex]; }
  const AVCodecContext* Codec() const noexcept { return m_codec.get(); }
  // A frame's time in seconds from the origin (negative before it), if it has one.
  std::optional<double> FrameSeconds(const AVFrame& frame) const;

 private:
  bool FeedPacket();

  InputContextPtr m_input;
  int m_streamIndex;
  CodecContextPtr m_codec;
  PacketPtr m_packet;
  FramePtr m_frame;
  double m_origin = 0.0;
  bool m_inputEnded = false;
  bool m_decoderDrained = false;
  int m_damagedPackets = 0;
};
