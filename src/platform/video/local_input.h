#pragma once
// The one way the program opens a media file with libavformat: always through
// the file protocol, so that a name like "http:x" or "concat:a|b" is never
// taken for something else, and with only that protocol allowed, also for
// files a container refers to (playlists, references to other files).

#include <cstdint>
#include <string>

#include "platform/video/av_pointers.h"

// How much of the file FFmpeg reads to find the streams; 0 keeps its default.
struct LocalInputProbe {
  std::int64_t bytes = 0;
  std::int64_t microseconds = 0;
};

// The open input, or null with FFmpeg's error code in *error (AvErrorText
// gives its text).
InputContextPtr OpenLocalInput(const std::string& path, int* error, const LocalInputProbe& probe = {});

// The URL FFmpeg gets for a local path (for outputs and raw reads too).
std::string FileUrl(const std::string& path);

// Options that keep FFmpeg to local files, also for files a container refers to.
void RestrictToLocalFiles(AVDictionary** options);
