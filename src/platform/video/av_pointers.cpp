#include "platform/video/av_pointers.h"

#include "platform/video/video_error.h"

FramePtr AllocFrame() {
  FramePtr frame(av_frame_alloc());
  if (!frame) throw video_exception("Out of memory for a frame");
  return frame;
}

PacketPtr AllocPacket() {
  PacketPtr packet(av_packet_alloc());
  if (!packet) throw video_exception("Out of memory for a packet");
  return packet;
}
