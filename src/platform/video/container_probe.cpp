#include "platform/video/container_probe.h"

#include <array>
#include <string_view>

#include "platform/video/local_input.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

ContainerProbe ProbeContainer(const std::string& path) {
  ContainerProbe result;
  AVDictionary* options = nullptr;
  RestrictToLocalFiles(&options);
  AVIOContext* io = nullptr;
  const int opened = avio_open2(&io, FileUrl(path).c_str(), AVIO_FLAG_READ, nullptr, &options);
  av_dict_free(&options);
  if (opened < 0) return result;
  const AVInputFormat* format = nullptr;
  const int score = av_probe_input_buffer2(io, &format, FileUrl(path).c_str(), nullptr, 0, 0);
  avio_closep(&io);
  // At or below the retry score FFmpeg only guessed (it warns of a possible
  // misdetection); random bytes end there, real media files do not.
  if (score > AVPROBE_SCORE_RETRY && format != nullptr) {
    result.formatName = format->name;
    result.score = score;
  }
  return result;
}

int ClassOfContainer(const std::string& formatName) {
  if (formatName.empty() || formatName == "tty") return -1;
  if (formatName == "avi") return static_cast<int>(ContainerClass::Avi);
  static constexpr std::array<std::string_view, 9> kMpeg = {"mpeg", "mpegts", "mpegtsraw", "mpegvideo", "m4v",
                                                            "h264", "hevc",   "mp3",       "aac"};
  for (const auto name : kMpeg) {
    if (formatName == name) return static_cast<int>(ContainerClass::Mpeg);
  }
  if (formatName == "asf" || formatName == "asf_o") return static_cast<int>(ContainerClass::WindowsMedia);
  if (formatName.starts_with("mov,mp4")) return static_cast<int>(ContainerClass::QuickTime);
  return static_cast<int>(ContainerClass::Other);
}
