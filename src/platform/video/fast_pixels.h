#pragma once
// Hand-written conversions for the two steps every frame of a disc
// conversion takes: scaling a BGRA picture and turning BGRA into the 4:2:0
// YUV that MPEG encoders take. swscale does both, but through its generic
// RGB paths, several times slower; these keep the library engine's frame
// loop near ffmpeg's own speed. Strides may be negative (bottom-up rows).
// On x86-64 they use SSE2 (always present there); elsewhere plain C++ with
// the same results.

#include <cstddef>
#include <cstdint>

// Bilinear scaling of BGRA pictures (all four bytes of a pixel are
// interpolated, rows first, then columns, each rounded to bytes). Good for
// enlarging and for shrinking down to half the size; below that it starts to
// skip source pixels.
void ScaleBgraBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::ptrdiff_t sourceStride,
                       std::uint8_t* target, int targetWidth, int targetHeight, std::ptrdiff_t targetStride);

// BGRA to planar YUV 4:2:0 with the BT.601 matrix in the video range
// (16..235), chroma averaged over each 2 x 2 block; odd sizes are allowed.
void BgraToYuv420(const std::uint8_t* bgra, int width, int height, std::ptrdiff_t stride, std::uint8_t* y,
                  std::ptrdiff_t yStride, std::uint8_t* u, std::ptrdiff_t uStride, std::uint8_t* v,
                  std::ptrdiff_t vStride);

namespace fast_pixels_detail {
// The plain C++ versions, for comparing with the vector ones in tests.
void ScaleBgraBilinearPortable(const std::uint8_t* source, int sourceWidth, int sourceHeight,
                               std::ptrdiff_t sourceStride, std::uint8_t* target, int targetWidth, int targetHeight,
                               std::ptrdiff_t targetStride);
void BgraToYuv420Portable(const std::uint8_t* bgra, int width, int height, std::ptrdiff_t stride, std::uint8_t* y,
                          std::ptrdiff_t yStride, std::uint8_t* u, std::ptrdiff_t uStride, std::uint8_t* v,
                          std::ptrdiff_t vStride);
}  // namespace fast_pixels_detail
