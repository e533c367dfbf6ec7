#include "platform/skin/skin_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "common/qt_test_environment.h"
#include "platform/skin/skin_sheet.h"

namespace {

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment("test_skin_component"));

int Distance(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

}  // namespace

namespace skintest {

void ResetApplicationLook() {
  qApp->setStyleSheet(QString());
  QDir::setSearchPaths(QString::fromUtf8(kSkinImagePrefix.data(), kSkinImagePrefix.size()), {});
}

QColor ColourAt(QWidget& widget, QPoint point) {
  return widget.grab().toImage().pixelColor(point);
}

int InkedPixels(QWidget& widget, QRect area) {
  const QImage image = widget.grab().toImage();
  const QColor background = image.pixelColor(area.topLeft() + QPoint(3, 3));
  int inked = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (Distance(image.pixelColor(x, y), background) > 150) ++inked;
    }
  }
  return inked;
}

}  // namespace skintest
