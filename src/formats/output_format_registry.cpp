// OutputFormat: its choices in the settings store.

#include <string>

#include "formats/output_format.h"
#include "platform/registry/registry.h"
#include "support/log.h"

void OutputFormat::UpdateRegistryData(CRegistry& store) {
  Log("OutputFormat::UpdateRegistryData");
  if (!store.IsOpen()) return;
  const char* typeName = GetOutputFormat();
  if (typeName == nullptr) return;  // an unknown format has no value names
  const std::string prefix = typeName;
  if (!IsAudioFormat()) {
    store.UpdateValue(prefix + " Video Bit Rate", video_bitrate_id);
    store.UpdateValue(prefix + " Video Frame Size", video_framesize_id);
    store.UpdateValue(prefix + " Video Frame Rate", video_framerate_id);
    store.UpdateValue(prefix + " Video Codec Id", video_codec_id);
    store.UpdateValue(prefix + " Video Aspect Ratio", video_aspect_id);
  }
  store.UpdateValue(prefix + " Audio Codec Id", audio_codec_id);
  store.UpdateValue(prefix + " Audio Bit Rate", audio_bitrate_id);
  store.UpdateValue(prefix + " Audio Channels", audio_channels_id);
  if (format_id == kFormatDvd) store.UpdateValue(prefix + " Audio Multichannel", audio_multichannel_id);
}
