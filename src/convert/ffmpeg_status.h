#pragma once
// Reads the "time=" of ffmpeg's status output. ffmpeg rewrites its status
// line with '\r' and the pipe delivers it in arbitrary pieces, so a value may
// be split between two pieces: the unfinished tail is kept until its number
// is complete, and a half number is never reported.

#include <optional>
#include <string>
#include <string_view>

// The value of a complete time field: "10.00" (seconds, older ffmpeg) or
// "00:00:10.00" (hours:minutes:seconds); nullopt for "N/A" and other text.
std::optional<double> ParseFfmpegTime(std::string_view value);

class FfmpegStatusReader {
 public:
  // Takes the next piece of output; returns the latest time value completed
  // by it, if any. When the reader falls behind, one piece can hold several
  // status updates, and only the newest tells how far ffmpeg has got.
  std::optional<double> Feed(std::string_view piece);

 private:
  std::string m_pending;  // the unfinished end of the output so far
};
