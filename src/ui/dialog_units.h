#pragma once
// Dialog units to pixels, as Windows maps a dialog template: the dialog's
// font gives the base units, x the average width of the 52 letters A-Z a-z
// (rounded), y the font's height; x and width take base-x/4 pixels a unit,
// y and height base-y/8, rounded half away from zero (MulDiv). MS Sans Serif
// 8 gives 6 x 13; the small dialogs' font (DialogFont, 11-pixel sans-serif,
// DejaVu Sans on Debian) gives 7 x 13, so every text keeps the room it was
// laid out with.

#include <QFont>
#include <QRect>
#include <QSize>

struct DialogBaseUnits {
  int x = 6;
  int y = 13;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);
QRect MapDialogRect(const QRect& units, DialogBaseUnits base);

// The font of the small dialogs: sans-serif, 11 pixels (8 points at 96 dpi)
// with the desktop's usual 9-point font, and as much larger as the desktop's
// font is (DialogFontPixels of the application's font). The dialogs' units
// come from it, so a dialog grows with its texts.
QFont DialogFont();

inline constexpr int kDialogFontPixels = 11;
inline constexpr double kDesktopFontPoints = 9;
// The dialogs' font size for a desktop font; never below kDialogFontPixels.
int DialogFontPixels(const QFont& desktop);
