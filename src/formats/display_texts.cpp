#include "formats/display_texts.h"

#include <cstdio>

std::string BitRateText(std::int32_t bitsPerSecond) {
  return std::to_string(bitsPerSecond / 1000) + " kbps";
}

std::string FrameRateText(const FrameRateEntry& rate) {
  const double perSecond = rate.denominator != 0 ? static_cast<double>(rate.numerator) / rate.denominator : 0.0;
  char text[64];
  std::snprintf(text, sizeof text, "%.2f fps", perSecond);
  return text;
}

std::string FrameSizeText(const FrameSizeEntry& size) {
  if (size.width == 0 && size.height == 0) return QT_TRANSLATE_NOOP("UserText", "Original Size");
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}
