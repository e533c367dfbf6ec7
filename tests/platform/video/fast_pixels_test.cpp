#include "platform/video/fast_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

extern "C" {
#include <libswscale/swscale.h>
}

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t count, unsigned seed) {
  std::vector<std::uint8_t> bytes(count);
  std::mt19937 random(seed);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

struct Size {
  int width, height;
};

// The vector versions must give exactly what the plain ones give, at every
// size (odd sizes and widths that are no multiple of the vector width too).
TEST(FastPixels, VectorAndPortableScalingAgreeToTheByte) {
  const std::pair<Size, Size> cases[] = {{{640, 480}, {720, 540}}, {{161, 121}, {97, 63}},   {{7, 5}, {33, 17}},
                                         {{1, 1}, {3, 2}},         {{352, 288}, {176, 144}}, {{2, 9}, {1, 1}}};
  for (const auto& [from, to] : cases) {
    const auto source = RandomBytes(static_cast<std::size_t>(from.width) * from.height * 4, 7);
    std::vector<std::uint8_t> vector(static_cast<std::size_t>(to.width) * to.height * 4);
    std::vector<std::uint8_t> portable(vector.size());
    ScaleBgraBilinear(source.data(), from.width, from.height, from.width * 4, vector.data(), to.width, to.height,
                      to.width * 4);
    fast_pixels_detail::ScaleBgraBilinearPortable(source.data(), from.width, from.height, from.width * 4,
                                                  portable.data(), to.width, to.height, to.width * 4);
    EXPECT_EQ(vector, portable) << from.width << "x" << from.height << " -> " << to.width << "x" << to.height;
  }
}

TEST(FastPixels, ScalingAFlatPictureKeepsItsColourAndEdgesStaySharpAtEqualSize) {
  std::vector<std::uint8_t> flat(64 * 48 * 4);
  for (std::size_t i = 0; i < flat.size(); i += 4) {
    flat[i] = 10;
    flat[i + 1] = 200;
    flat[i + 2] = 90;
    flat[i + 3] = 255;
  }
  std::vector<std::uint8_t> scaled(100 * 77 * 4);
  ScaleBgraBilinear(flat.data(), 64, 48, 64 * 4, scaled.data(), 100, 77, 100 * 4);
  for (std::size_t i = 0; i < scaled.size(); i += 4) {
    ASSERT_EQ(scaled[i], 10);
    ASSERT_EQ(scaled[i + 1], 200);
    ASSERT_EQ(scaled[i + 2], 90);
    ASSERT_EQ(scaled[i + 3], 255);
  }
  const auto source = RandomBytes(50 * 30 * 4, 3);
  std::vector<std::uint8_t> same(source.size());
  ScaleBgraBilinear(source.data(), 50, 30, 50 * 4, same.data(), 50, 30, 50 * 4);
  EXPECT_EQ(same, source) << "scaling to the same size copies";
}

TEST(FastPixels, VectorAndPortableYuvAgreeAndMatchSwscale) {
  for (const Size size : {Size{720, 576}, Size{161, 121}, Size{9, 3}, Size{1, 1}, Size{16, 2}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    const auto bgra = RandomBytes(static_cast<std::size_t>(size.width) * size.height * 4, 11);
    const int chromaWidth = (size.width + 1) / 2;
    const int chromaHeight = (size.height + 1) / 2;
    const std::size_t lumaBytes = static_cast<std::size_t>(size.width) * size.height;
    const std::size_t chromaBytes = static_cast<std::size_t>(chromaWidth) * chromaHeight;
    std::vector<std::uint8_t> vector(lumaBytes + 2 * chromaBytes);
    std::vector<std::uint8_t> portable(vector.size());
    auto convert = [&](std::vector<std::uint8_t>& out, auto function) {
      function(bgra.data(), size.width, size.height, size.width * 4, out.data(), size.width, out.data() + lumaBytes,
               chromaWidth, out.data() + lumaBytes + chromaBytes, chromaWidth);
    };
    convert(vector, BgraToYuv420);
    convert(portable, fast_pixels_detail::BgraToYuv420Portable);
    EXPECT_EQ(vector, portable);

    // The same matrix as swscale's BT.601 video range: luma within a step.
    SwsContext* scaler = sws_getContext(size.width, size.height, AV_PIX_FMT_BGRA, size.width, size.height,
                                        AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr, nullptr);
    ASSERT_NE(scaler, nullptr);
    std::vector<std::uint8_t> reference(vector.size());
    const std::uint8_t* source[4] = {bgra.data(), nullptr, nullptr, nullptr};
    const int sourceStride[4] = {size.width * 4, 0, 0, 0};
    std::uint8_t* target[4] = {reference.data(), reference.data() + lumaBytes,
                               reference.data() + lumaBytes + chromaBytes, nullptr};
    const int targetStride[4] = {size.width, chromaWidth, chromaWidth, 0};
    sws_scale(scaler, source, sourceStride, 0, size.height, target, targetStride);
    sws_freeContext(scaler);
    int worst = 0;
    for (std::size_t i = 0; i < lumaBytes; ++i) worst = std::max(worst, std::abs(vector[i] - reference[i]));
    EXPECT_LE(worst, 1);
  }
}

TEST(FastPixels, BottomUpSourcesAreReadWithNegativeStrides) {
  // Two rows: top white, bottom black, given bottom row first.
  std::vector<std::uint8_t> bottomUp(2 * 2 * 4, 0);
  for (int i = 8; i < 16; ++i) bottomUp[static_cast<std::size_t>(i)] = 255;  // second row in memory: the top
  std::vector<std::uint8_t> yuv(4 + 2);
  BgraToYuv420(bottomUp.data() + 8, 2, 2, -8, yuv.data(), 2, yuv.data() + 4, 1, yuv.data() + 5, 1);
  EXPECT_EQ(yuv[0], 235) << "top row white";
  EXPECT_EQ(yuv[2], 16) << "bottom row black";
}

}  // namespace
