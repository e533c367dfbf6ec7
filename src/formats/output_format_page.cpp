// OutputFormat as a settings page: its lists are the rows of the tables its
// choices select, bound to the choices by selection index.

#include <algorithm>
#include <map>
#include <mutex>

#include "disc/disc_plan.h"
#include "formats/ffmpeg_page_layout.h"
#include "formats/output_format.h"
#include "formats/settings_lists.h"
#include "support/log.h"

std::string OutputFormat::Title() const {
  const char* name = GetOutputFormat();
  return name != nullptr ? name : "";
}

const PageTemplate& OutputFormat::Template() const {
  // One template per format and template number, made on first use and kept
  // for the run like the encoding tables.
  static std::mutex lock;
  static std::map<std::pair<OutputFormatId, int>, PageTemplate> templates;
  std::lock_guard guard(lock);
  const auto key = std::make_pair(format_id, TemplateId());
  auto found = templates.find(key);
  if (found == templates.end()) found = templates.emplace(key, MakeFfmpegPageTemplate(format_id, TemplateId())).first;
  return found->second;
}

bool OutputFormat::OnInitDialog() {
  Log("OutputFormat::OnInitDialog");
  DoDataExchange(false);
  UpdateSettingsValues(false);
  return true;
}

void OutputFormat::UpdateSettingsValues(bool restore) {
  Log("OutputFormat::UpdateSettingsValues - format %d", format_id);
  PageControls* controls = Controls();
  if (controls == nullptr) return;
  if (restore) DoDataExchange(true);

  const FormatSettingsLists lists = MakeSettingsLists(*this);
  const FfmpegPageControlIds& ids = FfmpegPageControls(format_id);
  controls->SetRows(ids.videoCodec, lists.video_codecs);
  controls->SetRows(ids.videoBitrate, lists.video_bitrates);
  controls->SetRows(ids.videoFramerate, lists.video_framerates);
  controls->SetRows(ids.videoFramesize, lists.video_framesizes);
  if (ids.videoAspect != 0) controls->SetRows(ids.videoAspect, lists.video_aspects);
  controls->SetRows(ids.audioCodec, lists.audio_codecs);
  controls->SetRows(ids.audioBitrate, lists.audio_bitrates);
  controls->SetRows(ids.audioChannels, lists.audio_channels);
  if (ids.audioMultichannel != 0) controls->SetRows(ids.audioMultichannel, lists.audio_multichannel);
  if (ids.discSize != 0)
    controls->SetRows(ids.discSize, format_id == kFormatDvd ? DvdDiscSizeNames() : CdDiscSizeNames());
  if (ids.chapterMinutes != 0) controls->SetRows(ids.chapterMinutes, ChapterIntervalNames());

  if (restore) FitChoicesToLists(*this, lists);
  DoDataExchange(false);
}

void OutputFormat::OnSelChange(int id) {
  const std::vector<int>& refreshing = FfmpegPageControls(format_id).refreshing;
  if (std::find(refreshing.begin(), refreshing.end(), id) != refreshing.end()) UpdateSettingsValues(true);
}

void OutputFormat::DoDataExchange(bool save) {
  const FfmpegPageControlIds& ids = FfmpegPageControls(format_id);
  Exchange(save, ids.videoCodec, video_codec_id);
  Exchange(save, ids.videoBitrate, video_bitrate_id);
  Exchange(save, ids.videoFramerate, video_framerate_id);
  Exchange(save, ids.videoFramesize, video_framesize_id);
  if (ids.videoAspect != 0) Exchange(save, ids.videoAspect, video_aspect_id);
  Exchange(save, ids.audioCodec, audio_codec_id);
  Exchange(save, ids.audioBitrate, audio_bitrate_id);
  Exchange(save, ids.audioChannels, audio_channels_id);
  if (ids.audioMultichannel != 0) Exchange(save, ids.audioMultichannel, audio_multichannel_id);
  if (ids.discSize != 0) Exchange(save, ids.discSize, disc_size_id);
  if (ids.chapterMinutes != 0) Exchange(save, ids.chapterMinutes, chapter_minutes);
}
