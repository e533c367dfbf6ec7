#pragma once
// Cutting a (Super) Video CD stream into parts by stream copy: each part a
// stream of its own (its own pack and system headers, timestamps from 0)
// that starts with a GOP, so that vcdimager takes it as a track and a player
// shows it from its first frame. Where to cut is disc/cd_split_plan.h.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/disc/mpeg_compliance.h"

// Where a GOP starts: the byte position of the pack holding its first
// picture, and that picture's timestamps in the video stream's time base.
struct MpegGop {
  std::int64_t position = 0;
  std::int64_t pts = 0;
  std::int64_t dts = 0;
};

struct MpegGopIndex {
  std::vector<MpegGop> gops;        // in stream order
  std::int64_t firstTimestamp = 0;  // the earliest of all streams, in the video's time base
  std::int64_t fileSize = 0;

  std::vector<std::int64_t> Positions() const;
};

// Reads the stream once and lists its GOPs. nullopt, with a reason in error,
// when it cannot be read, holds no video or stop was set.
std::optional<MpegGopIndex> IndexMpegGops(const std::string& path, const std::atomic<bool>* stop, std::string* error);

// Writes outputs[i] with the packets from GOP firstGop[i] up to the next
// part's first GOP (sound by its time, so that each part keeps its sound in
// sync), muxed as kind requires. firstGop is ascending, starting at 0, as
// many as outputs. An output that exists is never replaced. On failure or
// stop every output this call created is removed again; false with error set.
bool WriteMpegParts(const std::string& source, VideoCdKind kind, const MpegGopIndex& index,
                    const std::vector<std::size_t>& firstGop, const std::vector<std::string>& outputs,
                    const std::atomic<bool>* stop, std::string* error);
