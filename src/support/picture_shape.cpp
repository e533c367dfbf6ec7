#include "support/picture_shape.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Between 4:3 (1.33) and 16:9 (1.78): from here up a picture wastes less of
// a wide frame than of a narrow one.
constexpr double kWideFrom = 1.55;
constexpr double kSameShapeTolerance = 0.01;

int EvenAtLeastTwo(double value) {
  const int rounded = static_cast<int>(std::lround(value / 2.0)) * 2;
  return std::max(2, rounded);
}

}  // namespace

bool TurnsSideways(int rotationDegrees) {
  return rotationDegrees == 90 || rotationDegrees == 270;
}

int NormalizedRotation(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  const long quarter = std::lround(degrees / 90.0);
  return static_cast<int>(((quarter % 4) + 4) % 4) * 90;
}

double DisplayAspect(const SourceShape& source) {
  if (source.width <= 0 || source.height <= 0) return 0.0;
  double sample = 1.0;
  if (source.sampleAspectNum > 0 && source.sampleAspectDen > 0) {
    sample = static_cast<double>(source.sampleAspectNum) / source.sampleAspectDen;
  }
  const double aspect = source.width * sample / source.height;
  return TurnsSideways(source.rotationDegrees) ? 1.0 / aspect : aspect;
}

FrameAspect DiscFrameAspect(DiscKind disc, double displayAspect) {
  if (disc != DiscKind::Dvd) return FrameAspect::FourByThree;
  return displayAspect >= kWideFrom ? FrameAspect::SixteenByNine : FrameAspect::FourByThree;
}

double AspectValue(FrameAspect aspect) {
  return aspect == FrameAspect::SixteenByNine ? 16.0 / 9.0 : 4.0 / 3.0;
}

const char* AspectText(FrameAspect aspect) {
  return aspect == FrameAspect::SixteenByNine ? "16:9" : "4:3";
}

std::optional<FrameAspect> AspectFromText(const char* text) {
  if (text == nullptr) return std::nullopt;
  if (std::strcmp(text, "4:3") == 0) return FrameAspect::FourByThree;
  if (std::strcmp(text, "16:9") == 0) return FrameAspect::SixteenByNine;
  return std::nullopt;
}

PictureArea FitPicture(int frameWidth, int frameHeight, FrameAspect frameAspect, double displayAspect) {
  const double frame = AspectValue(frameAspect);
  if (!(displayAspect > 0.0) || HasFrameShape(displayAspect, frameAspect)) {
    return {frameWidth, frameHeight, 0, 0};
  }
  PictureArea area{frameWidth, frameHeight, 0, 0};
  if (displayAspect > frame) {
    area.height = std::min(frameHeight, EvenAtLeastTwo(frameHeight * frame / displayAspect));
  } else {
    area.width = std::min(frameWidth, EvenAtLeastTwo(frameWidth * displayAspect / frame));
  }
  // Offsets even too, so that chroma rows and columns line up with the picture.
  area.left = (frameWidth - area.width) / 4 * 2;
  area.top = (frameHeight - area.height) / 4 * 2;
  return area;
}

bool HasFrameShape(double displayAspect, FrameAspect frameAspect) {
  return std::fabs(displayAspect / AspectValue(frameAspect) - 1.0) <= kSameShapeTolerance;
}
