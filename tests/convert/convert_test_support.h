#pragma once
// What the conversion tests share: a fallback that counts its calls and a
// reading of what ffprobe finds in a file.

#include <atomic>
#include <string>
#include <vector>

#include "convert/conversion_fallback.h"

class RecordingFallback : public ConversionFallback {
 public:
  RecordingFallback() { SetConversionFallback(this); }
  ~RecordingFallback() override { SetConversionFallback(nullptr); }
  void FFMpegFailed() override { ++calls; }
  std::atomic<int> calls{0};
};

struct ProbedStream {
  std::string type;  // "video", "audio"
  std::string codec;
  std::string tag;
  int width = 0;
  int height = 0;
};

struct ProbedFile {
  std::string container;
  std::vector<ProbedStream> streams;
  const ProbedStream* Find(const std::string& type) const {
    for (const auto& stream : streams) {
      if (stream.type == type) return &stream;
    }
    return nullptr;
  }
};

ProbedFile ProbeWithFfprobe(const std::string& path);
