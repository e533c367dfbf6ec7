// CCastrel1Dlg: the window's own settings - defaults, the settings key, and
// the format radios, the quality slider and the as-source box that change them.

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "platform/dialogs/message_box.h"
#include "platform/registry/registry_types.h"
#include "platform/video/video_file.h"
#include "support/locale_territory.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

bool IsFolder(const std::string& path) {
  return !path.empty() && QFileInfo(QString::fromStdString(path)).isDir();
}

std::string WritableLocation(QStandardPaths::StandardLocation location) {
  return QStandardPaths::writableLocation(location).toStdString();
}

// The slider's thumb-tracking notification.
constexpr int SB_THUMBTRACK = 5;

}  // namespace

int CCastrel1Dlg::DiscTypeForLocale() {
  return IsNtscTerritory(LocaleTerritory()) ? 0 : 1;
}

void CCastrel1Dlg::SetDefaultSettings() {
  Log("CCastrel1Dlg::SetDefaultSettings");
  m_nOutputFormat = kFormatDvd;
  m_nAVIAudioFormat = 1;
  m_nAVIChannels = 1;
  m_nAVIFrameRate = 4;
  m_nAVICodec = 0;
  m_nMPEGFrameRate = 0;
  m_nMPEGChannels = 1;
  m_nMPEGVersion = 0;
  m_nMPEGAudioBitRate = 1;
  m_nMPEGVideoBitRate = 1;
  m_bSliderMoved = true;
  m_nSliderPos = m_bUseFfmpeg ? kSliderTop : kSliderTop - 1;
  m_nWMVProfile = kWmvProfileBySlider[m_nSliderPos] - 1;
  m_nRMProfile = 0;

  m_strOutputFolder.clear();
  const std::string documents = WritableLocation(QStandardPaths::DocumentsLocation);
  if (documents.empty()) {
    m_strOutputFolder = QDir::homePath().toStdString() + "/Videos";
    QDir().mkdir(QString::fromStdString(m_strOutputFolder));
  } else {
    m_strOutputFolder = IsWindowsVistaOrLater() ? GetPersonalVideosFolder() : documents + "/My Videos";
    if (!IsFolder(m_strOutputFolder)) m_strOutputFolder = documents;
  }
  m_strChosenFolder = m_strOutputFolder;
}

bool CCastrel1Dlg::IsWindowsVistaOrLater() {
  Log("CCastrel1Dlg::IsWindowsVistaOrLater");
  return true;  // the user's videos folder is the one to use
}

std::string CCastrel1Dlg::GetPersonalVideosFolder() {
  Log("CCastrel1Dlg::GetPersonalVideosFolder");
  return WritableLocation(QStandardPaths::MoviesLocation);
}

bool CCastrel1Dlg::GetIntRegistryValue(const RegistryKey& key, const char* name, int& value) {
  Log("CCastrel1Dlg::GetIntRegistryValue");
  std::uint32_t number = 0;
  std::uint32_t size = sizeof number;
  if (key.QueryValue(name, nullptr, &number, &size) != ERROR_SUCCESS) return false;
  value = static_cast<int>(number);
  return true;
}

bool CCastrel1Dlg::GetBoolRegistryValue(const RegistryKey& key, const char* name, bool& value) {
  Log("CCastrel1Dlg::GetBoolRegistryValue");
  char text[10 + 1] = {};  // one more than read, so the text always ends
  std::uint32_t size = sizeof text - 1;
  if (key.QueryValue(name, nullptr, text, &size) != ERROR_SUCCESS) return false;
  value = std::strcmp(text, "yes") == 0;
  return true;
}

bool CCastrel1Dlg::GetStringRegistryValue(const RegistryKey& key, const char* name, std::string& value) {
  Log("CCastrel1Dlg::GetStringRegistryValue");
  char text[260 + 1] = {};
  std::uint32_t size = sizeof text - 1;
  if (key.QueryValue(name, nullptr, text, &size) != ERROR_SUCCESS) return false;
  value = text;
  return true;
}

void CCastrel1Dlg::LoadSettings() {
  Log("CCastrel1Dlg::LoadSettings");
  RegistryKey key;
  if (key.Open(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
  GetIntRegistryValue(key, "OutputFormat", m_nOutputFormat);
  GetIntRegistryValue(key, "AVIAudioFormat", m_nAVIAudioFormat);
  GetIntRegistryValue(key, "AVIChannels", m_nAVIChannels);
  GetIntRegistryValue(key, "AVIFrameRate", m_nAVIFrameRate);
  GetIntRegistryValue(key, "AVICodec", m_nAVICodec);
  GetIntRegistryValue(key, "MPEGVersion", m_nMPEGVersion);
  GetIntRegistryValue(key, "MPEGFrameRate", m_nMPEGFrameRate);
  GetIntRegistryValue(key, "MPEGVideoBitRate", m_nMPEGVideoBitRate);
  GetIntRegistryValue(key, "MPEGAudioBitRate", m_nMPEGAudioBitRate);
  GetIntRegistryValue(key, "MPEGChannels", m_nMPEGChannels);
  GetIntRegistryValue(key, "RMProfile", m_nRMProfile);
  GetIntRegistryValue(key, "WMVProfile", m_nWMVProfile);
  GetBoolRegistryValue(key, "SliderMoved", m_bSliderMoved);
  GetIntRegistryValue(key, "SliderPos", m_nSliderPos);
  GetIntRegistryValue(key, "DVD Type", m_nDVDType);
  GetIntRegistryValue(key, "DVD Device", m_nDVDDevice);
  GetIntRegistryValue(key, "DVD Bitrate", m_nDVDBitrate);
  GetIntRegistryValue(key, "VCD Type", m_nVCDType);
  GetIntRegistryValue(key, "VCD Device", m_nVCDDevice);
  GetIntRegistryValue(key, "VCD Bitrate", m_nVCDBitrate);
  GetIntRegistryValue(key, "SVCD Type", m_nSVCDType);
  GetIntRegistryValue(key, "SVCD Device", m_nSVCDDevice);
  GetIntRegistryValue(key, "SVCD Bitrate", m_nSVCDBitrate);
  GetIntRegistryValue(key, "Parallel Jobs", m_nParallelJobs);
  GetIntRegistryValue(key, "DVD Disc Size", m_nDVDDiscSize);
  GetIntRegistryValue(key, "CD Disc Size", m_nCDDiscSize);
  int chapterMinutes = 0;
  if (GetIntRegistryValue(key, "Chapter Minutes", chapterMinutes)) {
    m_nChapterSeconds = std::clamp(chapterMinutes, 0, kMostChapterMinutes) * 60;
  }
  int speedThousandths = 0;
  if (GetIntRegistryValue(key, "Conversion Speed", speedThousandths) && speedThousandths > 0) {
    m_dConvertSpeed = speedThousandths / 1000.0;
  }
  std::string folder;
  if (GetStringRegistryValue(key, "Output Folder", folder)) {
    m_strOutputFolder = folder;
    m_strChosenFolder = folder;
  }

  // The format indexes m_formats and the slider has ten positions: a value
  // from a hand-edited or older file must not reach past either.
  if (!IsKnownFormat(m_nOutputFormat)) {
    Log("LoadSettings - stored OutputFormat %d is out of range; DVD (%d) is used", m_nOutputFormat, kFormatDvd);
    m_nOutputFormat = kFormatDvd;
  }
  if (m_nSliderPos < 0 || m_nSliderPos > kSliderTop) {
    const int corrected = std::clamp(m_nSliderPos, 0, kSliderTop);
    Log("LoadSettings - stored SliderPos %d is out of range; %d is used", m_nSliderPos, corrected);
    m_nSliderPos = corrected;
  }
}

RegistryStatus CCastrel1Dlg::SaveSettings() {
  Log("CCastrel1Dlg::SaveSettings - save NCT settings in registry");
  RegistryKey key;
  RegistryStatus status = key.Create(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_ALL_ACCESS);
  if (status != ERROR_SUCCESS) return status;
  const auto setNumber = [&](const char* name, int value) {
    const auto number = static_cast<std::uint32_t>(value);
    status = key.SetValue(name, REG_DWORD, &number, sizeof number);
  };
  const auto setText = [&](const char* name, const std::string& text) {
    status = key.SetValue(name, REG_SZ, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
  };
  setNumber("OutputFormat", m_nOutputFormat);
  setNumber("AVIFrameRate", m_nAVIFrameRate);
  setNumber("AVIAudioFormat", m_nAVIAudioFormat);
  setNumber("AVIChannels", m_nAVIChannels);
  setNumber("AVICodec", m_nAVICodec);
  setNumber("MPEGVersion", m_nMPEGVersion);
  setNumber("MPEGFrameRate", m_nMPEGFrameRate);
  setNumber("MPEGVideoBitRate", m_nMPEGVideoBitRate);
  setNumber("MPEGAudioBitRate", m_nMPEGAudioBitRate);
  setNumber("MPEGChannels", m_nMPEGChannels);
  setNumber("RMProfile", m_nRMProfile);
  setNumber("WMVProfile", m_nWMVProfile);
  setText("SliderMoved", m_bSliderMoved ? "yes" : "no");
  setNumber("SliderPos", m_nSliderPos);
  setNumber("DVD Type", m_nDVDType);
  setNumber("DVD Device", m_nDVDDevice);
  setNumber("DVD Bitrate", m_nDVDBitrate);
  setNumber("VCD Type", m_nVCDType);
  setNumber("VCD Device", m_nVCDDevice);
  setNumber("VCD Bitrate", m_nVCDBitrate);
  setNumber("SVCD Type", m_nSVCDType);
  setNumber("SVCD Device", m_nSVCDDevice);
  setNumber("SVCD Bitrate", m_nSVCDBitrate);
  setNumber("Parallel Jobs", m_nParallelJobs);
  setNumber("DVD Disc Size", m_nDVDDiscSize);
  setNumber("CD Disc Size", m_nCDDiscSize);
  setNumber("Chapter Minutes", m_nChapterSeconds / 60);
  setNumber("Conversion Speed", static_cast<int>(m_dConvertSpeed * 1000));
  setText("Output Folder", m_strChosenFolder);
  // The values reach the settings file when the key closes.
  return key.Close();
}

void CCastrel1Dlg::OnFileFormatRadio(const char* handlerName) {
  Log("CCastrel1Dlg::%s", handlerName);
  UpdateData(true);
  if (m_bUseFfmpeg) {
    // The member follows the slider, or the next conversion would use the old quality.
    m_nSliderPos = kSliderTop;
    UpdateData(false);
  }
}

void CCastrel1Dlg::OnDiscFormatRadio(const char* handlerName, int formatId, int bitrateSliderPos) {
  Log("CCastrel1Dlg::%s", handlerName);
  m_nSliderPos = m_bUseFfmpeg ? kSliderTop : bitrateSliderPos;
  m_nOutputFormat = formatId;
  UpdateData(false);
}

void CCastrel1Dlg::OnRadioAvi() {
  OnFileFormatRadio("OnRadioAvi");
}

void CCastrel1Dlg::OnRadioMpeg() {
  OnFileFormatRadio("OnRadioMpeg");
}

void CCastrel1Dlg::OnRadioWMV() {
  OnFileFormatRadio("OnRadioWMV");
}

void CCastrel1Dlg::OnRadioRM() {
  OnFileFormatRadio("OnRadioRM");
}

void CCastrel1Dlg::OnRadio5() {
  OnDiscFormatRadio("OnRadio5", kFormatDvd, m_nDVDBitrate / 1000 - 1);
}

void CCastrel1Dlg::OnRadioVCD() {
  OnDiscFormatRadio("OnRadioVCD", kFormatVcd, (m_nVCDBitrate - 700) / 50);
}

void CCastrel1Dlg::OnSVCD() {
  OnDiscFormatRadio("OnSVCD", kFormatSvcd, (m_nSVCDBitrate - 1600) / 100);
}

void CCastrel1Dlg::OnFormatRadio(OutputFormatId format) {
  using Handler = void (CCastrel1Dlg::*)();
  static constexpr Handler kHandlers[] = {
      &CCastrel1Dlg::OnRadioAvi, &CCastrel1Dlg::OnRadioMpeg, &CCastrel1Dlg::OnRadioWMV, &CCastrel1Dlg::OnRadioRM,
      &CCastrel1Dlg::OnRadio5,   &CCastrel1Dlg::OnRadioVCD,  &CCastrel1Dlg::OnSVCD,
  };
  static_assert(std::size(kHandlers) == kOutputFormatCount);
  if (!IsKnownFormat(format)) return;
  (this->*kHandlers[format])();
}

void CCastrel1Dlg::OnHScroll(int code, int /*position*/, int sliderId) {
  Log("CCastrel1Dlg::OnHScroll");
  if (sliderId == control_id::kPlayerSlider) {
    if (code == SB_THUMBTRACK) m_bSeeking = true;
    return;
  }
  m_bSliderMoved = true;
  UpdateData(true);
  if (m_nSliderPos == kSliderTop && !m_bSliderAtTop) {
    m_bSliderAtTop = true;
    if (m_nOutputFormat == kFormatAvi) OnButtonSettings();
  }
  switch (m_nOutputFormat) {
    case kFormatDvd:
      m_nDVDBitrate = (m_nSliderPos + 1) * 1000;
      break;
    case kFormatVcd:
      m_nVCDBitrate = 700 + 50 * m_nSliderPos;
      break;
    case kFormatSvcd:
      m_nSVCDBitrate = 1600 + 100 * m_nSliderPos;
      break;
    default:
      break;
  }
  if (m_nSliderPos != kSliderTop) m_bSliderAtTop = false;
  if (m_nOutputFormat == kFormatWmv && m_nSliderPos >= 0 && m_nSliderPos <= kSliderTop) {
    m_nWMVProfile = kWmvProfileBySlider[m_nSliderPos] - 1;
  }
  UpdateDiscPlan();
}

void CCastrel1Dlg::SetVideoQuality() {
  Log("CCastrel1Dlg::SetVideoQuality - only for ffmpeg quality parameter");
  for (auto& format : m_formats) format->slider_pos = m_nSliderPos;
}

OutputFormat& CCastrel1Dlg::GetCurrentOutputFormat() {
  Log("CCastrel1Dlg::GetCurrentOutputFormat");
  return *m_formats.at(static_cast<std::size_t>(m_nOutputFormat));
}

void CCastrel1Dlg::OnCheckAsSource() {
  Log("CCastrel1Dlg::OnCheckAsSource");
  UpdateData(true);
  for (int id : {control_id::kQualitySlider, control_id::kLowQualityLabel, control_id::kHighQualityLabel}) {
    m_pView->EnableControl(id, !m_bAsSource);
  }
  if (!m_bAsSource) return;
  const std::string notAVideo = UserText::tr("Specified file is not a video file or format is not supported !");
  if (m_nFileInputType < 0) {
    MessageBox(Owner(), notAVideo, UserText::tr(""), MB_OK);
    return;
  }
  // A running job reads its own files with the reader; the box then only
  // changes the slider.
  if (ReaderInUse()) return;
  const ReaderUse use(*this);
  const std::string path = CurrentInputPath();
  try {
    Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
    m_pIVideoFileIn->OpenFile(path);
    m_pView->SetProgress(0);
    SetFormatLikeSample();
    CloseReader();
  } catch (const std::exception&) {
    Log("catch block - could not open th file: ");
    // Whatever the reader got as far as opening is let go.
    try {
      m_pIVideoFileIn->CloseFile();
    } catch (const std::exception&) {
    }
    MessageBox(Owner(), notAVideo, UserText::tr(""), MB_OK);
  }
}

std::string CCastrel1Dlg::CurrentInputPath() {
  // The file inspected last: the one selected, else the last one added.
  const int count = m_pView->ListCount();
  if (count == 0) return {};
  const int selected = m_pView->ListSelection();
  return m_pView->ListText(selected >= 0 && selected < count ? selected : count - 1);
}

void CCastrel1Dlg::SetFormatLikeSample() {
  Log("CCastrel1Dlg::SetFormatLikeSample");
}
