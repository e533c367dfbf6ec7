#include "formats/output_format.h"

#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

struct FormatNames {
  const char* type;
  const char* muxer;  // MPEG's depends on its codec
  const char* extension;
  const char* target;
};

constexpr FormatNames kNames[kOutputFormatCount] = {
    {"AVI", "avi", ".avi", nullptr},  {"MPEG", nullptr, ".mpg", nullptr}, {"WMV", "asf", ".wmv", nullptr},
    {"RM", "rm", ".rm", nullptr},     {"DVD", "dvd", ".mpg", "dvd"},      {"VCD", "vcd", ".mpg", "vcd"},
    {"SVCD", "svcd", ".mpg", "svcd"},
};

void ShowUnknownFormat() {
  MessageBox(nullptr, UserText::Lookup(kOutputFileTypeUnknown), kApplicationTitle, MB_OK);
}

}  // namespace

OutputFormat::OutputFormat(int templateId, OutputFormatId formatId) : format_id(formatId), m_nTemplateId(templateId) {
  Log("OutputFormat constructor with ID: %d", templateId);
}

const char* OutputFormat::GetOutputFormat() const {
  Log("OutputFormat::GetOutputFormat - format %d", format_id);
  return IsKnownFormat(format_id) ? kNames[format_id].type : nullptr;
}

const char* OutputFormat::GetFormatMuxer() const {
  Log("OutputFormat::GetFormatMuxer - format %d", format_id);
  if (!IsKnownFormat(format_id)) {
    ShowUnknownFormat();
    return nullptr;
  }
  if (format_id == kFormatMpeg) {
    // Brought into range as GetEncodingParameters does: MPEG1 or MPEG2.
    const std::int32_t codec = FitIndexToTable(video_codec_id, VideoCodecTableOf(kFormatMpeg).size());
    return codec == 0 ? "mpeg" : "vob";
  }
  return kNames[format_id].muxer;
}

const char* OutputFormat::GetFileExt() const {
  Log("OutputFormat::GetFileExt - format %d", format_id);
  if (!IsKnownFormat(format_id)) {
    ShowUnknownFormat();
    return nullptr;
  }
  return kNames[format_id].extension;
}

const char* OutputFormat::GetType() const {
  Log("OutputFormat::GetType - format %d", format_id);
  return IsKnownFormat(format_id) ? kNames[format_id].target : nullptr;
}

const char* OutputFormat::GetVideoAspectRatio() const {
  Log("OutputFormat::GetVideoAspectRatio - aspect ratio: %d", video_aspect_id);
  switch (video_aspect_id) {
    case 1:
      return "4:3";
    case 2:
      return "16:9";
    default:
      return nullptr;  // Auto: ffmpeg gets no aspect at all
  }
}

bool OutputFormat::IsAudioFormat() const {
  Log("OutputFormat::IsAudioFormat");
  return false;
}

void OutputFormat::ResetToDefaults() {
  Log("OutputFormat::ResetToDefaults - format %d", format_id);
  has_video = 1;
  has_audio = 1;
  audio_samplerate = 0;
  const FormatDefaults* defaults = DefaultsOf(format_id);
  if (defaults == nullptr) return;
  video_codec_id = defaults->video_codec_id;
  video_bitrate_id = defaults->video_bitrate_id;
  video_framerate_id = defaults->video_framerate_id;
  video_framesize_id = defaults->video_framesize_id;
  if (IsDiscFormat(format_id)) video_aspect_id = defaults->video_aspect_id;
  audio_codec_id = defaults->audio_codec_id;
  audio_bitrate_id = defaults->audio_bitrate_id;
  audio_channels_id = defaults->audio_channels_id;
  audio_multichannel_id = 0;
}

AudioOutputFormat::AudioOutputFormat(int templateId, OutputFormatId formatId) : OutputFormat(templateId, formatId) {
  AudioOutputFormat::ResetToDefaults();
}

bool AudioOutputFormat::IsAudioFormat() const {
  Log("AudioOutputFormat::IsAudioFormat");
  return true;
}

void AudioOutputFormat::ResetToDefaults() {
  OutputFormat::ResetToDefaults();
  has_video = 0;
}
