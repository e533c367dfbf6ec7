// The main window's core, headless: enabling, closing in its stages, the
// system commands, help and the output folder.

#include "app/main_window_core.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/control_ids.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/shell_open.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/video_file.h"
#include "support/temporary_files.h"

namespace {

class MainWindowCore : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
  }
  void TearDown() override { StopFlag::Set(false); }

  bool Logged(const std::string& line) const {
    for (const auto& entry : registry.LogLines()) {
      if (entry.find(line) != std::string::npos) return true;
    }
    return false;
  }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST_F(MainWindowCore, InitialisingShowsTheOptionsAndHidesTheDvdToolButtons) {
  EXPECT_EQ(view.skinLayouts, 1);
  EXPECT_EQ(view.systemCommands.at(IDM_ABOUTBOX), "&About Orlenta...");
  EXPECT_EQ(view.outputFolder, core.m_strOutputFolder);
  EXPECT_EQ(view.controls.nOutputFormat, kFormatDvd) << "the members reach the controls";
  EXPECT_EQ(view.controls.nSliderPos, 9);
  EXPECT_EQ(core.m_strProductKey, "Orlenta");
  ASSERT_EQ(core.m_formats.size(), 7u);
  for (int id : {control_id::kConvertVideo, control_id::kCopyDvd, control_id::kRipDvd}) {
    EXPECT_FALSE(view.visible.at(id)) << id;
  }
  EXPECT_TRUE(Logged("load configuration from registry for FFMPEG"));
}

TEST_F(MainWindowCore, InitialisingMakesTheLibraryObjectsAndListsTheAviCodecsInTheLibrarysOrder) {
  EXPECT_TRUE(core.m_pIVideoFileIn && core.m_pIVideoFileOut && core.m_pScaler);
  EXPECT_TRUE(Logged("m_pIVideoFileOut.CreateInstance(__uuidof(VideoFile))"));
  const int count = core.m_pIVideoFileOut->VideoCodecCount();
  ASSERT_GT(count, 0);
  ASSERT_EQ(core.m_arrVideoCodecs.size(), static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    EXPECT_EQ(core.m_arrVideoCodecs[k], VideoFile::VideoCodecName(k + 1)) << "entry " << k;
    EXPECT_FALSE(core.m_arrVideoCodecs[k].empty()) << "entry " << k;
  }
}

TEST_F(MainWindowCore, EnableControlsSwitchesExactlyTheControlsOfAJobAndTheConvertButtonsLook) {
  const std::map<int, bool> disabled = {
      {control_id::kAdvanced, false},      {control_id::kSettings, false},     {control_id::kAddFile, false},
      {control_id::kQualitySlider, false}, {control_id::kPlayerSlider, false}, {control_id::kPlay, false},
      {control_id::kStop, false},          {control_id::kRemoveFile, false},   {control_id::kSelectFolder, false},
      {control_id::kFilesList, false},
  };
  core.EnableControls(false);
  EXPECT_EQ(view.enabled, disabled) << "the Convert button is not among them: it cancels";
  EXPECT_EQ(view.elements.at(control_id::kConvert), "button_cancel");
  EXPECT_TRUE(Logged("CCastrel1Dlg::EnableControls - 0"));

  core.EnableControls(true);
  for (const auto& [id, enable] : view.enabled) EXPECT_TRUE(enable) << id;
  EXPECT_EQ(view.enabled.size(), disabled.size());
  EXPECT_EQ(view.elements.at(control_id::kConvert), "button_start");
  EXPECT_TRUE(Logged("CCastrel1Dlg::EnableControls - 1"));
}

TEST_F(MainWindowCore, ClosingWhileIdleSavesBothSettingsWaitsAndDeletesTheTemporaryFiles) {
  testkit::TempDir dir;
  const std::string stream = dir.File("converted.mpg");
  testkit::WriteFile(stream, "mpeg");
  CTemporaryFiles::AddTempFile(stream);
  core.m_formats[kFormatDvd]->video_bitrate_id = 3;
  core.m_nSliderPos = 4;

  const auto start = std::chrono::steady_clock::now();
  core.OnSysCommand(SC_CLOSE);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_TRUE(responder.Messages().empty()) << "idle: no question";
  EXPECT_EQ(view.closedWith, std::vector<int>{IDCANCEL});
  EXPECT_GE(elapsed, std::chrono::milliseconds(CCastrel1Dlg::kCloseDelayMs));
  EXPECT_FALSE(std::filesystem::exists(stream));
  EXPECT_TRUE(CTemporaryFiles::RegisteredFiles().empty());
  EXPECT_TRUE(Logged("simple exit application"));

  const std::string stored = registry.Text();
  EXPECT_NE(stored.find("[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]"), std::string::npos) << stored;
  EXPECT_NE(stored.find("\"DVD Video Bit Rate\"=dword:00000003"), std::string::npos) << stored;
  EXPECT_NE(stored.find("[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Settings]"), std::string::npos) << stored;
  EXPECT_NE(stored.find("\"SliderPos\"=dword:00000004"), std::string::npos) << stored;
}

TEST_F(MainWindowCore, ClosingWhileBusyAsksAndNoKeepsTheWindow) {
  core.m_bBusy = true;
  responder.QueueMessageAnswer(IDNO);
  core.OnSysCommand(SC_CLOSE);
  ASSERT_EQ(responder.Messages().size(), 1u);
  const MessageBoxRequest question = responder.Messages()[0];
  EXPECT_EQ(question.text, "Conversion in progress - Are you sure you want to quit now?");
  EXPECT_EQ(question.caption, "Message");
  EXPECT_EQ(question.flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_TRUE(view.closedWith.empty());
  EXPECT_FALSE(Logged("CCastrel1Dlg::OnCancel()"));

  responder.QueueMessageAnswer(IDYES);
  core.OnSysCommand(SC_CLOSE);
  EXPECT_EQ(view.closedWith, std::vector<int>{IDCANCEL});
}

TEST_F(MainWindowCore, EscapeDuringAListStopsItFirstAndClosesWhenTheListEnds) {
  core.m_bConverting = true;
  core.OnCancel();
  EXPECT_TRUE(StopFlag::IsSet());
  EXPECT_TRUE(core.m_bExitRequested);
  EXPECT_TRUE(view.closedWith.empty()) << "the window stays until the list has ended";
  EXPECT_TRUE(Logged("cancel process"));

  // The end of the list finds the request and closes through the same path.
  core.OnCancel();
  EXPECT_EQ(view.closedWith, std::vector<int>{IDCANCEL});
  EXPECT_TRUE(Logged("force exit application (still busy)"));
}

TEST_F(MainWindowCore, TheAboutCommandShowsTheAboutDialogAndOtherCommandsDoNotClose) {
  for (unsigned id : {IDM_ABOUTBOX, IDM_ABOUTBOX | 0x3}) core.OnSysCommand(id);
  ASSERT_EQ(responder.Dialogs().size(), 2u);
  EXPECT_EQ(responder.DialogNames()[0], "CAboutDlg");
  core.OnSysCommand(0xF020);  // minimise: the window manager's affair
  EXPECT_TRUE(view.closedWith.empty());
  EXPECT_TRUE(Logged("CCastrel1Dlg::OnSysCommand ID = 16"));
}

TEST_F(MainWindowCore, HelpOpensThePageNextToTheProgram) {
  std::vector<std::string> opened;
  ScopedShellOpener opener([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  core.OnButtonHelp();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(std::filesystem::path(opened[0]).filename(), "Orlenta.html");
  EXPECT_TRUE(std::filesystem::path(opened[0]).is_absolute());
  EXPECT_TRUE(Logged("CCastrel1Dlg::PrepareHelp() "));
}

TEST_F(MainWindowCore, TheChosenOutputFolderIsShownAndKeptAndCancellingChangesNothing) {
  const std::string before = core.m_strOutputFolder;
  core.OnOutputFolder();  // no answer queued: cancelled
  EXPECT_EQ(core.m_strOutputFolder, before);
  const auto asked = responder.Requests<BrowseFolderRequest>();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].caption, "Choose an output folder.");
  EXPECT_EQ(asked[0].startFolder, before);

  responder.QueueAnswer<BrowseFolderRequest>(IDOK, {"/media/videos/out put"});
  core.OnOutputFolder();
  EXPECT_EQ(core.m_strOutputFolder, "/media/videos/out put");
  EXPECT_EQ(core.m_strChosenFolder, "/media/videos/out put");
  EXPECT_EQ(view.outputFolder, "/media/videos/out put");
}

}  // namespace
