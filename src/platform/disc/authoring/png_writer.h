#pragma once
// A small PNG encoder for palette images: what spumux needs for button
// highlights (a few flat colours with transparency, no antialiasing).

#include <cstdint>
#include <string>
#include <vector>

struct PaletteColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;
};

struct PaletteImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;   // width * height palette indices, top row first
  std::vector<PaletteColor> palette;  // at most 256 entries

  PaletteImage(int w, int h, std::vector<PaletteColor> colors)
      : width(w),
        height(h),
        pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0),
        palette(std::move(colors)) {}
  std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The PNG file's bytes (8-bit indexed colour, transparency from the alphas).
std::string EncodePng(const PaletteImage& image);

// Writes the PNG to path; false with the system's reason in error.
bool WritePngFile(const std::string& path, const PaletteImage& image, std::string* error);
