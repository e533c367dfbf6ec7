#pragma once
// The fixed tables from which each output format's encoding choices are
// taken, and the rules by which a format (and for some tables another choice)
// selects its table. Each table is built on its first request and lives until
// the program ends; every caller gets the same one by reference.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/output_format_id.h"

struct CodecEntry {
  const char* display_name;  // shown on the settings page
  const char* ffmpeg_name;   // given to ffmpeg; for disc formats the target ("ntsc-dvd")
  const char* tag;           // FourCC for ffmpeg's codec tag, or null
};

struct FrameSizeEntry {
  std::int32_t width;  // 0 x 0: the output keeps the source size
  std::int32_t height;
};

struct FrameRateEntry {
  std::int32_t numerator;  // numerator / denominator frames per second
  std::int32_t denominator;
};

using CodecTable = std::vector<CodecEntry>;
using BitRateTable = std::vector<std::int32_t>;  // bits per second
using FrameSizeTable = std::vector<FrameSizeEntry>;
using FrameRateTable = std::vector<FrameRateEntry>;

// Empty for a format id outside 0..6.
const CodecTable& VideoCodecTableOf(OutputFormatId format);
const CodecTable& AudioCodecTableOf(OutputFormatId format);
// AVI with MJPEG (codec 2) has its own rows.
const BitRateTable& VideoBitRateTableOf(OutputFormatId format, std::int32_t videoCodecId);
// For the disc formats the TV standard (the video codec index) selects the rows.
const FrameSizeTable& VideoFrameSizeTableOf(OutputFormatId format, std::int32_t tvStandard);
const FrameRateTable& VideoFrameRateTableOf(OutputFormatId format, std::int32_t tvStandard);
// DVD's rows depend on its audio codec (ac3 or mp2).
const BitRateTable& AudioBitRateTableOf(OutputFormatId format, std::int32_t audioCodecId);

// The row a stored index stands for in a table of count rows: an index that,
// taken as unsigned, is not below count becomes the last row; a negative one
// becomes row 0. With count 0 a non-negative index gives -1 (no row).
std::int32_t FitIndexToTable(std::int32_t stored, std::size_t count);

// The ffmpeg quantiser for a quality slider position 0..9 (31 down to 1);
// 0, meaning no quantiser, for any other position.
std::int32_t QuantiserForSliderPosition(std::int32_t position);

// The choices a format starts from (aspect -1: left as it is).
struct FormatDefaults {
  std::int32_t video_codec_id;
  std::int32_t video_bitrate_id;
  std::int32_t video_framerate_id;
  std::int32_t video_framesize_id;
  std::int32_t video_aspect_id;
  std::int32_t audio_codec_id;
  std::int32_t audio_bitrate_id;
  std::int32_t audio_channels_id;
};
// Null for a format id outside 0..6.
const FormatDefaults* DefaultsOf(OutputFormatId format);
