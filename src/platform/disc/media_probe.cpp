#include "platform/disc/media_probe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include <sys/stat.h>

#include <memory>

#include "platform/video/local_input.h"
#include "platform/video/video_error.h"

namespace {

// A disc's MPEG stream shows all it needs (its sequence header and its first
// audio frames) within its first few packs; reading the default 5 MB of every
// title would cost more than the authoring program's own start.
constexpr int64_t kProbeBytes = 1024 * 1024;
constexpr int64_t kProbeMicroseconds = 1000 * 1000;

InputContextPtr Open(const std::string& path, std::string* error) {
  int opened = 0;
  InputContextPtr input = OpenLocalInput(path, &opened, {kProbeBytes, kProbeMicroseconds});
  if (!input && error != nullptr) *error = "cannot open " + path + ": " + AvErrorText(opened);
  return input;
}

long long FileSize(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : 0;
}

}  // namespace

std::optional<MpegInfo> ProbeMpeg(const std::string& path, std::string* error) {
  InputContextPtr input = Open(path, error);
  if (!input) return std::nullopt;
  const int result = avformat_find_stream_info(input.get(), nullptr);
  if (result < 0) {
    if (error != nullptr) *error = "cannot read the streams of " + path + ": " + AvErrorText(result);
    return std::nullopt;
  }
  MpegInfo info;
  info.container = input->iformat != nullptr && input->iformat->name != nullptr ? input->iformat->name : "";
  info.fileSize = FileSize(path);
  if (input->duration != AV_NOPTS_VALUE && input->duration > 0) info.durationMs = input->duration / 1000;

  const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (video >= 0) {
    AVStream* stream = input->streams[video];
    const AVCodecParameters* codec = stream->codecpar;
    info.videoCodec = avcodec_get_name(codec->codec_id);
    info.width = codec->width;
    info.height = codec->height;
    info.videoBitRate = codec->bit_rate;
    const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) info.frameRate = av_q2d(rate);
    AVRational sample = av_guess_sample_aspect_ratio(input.get(), stream, nullptr);
    if (sample.num <= 0 || sample.den <= 0) sample = AVRational{1, 1};
    if (codec->width > 0 && codec->height > 0) {
      av_reduce(&info.aspectNum, &info.aspectDen, static_cast<int64_t>(codec->width) * sample.num,
                static_cast<int64_t>(codec->height) * sample.den, 1024 * 1024);
    }
  }
  const int audio = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (audio >= 0) {
    const AVCodecParameters* codec = input->streams[audio]->codecpar;
    info.audioCodec = avcodec_get_name(codec->codec_id);
    info.sampleRate = codec->sample_rate;
    info.channels = codec->ch_layout.nb_channels;
    info.audioBitRate = codec->bit_rate;
  }
  return info;
}

bool ScanMpeg(const std::string& path, const std::function<void(double share)>& progress, const std::atomic<bool>* stop,
              std::string* error) {
  InputContextPtr input = Open(path, error);
  if (!input) return false;
  const double size = static_cast<double>(FileSize(path));
  AVPacket* packet = av_packet_alloc();
  if (packet == nullptr) {
    if (error != nullptr) *error = "out of memory";
    return false;
  }
  int lastPercent = -1;
  int result = 0;
  while ((result = av_read_frame(input.get(), packet)) >= 0) {
    av_packet_unref(packet);
    if (stop != nullptr && stop->load()) {
      av_packet_free(&packet);
      if (error != nullptr) *error = "stopped";
      return false;
    }
    const int64_t position = avio_tell(input->pb);
    const int percent = size > 0 ? static_cast<int>(100.0 * static_cast<double>(position) / size) : 0;
    // One report per percent: a film has millions of packets.
    if (percent > lastPercent && percent < 100) {
      lastPercent = percent;
      if (progress) progress(percent / 100.0);
    }
  }
  av_packet_free(&packet);
  if (result != AVERROR_EOF) {
    if (error != nullptr) *error = "cannot read " + path + " to its end: " + AvErrorText(result);
    return false;
  }
  if (progress) progress(1.0);
  return true;
}
