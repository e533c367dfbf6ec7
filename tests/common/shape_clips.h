#pragma once
// Clips whose shape can be measured: a bright disc (round as a viewer sees
// it) on a grey picture, so that in a converted title the disc's width and
// height show whether the picture was stretched, and the grey area shows
// where the black bars are.

#include <string>
#include <vector>

namespace testkit {

struct ShapeClip {
  const char* name;
  int width;
  int height;
  int sampleAspectNum = 1;
  int sampleAspectDen = 1;
  bool turnedQuarter = false;  // a display matrix that turns it 90 degrees clockwise
  const char* rate = "25";
};

// The clips the disc tests run through every disc format: portrait, turned
// by its display matrix, 29.97 fps, 4:3, 2.39:1 scope, non-square samples.
const std::vector<ShapeClip>& ShapeClips();

// Writes the clip (1 s, with sound) as an MP4 file at path.
std::string MakeShapeClip(const std::string& path, const ShapeClip& clip);

// One picture of a title, measured as a viewer sees it after the stream's aspect flag.
struct SeenShape {
  int frameWidth = 0;
  int frameHeight = 0;
  std::string aspect;           // the stream's display aspect, "4:3", "16:9", ...
  double aspectValue = 0;       // the same as a number (MPEG-1 gives 1958:1467 for 4:3)
  double circleRoundness = 0;   // seen width over height of the disc; 1 is round
  double pictureAspect = 0;     // seen width over height of the grey picture
  int barLeft = 0, barTop = 0;  // black columns at the left, black rows at the top
  int barRight = 0, barBottom = 0;
};
SeenShape MeasureTitle(const std::string& path);

// The display aspect a clip should be seen at (the circle clip's grey area).
double ClipAspect(const ShapeClip& clip);

}  // namespace testkit
