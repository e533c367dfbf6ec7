#include <cstdint>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

#include "convert/converter.h"
#include "support/log.h"

double ProbeDurationSeconds(const char* path) {
  AVFormatContext* context = nullptr;
  // The file protocol, so that a name like "pipe:0" or "concat:a|b" is read as a file.
  const std::string url = std::string("file:") + path;
  if (avformat_open_input(&context, url.c_str(), nullptr, nullptr) != 0) {
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
