#pragma once

enum class VideoStandard { Unknown, Pal, Ntsc };

inline const char* StandardName(VideoStandard standard) {
  return standard == VideoStandard::Ntsc ? "NTSC" : "PAL";
}
inline int FrameHeight(VideoStandard standard) {
  return standard == VideoStandard::Ntsc ? 480 : 576;
}
