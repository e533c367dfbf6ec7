#pragma once
// The menu's buttons as spumux takes them: rectangles on even coordinates
// (the picture is interlaced; odd edges make a button flicker or shift by a
// line), outlined in flat colours on full-frame transparent PNGs.

#include <optional>
#include <string>
#include <vector>

#include "platform/disc/authoring/png_writer.h"
#include "platform/disc/video_standard.h"

struct ButtonRect {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;  // inclusive
  int y1 = 0;  // inclusive
};

// The rectangle (left, top)..(right, bottom) widened to even coordinates and
// kept inside a width x height frame.
ButtonRect EvenButtonRect(int left, int top, int right, int bottom, int width, int height);

// A transparent frame with every button outlined lineWidth pixels wide
// (rounded up to an even number) in color.
PaletteImage DrawButtonOutlines(int width, int height, const std::vector<ButtonRect>& buttons, PaletteColor color,
                                int lineWidth);

// spumux's control file: one subpicture at the start, shown at once, with the
// highlight and select images and one named button ("b1", "b2", ...) each.
// nullopt when a file name cannot be written into XML.
std::optional<std::string> SpumuxXml(const std::string& highlightPng, const std::string& selectPng,
                                     const std::vector<ButtonRect>& buttons);
