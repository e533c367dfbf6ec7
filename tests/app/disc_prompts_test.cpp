// The disc prompts of the window's core: the CD prompt of WM_SHOWDLG from the
// core's thread and from a worker, and the Erase buttons of both prompts.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <thread>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/erase_request.h"
#include "platform/registry/registry_test_env.h"

namespace {

// The program's QGuiApplication comes from dvd_job_test.cpp's environment.

class DiscPrompts : public ::testing::Test {
 protected:
  void SetUp() override { core.SetView(&view); }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST_F(DiscPrompts, TheCdPromptShowsTheCallersTextAndAnswersContinueOrCancel) {
  const std::pair<DialogResult, int> answers[] = {
      {MakeDialogResult<CDCountDlgRequest>(IDOK), IDOK},
      {MakeDialogResult<CDCountDlgRequest>(IDCANCEL), IDCANCEL},
      {DialogResult{}, IDCANCEL},                                // closed
      {MakeDialogResult<CDCountDlgRequest>(IDRETRY), IDCANCEL},  // anything but Continue
  };
  for (const auto& [answer, expected] : answers) {
    responder.QueueDialogAnswer(answer);
    EXPECT_EQ(core.ShowDlg("Please insert CD 2 of 3"), expected);
  }
  const auto prompts = responder.Requests<CDCountDlgRequest>();
  ASSERT_EQ(prompts.size(), 4u);
  EXPECT_EQ(prompts[0].text, "Please insert CD 2 of 3");
  EXPECT_EQ(responder.DialogNames()[0], "CCDCountDlg");
  bool logged = false;
  for (const auto& line : registry.LogLines())
    logged |= line.find("CCastrel1Dlg::ShowDlg - show CCDCountDlg dialog") != std::string::npos;
  EXPECT_TRUE(logged);
}

TEST_F(DiscPrompts, AWorkersPromptRunsOnTheCoresThreadWhileTheWorkerWaits) {
  // The core belongs to this thread, which runs an event loop below.
  const QThread* coreThread = QThread::currentThread();
  const QThread* askedOn = nullptr;
  responder.SetDialogHandler([&](const DialogRequest&) {
    askedOn = QThread::currentThread();
    return MakeDialogResult<CDCountDlgRequest>(IDOK);
  });
  QEventLoop loop;
  int answer = 0;
  std::thread worker([&] {
    answer = core.SendShowDlg("Insert the next CD");
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(askedOn, coreThread);
}

TEST_F(DiscPrompts, EraseButtonsOpenTheBurnersEraseWindowWhileProgressIsIgnored) {
  const std::pair<std::function<void()>, const char*> prompts[] = {
      {core.CDCountPrompt("text").erase, "Erase CD"},
      {core.EraseDVDPrompt().erase, "Erase DVD"},
  };
  for (const auto& [erase, caption] : prompts) {
    bool erasingMeanwhile = false;
    responder.SetDialogHandler([&](const DialogRequest&) {
      erasingMeanwhile = core.m_bErasing;
      return MakeDialogResult<EraseDiscRequest>(IDCANCEL);
    });
    erase();
    EXPECT_TRUE(erasingMeanwhile) << caption;
    EXPECT_FALSE(core.m_bErasing) << caption;
    EXPECT_EQ(responder.Requests<EraseDiscRequest>().back().caption, caption);
  }
}

}  // namespace
