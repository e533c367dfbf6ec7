#pragma once
// What a disc title made from a shape clip must look like, checked the same
// way for both engines.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/shape_clips.h"

namespace testkit {

// dvd: a DVD title (4:3 or 16:9 by the source); otherwise a CD's 4:3 one.
inline void ExpectDiscShape(const SeenShape& seen, const ShapeClip& clip, bool dvd) {
  const double source = ClipAspect(clip);
  const std::string expected = dvd && source >= 1.55 ? "16:9" : "4:3";
  const double frame = expected == "16:9" ? 16.0 / 9.0 : 4.0 / 3.0;
  if (dvd) {
    EXPECT_EQ(seen.aspect, expected);
  } else {
    EXPECT_NEAR(seen.aspectValue / frame, 1.0, 0.01) << seen.aspect;
  }
  EXPECT_NEAR(seen.circleRoundness, 1.0, 0.03) << "the circle is stretched";
  EXPECT_NEAR(seen.pictureAspect / source, 1.0, 0.03) << "the picture is stretched";
  constexpr int kEdge = 4;  // rows or columns an encoder may darken at an edge
  if (source < frame * 0.97) {
    EXPECT_GT(seen.barLeft, kEdge);
    EXPECT_GT(seen.barRight, kEdge);
    EXPECT_LE(seen.barTop + seen.barBottom, kEdge);
  } else if (source > frame * 1.03) {
    EXPECT_GT(seen.barTop, kEdge);
    EXPECT_GT(seen.barBottom, kEdge);
    EXPECT_LE(seen.barLeft + seen.barRight, kEdge);
  }
}

}  // namespace testkit
