#include "platform/disc/authoring/png_writer.h"

#include <zlib.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

#include "support/log.h"

namespace {

void AppendBigEndian(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value >> 24);
  out += static_cast<char>(value >> 16);
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value);
}

void AppendChunk(std::string& out, const char* type, const std::string& data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  const auto crc = ::crc32(0L, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
  AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::string EncodePng(const PaletteImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.palette.empty() || image.palette.size() > 256 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw std::invalid_argument("EncodePng: inconsistent image");
  }
  std::string png("\x89PNG\r\n\x1a\n", 8);

  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image.width));
  AppendBigEndian(header, static_cast<std::uint32_t>(image.height));
  header += '\x08';                // bit depth
  header += '\x03';                // indexed colour
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
  AppendChunk(png, "IHDR", header);

  std::string palette;
  std::string alphas;
  for (const auto& color : image.palette) {
    palette += static_cast<char>(color.red);
    palette += static_cast<char>(color.green);
    palette += static_cast<char>(color.blue);
    alphas += static_cast<char>(color.alpha);
  }
  AppendChunk(png, "PLTE", palette);
  AppendChunk(png, "tRNS", alphas);

  // Every row gets filter type 0 (none): the images are mostly one index.
  std::string raw;
  raw.reserve(image.pixels.size() + static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(&image.pixels[static_cast<std::size_t>(y) * image.width]),
               static_cast<std::size_t>(image.width));
  }
  uLongf packedSize = ::compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (::compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_BEST_SPEED) != Z_OK) {
    throw std::runtime_error("EncodePng: compression failed");
  }
  packed.resize(packedSize);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", std::string());
  return png;
}

bool WritePngFile(const std::string& path, const PaletteImage& image, std::string* error) {
  const std::string bytes = EncodePng(image);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    if (error != nullptr) *error = "Cannot write " + path + ": " + GetErrorText(errno);
    return false;
  }
  return true;
}
