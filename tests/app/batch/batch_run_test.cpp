// A batch job from start to end around the window's core, with the Convert
// button played by the test: how a job's end, its questions and a signal
// become the exit code and the lines on stderr.

#include "app/batch/batch_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTimer>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "disc/dvd_space_plan.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/registry/registry_test_env.h"

namespace {

using testing::HasSubstr;

class BatchRun : public ::testing::Test {
 protected:
  BatchRun() : m_data("XDG_DATA_HOME", m_dir.File("data")), m_stream(std::tmpfile()) {}
  ~BatchRun() override { std::fclose(m_stream); }

  // A short clip every input check accepts.
  std::string Clip(const std::string& name) {
    return testkit::MakeClip(m_dir.File(name), {.seconds = 1, .width = 64, .height = 48});
  }

  BatchOptions Options(bool yes = false) {
    BatchOptions options;
    options.format = kFormatDvd;
    options.outputFolder = m_dir.File("out");
    if (m_clip.empty()) m_clip = Clip("a.mp4");
    options.files = {m_clip};
    options.yes = yes;
    return options;
  }
  std::string Folder(const std::string& name) const { return m_dir.File(name); }

  int Run(const BatchOptions& options, const PressConvert& press) {
    return RunBatchJob(options, m_stream, false, [&](CCastrel1Dlg& core) {
      ++presses;
      press(core);
    });
  }

  std::string Output() {
    std::fflush(m_stream);
    std::rewind(m_stream);
    std::string text;
    for (int c = 0; (c = std::fgetc(m_stream)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  // The last line the run printed.
  std::string LastLine() {
    std::string text = Output();
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);
  }

  int presses = 0;

 private:
  std::string m_clip;
  ScopedRegistryFile m_registry;
  testkit::TempDir m_dir;
  testkit::ScopedEnv m_data;
  std::FILE* m_stream;
};

// A job that runs on the core's loop and ends after a moment with a message.
void FinishLater(CCastrel1Dlg& core, std::string text, unsigned flags = MB_OK) {
  core.m_bBusy = true;
  core.View()->SetStatusText("Converting to DVD-Compatible MPEG...");
  core.View()->SetProgress(40);
  QTimer::singleShot(20, [&core, text, flags] {
    MessageBox(core.View()->Handle(), text, "Message", flags);
    core.m_bBusy = false;
  });
}

TEST_F(BatchRun, TheJobsLastWordDecidesTheExitCode) {
  const std::pair<const char*, int> cases[] = {
      {"DVD created successfully!", kExitDone},
      {"CDs created successfully!", kExitDone},
      {"DVD has been Burned With Errors!\nWrite error", kExitFailed},
      {"Burning error: No medium", kExitFailed},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(Options(), [text = text](CCastrel1Dlg& core) { FinishLater(core, text); }), expected);
  }
  const std::string output = Output();
  EXPECT_THAT(output, HasSubstr("Converting to DVD-Compatible MPEG... 40%\n"));
  EXPECT_THAT(output, HasSubstr("DVD created successfully!\n"));
  EXPECT_THAT(output, HasSubstr("orlenta: the job failed: Burning error: No medium\n"));
}

TEST_F(BatchRun, PlanPrintsTheGaugesLinesAndConvertsNothing) {
  BatchOptions options = Options();
  options.files.push_back(Clip("b.mkv"));
  options.plan = true;
  options.dvdDiscSize = 1;
  // The gauge of a window core with the same files and disc size.
  std::vector<std::string> gauge;
  {
    RecordingView view;
    CCastrel1Dlg core;
    core.SetView(&view);
    core.SetDefaultSettings();
    core.LoadSettings();
    core.OnInitDialog();
    view.controls.nOutputFormat = kFormatDvd;
    core.OnFormatRadio(kFormatDvd);
    core.m_nDVDDiscSize = 1;
    for (const std::string& file : options.files) ASSERT_TRUE(core.AddFile(file));
    gauge = DiscPlanLines(view.plans.back());
    core.SetView(nullptr);
  }
  ASSERT_GE(gauge.size(), 3u);
  EXPECT_THAT(gauge[0], HasSubstr("of DVD-9 (8.5 GB)"));
  EXPECT_THAT(gauge[1], HasSubstr("in 2 files"));

  EXPECT_EQ(Run(options, [](CCastrel1Dlg&) { ADD_FAILURE() << "--plan converts nothing"; }), kExitDone);
  std::string expected;
  for (const std::string& line : gauge) expected += line + "\n";
  EXPECT_EQ(Output(), expected);
  EXPECT_EQ(presses, 0);
}

TEST_F(BatchRun, TitlesAndChaptersReachTheDvd) {
  BatchOptions options = Options();
  options.files.push_back(Clip("b.mkv"));
  options.titles = {{2, "The second"}};
  options.chapterMinutes = 0;
  std::vector<std::string> titles;
  int chapterSeconds = -1;
  Run(options, [&](CCastrel1Dlg& core) {
    titles = core.MenuTitles();
    chapterSeconds = core.m_nChapterSeconds;
  });
  EXPECT_EQ(titles, (std::vector<std::string>{"a", "The second"}));
  EXPECT_EQ(chapterSeconds, 0) << "one chapter a title";
}

TEST_F(BatchRun, TheOptionsReachTheCoreAsTheControlsWould) {
  BatchOptions options = Options();
  options.format = kFormatVcd;
  const std::string second = Clip("b.mkv");
  options.files = {std::filesystem::relative(options.files[0]).string(), second};
  options.selection = 1;
  options.discType = 0;
  options.image = true;
  std::vector<std::string> listed;
  int selection = -2;
  const int code = Run(options, [&](CCastrel1Dlg& core) {
    for (int index = 0; index < core.View()->ListCount(); ++index) listed.push_back(core.View()->ListText(index));
    selection = core.View()->ListSelection();
    EXPECT_EQ(core.m_nOutputFormat, kFormatVcd);
    EXPECT_EQ(core.m_nVCDType, 0);
    EXPECT_EQ(core.m_formats[kFormatVcd]->video_codec_id, 0);
    EXPECT_EQ(core.m_strChosenFolder, options.outputFolder);
  });
  EXPECT_EQ(code, kExitFailed) << "no job ran, so nothing succeeded";
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0], Options().files[0]) << "made absolute";
  EXPECT_EQ(listed[1], second);
  EXPECT_EQ(selection, 1);
  EXPECT_THAT(Output(), HasSubstr("orlenta: the job failed: it ended without a result."));

  options.image = false;
  options.device = 25;
  EXPECT_EQ(Run(options, [](CCastrel1Dlg&) {}), kExitUsage);
  EXPECT_THAT(Output(), HasSubstr("Option '--device' 25"));
}

TEST_F(BatchRun, EveryRefusedInputEndsTheRunBeforeConvertingWithTheFileAndTheReason) {
  const std::string notes = Folder("notes.txt");
  testkit::WriteFile(notes, "not a video");
  std::filesystem::create_directories(Folder("a folder.mp4"));
  const std::string missing = Folder("no such.mp4");
  const std::string divx = testkit::WithVideoCode(
      testkit::MakeClip(Folder("divx.avi"),
                        {.seconds = 1, .width = 64, .height = 48, .outputArguments = {"-c:v", "mpeg4"}}),
      "FMP4", "QQZZ", Folder("unknown codec.avi"));
  const std::pair<std::string, std::string> cases[] = {
      {divx, "orlenta: " + divx + ": The video of this file cannot be decoded: its codec \"QQZZ\" is unknown."},
      {missing, "orlenta: " + missing + ": The file does not exist."},
      {Folder("a folder.mp4"), "orlenta: " + Folder("a folder.mp4") + ": This is a folder, not a video file."},
      {notes, "orlenta: " + notes + " is not a video file or format is not supported!"},
  };
  for (const auto& [file, lastLine] : cases) {
    SCOPED_TRACE(file);
    BatchOptions options = Options(true);
    options.files.push_back(file);
    presses = 0;
    EXPECT_EQ(Run(options, PressConvertButton), kExitFailed);
    EXPECT_EQ(presses, 0) << "nothing was converted";
    EXPECT_EQ(LastLine(), lastLine);
  }
}

TEST_F(BatchRun, TooManyTitlesForADvdMenuIsTheLastLine) {
  BatchOptions options = Options(true);
  options.files.assign(200, options.files[0]);
  EXPECT_EQ(Run(options, PressConvertButton), kExitFailed);
  EXPECT_EQ(LastLine(),
            "orlenta: the job failed: A DVD menu holds at most " + std::to_string(kDvdMaxTitles) +
                " titles, and the list holds 200 files. Please remove some files (or make a second DVD of them) and "
                "press Convert again.");
}

TEST_F(BatchRun, AnOutputFolderThatCannotBeWrittenIsNamedBeforeAnythingStarts) {
  std::string folder = Folder("read-only");
  std::filesystem::create_directories(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  // An administrator writes anywhere the permissions say no; not into /proc.
  if (::access(folder.c_str(), W_OK) == 0) folder = "/proc/self";
  BatchOptions options = Options(true);
  options.outputFolder = folder;
  EXPECT_EQ(Run(options, PressConvertButton), kExitUsage);
  EXPECT_EQ(presses, 0);
  EXPECT_THAT(LastLine(),
              testing::StartsWith("orlenta: Option '--output': the folder " + folder + " cannot be written ("));
  std::filesystem::permissions(Folder("read-only"), std::filesystem::perms::owner_all);
}

TEST_F(BatchRun, ACdForADriveAsksForItsDiscBeforeConvertingAndAnImageNeedsNoAnswer) {
  const std::string drive = Folder("drive.img");
  testkit::WriteFile(drive, "");
  testkit::ScopedEnv drives(kPseudoDrivesVariable, drive);
  BatchOptions options = Options(false);
  options.format = kFormatVcd;
  const auto devices = ListBurnerDevices();
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].kind == BurnerDevice::Kind::FileDrive) options.device = static_cast<int>(i);
  }
  ASSERT_TRUE(options.device.has_value());
  EXPECT_EQ(Run(options, PressConvertButton), kExitFailed);
  EXPECT_EQ(presses, 0) << "asked before converting";
  const std::string output = Output();
  EXPECT_TRUE(
      output.ends_with("orlenta: the job stopped at a question that needs an answer:\n"
                       "  Please insert an empty CD to burn.\n"
                       "Run it again with --yes to answer Continue.\n"))
      << output;
  EXPECT_EQ(output.find("Please insert"), output.rfind("Please insert")) << "the question is printed once";

  // The image writer takes no disc: its prompt needs nobody.
  options.device.reset();
  options.image = true;
  bool answered = false;
  EXPECT_EQ(Run(options,
                [&](CCastrel1Dlg& core) {
                  answered = core.ShowDlg("Please insert an empty CD to burn.") == IDOK;
                  FinishLater(core, "CD created successfully!");
                }),
            kExitDone);
  EXPECT_TRUE(answered);
}

TEST_F(BatchRun, AQuestionNeedsYes) {
  const auto ask = [](CCastrel1Dlg& core) {
    const int answer =
        MessageBox(core.View()->Handle(),
                   "Orlenta can burn only one (the selected) file per VCD. Please click 'OK' to continue "
                   "or 'Cancel' to abort burning.",
                   "Message", MB_OKCANCEL);
    if (answer == IDOK) FinishLater(core, "CD created successfully!");
  };
  EXPECT_EQ(Run(Options(false), ask), kExitFailed);
  const std::string output = Output();
  EXPECT_TRUE(
      output.ends_with("orlenta: the job stopped at a question that needs an answer:\n"
                       "  Orlenta can burn only one (the selected) file per VCD. Please click 'OK' to "
                       "continue or 'Cancel' to abort burning.\n"
                       "Run it again with --yes to answer OK.\n"))
      << output;
  EXPECT_EQ(output.find("can burn only one"), output.rfind("can burn only one")) << "printed once";
  EXPECT_EQ(Run(Options(true), ask), kExitDone);
}

TEST_F(BatchRun, ASignalCancelsThroughTheConvertButton) {
  const int code = Run(Options(), [](CCastrel1Dlg& core) {
    if (!core.m_bBusy) {
      core.m_bBusy = true;
      core.View()->SetStatusText("Converting to DVD-Compatible MPEG...");
      QTimer::singleShot(20, [] { std::raise(SIGINT); });
      return;
    }
    // Pressed again while busy: the cancel.
    MessageBox(core.View()->Handle(), "Conversion canceled by user!", "Message", MB_OK | MB_ICONINFORMATION);
    core.m_bBusy = false;
  });
  EXPECT_EQ(code, kExitInterrupted);
  EXPECT_EQ(presses, 2);
  const std::string output = Output();
  EXPECT_THAT(output, HasSubstr("orlenta: interrupted; cancelling the job.\n"));
  EXPECT_THAT(output, HasSubstr("Conversion canceled by user!\n"));
  EXPECT_THAT(output, HasSubstr("orlenta: the job was cancelled.\n"));
}

}  // namespace
