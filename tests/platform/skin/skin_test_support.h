#pragma once
// Shared by the skin's widget tests: one QApplication for the test program,
// and a look at the pixels a widget draws.

#include <QColor>
#include <QPoint>
#include <QRect>

class QWidget;

namespace skintest {

// Clears the application's style sheet and the skin's image folder, so that
// every test starts from the platform's look.
void ResetApplicationLook();

// The colour a widget draws at point (its own coordinates).
QColor ColourAt(QWidget& widget, QPoint point);

// How many pixels inside area (the widget's coordinates) differ clearly from
// the colour drawn at the area's top-left inner corner: the ink of an image or
// label on a plain background.
int InkedPixels(QWidget& widget, QRect area);

}  // namespace skintest
