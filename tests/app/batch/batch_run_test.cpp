// A batch job from start to end around the window's core, with the Convert
// button played by the test: how a job's end, its questions and a signal
// become the exit code and the lines on stderr.

#include "app/batch/batch_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTimer>
#include <csignal>
#include <cstdio>

#include "app/main_window_core.h"
#include "common/test_kit.h"
#include "platform/dialogs/message_box.h"
#include "platform/registry/registry_test_env.h"

namespace {

using testing::HasSubstr;

class BatchRun : public ::testing::Test {
 protected:
  BatchRun() : m_data("XDG_DATA_HOME", m_dir.File("data")), m_stream(std::tmpfile()) {}
  ~BatchRun() override { std::fclose(m_stream); }

  BatchOptions Options(bool yes = false) {
    BatchOptions options;
    options.format = kFormatDvd;
    options.outputFolder = m_dir.File("out");
    options.files = {m_dir.File("a.mp4")};
    options.yes = yes;
    return options;
  }

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

  int presses = 0;

 private:
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

TEST_F(BatchRun, TheOptionsReachTheCoreAsTheControlsWould) {
  BatchOptions options = Options();
  options.format = kFormatVcd;
  options.files = {"relative/a.mp4", "/abs/b.mkv"};
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
  EXPECT_TRUE(listed[0].starts_with("/") && listed[0].ends_with("/relative/a.mp4")) << listed[0];
  EXPECT_EQ(listed[1], "/abs/b.mkv");
  EXPECT_EQ(selection, 1);
  EXPECT_THAT(Output(), HasSubstr("orlenta: the job failed: it ended without a result."));

  options.image = false;
  options.device = 25;
  EXPECT_EQ(Run(options, [](CCastrel1Dlg&) {}), kExitUsage);
  EXPECT_THAT(Output(), HasSubstr("Option '--device' 25"));
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
  EXPECT_THAT(Output(), HasSubstr("orlenta: the job stopped at a question that needs an answer:\n"
                                  "  Orlenta can burn only one (the selected) file per VCD."));
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
