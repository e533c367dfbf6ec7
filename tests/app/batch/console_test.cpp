// The batch mode's console: progress lines for a terminal and for a log, and
// the responder that answers from the options.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/batch/console_progress.h"
#include "app/batch/console_responder.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/disc/burning/erase_request.h"

namespace {

using std::chrono::milliseconds;
using testing::HasSubstr;
using testing::Not;

// A stream whose text a test can read back.
class CapturedStream {
 public:
  CapturedStream() : m_file(std::tmpfile()) {}
  ~CapturedStream() { std::fclose(m_file); }
  std::FILE* File() { return m_file; }
  std::string Text() {
    std::fflush(m_file);
    std::rewind(m_file);
    std::string text;
    for (int c = 0; (c = std::fgetc(m_file)) != EOF;) text += static_cast<char>(c);
    return text;
  }

 private:
  std::FILE* m_file;
};

TEST(ConsoleProgress, ALogGetsOneLinePerStageAndWholePercent) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), false);
  progress.Percent(0);  // the bar's reset before a job: not shown
  progress.Stage("Converting to DVD-Compatible MPEG...");
  progress.Percent(1);
  progress.Percent(1);
  progress.TimeLeft(milliseconds(155'000));  // rides along with the next line
  progress.Percent(2);
  progress.Message("Error #12: Conversion problem");
  progress.Stage("Authoring in progress...");
  progress.Finish();
  EXPECT_EQ(stream.Text(),
            "Converting to DVD-Compatible MPEG... 0%\n"
            "Converting to DVD-Compatible MPEG... 1%\n"
            "Converting to DVD-Compatible MPEG... 2% (2:35 left)\n"
            "Error #12: Conversion problem\n"
            "Authoring in progress... 2% (2:35 left)\n");
}

TEST(ConsoleProgress, ATerminalGetsOneLineThatRedraws) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), true);
  progress.Stage("Converting to VCD Compatible MPEG...");
  progress.Percent(37);
  progress.TimeLeft(milliseconds(9'000));
  progress.Message("Please insert an empty CD to burn.");
  progress.TimeLeft(std::nullopt);
  progress.Finish();
  const std::string text = stream.Text();
  EXPECT_THAT(text, HasSubstr("\r\033[KConverting to VCD Compatible MPEG... 37%\r\033[K"));
  EXPECT_THAT(text, HasSubstr("\r\033[KConverting to VCD Compatible MPEG... 37% (0:09 left)\r\033[K"
                              "Please insert an empty CD to burn.\n"));
  EXPECT_TRUE(text.ends_with("\r\033[KConverting to VCD Compatible MPEG... 37%\n")) << text;
}

TEST(ConsoleResponder, MessagesAreShownAndQuestionsAnsweredFromTheOptions) {
  struct Case {
    unsigned flags;
    bool yes;
    int expected;
  };
  const Case cases[] = {
      {MB_OK, false, IDOK},
      {MB_OK | MB_ICONERROR, true, IDOK},
      {MB_OKCANCEL, false, IDCANCEL},
      {MB_OKCANCEL, true, IDOK},
      {MB_YESNO | MB_ICONQUESTION, false, IDNO},
      {MB_YESNO | MB_ICONQUESTION, true, IDYES},
      {MB_YESNOCANCEL, false, IDCANCEL},
      {MB_RETRYCANCEL, true, IDRETRY},
      {MB_ABORTRETRYIGNORE, false, IDABORT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.flags << (c.yes ? " --yes" : ""));
    CapturedStream stream;
    ConsoleProgress progress(stream.File(), false);
    ConsoleResponder responder(progress, c.yes);
    EXPECT_EQ(responder.ShowMessage(nullptr, {"Please insert a blank DVD and press OK!", "Message", c.flags}),
              c.expected);
    const bool question = (c.flags & MB_TYPEMASK) != MB_OK;
    const bool unanswered = question && !c.yes;
    ASSERT_EQ(responder.UnansweredQuestion().has_value(), unanswered);
    if (unanswered) {
      // Kept for the run's last words, and not printed twice.
      EXPECT_EQ(responder.UnansweredQuestion()->text, "Please insert a blank DVD and press OK!");
      EXPECT_THAT(stream.Text(), Not(HasSubstr("Please insert")));
    } else {
      EXPECT_THAT(stream.Text(), HasSubstr("Please insert a blank DVD and press OK!\n"));
    }
  }
}

TEST(ConsoleResponder, TheDiscPromptsAreQuestionsWithTheirOwnText) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), false);
  ConsoleResponder yes(progress, true);
  EXPECT_EQ(yes.ShowDialog(nullptr, CDCountDlgRequest{"Please insert empty CD #2 to burn.", {}}).code, IDOK);
  EXPECT_EQ(yes.ShowDialog(nullptr, EraseDVDDlgRequest{}).code, IDOK);
  EXPECT_THAT(stream.Text(), HasSubstr("Please insert empty CD #2 to burn.\n-> Continue (--yes)\n"));
  EXPECT_THAT(stream.Text(), HasSubstr(std::string(kEraseDvdPromptText) + "\n-> OK (--yes)\n"));
  EXPECT_THAT(stream.Text(), Not(HasSubstr("CCDCountDlg")));

  ConsoleResponder no(progress, false);
  EXPECT_EQ(no.ShowDialog(nullptr, CDCountDlgRequest{"Please insert an empty CD to burn.", {}}).code, IDCANCEL);
  ASSERT_TRUE(no.UnansweredQuestion().has_value());
  EXPECT_EQ(no.UnansweredQuestion()->text, "Please insert an empty CD to burn.");
  EXPECT_EQ(no.UnansweredQuestion()->goOnButton, "Continue");
  // What the job says only because of that answer is not the run's news.
  no.ShowMessage(nullptr, {"Burning process canceled by user", "Message", MB_OK});
  EXPECT_THAT(stream.Text(), Not(HasSubstr("Burning process canceled by user")));

  ConsoleResponder image(progress, false);
  image.ContinueAtDiscPrompts();
  EXPECT_EQ(image.ShowDialog(nullptr, CDCountDlgRequest{"Please insert an empty CD to burn.", {}}).code, IDOK);
  EXPECT_FALSE(image.UnansweredQuestion().has_value());
}

TEST(ConsoleResponder, TheSameQuestionIsAnsweredYesOnlyAFewTimes) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), false);
  ConsoleResponder responder(progress, true);
  const MessageBoxRequest insert{"Please insert a blank DVD and press OK!", "Message", MB_OKCANCEL};
  for (int time = 0; time < ConsoleResponder::kMaxSameAnswers; ++time) {
    EXPECT_EQ(responder.ShowMessage(nullptr, insert), IDOK);
  }
  EXPECT_EQ(responder.ShowMessage(nullptr, insert), IDCANCEL);
  EXPECT_THAT(responder.LastComplaint(), HasSubstr("Please insert a blank DVD"));
  // Another question starts the count again.
  EXPECT_EQ(responder.ShowMessage(nullptr, {"Go on?", "Message", MB_OKCANCEL}), IDOK);
}

TEST(ConsoleResponder, TheOutcomeOfAJob) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), false);
  ConsoleResponder responder(progress, false);
  EXPECT_FALSE(responder.SawSuccess());
  responder.ShowMessage(nullptr, {"Error #12: Conversion problem", "Orlenta", MB_OK | MB_ICONERROR});
  EXPECT_EQ(responder.LastComplaint(), "Error #12: Conversion problem");
  EXPECT_FALSE(responder.SawSuccess());
  responder.ShowMessage(nullptr, {"DVD created successfully!", "Message", MB_OK});
  EXPECT_TRUE(responder.SawSuccess());
  for (const char* text : {"DVD created successfully!", "CD created successfully!", "CDs created successfully!",
                           "CD created successfully!\n\nThe disc image:\n\"Video CD.cue/.bin\" in ~/Documents",
                           "\"/v/a_new.avi\"\n\"/v/b_new.avi\"\nwere created successfully!"}) {
    EXPECT_TRUE(ConsoleResponder::IsSuccessText(text)) << text;
  }
  for (const char* text : {"DVD has been Burned With Errors!\nx", "CDs have been burnt with errors!",
                           "Burning process canceled by user", "Conversion canceled by user!"}) {
    EXPECT_FALSE(ConsoleResponder::IsSuccessText(text)) << text;
  }

  // The image writer's DVD result offers the image's folder: a success, and the
  // offer is declined even with --yes (no file manager for a script).
  ConsoleResponder image(progress, true);
  EXPECT_EQ(image.ShowMessage(nullptr, {"DVD created successfully!\n\nThe DVD image is \"/v/Video DVD.iso\".\nOpen "
                                        "its folder?",
                                        "Message", MB_YESNO | MB_ICONINFORMATION}),
            IDNO);
  EXPECT_TRUE(image.SawSuccess());

  // The success dialog of a single file counts, and prints its text.
  ConsoleResponder single(progress, false);
  EXPECT_EQ(single.ShowDialog(nullptr, SuccessDialogRequest{"/v/a_new.avi"}).code, IDOK);
  EXPECT_TRUE(single.SawSuccess());
  EXPECT_THAT(stream.Text(), HasSubstr("\"/v/a_new.avi\" created successfully.\n"));
}

TEST(ConsoleResponder, NoDiscIsErasedAndNoBrowserOpenedWithoutAPerson) {
  CapturedStream stream;
  ConsoleProgress progress(stream.File(), false);
  ConsoleResponder responder(progress, true);
  EXPECT_EQ(responder.ShowDialog(nullptr, EraseDiscRequest{"Erase DVD", {}, 'A'}).code, IDCANCEL);
  EXPECT_EQ(responder.ShowDialog(nullptr, FindCodecRequest{"Codec Required", "XVID"}).code, IDCANCEL);
  EXPECT_EQ(responder.ShowDialog(nullptr, MovWarningRequest{}).code, IDCANCEL);
  EXPECT_FALSE(responder.UnansweredQuestion().has_value());
  EXPECT_THAT(stream.Text(), Not(HasSubstr("-> OK")));
}

}  // namespace
