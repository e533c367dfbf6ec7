#pragma once
// What the conversion tests share: a fallback that counts its calls, and
// (from the test kit) a reading of what ffprobe finds in a file.

#include <atomic>

#include "common/ffprobe_reading.h"
#include "convert/conversion_fallback.h"

class RecordingFallback : public ConversionFallback {
 public:
  RecordingFallback() { SetConversionFallback(this); }
  ~RecordingFallback() override { SetConversionFallback(nullptr); }
  void FFMpegFailed() override { ++calls; }
  std::atomic<int> calls{0};
};
