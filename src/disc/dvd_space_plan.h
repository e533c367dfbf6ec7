#pragma once
// How a list of videos is fitted onto one DVD before it is converted: the
// video bit rate at which the whole list fits, the size the converted streams
// will take, and whether the ffmpeg engine may keep the quality slider's
// fixed quantiser or must encode at that bit rate instead.

#include <cstdint>

// The room the plan counts on a single-layer DVD, in bits (4.375 GB).
inline constexpr std::int64_t kDvdCapacityBits = 35'000'000'000;
// One stereo sound track, in kbit/s.
inline constexpr int kDvdAudioKbps = 224;
// The highest video bit rate the plan ever asks for, in kbit/s.
inline constexpr int kDvdPlanMaxVideoKbps = 9500;
// ffmpeg's DVD target limits the video to this peak rate (-maxrate); an
// average above it is refused by the encoder, so a planned rate never exceeds it.
inline constexpr int kDvdEncoderMaxVideoKbps = 9000;
// What a single-layer DVD holds: 2,295,104 sectors of 2048 bytes.
inline constexpr std::int64_t kDvd5MediumBytes = 4'700'372'992;
// The share of the medium the titles' files are planned to take when the
// list is fitted to the disc; the rest is room for the menu, the IFO files,
// the file system and the encoder's swings around its rate.
inline constexpr double kDvdFillShare = 0.97;
// What the DVD program stream adds to the bits of its streams: pack and
// packet headers and a navigation pack for every half second or so
// (measured: 2.1 % at 5 Mbit/s, more at lower rates).
inline constexpr double kDvdMuxOverhead = 0.025;
// A DVD menu has one button per title and dvdauthor takes at most 36.
inline constexpr int kDvdMaxTitles = 36;

struct DvdSpacePlan {
  int videoKbps = 0;      // the video rate at which the list fits (m_nDVDVideoKbps)
  int sizeMegabytes = 0;  // the converted streams at that rate, audio included
  // False when not even the sound of the list fits (videoKbps <= 0): no
  // video rate makes such a list one DVD.
  bool fitsOnDisc = false;
  // The list fits even at the fastest rate a fixed quantiser may reach.
  bool fitsAtQuantiser = false;
  // The rate the ffmpeg engine encodes at when the quantiser may not be
  // kept (fitsAtQuantiser false), in kbit/s; 0 when it is kept. It fills
  // kDvdFillShare of the medium (under the setting and the encoder's peak),
  // where videoKbps keeps the older, emptier reckoning.
  int encoderVideoKbps = 0;
};

// The plan for a list of totalDurationMs (> 0) under the "DVD Bitrate"
// setting (kbit/s), on a disc whose plan fills capacityBits (a DVD-5 by
// default; disc/disc_plan.h has the other sizes). The fit test: a fixed quantiser gives no bound of its own
// (measured 6.6 to 9.2 Mbit/s at the top of the slider, whatever the length),
// so the quantiser is kept only when the list would fit even if every title
// ran at kDvdPlanMaxVideoKbps; otherwise the engine encodes at the planned
// rate, at most kDvdEncoderMaxVideoKbps.
// trackKbps: what the titles' sound and subtitle streams take, over the
// whole length; capacityBits: the disc's room for videoKbps; mediumBytes:
// what the disc holds, for encoderVideoKbps.
DvdSpacePlan PlanDvdSpace(std::int64_t totalDurationMs, int dvdBitrateSettingKbps, int trackKbps = kDvdAudioKbps,
                          std::int64_t capacityBits = kDvdCapacityBits, std::int64_t mediumBytes = kDvd5MediumBytes);

// The video rate (kbit/s) at which titles of totalDurationMs with trackKbps
// of sound and subtitles fill kDvdFillShare of mediumBytes once muxed.
int DvdFillingVideoKbps(std::int64_t totalDurationMs, int trackKbps, std::int64_t mediumBytes);
