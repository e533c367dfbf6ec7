#pragma once
// spumux's control file for one text subtitle stream: spumux renders the
// SubRip file itself (FreeType) into DVD subpictures. The text is set in a
// sans font large enough to read on a TV, white with a black outline, and
// kept inside the title-safe area (the middle 80% of the frame).

#include <optional>
#include <string>

#include "platform/disc/video_standard.h"

inline constexpr const char* kSubtitleFont = "DejaVu Sans";

struct TextSubtitleStyle {
  VideoStandard standard = VideoStandard::Pal;
  bool wideFrame = false;  // a 16:9 title: its pixels are drawn wider, so the letters are drawn narrower
};

// nullopt when the file's name cannot be written into XML.
std::optional<std::string> TextSubtitleXml(const std::string& subripFile, const TextSubtitleStyle& style);
