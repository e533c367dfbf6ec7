#include "platform/video/local_input.h"

extern "C" {
#include <libavutil/dict.h>
}

std::string FileUrl(const std::string& path) {
  return "file:" + path;
}

void RestrictToLocalFiles(AVDictionary** options) {
  av_dict_set(options, "protocol_whitelist", "file", 0);
}

InputContextPtr OpenLocalInput(const std::string& path, int* error, const LocalInputProbe& probe) {
  AVFormatContext* context = avformat_alloc_context();
  if (context == nullptr) {
    if (error != nullptr) *error = AVERROR(ENOMEM);
    return nullptr;
  }
  if (probe.bytes > 0) context->probesize = probe.bytes;
  if (probe.microseconds > 0) context->max_analyze_duration = probe.microseconds;
  AVDictionary* options = nullptr;
  RestrictToLocalFiles(&options);
  // On failure avformat_open_input frees the context and sets it to null.
  const int opened = avformat_open_input(&context, FileUrl(path).c_str(), nullptr, &options);
  av_dict_free(&options);
  if (error != nullptr) *error = opened;
  if (opened < 0) return nullptr;
  return InputContextPtr(context);
}
