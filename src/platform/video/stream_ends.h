#pragma once
// The true ends of a file's streams, read from the time stamps of its last
// packets. Some containers state a stream's length only roughly (ASF gives
// every stream the whole file's play time, FLV a rounded figure); the last
// packets tell exactly.

#include <optional>
#include <string>

struct AVFormatContext;
struct AVStream;

struct StreamEnds {
  std::optional<double> video;  // seconds on the file's clock
  std::optional<double> audio;
};

// True when the stream's length is an estimate rather than a count of frames
// (even FFmpeg's time stamp estimate for MPEG streams takes the last time
// stamp it finds, which need not be on the last frame).
bool StreamLengthIsEstimate(const AVStream& stream);

// Reads the file's last seconds with a demuxer of its own. frameSeconds
// stands in for video packets that carry no duration. A stream whose end
// cannot be found (the tail is not reachable) stays empty.
StreamEnds MeasureStreamEnds(const std::string& path, int videoIndex, int audioIndex, double frameSeconds);
