#include "formats/library_pages.h"

#include <cstdio>

#include "formats/display_texts.h"
#include "formats/library_choices.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/disc/burning/burner.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "support/log.h"
#include "support/user_text.h"

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
      Label(QT_TRANSLATE_NOOP("UserText", "Video Bitrate:"), 40),
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
      Label(QT_TRANSLATE_NOOP("UserText", "Video Codec:"), 10),
      DropDown(Page::kCodecList, 10, 126),
      {Kind::Button, Page::kConfigureCodec, QT_TRANSLATE_NOOP("UserText", "Configure Codec"), kControlX, 28, 80, 14},
      Label(QT_TRANSLATE_NOOP("UserText", "Frame Rate:"), 50),
      DropDown(Page::kFrameRateList, 50),
      Label(QT_TRANSLATE_NOOP("UserText", "Audio Channels:"), 68),
      DropDown(Page::kChannelsList, 68),
      {Kind::Group, -1, QT_TRANSLATE_NOOP("UserText", "Audio Format"), kMargin, 88, kPageWidth - 2 * kMargin, 48},
  };
  for (int value = 0; value < 6; ++value) {
    page.items.push_back(Radio(Page::kAudioFormatPcm + value, kAviAudioFormatNames[value], Page::kAudioFormatPcm, value,
                               kLabelX + 66 * (value % 3), 102 + 16 * (value / 3)));
  }
  page.items.push_back(
      {Kind::Text, -1, QT_TRANSLATE_NOOP("UserText", "Using L.A.M.E. encoding engine"), kMargin, 144, 200, 8});
  return page;
}

PageTemplate MpegTemplate() {
  using Page = CPageMPEG;
  PageTemplate page{Page::kTemplateId, kPageWidth, 112, {}};
  page.items = {
      Label(QT_TRANSLATE_NOOP("UserText", "MPEG Version:"), 10),
      Radio(Page::kVersionMpeg1, "MPEG1", Page::kVersionMpeg1, 0, kControlX, 12),
      Radio(Page::kVersionMpeg1 + 1, "MPEG2", Page::kVersionMpeg1, 1, kControlX + 56, 12),
      Label(QT_TRANSLATE_NOOP("UserText", "Frame Rate:"), 28),
      DropDown(Page::kFrameRateList, 28),
      Label(QT_TRANSLATE_NOOP("UserText", "Video Bit Rate:"), 46),
      DropDown(Page::kBitrateList, 46),
      Label(QT_TRANSLATE_NOOP("UserText", "Audio Channels:"), 64),
      DropDown(Page::kChannelsList, 64),
      {Kind::Button, Page::kHowToMpeg4, QT_TRANSLATE_NOOP("UserText", "How Do I Convert to MPEG4?"), kMargin, 90, 130,
       14},
  };
  return page;
}

PageTemplate ProfileTemplate(int templateId) {
  PageTemplate page{templateId, kPageWidth, 50, {}};
  page.items = {
      {Kind::Label, -1, QT_TRANSLATE_NOOP("UserText", "Output Video Format: "), kMargin, 10, 120, 8},
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
    : CDiscLibraryPage("CPageDVD", kTemplateId,
                       {"DVD", QT_TRANSLATE_NOOP("UserText", "DVD Properties"),
                        QT_TRANSLATE_NOOP("UserText", "DVD Type:"), QT_TRANSLATE_NOOP("UserText", "DVD device")},
                       1000, 1000) {}

CPageVCD::CPageVCD()
    : CDiscLibraryPage("CPageVCD", kTemplateId,
                       {QT_TRANSLATE_NOOP("UserText", "VCD Settings"), QT_TRANSLATE_NOOP("UserText", "VCD Properties"),
                        QT_TRANSLATE_NOOP("UserText", "VCD Type:"), QT_TRANSLATE_NOOP("UserText", "CD device")},
                       700, 50) {}

CPageSVCD::CPageSVCD()
    : CDiscLibraryPage("CPageSVCD", kTemplateId,
                       {QT_TRANSLATE_NOOP("UserText", "SVCD Settings"), QT_TRANSLATE_NOOP("UserText", "VCD Properties"),
                        QT_TRANSLATE_NOOP("UserText", "VCD Type:"), QT_TRANSLATE_NOOP("UserText", "CD device")},
                       1600, 100) {}

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

  m_arrDeviceRows = DeviceRows();
  controls->SetRows(kDeviceList, m_arrDeviceRows);
  controls->Select(kDeviceList, m_nDevice);
  controls->SetRows(kBitrateList, BitrateTexts());
  controls->Select(kBitrateList, m_nBitrate);
  return true;
}

std::vector<std::string> CDiscLibraryPage::DeviceRows() const {
  burner::DeviceName devices[burner::kMaxDevices] = {};
  int count = 0;
  std::vector<std::string> rows;
  if (burner::GetDevices(devices, &count, 1) != 0) {
    Log("%s - no device list: %s", m_pszClassName, burner::GetLastErrorText());
    return rows;
  }
  for (int i = 0; i < count && i < burner::kMaxDevices; ++i) {
    // "A: " and the device's name; the image writer's name in the user's language.
    const std::string entry = devices[i];
    rows.push_back(entry.size() > 3 ? entry.substr(0, 3) + UserText::Lookup(entry.c_str() + 3) : entry);
  }
  return rows;
}

void CDiscLibraryPage::OnDevicesChanged() {
  PageControls* controls = Controls();
  if (controls == nullptr) return;
  Log("%s::OnDevicesChanged", m_pszClassName);
  // A device is known by its name: its letter is its place in the list, which
  // moves when a drive before it comes or goes.
  const auto name = [](const std::string& row) { return row.size() > 3 ? row.substr(3) : row; };
  const int chosen = controls->Selection(kDeviceList);
  const bool wasChosen = chosen >= 0 && chosen < static_cast<int>(m_arrDeviceRows.size());
  const std::string chosenName = wasChosen ? name(m_arrDeviceRows[static_cast<std::size_t>(chosen)]) : "";
  m_arrDeviceRows = DeviceRows();
  int row = -1;
  for (std::size_t i = 0; i < m_arrDeviceRows.size(); ++i) {
    if (wasChosen && name(m_arrDeviceRows[i]) == chosenName) row = static_cast<int>(i);
  }
  if (wasChosen && row < 0) row = static_cast<int>(m_arrDeviceRows.size()) - 1;
  controls->SetRows(kDeviceList, m_arrDeviceRows);
  controls->Select(kDeviceList, row);
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
