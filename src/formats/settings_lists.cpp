#include "formats/settings_lists.h"

#include "formats/display_texts.h"

namespace {

std::vector<std::string> CodecNames(const CodecTable& table) {
  std::vector<std::string> names;
  for (const CodecEntry& row : table) names.emplace_back(row.display_name);
  return names;
}

std::vector<std::string> BitRateTexts(const BitRateTable& table) {
  std::vector<std::string> texts;
  for (std::int32_t rate : table) texts.push_back(BitRateText(rate));
  return texts;
}

void FitChoice(std::int32_t& choice, const std::vector<std::string>& rows) {
  const auto count = static_cast<std::int32_t>(rows.size());
  if (choice >= count) choice = count - 1;
}

}  // namespace

FormatSettingsLists MakeSettingsLists(const OutputFormat& format) {
  FormatSettingsLists lists;
  lists.video_codecs = CodecNames(format.GetVideoCodecTable());
  lists.video_bitrates = BitRateTexts(format.GetVideoBitRateTable());
  for (const FrameRateEntry& rate : format.GetVideoFrameRateTable())
    lists.video_framerates.push_back(FrameRateText(rate));
  for (const FrameSizeEntry& size : format.GetVideoFrameSizeTable())
    lists.video_framesizes.push_back(FrameSizeText(size));
  if (IsDiscFormat(format.format_id))
    lists.video_aspects.assign(std::begin(kAspectRatioTexts), std::end(kAspectRatioTexts));
  lists.audio_codecs = CodecNames(format.GetAudioCodecTable());
  lists.audio_bitrates = BitRateTexts(format.GetAudioBitRateTable());
  lists.audio_channels.assign(std::begin(kAudioChannelTexts), std::end(kAudioChannelTexts));
  if (format.format_id == kFormatDvd)
    lists.audio_multichannel.assign(std::begin(kMultichannelTexts), std::end(kMultichannelTexts));
  return lists;
}

void FitChoicesToLists(OutputFormat& format, const FormatSettingsLists& lists) {
  FitChoice(format.video_codec_id, lists.video_codecs);
  FitChoice(format.video_bitrate_id, lists.video_bitrates);
  FitChoice(format.video_framerate_id, lists.video_framerates);
  FitChoice(format.video_framesize_id, lists.video_framesizes);
  FitChoice(format.video_aspect_id, lists.video_aspects);
  FitChoice(format.audio_codec_id, lists.audio_codecs);
  FitChoice(format.audio_bitrate_id, lists.audio_bitrates);
  FitChoice(format.audio_channels_id, lists.audio_channels);
  if (format.format_id == kFormatDvd) FitChoice(format.audio_multichannel_id, lists.audio_multichannel);
}
