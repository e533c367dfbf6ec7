#pragma once
// The exchange with the AVI codec settings dialog, as a typed request
// (AskDialog): the codec and its current settings go out; an accepted dialog
// answers with the three values the user can change.

#include <string>

#include "platform/dialogs/message_box.h"
#include "platform/video/writer_profiles.h"
#include "platform/video/writer_settings.h"

struct CodecSettingsAnswer {
  int quality = 0;           // on the request's scale
  int bitrateKbps = 0;       // 0 for a fixed quality
  int keyframeInterval = 0;  // frames; 0 for five seconds' worth
};

struct CodecSettingsRequest {
  static constexpr const char* kName = "VideoCodecSettings";
  using Answer = CodecSettingsAnswer;

  std::string codecName;  // the dialog's caption
  std::string encoder;    // FFmpeg's encoder name
  QualityScale scale = QualityScale::None;
  int qualityMin = 0;  // the scale's range; both 0 when the codec has no quality setting
  int qualityMax = 0;
  CodecSettingsAnswer current;  // what the dialog starts from
};

CodecSettingsRequest MakeCodecSettingsRequest(const AviVideoCodec& codec, const VideoCodecSettings& settings);

// Takes the values of a dialog accepted with an answer; out-of-range numbers
// leave the setting as it was.
void ApplyCodecSettingsAnswer(const AviVideoCodec& codec, const DialogReply<CodecSettingsRequest>& reply,
                              VideoCodecSettings& settings);
