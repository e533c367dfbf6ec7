#pragma once
// Where a failed ffmpeg conversion is handed over: the main window converts
// the list with the in-process engine instead. The engine only knows this
// interface, so it runs without a window (tests record the call).

class ConversionFallback {
 public:
  virtual ~ConversionFallback() = default;
  // Runs on the conversion thread and returns when the fallback is done.
  virtual void FFMpegFailed() = 0;
};

// The process-wide fallback (not owned); nullptr removes it.
void SetConversionFallback(ConversionFallback* fallback);
ConversionFallback* GetConversionFallback();
