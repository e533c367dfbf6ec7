#include "formats/library_pages.h"

#include <cstdio>

#include "formats/display_texts.h"
#include "formats/library_choices.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/disc/burning/burner.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "support/log.h"

namespace {

using Kind = PageItem::Kind;

// Dialog units.
constexpr int kPageWidth = 232;
constexpr int kMargin = 7;
constexpr int kLabelX = 16;
constexpr int kLabelWidth = 76;
constexpr int kControlX = 96;

PageItem Label(const char* text, int y) {
  return {Kind::Label, -1, text, kLabelX, y + 3, kLabelWidth, 8};
}
PageItem DropDown(int id, int y, int width = 80) {
  return {Kind::DropDown, id, "", kControlX, y, width, 14};
}
PageItem Radio(int id, const char* text, int group, int value, int x, int y) {
  return {Kind::Radio, id, text, x, y, 60, 10, group, value};
}

// "23.97": the frame rates with two decimals.
template <std::size_t N>
std::vector<std::string> FrameRateTexts(const double (&rates)[N]) {
  std::vector<std::string> texts;
  for (double rate : rates) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rate);
    texts.emplace_back(text);
  }
  return texts;
}

std::vector<std::string> ChannelTexts() {
  return {std::begin(kAudioChannelTexts), std::end(kAudioChannelTexts)};
}

PageTemplate DiscTemplate(int templateId, const char* properties, const char* typeLabel, const char* deviceGroup) {
  using Page = CDiscLibraryPage;
  PageTemplate page{templateId, kPageWidth, 116, {}};
  page.items = {
      {Kind::Group, -1, properties, kMargin, kMargin, kPageWidth - 2 * kMargin, 60},
      Label(typeLabel, 20),
      Radio(Page::kTypeNtsc, "NTSC", Page::kTypeNtsc, 0, kControlX, 22),
      Radio(Page::kTypePal, "PAL", Page::kTypeNtsc, 1, kControlX + 56, 22),
      Label("Video Bitrate:", 40),
      DropDown(Page::kBitrateList, 40),
      {Kind::Group, -1, deviceGroup, kMargin, 74, kPageWidth - 2 * kMargin, 36},
      {Kind::DropDown, Page::kDeviceList, "", kLabelX, 88, kPageWidth - 2 * kLabelX, 14},
  };
  return page;
}

PageTemplate AviTemplate() {
  using Page = CPageAVI;
  PageTemplate page{Page::kTemplateId, kPageWidth, 160, {}};
  page.items = {
      Label("Video Codec:", 10),
      DropDown(Page::kCodecList, 10, 126),
      {Kind::Button, Page::kConfigureCodec, "Configure Codec", kControlX, 28, 80, 14},
      Label("Frame Rate:", 50),
      DropDown(Page::kFrameRateList, 50),
      Label("Audio Channels:", 68),
      DropDown(Page::kChannelsList, 68),
      {Kind::Group, -1, "Audio Format", kMargin, 88, kPageWidth - 2 * kMargin, 48},
  };
  for (int value = 0; value < 6; ++value) {
    page.items.push_back(Radio(Page::kAudioFormatPcm + value, kAviAudioFormatNames[value], Page::kAudioFormatPcm, value,
                               kLabelX + 66 * (value % 3), 102 + 16 * (value / 3)));
  }
  page.items.push_back({Kind::Text, -1, "Using L.A.M.E. encoding engine", kMargin, 144, 200, 8});
  return page;
}

PageTemplate MpegTemplate() {
  using Page = CPageMPEG;
  PageTemplate page{Page::kTemplateId, kPageWidth, 112, {}};
  page.items = {
      Label("MPEG Version:", 10),
      Radio(Page::kVersionMpeg1, "MPEG1", Page::kVersionMpeg1, 0, kControlX, 12),
      Radio(Page::kVersionMpeg1 + 1, "MPEG2", Page::kVersionMpeg1, 1, kControlX + 56, 12),
      Label("Frame Rate:", 28),
      DropDown(Page::kFrameRateList, 28),
      Label("Video Bit Rate:", 46),
      DropDown(Page::kBitrateList, 46),
      Label("Audio Channels:", 64),
      DropDown(Page::kChannelsList, 64),
      {Kind::Button, Page::kHowToMpeg4, "How Do I Convert to MPEG4?", kMargin, 90, 130, 14},
  };
  return page;
}

PageTemplate ProfileTemplate(int templateId) {
  PageTemplate page{templateId, kPageWidth, 50, {}};
  page.items = {
      {Kind::Label, -1, "Output Video Format: ", kMargin, 10, 120, 8},
      {Kind::DropDown, CProfileLibraryPage::kProfileList, "", kMargin, 22, kPageWidth - 2 * kMargin, 14},
  };
  return page;
}

// The video library's profile lists; row k is profile number k + 1.
std::vector<std::string> WindowsMediaProfileNames() {
  std::vector<std::string> names;
  for (int number = 1; number <= VideoFile::WMVProfileCount(); ++number)
    names.push_back(VideoFile::WMVProfileName(number));
  return names;
}

std::vector<std::string> RealMediaProfileNames() {
  std::vector<std::string> names;
  for (int number = 1; number <= VideoFile::RMProfileCount(); ++number)
    names.push_back(VideoFile::RMProfileName(number));
  return names;
}

}  // namespace

// Disc pages ----------------------------------------------------------------

CDiscLibraryPage::CDiscLibraryPage(const char* className, int templateId, const DiscTexts& texts, int firstKbps,
                                   int stepKbps)
    : LibraryPage(texts.caption, DiscTemplate(templateId, texts.properties, texts.typeLabel, texts.deviceGroup)),
      m_pszClassName(className),
      m_nFirstKbps(firstKbps),
      m_nStepKbps(stepKbps) {}

CPageDVD::CPageDVD()
    : CDiscLibraryPage("CPageDVD", kTemplateId, {"DVD", "DVD Properties", "DVD Type:", "DVD device"}, 1000, 1000) {}

CPageVCD::CPageVCD()
    : CDiscLibraryPage("CPageVCD", kTemplateId, {"VCD Settings", "VCD Properties", "VCD Type:", "CD device"}, 700, 50) {
}

CPageSVCD::CPageSVCD()
    : CDiscLibraryPage("CPageSVCD", kTemplateId, {"SVCD Settings", "VCD Properties", "VCD Type:", "CD device"}, 1600,
                       100) {}

std::vector<std::string> CDiscLibraryPage::BitrateTexts() const {
  std::vector<std::string> texts;
  for (int row = 0; row < kBitrateRows; ++row) texts.push_back(std::to_string(m_nFirstKbps + m_nStepKbps * row));
  return texts;
}

bool CDiscLibraryPage::OnInitDialog() {
  Log("%s::OnInitDialog", m_pszClassName);
  DoDataExchange(false);
  PageControls* controls = Controls();
  if (controls == nullptr) return true;

  burner::DeviceName devices[burner::kMaxDevices] = {};
  int count = 0;
  std::vector<std::string> rows;
  if (burner::GetDevices(devices, &count, 1) == 0) {
    for (int i = 0; i < count && i < burner::kMaxDevices; ++i) rows.emplace_back(devices[i]);
  } else {
    Log("%s::OnInitDialog - no device list: %s", m_pszClassName, burner::GetLastErrorText());
  }
  controls->SetRows(kDeviceList, rows);
  controls->Select(kDeviceList, m_nDevice);
  controls->SetRows(kBitrateList, BitrateTexts());
  controls->Select(kBitrateList, m_nBitrate);
  return true;
}

void CDiscLibraryPage::DoDataExchange(bool save) {
  Exchange(save, kDeviceList, m_nDevice);
  Exchange(save, kTypeNtsc, m_nType);
  Exchange(save, kBitrateList, m_nBitrate);
}

// AVI -----------------------------------------------------------------------

CPageAVI::CPageAVI() : LibraryPage("AVI", AviTemplate()) {}

void CPageAVI::SetVideoLibrary(const std::vector<std::string>* codecNames, VideoFile* writer) {
  m_pCodecNames = codecNames;
  m_pWriter = writer;
}

bool CPageAVI::OnInitDialog() {
  Log("CPageAVI::OnInitDialog");
  if (PageControls* controls = Controls()) {
    controls->SetRows(kFrameRateList, FrameRateTexts(kAviFrameRates));
    controls->SetRows(kCodecList, m_pCodecNames != nullptr ? *m_pCodecNames : std::vector<std::string>{});
    controls->SetRows(kChannelsList, ChannelTexts());
  }
  DoDataExchange(false);
  return true;
}

void CPageAVI::OnButton(int id) {
  if (id == kConfigureCodec) OnConfigureCodec();
}

void CPageAVI::OnConfigureCodec() {
  Log("CPageAVI::OnConfigureCodec");
  DoDataExchange(true);
  if (m_pWriter == nullptr) return;
  const int noted = m_pWriter->SelectedVideoCodec();
  m_pWriter->SelectVideoCodec(m_nCodec + 1);
  try {
    m_pWriter->ShowVideoCodecSettings(Controls() != nullptr ? Controls()->Owner() : nullptr);
  } catch (const video_exception& error) {
    Log("CPageAVI::OnConfigureCodec - %s", error.what());
  }
  m_pWriter->SelectVideoCodec(noted);
}

void CPageAVI::DoDataExchange(bool save) {
  Exchange(save, kFrameRateList, m_nFrameRate);
  Exchange(save, kCodecList, m_nCodec);
  Exchange(save, kChannelsList, m_nChannels);
  Exchange(save, kAudioFormatPcm, m_nAudioFormat);
}

// MPEG ----------------------------------------------------------------------

CPageMPEG::CPageMPEG() : LibraryPage("MPEG", MpegTemplate()) {}

bool CPageMPEG::OnInitDialog() {
  Log("CPageMPEG::OnInitDialog");
  if (PageControls* controls = Controls()) {
    controls->SetRows(kFrameRateList, FrameRateTexts(kMpegFrameRates));
    std::vector<std::string> rates;
    for (int kbps : kMpegVideoKbps) rates.push_back(std::to_string(kbps));
    controls->SetRows(kBitrateList, rates);
    controls->SetRows(kChannelsList, ChannelTexts());
  }
  DoDataExchange(false);
  return true;
}

void CPageMPEG::OnButton(int id) {
  if (id != kHowToMpeg4) return;
  AskDialog(Controls() != nullptr ? Controls()->Owner() : nullptr, Mpeg4HelpRequest{});
}

void CPageMPEG::DoDataExchange(bool save) {
  Exchange(save, kVersionMpeg1, m_nVersion);
  Exchange(save, kFrameRateList, m_nFrameRate);
  Exchange(save, kBitrateList, m_nVideoBitRate);
  Exchange(save, kChannelsList, m_nChannels);
}

// WMV and Real Media --------------------------------------------------------

CProfileLibraryPage::CProfileLibraryPage(const char* className, int templateId, const char* caption,
                                         std::vector<std::string> (*profileNames)())
    : LibraryPage(caption, ProfileTemplate(templateId)), m_pszClassName(className), m_pProfileNames(profileNames) {}

bool CProfileLibraryPage::OnInitDialog() {
  Log("%s::OnInitDialog", m_pszClassName);
  if (PageControls* controls = Controls()) controls->SetRows(kProfileList, m_pProfileNames());
  DoDataExchange(false);
  return true;
}

void CProfileLibraryPage::DoDataExchange(bool save) {
  Exchange(save, kProfileList, m_nProfile);
}

CPageWMV::CPageWMV() : CProfileLibraryPage("CPageWMV", kTemplateId, "WMV", WindowsMediaProfileNames) {}

CPageRM::CPageRM() : CProfileLibraryPage("CPageRM", kTemplateId, "Real Media", RealMediaProfileNames) {}
