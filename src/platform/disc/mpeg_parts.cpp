#include "platform/disc/mpeg_parts.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mathematics.h>
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <memory>

#include "platform/video/av_pointers.h"
#include "platform/video/local_input.h"
#include "platform/video/video_error.h"
#include "support/log.h"

namespace {

constexpr std::int64_t kNoTime = std::numeric_limits<std::int64_t>::min();

bool Stopped(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load();
}

bool Fail(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

InputContextPtr OpenStream(const std::string& path, std::string* error) {
  int opened = 0;
  InputContextPtr input = OpenLocalInput(path, &opened);
  if (!input) {
    Fail(error, "cannot open " + path + ": " + AvErrorText(opened));
    return nullptr;
  }
  const int found = avformat_find_stream_info(input.get(), nullptr);
  if (found < 0) {
    Fail(error, "cannot read the streams of " + path + ": " + AvErrorText(found));
    return nullptr;
  }
  return input;
}

std::int64_t TimeOf(const AVPacket& packet) {
  return packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
}

// A part whose first GOP may refer to pictures of the part before it (an
// open GOP with leading B pictures) is marked as a broken link, so that a
// player skips those pictures instead of showing garbage.
void MarkBrokenLink(AVPacket* packet) {
  if (av_packet_make_writable(packet) < 0) return;
  std::uint8_t* data = packet->data;
  for (int i = 0; i + 7 < packet->size; ++i) {
    if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) continue;
    if (data[i + 3] == 0x00) return;  // the first picture: no GOP header before it
    if (data[i + 3] != 0xB8) continue;
    // After the time code: closed_gop (0x40), broken_link (0x20).
    std::uint8_t& flags = data[i + 7];
    if ((flags & 0x40) == 0) flags |= 0x20;
    return;
  }
}

// The decoder buffer the disc's players have, as ffmpeg's disc targets give
// it (-bufsize), so that the muxer schedules the packs for it.
bool SetVideoBuffer(AVStream* stream, VideoCdKind kind) {
  std::size_t size = 0;
  AVCPBProperties* properties = av_cpb_properties_alloc(&size);
  if (properties == nullptr) return false;
  properties->buffer_size = (kind == VideoCdKind::Svcd ? 224 : 40) * 1024 * 8;
  if (av_stream_add_side_data(stream, AV_PKT_DATA_CPB_PROPERTIES, reinterpret_cast<std::uint8_t*>(properties), size) <
      0) {
    av_free(properties);
    return false;
  }
  return true;
}

// One part being written.
class PartWriter {
 public:
  ~PartWriter() {
    if (!m_finished) Remove();
    Close();
  }

  bool Open(const std::string& path, VideoCdKind kind, const AVFormatContext& input, int videoIndex, int audioIndex,
            std::string* error) {
    m_path = path;
    // Claimed first with O_EXCL: an existing file is never replaced.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(error, "cannot create " + path + ": " + GetErrorText(errno));
    ::close(fd);
    m_created = true;
    AVFormatContext* context = nullptr;
    const char* muxer = kind == VideoCdKind::Svcd ? "svcd" : "vcd";
    int result = avformat_alloc_output_context2(&context, nullptr, muxer, FileUrl(path).c_str());
    if (result < 0 || context == nullptr)
      return Fail(error, "no " + std::string(muxer) + " muxer: " + AvErrorText(result));
    m_context = context;
    for (const int index : {videoIndex, audioIndex}) {
      if (index < 0) {
        m_streams.push_back(-1);
        continue;
      }
      AVStream* stream = avformat_new_stream(m_context, nullptr);
      if (stream == nullptr) return Fail(error, "out of memory");
      avcodec_parameters_copy(stream->codecpar, input.streams[index]->codecpar);
      stream->codecpar->codec_tag = 0;
      stream->time_base = input.streams[index]->time_base;
      if (index == videoIndex && !SetVideoBuffer(stream, kind)) return Fail(error, "out of memory");
      m_streams.push_back(stream->index);
    }
    AVDictionary* options = nullptr;
    RestrictToLocalFiles(&options);
    result = avio_open2(&m_context->pb, FileUrl(path).c_str(), AVIO_FLAG_WRITE, nullptr, &options);
    av_dict_free(&options);
    if (result < 0) return Fail(error, "cannot write " + path + ": " + AvErrorText(result));
    // The sector layout of a (Super) Video CD, as ffmpeg's disc targets set it.
    av_dict_set(&options, "packetsize", "2324", 0);
    if (kind == VideoCdKind::Vcd) {
      av_dict_set(&options, "muxrate", "1411200", 0);
      av_dict_set(&options, "preload", "440000", 0);
    }
    result = avformat_write_header(m_context, &options);
    av_dict_free(&options);
    if (result < 0) return Fail(error, "cannot start " + path + ": " + AvErrorText(result));
    return true;
  }

  // slot 0 video, 1 audio; packet's timestamps in the input's time base.
  bool Write(AVPacket* packet, int slot, AVRational inputBase, std::int64_t offset, std::string* error) {
    const int index = m_streams[static_cast<std::size_t>(slot)];
    if (index < 0) return true;
    if (packet->pts != AV_NOPTS_VALUE) packet->pts -= offset;
    if (packet->dts != AV_NOPTS_VALUE) packet->dts -= offset;
    av_packet_rescale_ts(packet, inputBase, m_context->streams[index]->time_base);
    packet->stream_index = index;
    packet->pos = -1;
    const int result = av_interleaved_write_frame(m_context, packet);
    if (result < 0) return Fail(error, "cannot write " + m_path + ": " + AvErrorText(result));
    return true;
  }

  bool Finish(std::string* error) {
    int result = av_write_trailer(m_context);
    const int closed = avio_closep(&m_context->pb);
    if (result >= 0) result = closed;
    if (result < 0) return Fail(error, "cannot finish " + m_path + ": " + AvErrorText(result));
    m_finished = true;
    return true;
  }

  void Close() {
    if (m_context == nullptr) return;
    if (m_context->pb != nullptr) avio_closep(&m_context->pb);
    avformat_free_context(m_context);
    m_context = nullptr;
  }

  // Removes the file, finished or not.
  void Remove() {
    Close();
    if (m_created) ::unlink(m_path.c_str());
    m_created = false;
  }

 private:
  std::string m_path;
  AVFormatContext* m_context = nullptr;
  std::vector<int> m_streams;  // output index per slot, -1 when the input has none
  bool m_created = false;
  bool m_finished = false;
};

}  // namespace

std::vector<std::int64_t> MpegGopIndex::Positions() const {
  std::vector<std::int64_t> positions;
  positions.reserve(gops.size());
  for (const MpegGop& gop : gops) positions.push_back(gop.position);
  return positions;
}

std::optional<MpegGopIndex> IndexMpegGops(const std::string& path, const std::atomic<bool>* stop, std::string* error) {
  InputContextPtr input = OpenStream(path, error);
  if (!input) return std::nullopt;
  const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (video < 0) {
    Fail(error, path + " holds no video");
    return std::nullopt;
  }
  const AVRational videoBase = input->streams[video]->time_base;
  MpegGopIndex index;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) index.fileSize = info.st_size;
  std::int64_t first = kNoTime;
  PacketPtr packet(av_packet_alloc());
  if (!packet) {
    Fail(error, "out of memory");
    return std::nullopt;
  }
  int result = 0;
  while ((result = av_read_frame(input.get(), packet.get())) >= 0) {
    const AVStream* stream = input->streams[packet->stream_index];
    const std::int64_t dts = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
    if (dts != AV_NOPTS_VALUE) {
      const std::int64_t inVideoBase = av_rescale_q(dts, stream->time_base, videoBase);
      if (first == kNoTime || inVideoBase < first) first = inVideoBase;
    }
    if (packet->stream_index == video && (packet->flags & AV_PKT_FLAG_KEY) != 0 && TimeOf(*packet) != AV_NOPTS_VALUE) {
      MpegGop gop;
      gop.position = std::max<std::int64_t>(0, packet->pos);
      gop.pts = TimeOf(*packet);
      gop.dts = packet->dts != AV_NOPTS_VALUE ? packet->dts : gop.pts;
      index.gops.push_back(gop);
    }
    av_packet_unref(packet.get());
    if (Stopped(stop)) {
      Fail(error, "stopped");
      return std::nullopt;
    }
  }
  if (result != AVERROR_EOF) {
    Fail(error, "cannot read " + path + " to its end: " + AvErrorText(result));
    return std::nullopt;
  }
  if (index.gops.empty()) {
    Fail(error, path + " holds no complete picture");
    return std::nullopt;
  }
  index.firstTimestamp = first == kNoTime ? 0 : first;
  return index;
}

bool WriteMpegParts(const std::string& source, VideoCdKind kind, const MpegGopIndex& index,
                    const std::vector<std::size_t>& firstGop, const std::vector<std::string>& outputs,
                    const std::atomic<bool>* stop, std::string* error) {
  if (outputs.empty() || firstGop.size() != outputs.size() || firstGop.front() != 0 ||
      !std::is_sorted(firstGop.begin(), firstGop.end()) || firstGop.back() >= index.gops.size()) {
    return Fail(error, "the parts do not match the stream's GOPs");
  }
  InputContextPtr input = OpenStream(source, error);
  if (!input) return false;
  const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const int audio = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (video < 0) return Fail(error, source + " holds no video");
  const AVRational videoBase = input->streams[video]->time_base;

  // Each part starts where its first GOP starts; its timestamps are moved so
  // that it begins at 0, the same for both streams.
  std::vector<std::int64_t> cut;
  std::vector<std::int64_t> offset;
  for (std::size_t part = 0; part < firstGop.size(); ++part) {
    const MpegGop& gop = index.gops[firstGop[part]];
    cut.push_back(gop.pts);
    offset.push_back(part == 0 ? std::min(index.firstTimestamp, std::min(gop.dts, gop.pts))
                               : std::min(gop.dts, gop.pts));
  }

  std::vector<std::unique_ptr<PartWriter>> writers;
  auto discardAll = [&] {
    for (auto& writer : writers) writer->Remove();
  };
  for (const std::string& path : outputs) {
    writers.push_back(std::make_unique<PartWriter>());
    if (!writers.back()->Open(path, kind, *input, video, audio, error)) {
      writers.pop_back();  // its own file is already removed by its destructor
      discardAll();
      return false;
    }
  }

  PacketPtr packet(av_packet_alloc());
  if (!packet) {
    discardAll();
    return Fail(error, "out of memory");
  }
  std::size_t gopsSeen = 0;
  std::int64_t lastVideoDts = AV_NOPTS_VALUE;
  const AVRational rate = input->streams[video]->avg_frame_rate.num > 0 ? input->streams[video]->avg_frame_rate
                                                                        : input->streams[video]->r_frame_rate;
  const std::int64_t pictureTime =
      rate.num > 0 ? av_rescale_q(1, AVRational{rate.den, rate.num}, videoBase) : 3600;  // 1/25 s at 90 kHz
  std::size_t videoPart = 0;
  int result = 0;
  while ((result = av_read_frame(input.get(), packet.get())) >= 0) {
    if (Stopped(stop)) {
      av_packet_unref(packet.get());
      discardAll();
      return Fail(error, "stopped");
    }
    std::size_t part = videoPart;
    int slot = -1;
    const AVRational base = input->streams[packet->stream_index]->time_base;
    if (packet->stream_index == video) {
      slot = 0;
      // A picture the demuxer gave no time: one picture after the one before.
      if (packet->dts == AV_NOPTS_VALUE && packet->pts == AV_NOPTS_VALUE && lastVideoDts != AV_NOPTS_VALUE) {
        packet->dts = lastVideoDts + std::max<std::int64_t>(1, packet->duration > 0 ? packet->duration : pictureTime);
      }
      if (packet->dts != AV_NOPTS_VALUE) lastVideoDts = packet->dts;
      // The same count of GOPs as the index made, on the same demuxer.
      if ((packet->flags & AV_PKT_FLAG_KEY) != 0 && TimeOf(*packet) != AV_NOPTS_VALUE) {
        if (videoPart + 1 < firstGop.size() && gopsSeen == firstGop[videoPart + 1]) {
          ++videoPart;
          MarkBrokenLink(packet.get());
        }
        ++gopsSeen;
      }
      part = videoPart;
    } else if (packet->stream_index == audio) {
      slot = 1;
      const std::int64_t time = TimeOf(*packet);
      if (time != AV_NOPTS_VALUE) {
        const std::int64_t inVideoBase = av_rescale_q(time, base, videoBase);
        part = 0;
        while (part + 1 < cut.size() && inVideoBase >= cut[part + 1]) ++part;
      }
    }
    if (slot >= 0) {
      const std::int64_t shift = av_rescale_q(offset[part], videoBase, base);
      if (!writers[part]->Write(packet.get(), slot, base, shift, error)) {
        av_packet_unref(packet.get());
        discardAll();
        return false;
      }
    }
    av_packet_unref(packet.get());
  }
  if (result != AVERROR_EOF) {
    discardAll();
    return Fail(error, "cannot read " + source + " to its end: " + AvErrorText(result));
  }
  for (auto& writer : writers) {
    if (!writer->Finish(error)) {
      discardAll();
      return false;
    }
  }
  return true;
}
