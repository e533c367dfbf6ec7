#include "platform/video/image_scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "platform/video/media_test_helpers.h"
#include "platform/video/video_error.h"

namespace {

TEST(ImageScaler, StretchesToTheTargetSizeKeepingColoursAndOrientation) {
  struct Case {
    int width, height, quality;
  };
  ImageScaler scaler;
  scaler.SetImage(videotest::ColourBlocks(160, 120));
  for (const Case c :
       {Case{320, 240, 1}, Case{80, 60, 1}, Case{720, 540, 1}, Case{720, 540, 0}, Case{352, 288, 0}, Case{40, 32, 1}}) {
    VideoFrame target(c.width, c.height);
    scaler.GetImage(target, ImageScaler::kStretch, c.quality);
    ASSERT_EQ(target.pixels.size(), static_cast<std::size_t>(c.width) * c.height * 4);
    EXPECT_LE(videotest::WorstBlockDistance(target), 2) << c.width << "x" << c.height << " quality " << c.quality;
  }
}

TEST(ImageScaler, KeepingTheAspectCentresThePictureBetweenBlackBorders) {
  ImageScaler scaler;
  VideoFrame picture = videotest::ColourBlocks(160, 120);
  scaler.SetImage(std::move(picture));
  VideoFrame target(200, 100);  // the picture becomes 133 x 100
  std::fill(target.pixels.begin(), target.pixels.end(), std::uint8_t{0x7F});
  scaler.GetImage(target, ImageScaler::kKeepAspect, ImageScaler::kSmooth);
  for (const int x : {0, 32, 167, 199}) {
    const std::uint8_t* pixel = target.PixelFromTop(x, 50);
    EXPECT_EQ(pixel[0] | pixel[1] | pixel[2] | pixel[3], 0) << "border column " << x;
  }
  // Top-left block (red) just inside the picture.
  const std::uint8_t* red = target.PixelFromTop(50, 10);
  EXPECT_GT(red[2], 200);
  EXPECT_LT(red[0], 60);
}

TEST(ImageScaler, DrawsIntoAnAreaOfTheTargetAndLeavesTheRestAlone) {
  ImageScaler scaler;
  VideoFrame target(100, 80);
  std::fill(target.pixels.begin(), target.pixels.end(), std::uint8_t{0x7F});
  EXPECT_THROW(scaler.GetImage(target, 10, 10, 20, 20), video_exception) << "no picture yet";
  scaler.SetImage(videotest::ColourBlocks(160, 120));
  for (const int quality : {ImageScaler::kFast, ImageScaler::kSmooth}) {
    scaler.GetImage(target, 20, 10, 60, 40, quality);
    // Inside the area the blocks sit where they belong; outside nothing changed.
    VideoFrame area(60, 40);
    for (int row = 0; row < 40; ++row) {
      std::copy_n(target.PixelFromTop(20, 30 + row), 60 * 4, area.PixelFromTop(0, row));
    }
    EXPECT_LE(videotest::WorstBlockDistance(area), 2) << "quality " << quality;
    for (const auto& [x, y] : {std::pair{19, 40}, std::pair{80, 40}, std::pair{50, 29}, std::pair{50, 70}}) {
      EXPECT_EQ(target.PixelFromTop(x, y)[1], 0x7F) << x << "," << y;
    }
  }
  for (const auto& [left, top, width, height] :
       {std::tuple{50, 0, 60, 10}, std::tuple{0, 50, 10, 40}, std::tuple{-1, 0, 10, 10}, std::tuple{0, 0, 0, 10}}) {
    EXPECT_THROW(scaler.GetImage(target, left, top, width, height), video_exception) << left << "," << top;
  }
}

TEST(ImageScaler, RefusesMissingPictureAndEmptyTarget) {
  ImageScaler scaler;
  VideoFrame target(10, 10);
  EXPECT_THROW(scaler.GetImage(target), video_exception);
  scaler.SetImage(videotest::ColourBlocks(16, 16));
  VideoFrame empty;
  EXPECT_THROW(scaler.GetImage(empty), video_exception);
  VideoFrame malformed(16, 16);
  malformed.pixels.resize(10);
  scaler.SetImage(malformed);
  EXPECT_THROW(scaler.GetImage(target), video_exception);
}

}  // namespace
