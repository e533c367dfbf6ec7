#pragma once
// Where the titles of a DVD title menu go on its page: rows of one or two
// columns under a 50-pixel heading band, the column width from the widest
// title, and a selection rectangle per title. Pure arithmetic (every division
// an integer division), so the page is the same to the pixel wherever it is
// drawn.

#include <vector>

inline constexpr int kMenuPageWidth = 720;
inline constexpr int kMenuHeadingHeight = 50;
inline constexpr int kMenuHeadingPoints = 25;
inline constexpr int kMenuItemPoints = 20;

struct MenuRows {
  int pageHeight = 0;  // 480 NTSC, 576 PAL
  int rowHeight = 0;   // r
  bool twoColumns = false;
  int leftColumnRows = 0;  // h: titles in the left column (all of them in one column)
  int itemPoints = kMenuItemPoints;
};

// The rows for titleCount (at least 1) titles on a page pageHeight high.
MenuRows PlanMenuRows(int titleCount, int pageHeight);

// The column width c: the widest measured title plus 20, at most 700 (340 in
// two columns).
int MenuColumnWidth(const MenuRows& rows, const std::vector<int>& titleWidths);

struct MenuItemPlace {
  // The title's text rectangle (left, top) .. (right, bottom), right = left + c.
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool centred = true;  // false: wider than the column, drawn from its left edge
  // The selection rectangle's rows: selectionTop .. selectionBottom.
  int selectionTop = 0;
  int selectionBottom = 0;
};

// One place per title, in title order.
std::vector<MenuItemPlace> PlaceMenuItems(const MenuRows& rows, int columnWidth, const std::vector<int>& titleWidths);
