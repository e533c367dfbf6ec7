#pragma once
// The library engine's tables and the arithmetic it does with them: frame
// rates and bit rates by setting or slider position, the disc frame formats,
// the MPEG height rounding, the CD split, the progress. Plain functions so that each rule is checked
// on its own; the conversion itself is in app/library_conversion.cpp.

#include <string>

#include "formats/output_format_id.h"

// Index into a table; an index outside the table is corrected to its nearest
// end where it is used (the stored settings are never range-checked).
double AviFrameRateAt(int index);   // 10 .. 30 by "AVIFrameRate"
double MpegFrameRateAt(int index);  // 23.97 .. 30 by "MPEGFrameRate"
int MpegVideoKbpsAt(int index);     // 750 .. 2376 by "MPEGVideoBitRate"
double MpegFrameRateBySlider(int position);
int MpegVideoKbpsBySlider(int position);
int RealMediaProfileBySlider(int position);  // 1-based profile number

// What a disc takes: frame size and rate by TV standard (type 0 NTSC, any
// other PAL), MPEG version and sound rate. The video bit rate is the job's.
struct DiscFrameFormat {
  int width = 0;
  int height = 0;
  double frameRate = 0.0;
  int mpegVersion = 2;
  int audioHz = 48000;
};
inline constexpr int kDiscAudioKbps = 224;
inline constexpr int kDiscAudioChannels = 2;
// format: kFormatDvd, kFormatVcd or kFormatSvcd.
DiscFrameFormat DiscFrameFormatFor(OutputFormatId format, int discType);

// The height an MPEG file of the library engine is written with: with the
// "MPEG2" setting (mpegVersionSetting 1) a height of 33 or more goes to the
// nearest multiple of 32, halves up.
int LibraryMpegHeight(int mpegVersionSetting, int height);

// How long each part of a stream over cdCount CDs lasts, in ms: a little over
// its share, so the last part is not a sliver.
int SplitLengthMs(OutputFormatId format, int durationMs, int cdCount);

// Part number part of a multi-CD name ending in "_<digit>.mpg": the digit at
// length - 5 becomes part's.
std::string PartFileName(std::string path, int part);

// The bar's value in percent for the library engine: the files done and the
// positions reached in the current one (video and sound), over the job's
// total; three quarters of the bar for the disc formats, whose rest belongs to
// authoring and burning. A total of 0 (durations unknown) falls back to what
// is known of this run (done plus the current file); with nothing known the
// bar stays at 0. A value past 100 keeps its part above the last whole hundred.
double LibraryProgress(int doneMs, int videoMs, int audioMs, int totalMs, int currentFileMs, bool discFormat);
