// OutputFormat: its tables and the encoder settings made from its choices.

#include "formats/output_format.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

const CodecTable kNoCodecs;
const BitRateTable kNoBitRates;
const FrameSizeTable kNoFrameSizes;
const FrameRateTable kNoFrameRates;

}  // namespace

const CodecTable& OutputFormat::GetVideoCodecTable() const {
  Log("OutputFormat::GetVideoCodecTable - format %d", format_id);
  if (!HasVideoTables()) return kNoCodecs;
  if (!IsKnownFormat(format_id))
    MessageBox(nullptr, UserText::Lookup(kOutputFileTypeUnknown), kApplicationTitle, MB_OK);
  return VideoCodecTableOf(format_id);
}

const CodecTable& OutputFormat::GetAudioCodecTable() const {
  Log("OutputFormat::GetAudioCodecTable - format %d", format_id);
  if (!IsKnownFormat(format_id))
    MessageBox(nullptr, UserText::Lookup(kOutputFileTypeUnknown), kApplicationTitle, MB_OK);
  return AudioCodecTableOf(format_id);
}

const BitRateTable& OutputFormat::GetVideoBitRateTable() const {
  Log("OutputFormat::GetVideoBitRateTable - format %d", format_id);
  if (!HasVideoTables()) return kNoBitRates;
  return VideoBitRateTableOf(format_id, video_codec_id);
}

const FrameSizeTable& OutputFormat::GetVideoFrameSizeTable() const {
  Log("OutputFormat::GetVideoFrameSizeTable - format %d", format_id);
  if (!HasVideoTables()) return kNoFrameSizes;
  return VideoFrameSizeTableOf(format_id, video_codec_id);
}

const BitRateTable& OutputFormat::GetAudioBitRateTable() const {
  Log("OutputFormat::GetAudioBitRateTable - format %d", format_id);
  return AudioBitRateTableOf(format_id, audio_codec_id);
}

const FrameRateTable& OutputFormat::GetVideoFrameRateTable() const {
  Log("OutputFormat::GetVideoFrameRateTable - format %d", format_id);
  if (!HasVideoTables()) return kNoFrameRates;
  return VideoFrameRateTableOf(format_id, video_codec_id);
}

std::int32_t OutputFormat::GetVideoQuality() const {
  Log("OutputFormat::GetVideoQuality - slider pos: %d", slider_pos);
  return QuantiserForSliderPosition(slider_pos);
}

EncodingParameters OutputFormat::GetEncodingParameters() const {
  Log("OutputFormat::GetEncodingParameters");
  Log("Before checking range values: ");
  Log("Video Codec: %d", video_codec_id);
  Log("Video Bitrate: %d", video_bitrate_id);
  Log("Video Framerate: %d", video_framerate_id);
  Log("Video Framesize: %d", video_framesize_id);
  Log("Audio Codec: %d", audio_codec_id);
  Log("Audio Bitrate: %d", audio_bitrate_id);
  Log("Audio Samplerate: %d", audio_samplerate);
  Log("Audio Channels: %d", audio_channels_id);

  // Tables as the stored (not yet corrected) codec choices select them.
  const CodecTable& videoCodecs = GetVideoCodecTable();
  const BitRateTable& videoBitRates = GetVideoBitRateTable();
  const FrameRateTable& frameRates = GetVideoFrameRateTable();
  const FrameSizeTable& frameSizes = GetVideoFrameSizeTable();
  const CodecTable& audioCodecs = GetAudioCodecTable();
  const BitRateTable& audioBitRates = GetAudioBitRateTable();

  const std::int32_t videoCodec = FitIndexToTable(video_codec_id, videoCodecs.size());
  const std::int32_t videoBitRate = FitIndexToTable(video_bitrate_id, videoBitRates.size());
  const std::int32_t frameRate = FitIndexToTable(video_framerate_id, frameRates.size());
  const std::int32_t frameSize = FitIndexToTable(video_framesize_id, frameSizes.size());
  const std::int32_t audioCodec = FitIndexToTable(audio_codec_id, audioCodecs.size());
  const std::int32_t audioBitRate = FitIndexToTable(audio_bitrate_id, audioBitRates.size());
  const std::int32_t channels = audio_channels_id > 1 ? 1 : (audio_channels_id < 0 ? 0 : audio_channels_id);

  Log("After checking range values: ");
  Log("Video Codec: %d", videoCodec);
  Log("Video Bitrate: %d", videoBitRate);
  Log("Video Framerate: %d", frameRate);
  Log("Video Framesize: %d", frameSize);
  Log("Audio Codec: %d", audioCodec);
  Log("Audio Bitrate: %d", audioBitRate);
  Log("Audio Channels: %d", channels);

  EncodingParameters parameters;
  parameters.qscale = 9;
  parameters.format = GetFormatMuxer();
  parameters.no_video = has_video == 0;
  // An empty table (audio-only output, unknown format) has no row to take:
  // its fields stay empty rather than reading before the table.
  if (has_video != 0) {
    if (!videoCodecs.empty()) {
      parameters.video_codec = videoCodecs[videoCodec].ffmpeg_name;
      parameters.video_tag = videoCodecs[videoCodec].tag;
    }
    if (!videoBitRates.empty()) parameters.video_bitrate = videoBitRates[videoBitRate];
    if (!frameRates.empty()) {
      parameters.frame_rate_num = frameRates[frameRate].numerator;
      parameters.frame_rate_den = frameRates[frameRate].denominator;
    }
    if (!frameSizes.empty()) {
      parameters.width = frameSizes[frameSize].width;
      parameters.height = frameSizes[frameSize].height;
    }
    parameters.qscale = GetVideoQuality();
    if (IsDiscFormat(format_id)) parameters.aspect = GetVideoAspectRatio();
  }
  if (!audioCodecs.empty()) {
    parameters.audio_codec = audioCodecs[audioCodec].ffmpeg_name;
    parameters.audio_tag = audioCodecs[audioCodec].tag;
  }
  if (!audioBitRates.empty()) parameters.audio_bitrate = audioBitRates[audioBitRate];
  parameters.audio_samplerate = audio_samplerate;
  parameters.audio_channels = channels + 1;
  parameters.no_audio = has_audio == 0;
  parameters.target = GetType();
  parameters.keep_multichannel = format_id == kFormatDvd && audio_multichannel_id == 0;
  return parameters;
}
