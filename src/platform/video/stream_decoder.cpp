#include "platform/video/stream_decoder.h"

#include <string>

#include "platform/video/video_error.h"
#include "support/log.h"

extern "C" {
#include <libavutil/avutil.h>
}

namespace {

// A run of undecodable packets this long means the stream is not what its
// header claims; reading ends there rather than spinning through garbage.
constexpr int kMaxDamagedPacketsInARow = 500;

}  // namespace

StreamDecoder::StreamDecoder(InputContextPtr input, int streamIndex, double origin)
    : m_input(std::move(input)),
      m_streamIndex(streamIndex),
      m_packet(AllocPacket()),
      m_frame(AllocFrame()),
      m_origin(origin) {
  AVStream* stream = m_input->streams[m_streamIndex];
  const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
  if (decoder == nullptr) {
    throw video_exception(std::string("No decoder for ") + avcodec_get_name(stream->codecpar->codec_id));
  }
  m_codec.reset(avcodec_alloc_context3(decoder));
  if (!m_codec) throw video_exception("Out of memory for a decoder");
  CheckAv(avcodec_parameters_to_context(m_codec.get(), stream->codecpar), "Decoder parameters");
  m_codec->pkt_timebase = stream->time_base;
  m_codec->thread_count = 0;  // as many threads as the codec can use
  CheckAv(avcodec_open2(m_codec.get(), decoder, nullptr), std::string("Opening the ") + decoder->name + " decoder");

  for (unsigned i = 0; i < m_input->nb_streams; ++i) {
    if (static_cast<int>(i) != m_streamIndex) m_input->streams[i]->discard = AVDISCARD_ALL;
  }
}

std::optional<double> StreamDecoder::FrameSeconds(const AVFrame& frame) const {
  if (frame.best_effort_timestamp == AV_NOPTS_VALUE) return std::nullopt;
  return frame.best_effort_timestamp * av_q2d(Stream()->time_base) - m_origin;
}

bool StreamDecoder::FeedPacket() {
  while (!m_inputEnded) {
    const int read = av_read_frame(m_input.get(), m_packet.get());
    if (read < 0) {
      // The end, or data that cannot be read further (a cut file): either
      // way the decoder gives out what it holds.
      if (read != AVERROR_EOF) Log("Video library: reading stopped: %s", AvErrorText(read).c_str());
      m_inputEnded = true;
      avcodec_send_packet(m_codec.get(), nullptr);
      return true;
    }
    if (m_packet->stream_index != m_streamIndex) {
      av_packet_unref(m_packet.get());
      continue;
    }
    const int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
    av_packet_unref(m_packet.get());
    if (sent == 0 || sent == AVERROR(EAGAIN)) {
      m_damagedPackets = 0;
      return true;
    }
    if (++m_damagedPackets >= kMaxDamagedPacketsInARow) {
      Log("Video library: too many damaged packets, the stream ends here");
      m_inputEnded = true;
      avcodec_send_packet(m_codec.get(), nullptr);
      return true;
    }
  }
  return false;
}

AVFrame* StreamDecoder::NextFrame() {
  while (!m_decoderDrained) {
    av_frame_unref(m_frame.get());
    const int received = avcodec_receive_frame(m_codec.get(), m_frame.get());
    if (received == 0) return m_frame.get();
    if (received == AVERROR(EAGAIN)) {
      if (!FeedPacket()) m_decoderDrained = true;
      continue;
    }
    // AVERROR_EOF after draining, or a decoder failure we cannot get past.
    if (received != AVERROR_EOF) Log("Video library: decoding stopped: %s", AvErrorText(received).c_str());
    m_decoderDrained = true;
  }
  return nullptr;
}

void StreamDecoder::Seek(double seconds) {
  const AVStream* stream = Stream();
  const double target = (seconds < 0.0 ? 0.0 : seconds) + m_origin;
  const auto timestamp = static_cast<std::int64_t>(target / av_q2d(stream->time_base));
  int result = av_seek_frame(m_input.get(), m_streamIndex, timestamp, AVSEEK_FLAG_BACKWARD);
  // Some demuxers cannot seek backward from the first key frame: fall back to a byte-free rewind.
  if (result < 0) result = avformat_seek_file(m_input.get(), m_streamIndex, INT64_MIN, timestamp, timestamp, 0);
  if (result < 0) Log("Video library: seeking failed: %s", AvErrorText(result).c_str());
  avcodec_flush_buffers(m_codec.get());
  m_inputEnded = false;
  m_decoderDrained = false;
  m_damagedPackets = 0;
}
