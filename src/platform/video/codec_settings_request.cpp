#include "platform/video/codec_settings_request.h"

namespace {

constexpr int kMaximumBitrateKbps = 100000;
constexpr int kMaximumKeyframeInterval = 10000;

struct QualityRange {
  int minimum;
  int maximum;
};

QualityRange RangeOf(QualityScale scale) {
  switch (scale) {
    case QualityScale::Quantizer:
      return {1, 31};
    case QualityScale::RateFactor:
      return {1, 51};
    case QualityScale::None:
      break;
  }
  return {0, 0};
}

}  // namespace

CodecSettingsRequest MakeCodecSettingsRequest(const AviVideoCodec& codec, const VideoCodecSettings& settings) {
  const QualityRange range = RangeOf(codec.scale);
  CodecSettingsRequest request;
  request.codecName = codec.name;
  request.encoder = codec.encoder;
  request.scale = codec.scale;
  request.qualityMin = range.minimum;
  request.qualityMax = range.maximum;
  request.current = {settings.quality > 0 ? settings.quality : codec.defaultQuality, settings.bitrateKbps,
                     settings.keyframeInterval};
  return request;
}

void ApplyCodecSettingsAnswer(const AviVideoCodec& codec, const DialogReply<CodecSettingsRequest>& reply,
                              VideoCodecSettings& settings) {
  if (reply.code != IDOK || !reply.answer) return;
  const QualityRange range = RangeOf(codec.scale);
  const CodecSettingsAnswer& answer = *reply.answer;
  if (codec.scale != QualityScale::None && answer.quality >= range.minimum && answer.quality <= range.maximum) {
    settings.quality = answer.quality;
  }
  if (answer.bitrateKbps >= 0 && answer.bitrateKbps <= kMaximumBitrateKbps) settings.bitrateKbps = answer.bitrateKbps;
  if (answer.keyframeInterval >= 0 && answer.keyframeInterval <= kMaximumKeyframeInterval) {
    settings.keyframeInterval = answer.keyframeInterval;
  }
}
