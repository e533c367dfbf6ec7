#include "support/widgets/display_facts.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

int DevicePixels(int logical, qreal ratio) {
  return static_cast<int>(std::lround(logical * ratio));
}

}  // namespace

DisplayFacts ReadDisplayFacts() {
  DisplayFacts facts;
  if (QGuiApplication::instance() == nullptr) return facts;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return facts;
  facts.monitors = static_cast<int>(QGuiApplication::screens().size());
  // Qt measures in device-independent pixels; the report gives the screen's own.
  const qreal ratio = primary->devicePixelRatio();
  facts.width = DevicePixels(primary->size().width(), ratio);
  facts.height = DevicePixels(primary->size().height(), ratio);
  facts.virtualWidth = DevicePixels(primary->virtualSize().width(), ratio);
  facts.virtualHeight = DevicePixels(primary->virtualSize().height(), ratio);
  facts.bitsPerPixel = primary->depth();
  return facts;
}
