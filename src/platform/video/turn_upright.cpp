#include "platform/video/turn_upright.h"

#include <cstring>

#include "support/picture_shape.h"

void TurnUpright(const VideoFrame& stored, int degrees, VideoFrame& into) {
  const int w = stored.width;
  const int h = stored.height;
  if (TurnsSideways(degrees)) {
    into.Resize(h, w);
  } else {
    into.Resize(w, h);
  }
  for (int y = 0; y < into.height; ++y) {
    for (int x = 0; x < into.width; ++x) {
      int fromX = x;
      int fromY = y;
      switch (degrees) {
        case 90:  // the stored left column becomes the top row
          fromX = y;
          fromY = h - 1 - x;
          break;
        case 180:
          fromX = w - 1 - x;
          fromY = h - 1 - y;
          break;
        case 270:
          fromX = w - 1 - y;
          fromY = x;
          break;
        default:
          break;
      }
      std::memcpy(into.PixelFromTop(x, y), stored.PixelFromTop(fromX, fromY), VideoFrame::kBytesPerPixel);
    }
  }
}
