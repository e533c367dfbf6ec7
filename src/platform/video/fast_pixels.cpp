#include "platform/video/fast_pixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#define ORLENTA_FAST_PIXELS_SSE2 1
#endif

namespace {

// ---- scaling

// Where each target pixel takes its two source pixels (index and index + 1)
// and how much of the second (0..256). Centres are aligned; the last source
// pixel is reached as the second of a pair, so index + 1 is always inside.
struct Tap {
  int index;
  int weight;
};

std::vector<Tap> Taps(int sourceSize, int targetSize) {
  std::vector<Tap> taps(static_cast<std::size_t>(targetSize));
  const double step = static_cast<double>(sourceSize) / targetSize;
  for (int i = 0; i < targetSize; ++i) {
    const double position = std::clamp((i + 0.5) * step - 0.5, 0.0, static_cast<double>(sourceSize - 1));
    int index = static_cast<int>(position);
    int weight = static_cast<int>((position - index) * 256.0 + 0.5);
    if (weight == 256) {
      ++index;
      weight = 0;
    }
    if (index >= sourceSize - 1 && sourceSize > 1) {
      index = sourceSize - 2;
      weight = 256;
    }
    if (sourceSize == 1) index = weight = 0;
    taps[static_cast<std::size_t>(i)] = {index, weight};
  }
  return taps;
}

inline std::uint8_t Blend(int a, int b, int weight) {
  return static_cast<std::uint8_t>((a * (256 - weight) + b * weight + 128) >> 8);
}

void ScaleRowPortable(const std::uint8_t* source, int sourceWidth, const std::vector<Tap>& taps,
                      const std::vector<std::int16_t>& /*weights*/, std::uint8_t* target) {
  for (std::size_t x = 0; x < taps.size(); ++x) {
    const Tap tap = taps[x];
    const std::uint8_t* a = source + tap.index * 4;
    const std::uint8_t* b = sourceWidth > 1 ? a + 4 : a;
    for (int c = 0; c < 4; ++c) target[x * 4 + c] = Blend(a[c], b[c], tap.weight);
  }
}

void BlendRowsPortable(const std::uint8_t* top, const std::uint8_t* bottom, int weight, std::uint8_t* target,
                       std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) target[i] = Blend(top[i], bottom[i], weight);
}

#ifdef ORLENTA_FAST_PIXELS_SSE2
// Per pair of target columns: the first pixels' weights (256 - w) and the
// second pixels' weights (w), four words for each column.
std::vector<std::int16_t> PairWeights(const std::vector<Tap>& taps) {
  std::vector<std::int16_t> weights((taps.size() + 1) / 2 * 16);
  for (std::size_t x = 0; x < taps.size(); ++x) {
    std::int16_t* pair = weights.data() + (x / 2) * 16 + (x % 2) * 4;
    for (int lane = 0; lane < 4; ++lane) {
      pair[lane] = static_cast<std::int16_t>(256 - taps[x].weight);
      pair[8 + lane] = static_cast<std::int16_t>(taps[x].weight);
    }
  }
  return weights;
}

void ScaleRowVector(const std::uint8_t* source, int sourceWidth, const std::vector<Tap>& taps,
                    const std::vector<std::int16_t>& weights, std::uint8_t* target) {
  if (sourceWidth < 2) {
    ScaleRowPortable(source, sourceWidth, taps, weights, target);
    return;
  }
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  // Two target pixels at once: their first source pixels in one register,
  // their second ones in another, each weighed and added.
  auto two = [&](std::size_t x) {
    const __m128i pair0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + taps[x].index * 4));
    const __m128i pair1 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + taps[x + 1].index * 4));
    const __m128i mixed = _mm_unpacklo_epi32(pair0, pair1);  // a0 a1 b0 b1
    const std::int16_t* w = weights.data() + (x / 2) * 16;
    const __m128i firsts =
        _mm_mullo_epi16(_mm_unpacklo_epi8(mixed, zero), _mm_loadu_si128(reinterpret_cast<const __m128i*>(w)));
    const __m128i seconds =
        _mm_mullo_epi16(_mm_unpackhi_epi8(mixed, zero), _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 8)));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(firsts, seconds), half), 8);
  };
  const std::size_t count = taps.size();
  std::size_t x = 0;
  for (; x + 4 <= count; x += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x * 4), _mm_packus_epi16(two(x), two(x + 2)));
  }
  for (; x + 2 <= count; x += 2) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(target + x * 4), _mm_packus_epi16(two(x), zero));
  }
  for (; x < count; ++x) {
    const std::uint8_t* a = source + taps[x].index * 4;
    for (int c = 0; c < 4; ++c) target[x * 4 + c] = Blend(a[c], a[4 + c], taps[x].weight);
  }
}

void BlendRowsVector(const std::uint8_t* top, const std::uint8_t* bottom, int weight, std::uint8_t* target,
                     std::size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  const __m128i second = _mm_set1_epi16(static_cast<short>(weight));
  const __m128i first = _mm_set1_epi16(static_cast<short>(256 - weight));
  std::size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + i));
    const __m128i low = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), first),
                                                                   _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), second)),
                                                     half),
                                       8);
    const __m128i high =
        _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), first),
                                                   _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), second)),
                                     half),
                       8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), _mm_packus_epi16(low, high));
  }
  BlendRowsPortable(top + i, bottom + i, weight, target + i, bytes - i);
}
#endif

using ScaleRowFunction = void (*)(const std::uint8_t*, int, const std::vector<Tap>&, const std::vector<std::int16_t>&,
                                  std::uint8_t*);
using BlendRowsFunction = void (*)(const std::uint8_t*, const std::uint8_t*, int, std::uint8_t*, std::size_t);

void Scale(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::ptrdiff_t sourceStride,
           std::uint8_t* target, int targetWidth, int targetHeight, std::ptrdiff_t targetStride,
           ScaleRowFunction scaleRow, BlendRowsFunction blendRows) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return;
  const std::vector<Tap> columns = Taps(sourceWidth, targetWidth);
  const std::vector<Tap> rows = Taps(sourceHeight, targetHeight);
#ifdef ORLENTA_FAST_PIXELS_SSE2
  const std::vector<std::int16_t> weights = PairWeights(columns);
#else
  const std::vector<std::int16_t> weights;
#endif
  const auto rowBytes = static_cast<std::size_t>(targetWidth) * 4;
  // Source rows scaled to the target width, kept while target rows share them.
  std::vector<std::uint8_t> scaled(2 * rowBytes);
  std::uint8_t* slots[2] = {scaled.data(), scaled.data() + rowBytes};
  int held[2] = {-1, -1};
  auto scaledRow = [&](int index, int keep) -> const std::uint8_t* {
    for (int slot = 0; slot < 2; ++slot) {
      if (held[slot] == index) return slots[slot];
    }
    const int slot = held[0] == keep ? 1 : 0;
    scaleRow(source + index * sourceStride, sourceWidth, columns, weights, slots[slot]);
    held[slot] = index;
    return slots[slot];
  };
  for (int y = 0; y < targetHeight; ++y) {
    const Tap tap = rows[static_cast<std::size_t>(y)];
    std::uint8_t* out = target + y * targetStride;
    const std::uint8_t* top = scaledRow(tap.index, -1);
    if (tap.weight == 0 || sourceHeight == 1) {
      std::memcpy(out, top, rowBytes);
      continue;
    }
    const std::uint8_t* bottom = scaledRow(tap.index + 1, tap.index);
    blendRows(top, bottom, tap.weight, out, rowBytes);
  }
}

// ---- BGRA to YUV 4:2:0

inline std::uint8_t Luma(int b, int g, int r) {
  return static_cast<std::uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
}
// From the sums of a 2 x 2 block.
inline std::uint8_t BlueDifference(int b, int g, int r) {
  return static_cast<std::uint8_t>(((-38 * r - 74 * g + 112 * b + 512) >> 10) + 128);
}
inline std::uint8_t RedDifference(int b, int g, int r) {
  return static_cast<std::uint8_t>(((112 * r - 94 * g - 18 * b + 512) >> 10) + 128);
}

// Columns [from, width) of one pair of rows (the second may be the first again).
void YuvColumnsPortable(const std::uint8_t* first, const std::uint8_t* second, int from, int width,
                        std::uint8_t* lumaFirst, std::uint8_t* lumaSecond, bool secondRow, std::uint8_t* u,
                        std::uint8_t* v) {
  for (int column = from; column < width; column += 2) {
    const int next = column + 1 < width ? 4 : 0;
    const std::uint8_t* p0 = first + column * 4;
    const std::uint8_t* p1 = p0 + next;
    const std::uint8_t* p2 = second + column * 4;
    const std::uint8_t* p3 = p2 + next;
    lumaFirst[column] = Luma(p0[0], p0[1], p0[2]);
    if (next != 0) lumaFirst[column + 1] = Luma(p1[0], p1[1], p1[2]);
    if (secondRow) {
      lumaSecond[column] = Luma(p2[0], p2[1], p2[2]);
      if (next != 0) lumaSecond[column + 1] = Luma(p3[0], p3[1], p3[2]);
    }
    const int b = p0[0] + p1[0] + p2[0] + p3[0];
    const int g = p0[1] + p1[1] + p2[1] + p3[1];
    const int r = p0[2] + p1[2] + p2[2] + p3[2];
    u[column / 2] = BlueDifference(b, g, r);
    v[column / 2] = RedDifference(b, g, r);
  }
}

#ifdef ORLENTA_FAST_PIXELS_SSE2
// Four int32 sums a0+b0, ... from two madd results of two pixels each.
inline __m128i PairSums(__m128i low, __m128i high) {
  const __m128 lowFloat = _mm_castsi128_ps(low);
  const __m128 highFloat = _mm_castsi128_ps(high);
  const __m128i even = _mm_castps_si128(_mm_shuffle_ps(lowFloat, highFloat, _MM_SHUFFLE(2, 0, 2, 0)));
  const __m128i odd = _mm_castps_si128(_mm_shuffle_ps(lowFloat, highFloat, _MM_SHUFFLE(3, 1, 3, 1)));
  return _mm_add_epi32(even, odd);
}

// Y of 8 pixels (two vectors of 4) as 8 bytes.
inline __m128i Luma8(__m128i first4, __m128i next4) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i coefficients = _mm_set_epi16(0, 66, 129, 25, 0, 66, 129, 25);
  const __m128i round = _mm_set1_epi32(128);
  const __m128i offset = _mm_set1_epi32(16);
  auto four = [&](__m128i pixels) {
    const __m128i sums = PairSums(_mm_madd_epi16(_mm_unpacklo_epi8(pixels, zero), coefficients),
                                  _mm_madd_epi16(_mm_unpackhi_epi8(pixels, zero), coefficients));
    return _mm_add_epi32(_mm_srai_epi32(_mm_add_epi32(sums, round), 8), offset);
  };
  const __m128i words = _mm_packs_epi32(four(first4), four(next4));
  return _mm_packus_epi16(words, words);
}

void YuvRowsVector(const std::uint8_t* first, const std::uint8_t* second, int width, std::uint8_t* lumaFirst,
                   std::uint8_t* lumaSecond, bool secondRow, std::uint8_t* u, std::uint8_t* v) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i blueCoefficients = _mm_set_epi16(0, -38, -74, 112, 0, -38, -74, 112);
  const __m128i redCoefficients = _mm_set_epi16(0, 112, -94, -18, 0, 112, -94, -18);
  const __m128i round = _mm_set1_epi32(512);
  const __m128i offset = _mm_set1_epi32(128);
  int column = 0;
  for (; column + 8 <= width; column += 8) {
    const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + column * 4));
    const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + column * 4 + 16));
    const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + column * 4));
    const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + column * 4 + 16));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(lumaFirst + column), Luma8(a0, a1));
    if (secondRow) _mm_storel_epi64(reinterpret_cast<__m128i*>(lumaSecond + column), Luma8(b0, b1));

    // Sums of each 2 x 2 block: rows added as words, then each pixel with its right neighbour.
    auto blocks = [&](__m128i top, __m128i bottom) {
      const __m128i low = _mm_add_epi16(_mm_unpacklo_epi8(top, zero), _mm_unpacklo_epi8(bottom, zero));
      const __m128i high = _mm_add_epi16(_mm_unpackhi_epi8(top, zero), _mm_unpackhi_epi8(bottom, zero));
      // low holds pixels 0 and 1, high pixels 2 and 3: block sums in their low halves.
      return _mm_unpacklo_epi64(_mm_add_epi16(low, _mm_srli_si128(low, 8)),
                                _mm_add_epi16(high, _mm_srli_si128(high, 8)));
    };
    const __m128i sums0 = blocks(a0, b0);  // blocks 0 and 1
    const __m128i sums1 = blocks(a1, b1);  // blocks 2 and 3
    auto chroma = [&](__m128i coefficients) {
      const __m128i totals = PairSums(_mm_madd_epi16(sums0, coefficients), _mm_madd_epi16(sums1, coefficients));
      const __m128i values = _mm_add_epi32(_mm_srai_epi32(_mm_add_epi32(totals, round), 10), offset);
      const __m128i words = _mm_packs_epi32(values, values);
      return _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    };
    const int blue = chroma(blueCoefficients);
    const int red = chroma(redCoefficients);
    std::memcpy(u + column / 2, &blue, 4);
    std::memcpy(v + column / 2, &red, 4);
  }
  YuvColumnsPortable(first, second, column, width, lumaFirst, lumaSecond, secondRow, u, v);
}
#endif

void YuvRowsPortable(const std::uint8_t* first, const std::uint8_t* second, int width, std::uint8_t* lumaFirst,
                     std::uint8_t* lumaSecond, bool secondRow, std::uint8_t* u, std::uint8_t* v) {
  YuvColumnsPortable(first, second, 0, width, lumaFirst, lumaSecond, secondRow, u, v);
}

using YuvRowsFunction = void (*)(const std::uint8_t*, const std::uint8_t*, int, std::uint8_t*, std::uint8_t*, bool,
                                 std::uint8_t*, std::uint8_t*);

void ToYuv(const std::uint8_t* bgra, int width, int height, std::ptrdiff_t stride, std::uint8_t* y,
           std::ptrdiff_t yStride, std::uint8_t* u, std::ptrdiff_t uStride, std::uint8_t* v, std::ptrdiff_t vStride,
           YuvRowsFunction rows) {
  for (int row = 0; row < height; row += 2) {
    const bool secondRow = row + 1 < height;
    const std::uint8_t* first = bgra + row * stride;
    const std::uint8_t* second = secondRow ? first + stride : first;
    std::uint8_t* lumaFirst = y + row * yStride;
    std::uint8_t* lumaSecond = secondRow ? lumaFirst + yStride : nullptr;
    rows(first, second, width, lumaFirst, lumaSecond, secondRow, u + (row / 2) * uStride, v + (row / 2) * vStride);
  }
}

}  // namespace

namespace fast_pixels_detail {

void ScaleBgraBilinearPortable(const std::uint8_t* source, int sourceWidth, int sourceHeight,
                               std::ptrdiff_t sourceStride, std::uint8_t* target, int targetWidth, int targetHeight,
                               std::ptrdiff_t targetStride) {
  Scale(source, sourceWidth, sourceHeight, sourceStride, target, targetWidth, targetHeight, targetStride,
        ScaleRowPortable, BlendRowsPortable);
}

void BgraToYuv420Portable(const std::uint8_t* bgra, int width, int height, std::ptrdiff_t stride, std::uint8_t* y,
                          std::ptrdiff_t yStride, std::uint8_t* u, std::ptrdiff_t uStride, std::uint8_t* v,
                          std::ptrdiff_t vStride) {
  ToYuv(bgra, width, height, stride, y, yStride, u, uStride, v, vStride, YuvRowsPortable);
}

}  // namespace fast_pixels_detail

void ScaleBgraBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::ptrdiff_t sourceStride,
                       std::uint8_t* target, int targetWidth, int targetHeight, std::ptrdiff_t targetStride) {
#ifdef ORLENTA_FAST_PIXELS_SSE2
  Scale(source, sourceWidth, sourceHeight, sourceStride, target, targetWidth, targetHeight, targetStride,
        ScaleRowVector, BlendRowsVector);
#else
  fast_pixels_detail::ScaleBgraBilinearPortable(source, sourceWidth, sourceHeight, sourceStride, target, targetWidth,
                                                targetHeight, targetStride);
#endif
}

void BgraToYuv420(const std::uint8_t* bgra, int width, int height, std::ptrdiff_t stride, std::uint8_t* y,
                  std::ptrdiff_t yStride, std::uint8_t* u, std::ptrdiff_t uStride, std::uint8_t* v,
                  std::ptrdiff_t vStride) {
#ifdef ORLENTA_FAST_PIXELS_SSE2
  ToYuv(bgra, width, height, stride, y, yStride, u, uStride, v, vStride, YuvRowsVector);
#else
  fast_pixels_detail::BgraToYuv420Portable(bgra, width, height, stride, y, yStride, u, uStride, v, vStride);
#endif
}
