#include <cstdint>

extern "C" {
#include <libavformat/avformat.h>
}

#include "convert/converter.h"
#include "platform/video/container_probe.h"
#include "support/log.h"

double ProbeDurationSeconds(const char* path) {
  AVFormatContext* context = nullptr;
  AVDictionary* options = nullptr;
  RestrictToLocalFiles(&options);
  const int opened = avformat_open_input(&context, FileUrl(path).c_str(), nullptr, &options);
  av_dict_free(&options);
  if (opened != 0) {
    Log("Cannot open %s to read its duration", path);
    return 0;
  }
  double seconds = 0;
  if (avformat_find_stream_info(context, nullptr) >= 0) {
    const std::int64_t duration = context->duration;  // microseconds, or AV_NOPTS_VALUE
    if (duration > 0) seconds = static_cast<double>(duration / AV_TIME_BASE);
  } else {
    Log("Cannot read the streams of %s", path);
  }
  avformat_close_input(&context);
  return seconds;
}
