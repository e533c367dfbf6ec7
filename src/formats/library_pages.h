#pragma once
// The settings pages of the library engine. They edit the main window's own
// settings: the window copies its settings into a page's members before the
// sheet opens and takes them back when the sheet is confirmed. Every member
// is an index into the page's list or radio group, -1 when nothing is chosen.

#include <string>
#include <utility>
#include <vector>

#include "formats/settings_page.h"

class VideoFile;

// A library page whose template and title are fixed.
class LibraryPage : public SettingsPage {
 public:
  std::string Title() const override { return m_strCaption; }
  const PageTemplate& Template() const override { return m_template; }

 protected:
  LibraryPage(std::string caption, PageTemplate pageTemplate)
      : m_strCaption(std::move(caption)), m_template(std::move(pageTemplate)) {}

 private:
  std::string m_strCaption;
  PageTemplate m_template;
};

// DVD, VCD and SVCD: the disc type, the video bit rate and the burning device.
class CDiscLibraryPage : public LibraryPage {
 public:
  static constexpr int kTypeNtsc = 1031;  // the radio group is named by its first button
  static constexpr int kTypePal = 1003;
  static constexpr int kBitrateList = 1037;
  static constexpr int kDeviceList = 1032;
  static constexpr int kBitrateRows = 10;

  // Shows the type, lists the burner's devices and the bit rates and selects
  // the members' rows.
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;

  // The bit-rate rows, kbit/s, as the list shows them.
  std::vector<std::string> BitrateTexts() const;
  // The drives changed while the page is shown: its list of devices is made
  // again, and the device chosen stays chosen if it is still there (the
  // image writer takes over from a drive that went away).
  void OnDevicesChanged();

  int m_nDevice = -1;
  int m_nType = -1;
  int m_nBitrate = -1;

 protected:
  struct DiscTexts {
    const char* caption;
    const char* properties;  // the group of type and bit rate
    const char* typeLabel;
    const char* deviceGroup;
  };
  CDiscLibraryPage(const char* className, int templateId, const DiscTexts& texts, int firstKbps, int stepKbps);

 private:
  // The burner's devices as the list shows them ("A: name").
  std::vector<std::string> DeviceRows() const;

  const char* m_pszClassName;
  std::vector<std::string> m_arrDeviceRows;  // what the list shows
  int m_nFirstKbps;
  int m_nStepKbps;
};

class CPageDVD : public CDiscLibraryPage {
 public:
  static constexpr int kTemplateId = 143;
  CPageDVD();
};

class CPageVCD : public CDiscLibraryPage {
 public:
  static constexpr int kTemplateId = 157;
  CPageVCD();
};

class CPageSVCD : public CDiscLibraryPage {
 public:
  static constexpr int kTemplateId = 161;
  CPageSVCD();
};

// AVI: frame rate, the video library's codec with its settings, channels and
// the sound format.
class CPageAVI : public LibraryPage {
 public:
  static constexpr int kTemplateId = 130;
  static constexpr int kFrameRateList = 1023;
  static constexpr int kCodecList = 1024;
  static constexpr int kChannelsList = 1025;
  static constexpr int kAudioFormatPcm = 1002;  // names the radio group PCM ... GSM
  static constexpr int kConfigureCodec = 1022;

  CPageAVI();

  // The installed codecs (entry k is the codec the library numbers k + 1) and
  // the writer whose codec settings "Configure Codec" edits; not owned.
  void SetVideoLibrary(const std::vector<std::string>* codecNames, VideoFile* writer);

  bool OnInitDialog() override;
  void OnButton(int id) override;
  void DoDataExchange(bool save) override;
  // Shows the settings dialog of the chosen codec and leaves the writer's
  // codec selection as it was.
  void OnConfigureCodec();

  int m_nFrameRate = -1;
  int m_nCodec = -1;
  int m_nChannels = -1;
  int m_nAudioFormat = -1;  // 0 PCM, 1 MP3, 2 ADPCM, 3 ALAW, 4 ULAW, 5 GSM

 private:
  const std::vector<std::string>* m_pCodecNames = nullptr;
  VideoFile* m_pWriter = nullptr;
};

// MPEG: version, frame rate, video bit rate, channels.
class CPageMPEG : public LibraryPage {
 public:
  static constexpr int kTemplateId = 131;
  static constexpr int kFrameRateList = 1023;
  static constexpr int kBitrateList = 1020;
  static constexpr int kChannelsList = 1021;
  static constexpr int kVersionMpeg1 = 1002;  // names the radio group MPEG1, MPEG2
  static constexpr int kHowToMpeg4 = 1045;

  CPageMPEG();
  bool OnInitDialog() override;
  void OnButton(int id) override;
  void DoDataExchange(bool save) override;

  int m_nVersion = -1;
  int m_nFrameRate = -1;
  int m_nVideoBitRate = -1;
  int m_nChannels = -1;
};

// WMV and Real Media: a profile of the video library.
class CProfileLibraryPage : public LibraryPage {
 public:
  static constexpr int kProfileList = 1019;

  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;

  int m_nProfile = -1;  // row k is the library's profile number k + 1

 protected:
  CProfileLibraryPage(const char* className, int templateId, const char* caption,
                      std::vector<std::string> (*profileNames)());

 private:
  const char* m_pszClassName;
  std::vector<std::string> (*m_pProfileNames)();
};

class CPageWMV : public CProfileLibraryPage {
 public:
  static constexpr int kTemplateId = 132;
  CPageWMV();
};

class CPageRM : public CProfileLibraryPage {
 public:
  static constexpr int kTemplateId = 133;
  CPageRM();
};
