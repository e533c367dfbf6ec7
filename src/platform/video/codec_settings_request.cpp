#include "platform/video/codec_settings_request.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct QualityRange {
  const char* scale;
  int minimum;
  int maximum;
};

QualityRange RangeOf(QualityScale scale) {
  switch (scale) {
    case QualityScale::Quantizer:
      return {"quantizer", 1, 31};
    case QualityScale::RateFactor:
      return {"ratefactor", 1, 51};
    case QualityScale::None:
      break;
  }
  return {"none", 0, 0};
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string Entry(const char* key, int value) {
  return std::string(key) + "=" + std::to_string(value);
}

}  // namespace

DialogRequest MakeCodecSettingsRequest(const AviVideoCodec& codec, const VideoCodecSettings& settings) {
  const QualityRange range = RangeOf(codec.scale);
  DialogRequest request;
  request.name = kVideoCodecSettingsDialog;
  request.caption = codec.name;
  request.arguments = {std::string("encoder=") + codec.encoder,
                       std::string("scale=") + range.scale,
                       Entry("quality", settings.quality > 0 ? settings.quality : codec.defaultQuality),
                       Entry("qualityMin", range.minimum),
                       Entry("qualityMax", range.maximum),
                       Entry("bitrate", settings.bitrateKbps),
                       Entry("keyframeInterval", settings.keyframeInterval)};
  return request;
}

void ApplyCodecSettingsAnswer(const AviVideoCodec& codec, const DialogResult& answer, VideoCodecSettings& settings) {
  if (answer.code != IDOK) return;
  const QualityRange range = RangeOf(codec.scale);
  for (const std::string& value : answer.values) {
    const auto equals = value.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view key(value.data(), equals);
    const std::optional<int> number = ParseInt(std::string_view(value).substr(equals + 1));
    if (!number) continue;
    if (key == "quality" && codec.scale != QualityScale::None && *number >= range.minimum && *number <= range.maximum) {
      settings.quality = *number;
    } else if (key == "bitrate" && *number >= 0 && *number <= 100000) {
      settings.bitrateKbps = *number;
    } else if (key == "keyframeInterval" && *number >= 0 && *number <= 10000) {
      settings.keyframeInterval = *number;
    }
  }
}
