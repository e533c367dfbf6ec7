// The main window's own settings: defaults, the locale rule, the settings key
// in both directions with its corrections, and the controls that change them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "platform/registry/registry_types.h"
#include "support/locale_territory.h"

namespace {

using testkit::ScopedEnv;

// Writes values into the window's settings key as an earlier run (or a hand
// edit) left them.
void StoreNumber(const char* name, std::uint32_t value) {
  RegistryKey key;
  ASSERT_EQ(key.Create(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
  ASSERT_EQ(key.Close(), ERROR_SUCCESS);
}

void StoreText(const char* name, const std::string& text) {
  RegistryKey key;
  ASSERT_EQ(key.Create(RegistryKey::CurrentUser(), kMainSettingsKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(name, REG_SZ, text.c_str(), static_cast<std::uint32_t>(text.size() + 1)), ERROR_SUCCESS);
  ASSERT_EQ(key.Close(), ERROR_SUCCESS);
}

class MainSettings : public ::testing::Test {
 protected:
  void SetUp() override { core.SetView(&view); }

  int LogCount(const std::string& line) const {
    int count = 0;
    for (const auto& entry : registry.LogLines()) count += entry.find(line) != std::string::npos ? 1 : 0;
    return count;
  }

  // The user puts the quality slider at position.
  void MoveSlider(int position) {
    view.controls.nSliderPos = position;
    core.OnHScroll(4, position, control_id::kQualitySlider);
  }

  ScopedRegistryFile registry;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST(LocaleRule, TheUnitedStatesAndCanadaGiveNtscEveryOtherTerritoryPal) {
  struct Case {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    int discType;
  };
  const Case cases[] = {
      {nullptr, nullptr, "en_US.UTF-8", 0},
      {nullptr, nullptr, "fr_CA.UTF-8", 0},
      {nullptr, nullptr, "en_GB.UTF-8", 1},
      {nullptr, nullptr, "de_DE@euro", 1},
      {nullptr, nullptr, "C", 1},
      {nullptr, nullptr, nullptr, 1},
      {"en_US.UTF-8", nullptr, "de_DE.UTF-8", 0},
      {nullptr, "en_CA", "en_GB", 0},
      {"", nullptr, "es_US", 0},
  };
  for (const Case& c : cases) {
    ScopedEnv lcAll("LC_ALL", c.lcAll);
    ScopedEnv lcMessages("LC_MESSAGES", c.lcMessages);
    ScopedEnv lang("LANG", c.lang);
    EXPECT_EQ(CCastrel1Dlg::DiscTypeForLocale(), c.discType) << (c.lang ? c.lang : "(no LANG)");
    CCastrel1Dlg fresh;
    EXPECT_EQ(fresh.m_nDVDType, c.discType);
    EXPECT_EQ(fresh.m_nVCDType, c.discType);
    EXPECT_EQ(fresh.m_nSVCDType, c.discType);
  }
  EXPECT_EQ(TerritoryOfLocale("pt_BR.ISO-8859-1"), "BR");
}

TEST(LocaleRule, WithNothingStoredEveryDiscFormatTakesTheLocalesStandardAndAStoredChoiceStands) {
  struct Case {
    const char* lang;
    const char* storedFormatValue;  // a TV standard stored by an earlier run, or null
    std::uint32_t stored;
    const char* dvd;
    const char* vcd;
    const char* svcd;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", nullptr, 0, "pal-dvd", "pal-vcd", "pal-svcd"},
      {"en_US.UTF-8", nullptr, 0, "ntsc-dvd", "ntsc-vcd", "ntsc-svcd"},
      {"ja_JP.UTF-8", nullptr, 0, "ntsc-dvd", "ntsc-vcd", "ntsc-svcd"},
      {"C.UTF-8", nullptr, 0, "pal-dvd", "pal-vcd", "pal-svcd"},
      // Other values stored, the standard not: still the locale's.
      {"de_DE.UTF-8", "DVD Video Bit Rate", 1, "pal-dvd", "pal-vcd", "pal-svcd"},
      {"de_DE.UTF-8", "VCD Video Codec Id", 0, "pal-dvd", "ntsc-vcd", "pal-svcd"},
      {"en_US.UTF-8", "SVCD Video Codec Id", 1, "ntsc-dvd", "ntsc-vcd", "pal-svcd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lang) + " " + (c.storedFormatValue ? c.storedFormatValue : "(nothing stored)"));
    ScopedEnv lcAll("LC_ALL", nullptr);
    ScopedEnv lcMessages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", c.lang);
    ScopedRegistryFile registry;
    if (c.storedFormatValue != nullptr) {
      RegistryKey key;
      ASSERT_EQ(key.Create(RegistryKey::CurrentUser(), "Software\\Peravel\\Orlenta", KEY_ALL_ACCESS), ERROR_SUCCESS);
      ASSERT_EQ(key.SetValue(c.storedFormatValue, REG_DWORD, &c.stored, sizeof c.stored), ERROR_SUCCESS);
      ASSERT_EQ(key.Close(), ERROR_SUCCESS);
    }
    RecordingView view;
    CCastrel1Dlg core;
    core.SetView(&view);
    core.SetDefaultSettings();
    core.LoadSettings();
    core.OnInitDialog();
    // What the ffmpeg engine makes is what its settings pages show (they
    // show these indices); the library engine's pages show the window's types.
    EXPECT_STREQ(core.m_formats[kFormatDvd]->GetEncodingParameters().video_codec, c.dvd);
    EXPECT_STREQ(core.m_formats[kFormatVcd]->GetEncodingParameters().video_codec, c.vcd);
    EXPECT_STREQ(core.m_formats[kFormatSvcd]->GetEncodingParameters().video_codec, c.svcd);
    const int localeType = CCastrel1Dlg::DiscTypeForLocale();
    EXPECT_EQ(core.m_nDVDType, localeType);
    EXPECT_EQ(core.m_nVCDType, localeType);
    EXPECT_EQ(core.m_nSVCDType, localeType);
  }
}

TEST(LocaleRule, TheNtscTerritoriesAreThoseOf525LineTelevision) {
  for (const char* territory : {"US", "CA", "MX", "JP", "KR", "TW", "PH", "BR", "CL", "PR"}) {
    EXPECT_TRUE(IsNtscTerritory(territory)) << territory;
  }
  for (const char* territory : {"DE", "GB", "FR", "AU", "CN", "IN", "AR", "UY", "RU", "ZA", "", "us"}) {
    EXPECT_FALSE(IsNtscTerritory(territory)) << territory;
  }
}

TEST_F(MainSettings, ConstructionAndDefaultsOfTheFfmpegAndTheLibraryEngine) {
  EXPECT_EQ(core.m_nOutputFormat, -1);
  EXPECT_EQ(core.m_nSliderPos, 0);
  EXPECT_TRUE(core.m_bUseFfmpeg);
  EXPECT_EQ(core.m_nDVDBitrate, 5000);
  EXPECT_EQ(core.m_nVCDBitrate, 1150);
  EXPECT_EQ(core.m_nSVCDBitrate, 2500);

  core.SetDefaultSettings();
  EXPECT_EQ(core.m_nOutputFormat, kFormatDvd);
  EXPECT_EQ(core.m_nSliderPos, 9);
  EXPECT_EQ(core.m_nWMVProfile, 12);
  EXPECT_EQ(core.m_nAVIFrameRate, 4);
  EXPECT_EQ(core.m_nMPEGVideoBitRate, 1);
  EXPECT_TRUE(core.m_bSliderMoved);
  EXPECT_FALSE(core.m_strOutputFolder.empty());
  EXPECT_EQ(core.m_strChosenFolder, core.m_strOutputFolder);

  core.m_bUseFfmpeg = false;
  core.SetDefaultSettings();
  EXPECT_EQ(core.m_nSliderPos, 8);
  EXPECT_EQ(core.m_nWMVProfile, 11);
}

TEST_F(MainSettings, TheDefaultOutputFolderIsTheVideosFolderElseTheDocumentsFolder) {
  testkit::TempDir home;
  ScopedEnv homeEnv("HOME", home.path().c_str());
  ScopedEnv config("XDG_CONFIG_HOME", home.File(".config").c_str());
  std::filesystem::create_directories(home.path() / "Documents");

  core.SetDefaultSettings();
  EXPECT_EQ(core.m_strOutputFolder, home.File("Documents")) << "no videos folder yet";

  std::filesystem::create_directories(home.path() / "Videos");
  core.SetDefaultSettings();
  EXPECT_EQ(core.m_strOutputFolder, home.File("Videos"));
  EXPECT_EQ(core.m_strChosenFolder, home.File("Videos"));
}

TEST_F(MainSettings, AFirstRunKeepsTheDefaultsAndEverySettingSurvivesARestart) {
  core.SetDefaultSettings();
  core.LoadSettings();
  EXPECT_EQ(core.m_nOutputFormat, kFormatDvd) << "no settings key yet";

  core.m_nOutputFormat = kFormatSvcd;
  core.m_nAVIFrameRate = 7;
  core.m_nAVIAudioFormat = 5;
  core.m_nAVIChannels = 0;
  core.m_nAVICodec = 3;
  core.m_nMPEGVersion = 1;
  core.m_nMPEGFrameRate = 2;
  core.m_nMPEGVideoBitRate = 3;
  core.m_nMPEGAudioBitRate = 13;
  core.m_nMPEGChannels = 0;
  core.m_nRMProfile = 2;
  core.m_nWMVProfile = 6;
  core.m_bSliderMoved = false;
  core.m_nSliderPos = 3;
  core.m_nDVDType = 1;
  core.m_nDVDDevice = 2;
  core.m_nDVDBitrate = 8000;
  core.m_nVCDType = 0;
  core.m_nVCDDevice = 1;
  core.m_nVCDBitrate = 900;
  core.m_nSVCDType = 1;
  core.m_nSVCDDevice = 3;
  core.m_nSVCDBitrate = 1900;
  core.m_strChosenFolder = "/home/ana/Vídeos/disc out";
  ASSERT_EQ(core.SaveSettings(), ERROR_SUCCESS);
  EXPECT_NE(registry.Text().find("\"SliderMoved\"=\"no\""), std::string::npos) << registry.Text();

  CCastrel1Dlg restarted;
  restarted.SetDefaultSettings();
  restarted.LoadSettings();
  const auto values = [](const CCastrel1Dlg& d) {
    return std::vector<int>{d.m_nOutputFormat,     d.m_nAVIFrameRate, d.m_nAVIAudioFormat, d.m_nAVIChannels,
                            d.m_nAVICodec,         d.m_nMPEGVersion,  d.m_nMPEGFrameRate,  d.m_nMPEGVideoBitRate,
                            d.m_nMPEGAudioBitRate, d.m_nMPEGChannels, d.m_nRMProfile,      d.m_nWMVProfile,
                            d.m_bSliderMoved,      d.m_nSliderPos,    d.m_nDVDType,        d.m_nDVDDevice,
                            d.m_nDVDBitrate,       d.m_nVCDType,      d.m_nVCDDevice,      d.m_nVCDBitrate,
                            d.m_nSVCDType,         d.m_nSVCDDevice,   d.m_nSVCDBitrate};
  };
  EXPECT_EQ(values(restarted), values(core));
  EXPECT_EQ(restarted.m_strOutputFolder, "/home/ana/Vídeos/disc out");
  EXPECT_EQ(restarted.m_strChosenFolder, "/home/ana/Vídeos/disc out");
}

TEST_F(MainSettings, ParallelJobsAreChosenFromTheMachineUnlessAStoredValueForcesThem) {
  EXPECT_EQ(core.m_nParallelJobs, 0) << "automatic";
  core.SetDefaultSettings();
  core.LoadSettings();
  EXPECT_EQ(core.m_nParallelJobs, 0) << "no stored value";

  core.m_nParallelJobs = 3;
  ASSERT_EQ(core.SaveSettings(), ERROR_SUCCESS);
  EXPECT_NE(registry.Text().find("\"Parallel Jobs\"=dword:00000003"), std::string::npos) << registry.Text();
  CCastrel1Dlg restarted;
  restarted.SetDefaultSettings();
  restarted.LoadSettings();
  EXPECT_EQ(restarted.m_nParallelJobs, 3);
}

TEST_F(MainSettings, AStoredFormatOrSliderOutOfRangeIsBroughtIntoRangeAndLogged) {
  struct Case {
    std::uint32_t format;
    std::uint32_t slider;
    int expectedFormat;
    int expectedSlider;
  };
  const Case cases[] = {
      {7, 12, kFormatDvd, 9},
      {static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-3), kFormatDvd, 0},
      {0, 9, kFormatAvi, 9},
      {6, 0, kFormatSvcd, 0},
  };
  for (const Case& c : cases) {
    StoreNumber("OutputFormat", c.format);
    StoreNumber("SliderPos", c.slider);
    CCastrel1Dlg loaded;
    loaded.SetDefaultSettings();
    loaded.LoadSettings();
    EXPECT_EQ(loaded.m_nOutputFormat, c.expectedFormat) << static_cast<int>(c.format);
    EXPECT_EQ(loaded.m_nSliderPos, c.expectedSlider) << static_cast<int>(c.slider);
  }
  EXPECT_EQ(LogCount("LoadSettings - stored OutputFormat"), 2);
  EXPECT_EQ(LogCount("LoadSettings - stored SliderPos"), 2);
}

TEST_F(MainSettings, StoredTextsLoadOnlyInTheirExactFormAndSize) {
  struct Case {
    std::string sliderMoved;
    std::string folder;
    bool expectedMoved;
    bool folderLoads;
  };
  const Case cases[] = {
      {"yes", "/srv/discs", true, true},
      {"YES", std::string(300, 'f'), false, false},
      {"no", "/" + std::string(258, 'f'), false, true},  // 259 characters and the NUL fill the 260 bytes
      {"yes", "/" + std::string(259, 'f'), true, false},
  };
  for (const Case& c : cases) {
    StoreText("SliderMoved", c.sliderMoved);
    StoreText("Output Folder", c.folder);
    CCastrel1Dlg loaded;
    loaded.SetDefaultSettings();
    const std::string defaultFolder = loaded.m_strOutputFolder;
    loaded.m_bSliderMoved = !c.expectedMoved;
    loaded.LoadSettings();
    EXPECT_EQ(loaded.m_bSliderMoved, c.expectedMoved) << c.sliderMoved;
    EXPECT_EQ(loaded.m_strOutputFolder, c.folderLoads ? c.folder : defaultFolder) << c.folder.size();
  }
}

TEST_F(MainSettings, TheQualitySliderSetsTheBitRateOrProfileOfTheCurrentFormat) {
  struct Case {
    int format;
    int position;
    int CCastrel1Dlg::*member;
    int expected;
  };
  const Case cases[] = {
      {kFormatDvd, 3, &CCastrel1Dlg::m_nDVDBitrate, 4000},   {kFormatDvd, 9, &CCastrel1Dlg::m_nDVDBitrate, 10000},
      {kFormatVcd, 9, &CCastrel1Dlg::m_nVCDBitrate, 1150},   {kFormatVcd, 0, &CCastrel1Dlg::m_nVCDBitrate, 700},
      {kFormatSvcd, 5, &CCastrel1Dlg::m_nSVCDBitrate, 2100}, {kFormatWmv, 0, &CCastrel1Dlg::m_nWMVProfile, 0},
      {kFormatWmv, 1, &CCastrel1Dlg::m_nWMVProfile, 4},      {kFormatWmv, 9, &CCastrel1Dlg::m_nWMVProfile, 12},
  };
  for (const Case& c : cases) {
    view.controls.nOutputFormat = c.format;
    core.m_bSliderMoved = false;
    MoveSlider(c.position);
    EXPECT_EQ(core.*c.member, c.expected) << c.format << " at " << c.position;
    EXPECT_EQ(core.m_nSliderPos, c.position);
    EXPECT_TRUE(core.m_bSliderMoved);
  }
}

TEST_F(MainSettings, WithAviTheSliderReachingTheTopOpensTheSettingsSheetOncePerArrival) {
  view.controls.nOutputFormat = kFormatAvi;
  MoveSlider(9);
  MoveSlider(9);
  EXPECT_EQ(LogCount("CCastrel1Dlg::OnButtonSettings"), 1) << "staying at 9 does not open it again";
  MoveSlider(8);
  MoveSlider(9);
  EXPECT_EQ(LogCount("CCastrel1Dlg::OnButtonSettings"), 2);

  view.controls.nOutputFormat = kFormatDvd;
  MoveSlider(5);
  MoveSlider(9);
  EXPECT_EQ(LogCount("CCastrel1Dlg::OnButtonSettings"), 2) << "only AVI opens the sheet";
}

TEST_F(MainSettings, ThePlayerSliderOnlyMarksSeeking) {
  core.m_nDVDBitrate = 5000;
  view.controls.nOutputFormat = kFormatDvd;
  core.OnHScroll(5, 40, control_id::kPlayerSlider);
  EXPECT_TRUE(core.m_bSeeking);
  EXPECT_EQ(core.m_nDVDBitrate, 5000);
}

TEST_F(MainSettings, DiscRadiosPutTheSliderAtTheTopOrAtTheFormatsBitRate) {
  struct Case {
    void (CCastrel1Dlg::*radio)();
    bool useFfmpeg;
    int format;
    int slider;
  };
  const Case cases[] = {
      {&CCastrel1Dlg::OnRadio5, true, kFormatDvd, 9},
      {&CCastrel1Dlg::OnRadio5, false, kFormatDvd, 4},
      {&CCastrel1Dlg::OnRadioVCD, false, kFormatVcd, 9},
      {&CCastrel1Dlg::OnSVCD, false, kFormatSvcd, 3},
  };
  core.m_nDVDBitrate = 5000;
  core.m_nVCDBitrate = 1150;
  core.m_nSVCDBitrate = 1900;
  for (const Case& c : cases) {
    core.m_bUseFfmpeg = c.useFfmpeg;
    (core.*c.radio)();
    EXPECT_EQ(core.m_nOutputFormat, c.format);
    EXPECT_EQ(core.m_nSliderPos, c.slider);
    EXPECT_EQ(view.controls.nSliderPos, c.slider) << "the window shows it";
    EXPECT_EQ(view.controls.nOutputFormat, c.format);
  }
}

TEST_F(MainSettings, FileRadiosTakeTheFormatFromTheWindowAndTheSliderToTheTop) {
  view.controls.nOutputFormat = kFormatWmv;
  view.controls.nSliderPos = 2;
  core.OnRadioWMV();
  EXPECT_EQ(core.m_nOutputFormat, kFormatWmv);
  EXPECT_EQ(core.m_nSliderPos, 9);
  EXPECT_EQ(view.controls.nSliderPos, 9);

  core.m_bUseFfmpeg = false;
  view.controls.nOutputFormat = kFormatAvi;
  view.controls.nSliderPos = 2;
  core.OnRadioAvi();
  EXPECT_EQ(core.m_nOutputFormat, kFormatAvi);
  EXPECT_EQ(core.m_nSliderPos, 2) << "the library engine keeps the slider";
}

TEST_F(MainSettings, EachFormatsRadioClickRunsThatFormatsOwnHandler) {
  const char* const handlers[] = {"OnRadioAvi", "OnRadioMpeg", "OnRadioWMV", "OnRadioRM",
                                  "OnRadio5",   "OnRadioVCD",  "OnSVCD"};
  for (int format = 0; format < kOutputFormatCount; ++format) {
    view.controls.nOutputFormat = format;  // the click has checked the radio
    const int before = LogCount(std::string("CCastrel1Dlg::") + handlers[format]);
    core.OnFormatRadio(format);
    EXPECT_EQ(LogCount(std::string("CCastrel1Dlg::") + handlers[format]), before + 1) << handlers[format];
    EXPECT_EQ(core.m_nOutputFormat, format);
  }
}

TEST_F(MainSettings, VideoQualityReachesEveryFormatAndTheCurrentFormatIsTheSelectedOne) {
  core.SetDefaultSettings();
  core.OnInitDialog();
  core.m_nSliderPos = 6;
  core.SetVideoQuality();
  for (const auto& format : core.m_formats) EXPECT_EQ(format->slider_pos, 6);
  core.m_nOutputFormat = kFormatVcd;
  EXPECT_EQ(core.GetCurrentOutputFormat().format_id, kFormatVcd);
}

TEST_F(MainSettings, TheAsSourceBoxDisablesTheSliderAndItsLabelsWhileChecked) {
  view.controls.bAsSource = true;
  core.OnCheckAsSource();
  for (int id : {control_id::kQualitySlider, control_id::kLowQualityLabel, control_id::kHighQualityLabel}) {
    EXPECT_FALSE(view.enabled.at(id)) << id;
  }
  view.controls.bAsSource = false;
  core.OnCheckAsSource();
  for (int id : {control_id::kQualitySlider, control_id::kLowQualityLabel, control_id::kHighQualityLabel}) {
    EXPECT_TRUE(view.enabled.at(id)) << id;
  }
}

// The as-source box opens the window's current input around
// SetFormatLikeSample, or says that it is no video it can read.
TEST_F(MainSettings, TheAsSourceBoxReadsTheCurrentInputOrSaysItIsNotAVideo) {
  enum class Input { NoneInspected, Inspected, GoneSinceInspected };
  struct Case {
    const char* name;
    Input input;
    std::vector<std::string> afterOpening;  // logged after the reader's open, when it is opened
    bool told;                              // the user is told the file is no video
  };
  const Case cases[] = {
      {"nothing inspected", Input::NoneInspected, {}, true},
      {"a video", Input::Inspected, {"CCastrel1Dlg::SetFormatLikeSample", "m_pIVideoFileIn->CloseFile()"}, false},
      {"gone since", Input::GoneSinceInspected, {"catch block - could not open th file: "}, true},
  };
  testkit::TempDir dir;
  const std::string clip = testkit::MakeClip(dir.File("clip one.mpg"), {.seconds = 1.0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedResponder responder;
    RecordingView caseView;
    CCastrel1Dlg caseCore;
    caseCore.SetView(&caseView);
    caseCore.SetDefaultSettings();
    caseCore.OnInitDialog();
    const std::string file = dir.File(std::string(c.name) + ".mpg");
    if (c.input != Input::NoneInspected) {
      std::filesystem::copy_file(clip, file);
      caseView.list = {clip, file};
      ASSERT_TRUE(caseCore.InputFileInfo(file));
      if (c.input == Input::GoneSinceInspected) std::filesystem::remove(file);
    }
    caseView.progress = 37;
    caseView.controls.bAsSource = true;

    const std::size_t before = registry.LogLines().size();
    caseCore.OnCheckAsSource();

    std::vector<std::string> lines = registry.LogLines();
    ASSERT_GT(lines.size(), before);
    EXPECT_EQ(lines[before], "CCastrel1Dlg::OnCheckAsSource");
    // The scripted responder's own entries.
    lines.erase(std::remove_if(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end(),
                               [](const std::string& line) { return line.rfind("Message box (", 0) == 0; }),
                lines.end());
    std::vector<std::string> expected;
    if (c.input != Input::NoneInspected) {
      expected.push_back("m_pIVideoFileIn->OpenFile " + file);
      expected.insert(expected.end(), c.afterOpening.begin(), c.afterOpening.end());
    }
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(before) + 1, lines.end()), expected);
    EXPECT_EQ(responder.MessageTexts(),
              c.told ? std::vector<std::string>{"Specified file is not a video file or format is not supported !"}
                     : std::vector<std::string>{});
    if (c.input == Input::Inspected) {
      EXPECT_EQ(caseView.progress, 0);
    }
    EXPECT_FALSE(caseView.enabled.at(control_id::kQualitySlider)) << "the box stays checked";
  }
}

}  // namespace
