#include "support/picture_shape.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureShape, SourcesIntoDiscFrames) {
  struct Case {
    const char* name;
    SourceShape source;
    DiscKind disc;
    int frameWidth;
    int frameHeight;
    FrameAspect aspect;
    PictureArea area;
  };
  const Case cases[] = {
      {"portrait phone", {1080, 1920, 1, 1, 0}, DiscKind::Dvd, 720, 576, FrameAspect::FourByThree, {304, 576, 208, 0}},
      {"turned a quarter",
       {1920, 1080, 1, 1, 270},
       DiscKind::Dvd,
       720,
       480,
       FrameAspect::FourByThree,
       {304, 480, 208, 0}},
      {"turned half way",
       {1920, 1080, 1, 1, 180},
       DiscKind::Dvd,
       720,
       576,
       FrameAspect::SixteenByNine,
       {720, 576, 0, 0}},
      {"widescreen", {1920, 1080, 1, 1, 0}, DiscKind::Dvd, 720, 576, FrameAspect::SixteenByNine, {720, 576, 0, 0}},
      {"4:3", {640, 480, 1, 1, 0}, DiscKind::Dvd, 720, 576, FrameAspect::FourByThree, {720, 576, 0, 0}},
      {"scope 2.39", {1920, 804, 1, 1, 0}, DiscKind::Dvd, 720, 576, FrameAspect::SixteenByNine, {720, 428, 0, 74}},
      {"16:11 samples", {720, 576, 16, 11, 0}, DiscKind::Dvd, 720, 576, FrameAspect::SixteenByNine, {720, 564, 0, 6}},
      {"just under wide", {150, 100, 1, 1, 0}, DiscKind::Dvd, 720, 576, FrameAspect::FourByThree, {720, 512, 0, 32}},
      {"widescreen on VCD",
       {1920, 1080, 1, 1, 0},
       DiscKind::Vcd,
       352,
       288,
       FrameAspect::FourByThree,
       {352, 216, 0, 36}},
      {"portrait on SVCD",
       {1080, 1920, 1, 1, 0},
       DiscKind::Svcd,
       480,
       576,
       FrameAspect::FourByThree,
       {202, 576, 138, 0}},
      {"unknown samples count square",
       {640, 480, 0, 1, 0},
       DiscKind::Vcd,
       352,
       240,
       FrameAspect::FourByThree,
       {352, 240, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double shape = DisplayAspect(c.source);
    EXPECT_EQ(DiscFrameAspect(c.disc, shape), c.aspect);
    const PictureArea area = FitPicture(c.frameWidth, c.frameHeight, c.aspect, shape);
    EXPECT_EQ(area.width, c.area.width);
    EXPECT_EQ(area.height, c.area.height);
    EXPECT_EQ(area.left, c.area.left);
    EXPECT_EQ(area.top, c.area.top);
    // Seen at the frame's aspect, the picture keeps the source's shape.
    const double seen =
        AspectValue(c.aspect) * area.width / c.frameWidth / (static_cast<double>(area.height) / c.frameHeight);
    EXPECT_NEAR(seen / shape, 1.0, 0.01);
  }
}

TEST(PictureShape, RotationAndNames) {
  EXPECT_EQ(NormalizedRotation(-90.0), 270);
  EXPECT_EQ(NormalizedRotation(90.4), 90);
  EXPECT_EQ(NormalizedRotation(-180.0), 180);
  EXPECT_EQ(NormalizedRotation(450.0), 90);
  EXPECT_EQ(DisplayAspect({0, 480, 1, 1, 0}), 0.0);
  EXPECT_EQ(AspectFromText("16:9"), FrameAspect::SixteenByNine);
  EXPECT_EQ(AspectFromText("4:3"), FrameAspect::FourByThree);
  EXPECT_FALSE(AspectFromText(nullptr).has_value());
  EXPECT_STREQ(AspectText(FrameAspect::SixteenByNine), "16:9");
}

}  // namespace
