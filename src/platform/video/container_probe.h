#pragma once
// Which container a file is, judged from its content the way FFmpeg picks a
// demuxer, and the classes the program knows containers by.

#include <string>

// The classes of IsFileOfType.
enum class ContainerClass {
  Avi = 0,
  Mpeg = 1,          // MPEG program, transport and elementary streams
  WindowsMedia = 2,  // ASF: WMV, WMA
  QuickTime = 3,     // MOV, MP4, 3GP
  Other = 4,         // any other container FFmpeg reads (Matroska, WebM, FLV, ...)
};

struct ContainerProbe {
  std::string formatName;  // FFmpeg's demuxer name; "" when none fits
  int score = 0;           // FFmpeg's confidence, 0..100
};

// Reads the start of the file and asks FFmpeg which demuxer fits. A file that
// cannot be read, or that matches only weakly (a guess FFmpeg itself marks
// as a possible misdetection), gives an empty name.
ContainerProbe ProbeContainer(const std::string& path);

// The class of a demuxer name; -1 for "" and for demuxers that hold no
// pictures or sound of a video (text art).
int ClassOfContainer(const std::string& formatName);
