#pragma once
// The still page of a DVD title menu: our background art (a blue gradient,
// lighter at the top, with a film reel and a curled film strip in the lower
// right corner), the heading "Please Select a Video:" with its shadow, and
// one shadowed title per row, laid out by dvd_menu_layout.h. Text is drawn in
// Verdana, which Debian lacks: fontconfig then gives DejaVu Sans, at the same
// point sizes on a 96-dpi page. Needs a QGuiApplication (fonts).

#include <QImage>
#include <string>
#include <vector>

#include "disc/dvd_menu_layout.h"
#include "platform/disc/video_standard.h"
#include "platform/video/video_frame.h"

struct MenuPage {
  QImage picture;  // 720 x 480 (NTSC) or 720 x 576 (PAL), 24-bit colour
  MenuRows rows;
  int columnWidth = 0;
  std::vector<int> titleWidths;  // each title measured in the item font
  std::vector<MenuItemPlace> places;
};

// The title a menu shows for a listed file: its name after the last '/',
// without the part from its last '.' on.
std::string MenuTitleOf(const std::string& path);

MenuPage DrawMenuPage(const std::vector<std::string>& titles, VideoStandard standard);

// The picture as the video library takes it: BGRA with alpha 255, bottom row first.
VideoFrame MenuFrame(const QImage& picture);
