#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <thread>

#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/widgets/qt_responder.h"

namespace {

TEST(MessageBox, WithoutResponderAnswersTheDefaultButton) {
  ASSERT_EQ(GetDialogResponder(), nullptr);
  struct Case {
    unsigned flags;
    int answer;
  };
  for (const Case& c : {Case{MB_OK, IDOK}, Case{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                        Case{MB_YESNO | MB_ICONQUESTION, IDYES}, Case{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                        Case{MB_RETRYCANCEL, IDRETRY}, Case{MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY}}) {
    EXPECT_EQ(MessageBox(nullptr, "text", kApplicationTitle, c.flags), c.answer) << c.flags;
  }
  EXPECT_EQ(ShowModalDialog(nullptr, {"EraseDialog"}).code, IDCANCEL);
}

TEST(ScriptedResponder, RecordsAndAnswersInOrderThenRestoresThePrevious) {
  {
    ScriptedResponder outer;
    {
      ScriptedResponder inner;
      inner.QueueMessageAnswer(IDNO);
      inner.QueueDialogAnswer({IDOK, {"/media/disc"}});
      EXPECT_EQ(MessageBox(nullptr, "Erase?", "Message", MB_YESNO), IDNO);
      EXPECT_EQ(MessageBox(nullptr, "Again?", "Message", MB_YESNO), IDYES) << "the default once the script is used up";
      EXPECT_EQ(ShowModalDialog(nullptr, {"BrowseFolder"}).values, std::vector<std::string>{"/media/disc"});
      EXPECT_EQ(inner.MessageTexts(), (std::vector<std::string>{"Erase?", "Again?"}));
      EXPECT_EQ(inner.Messages()[0].caption, "Message");
      EXPECT_EQ(inner.Dialogs()[0].name, "BrowseFolder");
    }
    EXPECT_EQ(GetDialogResponder(), &outer);
    EXPECT_TRUE(outer.Messages().empty());
  }
  EXPECT_EQ(GetDialogResponder(), nullptr);
}

TEST(QtResponder, DialogsRunOnTheWindowThreadWhoeverAsks) {
  int argc = 1;
  char name[] = "test_dialogs";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QtResponder responder;
  SetDialogResponder(&responder);
  responder.RegisterDialog("Probe", [&](QWidget*, const DialogRequest& request) {
    const bool onWindowThread = QThread::currentThread() == app.thread();
    return DialogResult{IDOK, {request.text, onWindowThread ? "window thread" : "other thread"}};
  });

  // Asked on the window thread: answered directly.
  EXPECT_EQ(ShowModalDialog(nullptr, {"Probe", "", "direct"}).values,
            (std::vector<std::string>{"direct", "window thread"}));

  // Asked from a worker: the worker waits while the window thread answers.
  DialogResult fromWorker;
  DialogResult unknown;
  QEventLoop loop;
  std::thread worker([&] {
    fromWorker = ShowModalDialog(nullptr, {"Probe", "", "worker"});
    unknown = ShowModalDialog(nullptr, {"NoSuchDialog"});
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  SetDialogResponder(nullptr);

  EXPECT_EQ(fromWorker.code, IDOK);
  EXPECT_EQ(fromWorker.values, (std::vector<std::string>{"worker", "window thread"}));
  EXPECT_EQ(unknown.code, IDCANCEL);
}

}  // namespace
