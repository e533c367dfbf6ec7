#pragma once
// What the disc layer needs to know about an MPEG file before it authors or
// burns it, read with libavformat: the streams' formats for the compliance
// checks, and one full pass over the packets as the burner's video scan.

#include <atomic>
#include <functional>
#include <optional>
#include <string>

struct MpegInfo {
  std::string container;   // libavformat's short name: "mpeg", "vob", ...
  std::string videoCodec;  // "mpeg1video", "mpeg2video", ...; "" without video
  int width = 0;
  int height = 0;
  double frameRate = 0;
  int aspectNum = 0;  // display aspect ratio, 0/0 when unknown
  int aspectDen = 0;
  long long videoBitRate = 0;
  std::string audioCodec;  // "" without audio
  int sampleRate = 0;
  int channels = 0;
  long long audioBitRate = 0;
  long long durationMs = 0;
  long long fileSize = 0;
};

// Reads the file's header and stream information; nullopt, with a reason in
// error, when it cannot be opened as a media file.
std::optional<MpegInfo> ProbeMpeg(const std::string& path, std::string* error);

// Reads every packet once and reports the share read so far (0..1). False,
// with a reason, when the file cannot be read to its end or stop was set.
bool ScanMpeg(const std::string& path, const std::function<void(double share)>& progress, const std::atomic<bool>* stop,
              std::string* error);
