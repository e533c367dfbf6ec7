// The menu page as drawn: its size, the separator, the heading and titles in
// white on the art, the font that stands in for Verdana, and the frame the
// video library gets.

#include "disc/dvd_menu_page.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

#include "common/qt_gui_environment.h"

namespace {

[[maybe_unused]] const auto* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtGuiTestEnvironment("test_dvd_menu"));

bool IsWhite(QRgb pixel) {
  return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
}

// White pixels in the rectangle (text drawn there in white).
int WhitePixels(const QImage& picture, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += IsWhite(picture.pixel(x, y)) ? 1 : 0;
  }
  return count;
}

TEST(MenuTitle, IsTheFileNameWithoutItsLastExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/ann/Videos/Holiday 2024.avi", "Holiday 2024"},
      {"/home/ann/v.1/clip.part.mp4", "clip.part"},
      {"/home/ann/v.1/clip", "clip"},  // no dot in the name: the folder's dot does not count
      {"clip.mov", "clip"},
  };
  for (const auto& [path, title] : cases) EXPECT_EQ(MenuTitleOf(path), title) << path;
}

TEST(MenuPageDrawing, VerdanaFallsBackToDejaVuSans) {
  QFont font;
  font.setFamilies({"Verdana", "DejaVu Sans"});
  EXPECT_EQ(QFontInfo(font).family(), "DejaVu Sans");
}

TEST(MenuPageDrawing, TwoPalTitlesOnOneColumnWithTheHeadingInWhite) {
  const MenuPage page = DrawMenuPage({"First", "Second title"}, VideoStandard::Pal);
  ASSERT_EQ(page.picture.width(), 720);
  ASSERT_EQ(page.picture.height(), 576);
  EXPECT_FALSE(page.rows.twoColumns);
  ASSERT_EQ(page.titleWidths.size(), 2u);
  EXPECT_GT(page.titleWidths[1], page.titleWidths[0]);
  EXPECT_EQ(page.columnWidth, page.titleWidths[1] + 20);
  EXPECT_GT(WhitePixels(page.picture, 0, 0, 720, 50), 200) << "the heading";
  for (const MenuItemPlace& place : page.places) {
    EXPECT_GT(WhitePixels(page.picture, place.left, place.top, place.right, place.bottom), 50) << "a title";
  }
  EXPECT_EQ(WhitePixels(page.picture, 355, 60, 365, 150), 0) << "no separator in one column";
  // The art: lighter at the top edge than at the bottom.
  EXPECT_GT(qBlue(page.picture.pixel(5, 52)), qBlue(page.picture.pixel(5, 570)));
}

TEST(MenuPageDrawing, TwelveNtscTitlesHaveTwoColumnsAndTheSeparator) {
  std::vector<std::string> titles;
  for (int i = 1; i <= 12; ++i) titles.push_back("Title number " + std::to_string(i));
  const MenuPage page = DrawMenuPage(titles, VideoStandard::Ntsc);
  ASSERT_EQ(page.picture.height(), 480);
  ASSERT_TRUE(page.rows.twoColumns);
  EXPECT_LE(page.columnWidth, 340);
  for (int y = 50; y < 480; y += 37) {
    for (int x = 359; x <= 361; ++x) EXPECT_TRUE(IsWhite(page.picture.pixel(x, y))) << x << "," << y;
  }
}

TEST(MenuPageDrawing, ThirtyTitlesUseTheSmallerFont) {
  const MenuPage page = DrawMenuPage(std::vector<std::string>(30, "Clip"), VideoStandard::Ntsc);
  EXPECT_EQ(page.rows.itemPoints, 14);
  const MenuPage large = DrawMenuPage(std::vector<std::string>(2, "Clip"), VideoStandard::Ntsc);
  EXPECT_LT(page.titleWidths[0], large.titleWidths[0]);
}

TEST(MenuPageFrame, IsBgraWithAlpha255AndTheBottomRowFirst) {
  QImage picture(720, 480, QImage::Format_RGB32);
  picture.fill(QColor(10, 20, 30));
  picture.setPixel(0, 0, qRgb(200, 100, 50));  // top left
  picture.setPixel(719, 479, qRgb(1, 2, 3));   // bottom right
  const VideoFrame frame = MenuFrame(picture);
  ASSERT_TRUE(frame.IsWellFormed());
  const std::uint8_t* topLeft = frame.PixelFromTop(0, 0);
  EXPECT_EQ((std::vector<int>{topLeft[0], topLeft[1], topLeft[2], topLeft[3]}), (std::vector<int>{50, 100, 200, 255}));
  // Memory starts with the bottom row.
  const std::size_t lastPixel = (720 - 1) * 4;
  EXPECT_EQ((std::vector<int>{frame.pixels[lastPixel], frame.pixels[lastPixel + 1], frame.pixels[lastPixel + 2]}),
            (std::vector<int>{3, 2, 1}));
}

}  // namespace
