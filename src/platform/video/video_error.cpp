#include "platform/video/video_error.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

std::string AvErrorText(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

int CheckAv(int error, const std::string& what) {
  if (error < 0) throw video_exception(what + ": " + AvErrorText(error));
  return error;
}

void PrintOnlyLibraryErrors() {
  av_log_set_level(AV_LOG_ERROR);
}
