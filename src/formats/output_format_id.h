#pragma once
// The seven output formats. The same numbers are used by the main window's
// format buttons, its "OutputFormat" setting and every per-format table.

#include <cstdint>

using OutputFormatId = std::int32_t;

inline constexpr OutputFormatId kFormatAvi = 0;
inline constexpr OutputFormatId kFormatMpeg = 1;
inline constexpr OutputFormatId kFormatWmv = 2;
inline constexpr OutputFormatId kFormatRm = 3;
inline constexpr OutputFormatId kFormatDvd = 4;
inline constexpr OutputFormatId kFormatVcd = 5;
inline constexpr OutputFormatId kFormatSvcd = 6;
inline constexpr int kOutputFormatCount = 7;

inline constexpr bool IsKnownFormat(OutputFormatId id) {
  return id >= kFormatAvi && id <= kFormatSvcd;
}

// DVD, VCD and SVCD: their video codec choice is a TV standard and they have
// an aspect-ratio choice.
inline constexpr bool IsDiscFormat(OutputFormatId id) {
  return id >= kFormatDvd && id <= kFormatSvcd;
}
