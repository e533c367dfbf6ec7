#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

#include "convert/converter.h"
#include "platform/video/local_input.h"
#include "platform/video/stream_shape.h"
#include "support/log.h"

namespace {

// A stream's tag ("language", "title"); "" when it has none. An undefined
// language counts as none.
std::string Tag(const AVStream* stream, const char* key) {
  const AVDictionaryEntry* entry = av_dict_get(stream->metadata, key, nullptr, 0);
  const std::string value = entry != nullptr && entry->value != nullptr ? entry->value : "";
  return value == "und" ? std::string() : value;
}

}  // namespace

InputProbe ProbeInput(const char* path) {
  InputProbe probe;
  const InputContextPtr input = OpenLocalInput(path, nullptr);
  if (!input) {
    Log("Cannot open %s to read its duration", path);
    return probe;
  }
  if (avformat_find_stream_info(input.get(), nullptr) >= 0) {
    probe.streamsKnown = true;
    const std::int64_t duration = input->duration;  // microseconds, or AV_NOPTS_VALUE
    if (duration > 0) probe.durationSeconds = static_cast<double>(duration / AV_TIME_BASE);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
      const AVStream* stream = input->streams[i];
      const AVMediaType type = stream->codecpar->codec_type;
      // A cover picture in a music file is a video stream of one frame.
      if (type == AVMEDIA_TYPE_VIDEO && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
        probe.hasVideo = true;
      }
      if (type == AVMEDIA_TYPE_AUDIO) {
        probe.hasAudio = true;
        probe.tracks.sounds.push_back({static_cast<int>(i), Tag(stream, "language"), Tag(stream, "title"),
                                       stream->codecpar->ch_layout.nb_channels});
      }
      if (type == AVMEDIA_TYPE_SUBTITLE) {
        SubtitleTrack subtitle;
        subtitle.streamIndex = static_cast<int>(i);
        subtitle.language = Tag(stream, "language");
        subtitle.codec = avcodec_get_name(stream->codecpar->codec_id);
        subtitle.form = SubtitleFormOf(subtitle.codec);
        probe.tracks.subtitles.push_back(subtitle);
      }
    }
    // The shape of the picture stream ffmpeg picks by itself.
    const int best = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (probe.hasVideo && best >= 0) {
      probe.videoStream = best;
      probe.videoShape = StreamShape(input.get(), input->streams[best]);
    }
    for (SubtitleTrack& side : SideSubtitleFiles(path)) probe.tracks.subtitles.push_back(std::move(side));
  } else {
    Log("Cannot read the streams of %s", path);
  }
  return probe;
}
