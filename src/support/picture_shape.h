#pragma once
// The shape a picture is seen in, and the disc frame it goes into. One place
// for both engines and the disc checks: a source is storage size times
// sample aspect, turned by its display matrix; a DVD title is 4:3 or 16:9 by
// that shape, a VCD or SVCD frame always 4:3. The picture is scaled to fit the
// frame and the rest is black, so nothing is ever stretched.

#include <optional>

// What a video stream says about its shape.
struct SourceShape {
  int width = 0;  // storage size, before any rotation
  int height = 0;
  int sampleAspectNum = 1;  // 0/x or x/0 counts as square
  int sampleAspectDen = 1;
  int rotationDegrees = 0;  // clockwise turn that shows it upright: 0, 90, 180, 270
};

enum class FrameAspect { FourByThree, SixteenByNine };
enum class DiscKind { Dvd, Vcd, Svcd };

// Width over height as a viewer sees it; 0 when the size is unknown.
double DisplayAspect(const SourceShape& source);

// Whether a quarter or three-quarter turn swaps width and height.
bool TurnsSideways(int rotationDegrees);

// Any angle brought to the nearest of 0, 90, 180, 270.
int NormalizedRotation(double degrees);

// 16:9 from about 1.55:1 up; VCD and SVCD frames are always 4:3.
FrameAspect DiscFrameAspect(DiscKind disc, double displayAspect);

double AspectValue(FrameAspect aspect);
const char* AspectText(FrameAspect aspect);  // "4:3", "16:9"
std::optional<FrameAspect> AspectFromText(const char* text);

// The picture's place in a frameWidth x frameHeight frame shown at
// frameAspect: its size in the frame's pixels (even numbers) and its offset.
struct PictureArea {
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
};
PictureArea FitPicture(int frameWidth, int frameHeight, FrameAspect frameAspect, double displayAspect);

// Whether a source already has the frame's shape (within 1 %), so it fills
// the frame without bars.
bool HasFrameShape(double displayAspect, FrameAspect frameAspect);
