#include "platform/disc/authoring/ifo_video.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr char kTitleSetMagic[] = "DVDVIDEO-VTS";
// The title's video attributes in a title set's IFO (the menus' are at 0x100).
constexpr std::streamoff kTitleVideoAttributes = 0x200;

std::string Describe(const std::string& aspect, int width, int height) {
  std::string text = aspect.empty() ? std::string("an unknown shape") : aspect;
  if (width > 0 && height > 0) text += " " + std::to_string(width) + "x" + std::to_string(height);
  return text;
}

}  // namespace

std::optional<IfoVideo> ReadTitleSetVideo(const std::string& ifoPath, std::string* error) {
  std::ifstream file(ifoPath, std::ios::binary);
  std::array<char, sizeof kTitleSetMagic - 1> magic{};
  std::array<unsigned char, 2> attributes{};
  if (file) file.read(magic.data(), magic.size());
  if (file) file.seekg(kTitleVideoAttributes);
  if (file) file.read(reinterpret_cast<char*>(attributes.data()), attributes.size());
  if (!file) {
    if (error != nullptr) *error = ifoPath + " cannot be read";
    return std::nullopt;
  }
  if (std::memcmp(magic.data(), kTitleSetMagic, magic.size()) != 0) {
    if (error != nullptr) *error = ifoPath + " is not a DVD title set's IFO";
    return std::nullopt;
  }
  // First byte: coding (2 bits), TV standard (2), display aspect (2), the
  // display modes allowed (2); the second holds the picture size in bits 5-3.
  IfoVideo video;
  video.mpeg2 = (attributes[0] >> 6) == 1;
  video.pal = ((attributes[0] >> 4) & 3) == 1;
  const int aspect = (attributes[0] >> 2) & 3;
  video.aspect = aspect == 0 ? "4:3" : aspect == 3 ? "16:9" : "";
  // Picture sizes by their code: full, 704, half-width and half-size pictures.
  struct PictureSize {
    int width;
    bool halfHeight;
  };
  constexpr PictureSize kPictureSizes[] = {{720, false}, {704, false}, {352, false}, {352, true}};
  const int code = (attributes[1] >> 3) & 7;
  if (code < static_cast<int>(std::size(kPictureSizes))) {
    const int fullHeight = video.pal ? 576 : 480;
    video.width = kPictureSizes[code].width;
    video.height = kPictureSizes[code].halfHeight ? fullHeight / 2 : fullHeight;
  }
  return video;
}

std::string TitleSetVideoProblem(const std::string& videoTsFolder, const std::vector<TitleVideo>& titles) {
  for (std::size_t n = 0; n < titles.size(); ++n) {
    const std::string number = (n + 1 < 10 ? "0" : "") + std::to_string(n + 1);
    const std::string name = "VTS_" + number + "_0.IFO";
    std::string error;
    const auto video = ReadTitleSetVideo((std::filesystem::path(videoTsFolder) / name).string(), &error);
    if (!video) return "Title " + std::to_string(n + 1) + " of the DVD cannot be checked: " + error;
    const TitleVideo& stream = titles[n];
    const bool aspectDiffers = !stream.aspect.empty() && video->aspect != stream.aspect;
    const bool sizeDiffers = stream.width > 0 && (video->width != stream.width || video->height != stream.height);
    if (aspectDiffers || sizeDiffers) {
      return "Title " + std::to_string(n + 1) + " of the DVD would play wrong: the disc says " +
             Describe(video->aspect, video->width, video->height) + " but its video is " +
             Describe(stream.aspect, stream.width, stream.height);
    }
  }
  return "";
}
