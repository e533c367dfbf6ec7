// CCastrel1Dlg: the settings sheet of the output formats. With the ffmpeg
// engine its pages are the format objects themselves; with the library
// engine they are the library pages, which edit the window's own settings.

#include <algorithm>
#include <array>

#include "app/main_window_core.h"
#include "formats/settings_sheet_request.h"
#include "support/log.h"

namespace {

// The choices a format page edits; Cancel puts them back.
constexpr std::int32_t OutputFormat::*kPageChoices[] = {
    &OutputFormat::video_codec_id,     &OutputFormat::video_bitrate_id,  &OutputFormat::video_framerate_id,
    &OutputFormat::video_framesize_id, &OutputFormat::video_aspect_id,   &OutputFormat::audio_codec_id,
    &OutputFormat::audio_bitrate_id,   &OutputFormat::audio_channels_id,
};
using PageChoices = std::array<std::int32_t, std::size(kPageChoices)>;

PageChoices TakeChoices(const OutputFormat& format) {
  PageChoices choices{};
  for (std::size_t i = 0; i < choices.size(); ++i) choices[i] = format.*kPageChoices[i];
  return choices;
}

void PutChoices(OutputFormat& format, const PageChoices& choices) {
  for (std::size_t i = 0; i < choices.size(); ++i) format.*kPageChoices[i] = choices[i];
}

// The formats the sheet offers, in page order: the three disc formats, which
// are the ones the window lets the user pick; all seven while the current
// format is a file format (reachable through the stored setting), so that its
// own page is there too.
std::vector<OutputFormatId> OfferedFormats(int currentFormat) {
  if (IsKnownFormat(currentFormat) && !IsDiscFormat(currentFormat)) {
    return {kFormatAvi, kFormatMpeg, kFormatWmv, kFormatRm, kFormatDvd, kFormatVcd, kFormatSvcd};
  }
  return {kFormatDvd, kFormatVcd, kFormatSvcd};
}

// The page of the current format; the first when it has none.
int StartPage(const std::vector<OutputFormatId>& offered, int currentFormat) {
  for (std::size_t i = 0; i < offered.size(); ++i) {
    if (offered[i] == currentFormat) return static_cast<int>(i);
  }
  return 0;
}

// A disc bit rate from its list row: first + step x row. A list left without
// a selection gives fallback, so no rate outside the list is ever stored.
int DiscBitrateOfRow(int row, int firstKbps, int stepKbps, int fallbackKbps) {
  if (row < 0 || row >= CDiscLibraryPage::kBitrateRows) return fallbackKbps;
  return firstKbps + stepKbps * row;
}

}  // namespace

void CCastrel1Dlg::TakeDiscSizes() {
  const auto sizeOf = [this](OutputFormatId id, int count, int fallback) {
    if (static_cast<std::size_t>(id) >= m_formats.size()) return fallback;
    const int size = m_formats[id]->disc_size_id;
    return size >= 0 && size < count ? size : fallback;
  };
  m_nDVDDiscSize = sizeOf(kFormatDvd, kDvdDiscSizeCount, m_nDVDDiscSize);
  // The VCD and SVCD pages show the same CD size: the one changed counts.
  const int vcd = sizeOf(kFormatVcd, kCdDiscSizeCount, m_nCDDiscSize);
  const int svcd = sizeOf(kFormatSvcd, kCdDiscSizeCount, m_nCDDiscSize);
  m_nCDDiscSize = vcd != m_nCDDiscSize ? vcd : svcd;
  if (static_cast<std::size_t>(kFormatDvd) < m_formats.size()) {
    m_nChapterSeconds = std::clamp(m_formats[kFormatDvd]->chapter_minutes, 0, kMostChapterMinutes) * 60;
  }
  Log("Disc sizes: DVD %d, CD %d; chapters every %d min", m_nDVDDiscSize, m_nCDDiscSize, m_nChapterSeconds / 60);
}

void CCastrel1Dlg::OnButtonSettings() {
  Log("CCastrel1Dlg::OnButtonSettings");
  SettingsSheetRequest sheet;
  sheet.caption = kSettingsSheetCaption;
  sheet.navigationWidth = 100;
  const std::vector<OutputFormatId> offered = OfferedFormats(m_nOutputFormat);
  sheet.startPage = StartPage(offered, m_nOutputFormat);

  if (m_bUseFfmpeg) {
    // The disc pages show the window's disc sizes: one for the DVD, one for the CDs.
    for (OutputFormatId id : {kFormatDvd, kFormatVcd, kFormatSvcd}) {
      if (static_cast<std::size_t>(id) < m_formats.size())
        m_formats[id]->disc_size_id = id == kFormatDvd ? m_nDVDDiscSize : m_nCDDiscSize;
    }
    if (static_cast<std::size_t>(kFormatDvd) < m_formats.size()) {
      m_formats[kFormatDvd]->chapter_minutes = m_nChapterSeconds / 60;
    }
    std::vector<PageChoices> before;
    for (OutputFormatId id : offered) {
      // The format objects are made while the window initialises.
      if (static_cast<std::size_t>(id) >= m_formats.size()) continue;
      OutputFormat& format = *m_formats[static_cast<std::size_t>(id)];
      sheet.pages.push_back(&format);
      before.push_back(TakeChoices(format));
    }
    if (AskDialog(Owner(), sheet).code != IDOK) {
      // Cancel leaves every format as it was, also on the pages the user had
      // already left.
      for (std::size_t i = 0; i < sheet.pages.size(); ++i) {
        PutChoices(static_cast<OutputFormat&>(*sheet.pages[i]), before[i]);
      }
      return;
    }
    // The format objects keep the choices; they are saved when the window closes.
    TakeDiscSizes();
    UpdateData(false);
    return;
  }

  m_pageAVI.SetVideoLibrary(&m_arrVideoCodecs, m_pIVideoFileOut.get());
  m_pageAVI.m_nFrameRate = m_nAVIFrameRate;
  m_pageAVI.m_nCodec = m_nAVICodec;
  m_pageAVI.m_nChannels = m_nAVIChannels;
  m_pageAVI.m_nAudioFormat = m_nAVIAudioFormat;
  m_pageMPEG.m_nVersion = m_nMPEGVersion;
  m_pageMPEG.m_nFrameRate = m_nMPEGFrameRate;
  m_pageMPEG.m_nVideoBitRate = m_nMPEGVideoBitRate;
  m_pageMPEG.m_nChannels = m_nMPEGChannels;
  m_pageWMV.m_nProfile = m_nWMVProfile;
  m_pageRM.m_nProfile = m_nRMProfile;
  m_pageDVD.m_nDevice = m_nDVDDevice;
  m_pageDVD.m_nType = m_nDVDType;
  m_pageDVD.m_nBitrate = m_nDVDBitrate / 1000 - 1;
  m_pageVCD.m_nDevice = m_nVCDDevice;
  m_pageVCD.m_nType = m_nVCDType;
  m_pageVCD.m_nBitrate = (m_nVCDBitrate - 700) / 50;
  m_pageSVCD.m_nDevice = m_nSVCDDevice;
  m_pageSVCD.m_nType = m_nSVCDType;
  m_pageSVCD.m_nBitrate = (m_nSVCDBitrate - 1600) / 100;

  SettingsPage* const libraryPages[kOutputFormatCount] = {&m_pageAVI, &m_pageMPEG, &m_pageWMV, &m_pageRM,
                                                          &m_pageDVD, &m_pageVCD,  &m_pageSVCD};
  for (OutputFormatId id : offered) sheet.pages.push_back(libraryPages[id]);
  if (AskDialog(Owner(), sheet).code != IDOK) return;

  m_nAVIFrameRate = m_pageAVI.m_nFrameRate;
  m_nAVICodec = m_pageAVI.m_nCodec;
  m_nAVIChannels = m_pageAVI.m_nChannels;
  m_nAVIAudioFormat = m_pageAVI.m_nAudioFormat;
  m_nMPEGVersion = m_pageMPEG.m_nVersion;
  m_nMPEGFrameRate = m_pageMPEG.m_nFrameRate;
  m_nMPEGVideoBitRate = m_pageMPEG.m_nVideoBitRate;
  m_nMPEGChannels = m_pageMPEG.m_nChannels;
  m_nWMVProfile = m_pageWMV.m_nProfile;
  m_nRMProfile = m_pageRM.m_nProfile;
  m_nDVDDevice = m_pageDVD.m_nDevice;
  m_nDVDType = m_pageDVD.m_nType;
  // No row chosen gives 4000 kbit/s, a rate in the middle of the list.
  m_nDVDBitrate = DiscBitrateOfRow(m_pageDVD.m_nBitrate, 1000, 1000, 4000);
  m_nVCDType = m_pageVCD.m_nType;
  m_nVCDDevice = m_pageVCD.m_nDevice;
  m_nVCDBitrate = DiscBitrateOfRow(m_pageVCD.m_nBitrate, 700, 50, 1150);
  m_nSVCDType = m_pageSVCD.m_nType;
  m_nSVCDDevice = m_pageSVCD.m_nDevice;
  m_nSVCDBitrate = DiscBitrateOfRow(m_pageSVCD.m_nBitrate, 1600, 100, 2500);

  // The slider stands at the current disc format's bit rate.
  switch (m_nOutputFormat) {
    case kFormatDvd:
      m_nSliderPos = m_nDVDBitrate / 1000 - 1;
      break;
    case kFormatVcd:
      m_nSliderPos = (m_nVCDBitrate - 700) / 50;
      break;
    case kFormatSvcd:
      m_nSliderPos = (m_nSVCDBitrate - 1600) / 100;
      break;
    default:
      break;
  }
  m_bSliderMoved = false;
  UpdateData(false);
}
