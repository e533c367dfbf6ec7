#include <cstdint>

extern "C" {
#include <libavformat/avformat.h>
}

#include "convert/converter.h"
#include "platform/video/local_input.h"
#include "support/log.h"

double ProbeDurationSeconds(const char* path) {
  const InputContextPtr input = OpenLocalInput(path, nullptr);
  if (!input) {
    Log("Cannot open %s to read its duration", path);
    return 0;
  }
  double seconds = 0;
  if (avformat_find_stream_info(input.get(), nullptr) >= 0) {
    const std::int64_t duration = input->duration;  // microseconds, or AV_NOPTS_VALUE
    if (duration > 0) seconds = static_cast<double>(duration / AV_TIME_BASE);
  } else {
    Log("Cannot read the streams of %s", path);
  }
  return seconds;
}
