#pragma once
// The exchange with the AVI codec settings dialog: the request names the
// codec and carries its current settings as "key=value" texts; an accepted
// dialog answers with the same keys.
//
// Keys: "encoder", "scale" ("quantizer", "ratefactor" or "none"), "quality",
// "qualityMin", "qualityMax", "bitrate" (kbit/s, 0 for a fixed quality) and
// "keyframeInterval" (frames, 0 for five seconds' worth). Only "quality",
// "bitrate" and "keyframeInterval" are read back.

#include "platform/dialogs/message_box.h"
#include "platform/video/writer_profiles.h"
#include "platform/video/writer_settings.h"

inline constexpr const char* kVideoCodecSettingsDialog = "VideoCodecSettings";

DialogRequest MakeCodecSettingsRequest(const AviVideoCodec& codec, const VideoCodecSettings& settings);

// Takes the values of an accepted dialog; unknown keys and unreadable or
// out-of-range numbers leave the setting as it was.
void ApplyCodecSettingsAnswer(const AviVideoCodec& codec, const DialogResult& answer, VideoCodecSettings& settings);
