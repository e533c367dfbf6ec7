#include "platform/video/stream_ends.h"

#include <algorithm>

#include "platform/video/av_pointers.h"
#include "platform/video/local_input.h"

namespace {

// How far before the stated end reading starts, and how much it reads at most.
constexpr double kTailSeconds = 10.0;
constexpr std::int64_t kMaxTailBytes = 16 * 1024 * 1024;

}  // namespace

bool StreamLengthIsEstimate(const AVStream& stream) {
  return stream.nb_frames <= 0;
}

StreamEnds MeasureStreamEnds(const std::string& path, int videoIndex, int audioIndex, double frameSeconds) {
  StreamEnds ends;
  InputContextPtr input = OpenLocalInput(path, nullptr);
  if (!input) return ends;
  // Containers without a header (MPEG program streams) find their streams,
  // and the parsers that put a time on every frame, by reading.
  if ((input->ctx_flags & AVFMTCTX_NOHEADER) != 0 && avformat_find_stream_info(input.get(), nullptr) < 0) return ends;
  const int streams = static_cast<int>(input->nb_streams);
  if (videoIndex >= streams) videoIndex = -1;
  if (audioIndex >= streams) audioIndex = -1;
  if (videoIndex < 0 && audioIndex < 0) return ends;
  for (int i = 0; i < streams; ++i) {
    if (i != videoIndex && i != audioIndex) input->streams[i]->discard = AVDISCARD_ALL;
  }
  if (input->duration != AV_NOPTS_VALUE && input->duration > 0) {
    const std::int64_t start = input->start_time != AV_NOPTS_VALUE ? input->start_time : 0;
    const auto target = start + input->duration - static_cast<std::int64_t>(kTailSeconds * AV_TIME_BASE);
    if (target > start) av_seek_frame(input.get(), -1, target, AVSEEK_FLAG_BACKWARD);
  }

  PacketPtr packet = AllocPacket();
  std::int64_t bytes = 0;
  bool reachedEnd = false;
  while (bytes < kMaxTailBytes) {
    const int read = av_read_frame(input.get(), packet.get());
    if (read < 0) {
      reachedEnd = true;
      break;
    }
    bytes += packet->size;
    const int index = packet->stream_index;
    const std::int64_t stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (stamp != AV_NOPTS_VALUE && (index == videoIndex || index == audioIndex)) {
      const double timeBase = av_q2d(input->streams[index]->time_base);
      double length = packet->duration * timeBase;
      if (length <= 0.0 && index == videoIndex) length = frameSeconds;
      const double end = stamp * timeBase + length;
      std::optional<double>& slot = index == videoIndex ? ends.video : ends.audio;
      slot = std::max(slot.value_or(end), end);
    }
    av_packet_unref(packet.get());
  }
  if (!reachedEnd) return StreamEnds{};
  return ends;
}
