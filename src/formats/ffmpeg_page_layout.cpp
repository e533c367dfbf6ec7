#include "formats/ffmpeg_page_layout.h"

#include "support/user_text.h"

namespace {

// Indexed by format id: AVI, MPEG, WMV, RM, DVD, VCD, SVCD.
const FfmpegPageControlIds kControlIds[kOutputFormatCount] = {
    {201, 203, 205, 207, 0, 210, 212, 214, 0, {201}},
    {216, 218, 220, 222, 0, 225, 227, 229, 0, {}},
    {231, 233, 235, 237, 0, 240, 242, 244, 0, {}},
    {246, 248, 250, 252, 0, 255, 257, 259, 0, {}},
    {295, 297, 299, 301, 310, 304, 306, 308, 312, {295, 304}, 311, 313},
    {261, 263, 265, 267, 276, 270, 272, 274, 0, {261}, 277},
    {278, 280, 282, 284, 293, 287, 289, 291, 0, {278}, 294},
};

// Dialog units.
constexpr int kPageWidth = 232;
constexpr int kMargin = 7;
constexpr int kRowHeight = 17;
constexpr int kGroupTop = 13;  // room for the group's title above its first row
constexpr int kLabelX = 16;
constexpr int kLabelWidth = 76;
constexpr int kListX = 96;
constexpr int kListWidth = 126;
constexpr int kListHeight = 14;

struct LabelledList {
  const char* label;
  int id;
};

// A group box holding one row per list; returns the group's bottom.
int AddGroup(PageTemplate& page, const char* title, int top, const std::vector<LabelledList>& rows) {
  const int height = kGroupTop + kRowHeight * static_cast<int>(rows.size()) + 4;
  page.items.push_back({PageItem::Kind::Group, -1, title, kMargin, top, kPageWidth - 2 * kMargin, height});
  int y = top + kGroupTop;
  for (const LabelledList& row : rows) {
    page.items.push_back({PageItem::Kind::Label, -1, row.label, kLabelX, y + 3, kLabelWidth, 8});
    page.items.push_back({PageItem::Kind::DropDown, row.id, "", kListX, y, kListWidth, kListHeight});
    y += kRowHeight;
  }
  return top + height;
}

}  // namespace

const FfmpegPageControlIds& FfmpegPageControls(OutputFormatId format) {
  static const FfmpegPageControlIds kNone;
  return IsKnownFormat(format) ? kControlIds[format] : kNone;
}

PageTemplate MakeFfmpegPageTemplate(OutputFormatId format, int templateId) {
  PageTemplate page;
  page.id = templateId;
  page.width = kPageWidth;
  if (!IsKnownFormat(format)) return page;
  const FfmpegPageControlIds& ids = kControlIds[format];
  const bool disc = IsDiscFormat(format);
  std::vector<LabelledList> video = {
      {disc ? QT_TRANSLATE_NOOP("UserText", "TV Standard:") : QT_TRANSLATE_NOOP("UserText", "Video Codec:"),
       ids.videoCodec},
      {QT_TRANSLATE_NOOP("UserText", "Video Bit Rate:"), ids.videoBitrate},
      {QT_TRANSLATE_NOOP("UserText", "Video Frame Rate:"), ids.videoFramerate},
      {QT_TRANSLATE_NOOP("UserText", "Frame Size:"), ids.videoFramesize},
  };
  if (disc) video.push_back({QT_TRANSLATE_NOOP("UserText", "Aspect Ratio:"), ids.videoAspect});
  int bottom = AddGroup(page, QT_TRANSLATE_NOOP("UserText", "Video"), kMargin, video);
  std::vector<LabelledList> audio = {
      {QT_TRANSLATE_NOOP("UserText", "Audio Codec:"), ids.audioCodec},
      {QT_TRANSLATE_NOOP("UserText", "Audio Bit Rate:"), ids.audioBitrate},
      {QT_TRANSLATE_NOOP("UserText", "Audio Channels:"), ids.audioChannels},
  };
  if (ids.audioMultichannel != 0)
    audio.push_back({QT_TRANSLATE_NOOP("UserText", "Multichannel:"), ids.audioMultichannel});
  bottom = AddGroup(page, QT_TRANSLATE_NOOP("UserText", "Audio"), bottom + 6, audio);
  if (disc) {
    std::vector<LabelledList> rows = {{QT_TRANSLATE_NOOP("UserText", "Disc Size:"), ids.discSize}};
    if (ids.chapterMinutes != 0) rows.push_back({QT_TRANSLATE_NOOP("UserText", "Chapters:"), ids.chapterMinutes});
    bottom = AddGroup(page, QT_TRANSLATE_NOOP("UserText", "Disc"), bottom + 6, rows);
  }
  page.items.push_back(
      {PageItem::Kind::Text, -1, QT_TRANSLATE_NOOP("UserText", "Using FFmpeg"), kMargin, bottom + 8, 100, 8});
  page.height = bottom + 8 + 8 + kMargin;
  return page;
}
