#include "ui/dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {

// value * numerator / denominator, rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const QRect& units, DialogBaseUnits base) {
  return {MulDiv(units.x(), base.x, 4), MulDiv(units.y(), base.y, 8), MulDiv(units.width(), base.x, 4),
          MulDiv(units.height(), base.y, 8)};
}

int DialogFontPixels(const QFont& desktop) {
  double points = desktop.pointSizeF();
  if (points <= 0) points = desktop.pixelSize() * 72.0 / 96.0;
  if (points <= 0) return kDialogFontPixels;
  return std::max(kDialogFontPixels, static_cast<int>(std::lround(kDialogFontPixels * points / kDesktopFontPoints)));
}

QFont DialogFont() {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(DialogFontPixels(QGuiApplication::font()));
  return font;
}
