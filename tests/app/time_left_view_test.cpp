// The time left of a job, read from what the core shows of it.

#include "app/time_left_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/scripted_responder.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = TimeLeftEstimate::Clock;

class TimeLeft : public ::testing::Test {
 protected:
  TimeLeft()
      : view(
            core, recording, [this](auto remaining) { heard.push_back(remaining); }, [this] { return now; }) {
    core.SetView(&view);
  }

  // The core as the Convert command leaves it: two inputs of 2 and 4 s.
  void Plan(OutputFormatId format) {
    core.m_nOutputFormat = format;
    core.m_arrConvertInputs = {PathBuffer(testkit::MakeClip(dir.File("two.avi"), {.seconds = 2})),
                               PathBuffer(testkit::MakeClip(dir.File("four.avi"), {.seconds = 4}))};
    core.m_nInputCount = 2;
    core.m_nCurrentFile = 1;
    // A disc's conversion fills the bar up to 75, authoring and the image the rest.
    core.m_nProgressRange = format >= kFormatDvd ? 75 : 100;
  }

  std::optional<milliseconds> Last() const { return heard.empty() ? std::nullopt : heard.back(); }

  testkit::TempDir dir;
  CCastrel1Dlg core;
  RecordingView recording;
  Clock::time_point now{};
  std::vector<std::optional<milliseconds>> heard;
  TimeLeftView view;
};

TEST_F(TimeLeft, FollowsTheConversionAndPassesEverythingOn) {
  Plan(kFormatAvi);
  view.SetStatusText("Converting to AVI...");
  EXPECT_EQ(recording.status, "Converting to AVI...");
  EXPECT_TRUE(heard.empty()) << "no figure before the speed is known";

  // Half of the first file (1 s of 6) in 4 s: the 5 s left take 20 s.
  now += seconds(4);
  view.SetProgress(25);
  view.SetCompletedText("Completed: 25.00%");
  EXPECT_EQ(recording.progress, 25);
  EXPECT_EQ(recording.completed, "Completed: 25.00%");
  ASSERT_TRUE(Last().has_value());
  EXPECT_EQ(*Last(), seconds(20));
  EXPECT_EQ(TimeLeftView::WindowTitle(Last()), "Orlenta - 0:20 left");

  // Into the second file, which is longer: its share of the bar weighs more.
  now += seconds(4);
  core.m_nCurrentFile = 2;
  view.SetCompletedText("Completed: 75.00%");  // 2 + 2 of 6 s in 8 s
  EXPECT_EQ(*Last(), seconds(4));

  // The job ends: the figure goes.
  view.SetButtonElement(control_id::kConvert, "button_start");
  EXPECT_EQ(recording.elements.at(control_id::kConvert), "button_start");
  EXPECT_FALSE(Last().has_value());
  EXPECT_EQ(TimeLeftView::WindowTitle(Last()), "Orlenta");
}

TEST_F(TimeLeft, FilesConvertingSideBySideCountByTheirOwnProgress) {
  Plan(kFormatAvi);
  core.m_arrFilePercents = {0, 0};
  view.SetStatusText("Converting to AVI...");
  // After 4 s the 2-second file is done and the 4-second one a quarter in:
  // 3 s of 6 in 4 s, so the 3 s left take 4 s. The bar (the list's equal
  // shares: 62.5 %) would say otherwise.
  now += seconds(4);
  core.m_arrFilePercents = {100, 25};
  view.SetCompletedText("Completed: 62.50%");
  ASSERT_TRUE(Last().has_value());
  EXPECT_EQ(*Last(), seconds(4));
}

TEST_F(TimeLeft, ADiscJobsLaterStagesFollowTheSizeOfTheConvertedFiles) {
  Plan(kFormatDvd);
  core.m_arrFilePercents = {0, 0};
  core.m_arrOutputFiles = {dir.File("two_new"), dir.File("four_new")};
  view.SetStatusText("Converting to DVD-Compatible MPEG...");
  now += seconds(4);
  core.m_arrFilePercents = {50, 25};
  view.SetCompletedText("Completed: 28.13%");
  ASSERT_TRUE(Last().has_value());
  const milliseconds planned = *Last();  // the planned rate: a few MB, moved in seconds

  // The first file ends holding 600 MB (sparse): three times that to author
  // and to write as an image, at disk speed.
  { std::ofstream(dir.File("two_new.mpg")).put('x'); }
  std::filesystem::resize_file(dir.File("two_new.mpg"), 600'000'000);
  core.m_arrFilePercents = {100, 25};
  view.SetCompletedText("Completed: 46.88%");
  ASSERT_TRUE(Last().has_value());
  EXPECT_GT(*Last(), planned + seconds(20));
}

TEST_F(TimeLeft, ADiscJobCountsItsAuthoringAndImage) {
  Plan(kFormatDvd);
  view.SetStatusText("Converting to DVD-Compatible MPEG...");
  now += seconds(6);
  core.m_nCurrentFile = 2;
  view.SetCompletedText("Completed: 75.00%");  // everything converted
  core.m_nCurrentFile = 3;
  ASSERT_TRUE(Last().has_value());
  const milliseconds afterConverting = *Last();
  EXPECT_GT(afterConverting, milliseconds(0)) << "authoring and the image still come";
  EXPECT_LT(afterConverting, seconds(10));

  view.SetStatusText("Authoring in progress...");
  now += seconds(2);
  view.SetCompletedText("Completed: 80.00%");  // half of 75..85 in 2 s: 2 s more, then the image
  ASSERT_TRUE(Last().has_value());
  EXPECT_GE(*Last(), seconds(2));
  EXPECT_LT(*Last(), seconds(4));

  view.SetStatusText("Burning in progress...");
  now += seconds(2);
  view.SetCompletedText("Completed: 94.00%");
  EXPECT_LE(*Last(), seconds(1));
}

TEST_F(TimeLeft, AQuestionStopsTheClockAndTheFullBarEndsTheFigure) {
  Plan(kFormatAvi);
  ScriptedResponder responder;
  const QuestionPause pause(view);
  view.SetStatusText("Converting to AVI...");
  now += seconds(4);
  view.SetCompletedText("Completed: 25.00%");
  ASSERT_TRUE(Last().has_value());
  EXPECT_EQ(*Last(), seconds(20));

  // A question waits ten minutes: the job is no slower for it.
  responder.SetDialogHandler([this](const DialogRequest&) {
    now += std::chrono::minutes(10);
    return DialogResult{IDOK, {}};
  });
  AskDialog(nullptr, CDCountDlgRequest{"Please insert an empty CD to burn.", {}});
  view.SetCompletedText("Completed: 25.00%");
  EXPECT_EQ(*Last(), seconds(20)) << "the figure stood still while the question waited";
  EXPECT_EQ(responder.DialogNames().size(), 1u) << "the question reached the user";

  // The bar full: the job's end shows no figure, whatever message follows.
  view.SetProgress(100);
  EXPECT_FALSE(Last().has_value());
  view.SetCompletedText("Completed 100.00%");
  EXPECT_FALSE(Last().has_value());
}

}  // namespace
