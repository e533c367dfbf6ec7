#include "disc/dvd_menu_layout.h"

#include <algorithm>

namespace {
constexpr int kMinRowHeight = 40;
constexpr int kRowsWithFullSelection = 50;  // rows lower than this are selected whole
constexpr int kSelectionHeight = 50;
constexpr int kColumnPadding = 20;
constexpr int kMaxColumnWidth = 700;
constexpr int kMaxHalfColumnWidth = 340;
constexpr int kHalfPage = kMenuPageWidth / 2;
}  // namespace

MenuRows PlanMenuRows(int titleCount, int pageHeight) {
  MenuRows rows;
  const int count = std::max(1, titleCount);
  const int itemArea = pageHeight - kMenuHeadingHeight;
  rows.pageHeight = pageHeight;
  rows.rowHeight = itemArea / count;
  rows.leftColumnRows = count;
  if (rows.rowHeight < kMinRowHeight) {
    rows.twoColumns = true;
    rows.leftColumnRows = (count + 1) / 2;
    rows.rowHeight = itemArea / rows.leftColumnRows;
    // Half the row height in points still fits a row.
    if (rows.rowHeight < kMinRowHeight) rows.itemPoints = rows.rowHeight / 2;
  }
  return rows;
}

int MenuColumnWidth(const MenuRows& rows, const std::vector<int>& titleWidths) {
  int widest = 0;
  for (const int width : titleWidths) widest = std::max(widest, width);
  return std::min(widest + kColumnPadding, rows.twoColumns ? kMaxHalfColumnWidth : kMaxColumnWidth);
}

std::vector<MenuItemPlace> PlaceMenuItems(const MenuRows& rows, int columnWidth, const std::vector<int>& titleWidths) {
  std::vector<MenuItemPlace> places;
  const int r = rows.rowHeight;
  for (std::size_t index = 0; index < titleWidths.size(); ++index) {
    const int i = static_cast<int>(index);
    MenuItemPlace place;
    if (rows.twoColumns) {
      place.left = (kHalfPage - columnWidth) / 2 + (i >= rows.leftColumnRows ? kHalfPage : 0);
      place.top = kMenuHeadingHeight + (i % rows.leftColumnRows) * r;
    } else {
      place.left = (kMenuPageWidth - columnWidth) / 2;
      place.top = kMenuHeadingHeight + i * r;
    }
    place.right = place.left + columnWidth;
    place.bottom = place.top + r;
    place.centred = titleWidths[index] <= columnWidth;
    if (r < kRowsWithFullSelection) {
      place.selectionTop = place.top;
      place.selectionBottom = place.top + r;
    } else {
      const int middle = (2 * place.top + r) / 2;
      place.selectionTop = middle - kSelectionHeight / 2;
      place.selectionBottom = middle + kSelectionHeight / 2;
    }
    places.push_back(place);
  }
  return places;
}
