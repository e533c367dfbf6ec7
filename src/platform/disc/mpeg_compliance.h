#pragma once
// Which disc a probed MPEG stream may go onto, and its TV standard.

#include <string>

#include "platform/disc/media_probe.h"
#include "platform/disc/video_standard.h"

// PAL or NTSC from the picture height and the frame rate.
VideoStandard StandardOf(const MpegInfo& info);

enum class VideoCdKind { Vcd, Svcd };

// "" when the stream fits a (Super) Video CD track; else what is wrong, for the log.
std::string VideoCdProblem(const MpegInfo& info, VideoCdKind kind);
