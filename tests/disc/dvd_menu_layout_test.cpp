// The title menu's geometry, to the pixel, for the page sizes and title
// counts that change its shape.

#include "disc/dvd_menu_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PlaceSeen {
  int index;
  int left;
  int top;
  int selectionTop;
  int selectionBottom;
  bool centred;
};

struct LayoutCase {
  const char* name;
  int titles;
  int pageHeight;
  int titleWidth;  // every title measures this much
  bool twoColumns;
  int leftColumnRows;
  int rowHeight;
  int itemPoints;
  int columnWidth;
  std::vector<PlaceSeen> places;
};

const LayoutCase kCases[] = {
    // Two NTSC titles: rows 50..265 and 265..480, selections 49 high around their middles.
    {"TwoNtsc", 2, 480, 100, false, 2, 215, 20, 120, {{0, 300, 50, 132, 182, true}, {1, 300, 265, 347, 397, true}}},
    // Two PAL titles: the same on a 576-line page.
    {"TwoPal", 2, 576, 100, false, 2, 263, 20, 120, {{0, 300, 50, 156, 206, true}, {1, 300, 313, 419, 469, true}}},
    // Ten NTSC titles still fit one column; rows under 50 are selected whole.
    {"TenNtsc", 10, 480, 100, false, 10, 43, 20, 120, {{0, 300, 50, 50, 93, true}, {9, 300, 437, 437, 480, true}}},
    // Eleven give rows of 39: two columns.
    {"ElevenNtsc", 11, 480, 100, true, 6, 71, 20, 120, {{5, 120, 405, 415, 465, true}, {6, 480, 50, 60, 110, true}}},
    // Twelve NTSC titles: two columns of 6, rows of 71, columns at most 340 wide.
    {"TwelveNtsc",
     12,
     480,
     400,
     true,
     6,
     71,
     20,
     340,
     {{0, 10, 50, 60, 110, false}, {6, 370, 50, 60, 110, false}, {11, 370, 405, 415, 465, false}}},
    // Thirty NTSC titles: two columns of 15, rows of 28, the item font at 14 points.
    {"ThirtyNtsc",
     30,
     480,
     80,
     true,
     15,
     28,
     14,
     100,
     {{0, 130, 50, 50, 78, true}, {14, 130, 442, 442, 470, true}, {15, 490, 50, 50, 78, true}}},
    // One column is at most 700 wide; a wider title is drawn from the column's left edge.
    {"WideTitle", 2, 480, 900, false, 2, 215, 20, 700, {{0, 10, 50, 132, 182, false}}},
};

class MenuLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MenuLayout, PlacesEveryTitleAsTheLayoutRulesSay) {
  const LayoutCase& c = GetParam();
  const MenuRows rows = PlanMenuRows(c.titles, c.pageHeight);
  EXPECT_EQ(rows.twoColumns, c.twoColumns);
  EXPECT_EQ(rows.leftColumnRows, c.leftColumnRows);
  EXPECT_EQ(rows.rowHeight, c.rowHeight);
  EXPECT_EQ(rows.itemPoints, c.itemPoints);

  const std::vector<int> widths(static_cast<std::size_t>(c.titles), c.titleWidth);
  const int columnWidth = MenuColumnWidth(rows, widths);
  EXPECT_EQ(columnWidth, c.columnWidth);
  const auto places = PlaceMenuItems(rows, columnWidth, widths);
  ASSERT_EQ(places.size(), static_cast<std::size_t>(c.titles));
  for (const PlaceSeen& expected : c.places) {
    const MenuItemPlace& place = places[static_cast<std::size_t>(expected.index)];
    SCOPED_TRACE(expected.index);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right, place.left + columnWidth);
    EXPECT_EQ(place.bottom, place.top + c.rowHeight);
    EXPECT_EQ(place.selectionTop, expected.selectionTop);
    EXPECT_EQ(place.selectionBottom, expected.selectionBottom);
    EXPECT_EQ(place.centred, expected.centred);
  }
  for (const MenuItemPlace& place : places) {
    EXPECT_GE(place.left, 0);
    EXPECT_LE(place.right, kMenuPageWidth);
    EXPECT_GE(place.selectionTop, kMenuHeadingHeight);
    EXPECT_LE(place.selectionBottom, c.pageHeight);
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, MenuLayout, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& param) { return param.param.name; });

TEST(MenuLayoutColumns, TheRightColumnStartsAtTheSeparatorAndMirrorsTheLeft) {
  const MenuRows rows = PlanMenuRows(7, 576);  // 526 / 7 = 75: one column
  EXPECT_FALSE(rows.twoColumns);
  const MenuRows split = PlanMenuRows(15, 576);  // 526 / 15 = 35: two columns of 8
  ASSERT_TRUE(split.twoColumns);
  EXPECT_EQ(split.leftColumnRows, 8);
  const auto places = PlaceMenuItems(split, 200, std::vector<int>(15, 150));
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(places[static_cast<std::size_t>(i + 8)].left, places[static_cast<std::size_t>(i)].left + 360);
    EXPECT_EQ(places[static_cast<std::size_t>(i + 8)].top, places[static_cast<std::size_t>(i)].top);
  }
}

}  // namespace
