#include <cstdint>

extern "C" {
#include <libavformat/avformat.h>
}

#include "convert/converter.h"
#include "platform/video/container_probe.h"
#include "support/log.h"

InputProbe ProbeInput(const char* path) {
  InputProbe probe;
  AVFormatContext* context = nullptr;
  AVDictionary* options = nullptr;
  RestrictToLocalFiles(&options);
  const int opened = avformat_open_input(&context, FileUrl(path).c_str(), nullptr, &options);
  av_dict_free(&options);
  if (opened != 0) {
    Log("Cannot open %s to read its duration", path);
    return probe;
  }
  if (avformat_find_stream_info(context, nullptr) >= 0) {
    probe.streamsKnown = true;
    const std::int64_t duration = context->duration;  // microseconds, or AV_NOPTS_VALUE
    if (duration > 0) probe.durationSeconds = static_cast<double>(duration / AV_TIME_BASE);
    for (unsigned i = 0; i < context->nb_streams; ++i) {
      const AVStream* stream = context->streams[i];
      const AVMediaType type = stream->codecpar->codec_type;
      // A cover picture in a music file is a video stream of one frame.
      if (type == AVMEDIA_TYPE_VIDEO && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
        probe.hasVideo = true;
      }
      if (type == AVMEDIA_TYPE_AUDIO) probe.hasAudio = true;
    }
  } else {
    Log("Cannot read the streams of %s", path);
  }
  avformat_close_input(&context);
  return probe;
}
