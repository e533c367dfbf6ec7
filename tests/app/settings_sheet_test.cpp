// OnButtonSettings headless: which pages the sheet gets and where it opens,
// and what the window keeps when the scripted sheet ends with OK or Cancel,
// for both engines.

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "formats/settings_sheet_request.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"

namespace {

class SettingsSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
  }

  // The sheet ends with code after work has done what the user would do on it.
  void AnswerSheet(int code, std::function<void(const SettingsSheetRequest&)> work = {}) {
    responder.SetDialogHandler([=](const DialogRequest& request) {
      const auto* sheet = request.As<SettingsSheetRequest>();
      if (sheet != nullptr && work) work(*sheet);
      return DialogResult{code, {}};
    });
  }

  std::vector<std::string> TitlesOf(const SettingsSheetRequest& sheet) const {
    std::vector<std::string> titles;
    for (const SettingsPage* page : sheet.pages) titles.push_back(page->Title());
    return titles;
  }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

using Titles = std::vector<std::string>;

TEST_F(SettingsSheet, TheFfmpegSheetOffersTheDiscFormatsOrAllSevenAndOpensOnTheCurrentOne) {
  struct Case {
    int format;
    Titles titles;
    int startPage;
  };
  const Titles seven = {"AVI", "MPEG", "WMV", "RM", "DVD", "VCD", "SVCD"};
  const Case cases[] = {
      {kFormatDvd, {"DVD", "VCD", "SVCD"}, 0},
      {kFormatVcd, {"DVD", "VCD", "SVCD"}, 1},
      {kFormatSvcd, {"DVD", "VCD", "SVCD"}, 2},
      {kFormatAvi, seven, 0},
      {kFormatRm, seven, 3},
  };
  for (const Case& c : cases) {
    core.m_nOutputFormat = c.format;
    core.OnButtonSettings();
    const auto asked = responder.Requests<SettingsSheetRequest>();
    ASSERT_FALSE(asked.empty());
    const SettingsSheetRequest& sheet = asked.back();
    EXPECT_EQ(sheet.caption, "Output file format settings");
    EXPECT_EQ(sheet.navigationWidth, 100);
    EXPECT_EQ(TitlesOf(sheet), c.titles) << c.format;
    EXPECT_EQ(sheet.startPage, c.startPage) << c.format;
    for (const SettingsPage* page : sheet.pages) {
      const auto* format = dynamic_cast<const OutputFormat*>(page);
      ASSERT_NE(format, nullptr) << "the pages are the format objects";
      EXPECT_EQ(format, core.m_formats[static_cast<std::size_t>(format->format_id)].get());
    }
  }
}

TEST_F(SettingsSheet, FfmpegOkKeepsThePagesChoicesAndShowsTheWindowsMembers) {
  AnswerSheet(IDOK, [](const SettingsSheetRequest& sheet) {
    auto& dvd = static_cast<OutputFormat&>(*sheet.pages[0]);
    auto& svcd = static_cast<OutputFormat&>(*sheet.pages[2]);
    dvd.video_codec_id = 1;
    dvd.video_bitrate_id = 3;
    svcd.audio_channels_id = 0;
  });
  core.m_nSliderPos = 6;
  core.OnButtonSettings();
  EXPECT_EQ(core.m_formats[kFormatDvd]->video_codec_id, 1);
  EXPECT_EQ(core.m_formats[kFormatDvd]->video_bitrate_id, 3);
  EXPECT_EQ(core.m_formats[kFormatSvcd]->audio_channels_id, 0);
  EXPECT_EQ(view.controls.nSliderPos, 6) << "the window shows its members again";
}

TEST_F(SettingsSheet, FfmpegCancelPutsBackEveryChoiceAlsoOfPagesAlreadyLeft) {
  core.m_nOutputFormat = kFormatAvi;
  std::vector<std::vector<std::int32_t>> before;
  const auto choicesOf = [](const OutputFormat& f) {
    return std::vector<std::int32_t>{f.video_codec_id,  f.video_bitrate_id, f.video_framerate_id, f.video_framesize_id,
                                     f.video_aspect_id, f.audio_codec_id,   f.audio_bitrate_id,   f.audio_channels_id};
  };
  for (const auto& format : core.m_formats) before.push_back(choicesOf(*format));
  AnswerSheet(IDCANCEL, [](const SettingsSheetRequest& sheet) {
    for (SettingsPage* page : sheet.pages) {
      auto& format = static_cast<OutputFormat&>(*page);
      format.video_bitrate_id = 0;
      format.video_aspect_id = -1;
      format.audio_channels_id = 0;
    }
  });
  view.controls.nSliderPos = 2;
  core.OnButtonSettings();
  for (std::size_t id = 0; id < core.m_formats.size(); ++id) {
    EXPECT_EQ(choicesOf(*core.m_formats[id]), before[id]) << id;
  }
  EXPECT_EQ(view.controls.nSliderPos, 2) << "nothing is written to the window";
}

TEST_F(SettingsSheet, TheLibrarySheetGetsTheWindowsSettingsOnItsPages) {
  core.m_bUseFfmpeg = false;
  core.m_nOutputFormat = kFormatWmv;
  core.m_nDVDDevice = 2;
  core.m_nDVDType = 1;
  core.m_nDVDBitrate = 5000;
  core.m_nVCDType = 0;
  core.m_nVCDBitrate = 900;
  core.m_nSVCDBitrate = 2000;
  core.m_nAVICodec = 3;
  core.m_nMPEGVideoBitRate = 2;
  core.m_nWMVProfile = 12;
  core.OnButtonSettings();
  const auto asked = responder.Requests<SettingsSheetRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(TitlesOf(asked[0]), (Titles{"AVI", "MPEG", "WMV", "Real Media", "DVD", "VCD Settings", "SVCD Settings"}));
  EXPECT_EQ(asked[0].startPage, 2);
  EXPECT_EQ(asked[0].pages[0], &core.m_pageAVI);
  EXPECT_EQ(asked[0].pages[6], &core.m_pageSVCD);
  EXPECT_EQ(core.m_pageDVD.m_nDevice, 2);
  EXPECT_EQ(core.m_pageDVD.m_nType, 1);
  EXPECT_EQ(core.m_pageDVD.m_nBitrate, 4);
  EXPECT_EQ(core.m_pageVCD.m_nType, 0);
  EXPECT_EQ(core.m_pageVCD.m_nBitrate, 4);
  EXPECT_EQ(core.m_pageSVCD.m_nBitrate, 4);
  EXPECT_EQ(core.m_pageAVI.m_nCodec, 3);
  EXPECT_EQ(core.m_pageMPEG.m_nVideoBitRate, 2);
  EXPECT_EQ(core.m_pageWMV.m_nProfile, 12);

  core.m_nOutputFormat = kFormatDvd;
  core.OnButtonSettings();
  EXPECT_EQ(TitlesOf(responder.Requests<SettingsSheetRequest>().back()),
            (Titles{"DVD", "VCD Settings", "SVCD Settings"}));
}

TEST_F(SettingsSheet, ConfirmingTheLibrarySheetStoresTheDiscRatesAndPutsTheSliderThere) {
  struct Case {
    int format;
    CDiscLibraryPage* page;
    int row;
    int CCastrel1Dlg::*rate;
    int expectedRate;
    int expectedSlider;
  };
  const Case cases[] = {
      {kFormatDvd, &core.m_pageDVD, 5, &CCastrel1Dlg::m_nDVDBitrate, 6000, 5},
      {kFormatVcd, &core.m_pageVCD, 4, &CCastrel1Dlg::m_nVCDBitrate, 900, 4},
      {kFormatSvcd, &core.m_pageSVCD, 9, &CCastrel1Dlg::m_nSVCDBitrate, 2500, 9},
      // No row chosen: DVD takes 4000; VCD and SVCD keep a rate of their lists.
      {kFormatDvd, &core.m_pageDVD, -1, &CCastrel1Dlg::m_nDVDBitrate, 4000, 3},
      {kFormatVcd, &core.m_pageVCD, -1, &CCastrel1Dlg::m_nVCDBitrate, 1150, 9},
      {kFormatSvcd, &core.m_pageSVCD, -1, &CCastrel1Dlg::m_nSVCDBitrate, 2500, 9},
  };
  core.m_bUseFfmpeg = false;
  for (const Case& c : cases) {
    core.m_nOutputFormat = c.format;
    core.m_bSliderMoved = true;
    AnswerSheet(IDOK, [&](const SettingsSheetRequest&) {
      CDiscLibraryPage& page = *c.page;
      page.m_nBitrate = c.row;
      page.m_nDevice = 1;
      page.m_nType = 0;
    });
    core.OnButtonSettings();
    EXPECT_EQ(core.*c.rate, c.expectedRate) << c.format << " row " << c.row;
    EXPECT_EQ(core.m_nSliderPos, c.expectedSlider) << c.format << " row " << c.row;
    EXPECT_EQ(view.controls.nSliderPos, c.expectedSlider) << "the window shows it";
    EXPECT_FALSE(core.m_bSliderMoved);
  }
  EXPECT_EQ(core.m_nDVDDevice, 1);
  EXPECT_EQ(core.m_nVCDType, 0);
  EXPECT_EQ(core.m_nSVCDDevice, 1);
}

TEST_F(SettingsSheet, ConfirmingTheLibrarySheetTakesTheFileFormatPagesAndLeavesTheSliderOfAFileFormat) {
  core.m_bUseFfmpeg = false;
  core.m_nOutputFormat = kFormatAvi;
  core.m_nSliderPos = 7;
  AnswerSheet(IDOK, [&](const SettingsSheetRequest&) {
    core.m_pageAVI.m_nAudioFormat = 5;
    core.m_pageMPEG.m_nVersion = 1;
    core.m_pageRM.m_nProfile = 6;
  });
  core.OnButtonSettings();
  EXPECT_EQ(core.m_nAVIAudioFormat, 5);
  EXPECT_EQ(core.m_nMPEGVersion, 1);
  EXPECT_EQ(core.m_nRMProfile, 6);
  EXPECT_EQ(core.m_nSliderPos, 7);
}

TEST_F(SettingsSheet, CancellingTheLibrarySheetChangesNoSetting) {
  core.m_bUseFfmpeg = false;
  core.m_nOutputFormat = kFormatVcd;
  core.m_nVCDBitrate = 1000;
  core.m_nSliderPos = 6;
  core.m_bSliderMoved = true;
  AnswerSheet(IDCANCEL, [&](const SettingsSheetRequest&) {
    core.m_pageVCD.m_nBitrate = 0;
    core.m_pageVCD.m_nDevice = 3;
  });
  core.OnButtonSettings();
  EXPECT_EQ(core.m_nVCDBitrate, 1000);
  EXPECT_EQ(core.m_nVCDDevice, 0);
  EXPECT_EQ(core.m_nSliderPos, 6);
  EXPECT_TRUE(core.m_bSliderMoved);
}

TEST_F(SettingsSheet, TheQualitySliderReachingTheTopWithAviOpensTheSheetOnTheAviPage) {
  view.controls.nOutputFormat = kFormatAvi;
  view.controls.nSliderPos = 9;
  core.OnHScroll(4, 9, control_id::kQualitySlider);
  const auto asked = responder.Requests<SettingsSheetRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].pages.size(), 7u);
  EXPECT_EQ(asked[0].startPage, 0);
  EXPECT_EQ(asked[0].pages[0]->Title(), "AVI");
}

}  // namespace
