#pragma once
// Text subtitles onto a converted DVD title: ffmpeg cannot encode text into
// DVD subpictures (it encodes subtitles text to text or bitmap to bitmap
// only), so each text subtitle becomes a SubRip file, which spumux renders
// with FreeType and muxes into the title as a subpicture stream of its own.

#include <string>
#include <vector>

#include "convert/disc_tracks.h"
#include "platform/disc/video_standard.h"

struct TitleSubtitles {
  std::string source;                    // the file the streams come from
  std::string title;                     // the converted DVD title; rewritten with the subtitles in it
  std::vector<SubtitleTrack> subtitles;  // the text ones, in stream order
  int firstStream = 0;                   // the subpicture number of the first (after the DVD bitmaps)
  VideoStandard standard = VideoStandard::Pal;
};

// "" when every subtitle went in; otherwise why not (the title then holds
// those that went in before). A set stop flag ends it too.
std::string AddTextSubtitles(const TitleSubtitles& job);
