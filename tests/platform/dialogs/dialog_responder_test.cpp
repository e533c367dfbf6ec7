#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>
#include <thread>

#include "common/test_kit.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/shell_open.h"
#include "platform/dialogs/widgets/desktop_opener.h"
#include "platform/dialogs/widgets/file_chooser_dialogs.h"
#include "platform/dialogs/widgets/qt_responder.h"

namespace {

// A dialog of the tests' own, answered with the text it was asked with.
struct ProbeAnswer {
  std::string text;
  std::string thread;
};
struct ProbeRequest {
  static constexpr const char* kName = "Probe";
  using Answer = ProbeAnswer;
  std::string text;
};
struct NoticeRequest {
  static constexpr const char* kName = "Notice";
  using Answer = ButtonAnswer;
};

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
  const auto reply = AskDialog(nullptr, BrowseFolderRequest{"Choose", "/tmp"});
  EXPECT_EQ(reply.code, IDCANCEL);
  EXPECT_FALSE(reply.answer.has_value());
}

TEST(ScriptedResponder, RecordsAndAnswersInOrderThenRestoresThePrevious) {
  {
    ScriptedResponder outer;
    {
      ScriptedResponder inner;
      inner.QueueMessageAnswer(IDNO);
      inner.QueueAnswer<BrowseFolderRequest>(IDOK, {"/media/disc"});
      inner.QueueAnswer<NoticeRequest>(IDRETRY);
      EXPECT_EQ(MessageBox(nullptr, "Erase?", "Message", MB_YESNO), IDNO);
      EXPECT_EQ(MessageBox(nullptr, "Again?", "Message", MB_YESNO), IDYES) << "the default once the script is used up";
      const auto folder = AskDialog(nullptr, BrowseFolderRequest{"Output folder", "/home"});
      EXPECT_EQ(folder.code, IDOK);
      ASSERT_TRUE(folder.answer.has_value());
      EXPECT_EQ(folder.answer->folder, "/media/disc");
      EXPECT_EQ(AskDialog(nullptr, NoticeRequest{}).code, IDRETRY);
      EXPECT_EQ(AskDialog(nullptr, NoticeRequest{}).code, IDCANCEL) << "Cancel once the script is used up";
      EXPECT_EQ(inner.MessageTexts(), (std::vector<std::string>{"Erase?", "Again?"}));
      EXPECT_EQ(inner.Messages()[0].caption, "Message");
      EXPECT_EQ(inner.DialogNames(), (std::vector<std::string>{"BrowseFolder", "Notice", "Notice"}));
      const auto asked = inner.Requests<BrowseFolderRequest>();
      ASSERT_EQ(asked.size(), 1U);
      EXPECT_EQ(asked[0].caption, "Output folder");
      EXPECT_EQ(asked[0].startFolder, "/home");
      EXPECT_TRUE(inner.Requests<OpenFilesRequest>().empty());
    }
    EXPECT_EQ(GetDialogResponder(), &outer);
    EXPECT_TRUE(outer.Messages().empty());
  }
  EXPECT_EQ(GetDialogResponder(), nullptr);
}

TEST(AskDialog, AnAnswerOfAnotherKindIsCancel) {
  ScriptedResponder responder;
  responder.QueueAnswer<BrowseFolderRequest>(IDOK, {"/tmp"});
  responder.QueueDialogAnswer({IDOK, {}});
  const auto wrong = AskDialog(nullptr, OpenFilesRequest{});
  EXPECT_EQ(wrong.code, IDCANCEL);
  EXPECT_FALSE(wrong.answer.has_value());
  const auto bare = AskDialog(nullptr, OpenFilesRequest{});
  EXPECT_EQ(bare.code, IDOK) << "a code without an answer is passed on";
  EXPECT_FALSE(bare.answer.has_value());
}

TEST(FileFilters, FromTheChoosersFilterText) {
  const auto filters = FileFiltersFromText(
      "All Video Files|*.avi;*.mpg|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Empty||All files (*.*)|*.*|");
  const std::vector<FileFilter> expected = {{"All Video Files", {"*.avi", "*.mpg"}},
                                            {"Quick Time Files (*.mov, *.qt)", {"*.mov", "*.qt"}},
                                            {"All files (*.*)", {"*.*"}}};
  EXPECT_EQ(filters, expected);
  EXPECT_TRUE(FileFiltersFromText("").empty());
  EXPECT_TRUE(FileFiltersFromText("No patterns").empty());
  EXPECT_EQ(QtNameFilters(filters),
            (QStringList{"All Video Files (*.[aA][vV][iI] *.[mM][pP][gG])",
                         "Quick Time Files (*.mov, *.qt) (*.[mM][oO][vV] *.[qQ][tT])", "All files (*.*) (*)"}));
}

TEST(FileFilters, QtPatternsMatchEitherCaseAndStarDotStarMatchesEveryFile) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.avi", "film.avi", true},  {"*.avi", "FILM.AVI", true}, {"*.avi", "film.Avi", true},
      {"*.avi", "film.mpg", false}, {"*.mp2", "a.MP2", true},    {"*.*", "README", true},
      {"*.*", "film.avi", true},    {"*.qt", "x.qt.bak", false},
  };
  for (const Case& test : cases) {
    const QRegularExpression matcher(
        QRegularExpression::wildcardToRegularExpression(CaseInsensitivePattern(test.pattern)));
    EXPECT_EQ(matcher.match(test.name).hasMatch(), test.matches) << test.pattern << " " << test.name;
  }
}

TEST(FileChoosers, ANameThatIsNotUtf8GetsItsBytesBackFromHowTheChooserShowsIt) {
  testkit::TempDir dir;
  const std::string root = dir.path().string();
  const std::string folder = root + "/caf\xe9";
  std::filesystem::create_directories(folder);
  const std::string clip = folder + "/b\xff\xfe.mp4";
  testkit::WriteFile(clip, "");
  testkit::WriteFile(folder + "/x\xff", "");
  testkit::WriteFile(folder + "/x\xfe", "");  // shown just as the one before
  const auto shown = [](const std::string& bytes) { return QString::fromLocal8Bit(bytes.c_str()).toStdString(); };
  const std::pair<std::string, std::string> cases[] = {
      {shown(clip), clip},
      {shown(folder), folder},
      {root + "/plain.mp4", root + "/plain.mp4"},                // no such file: as shown
      {shown(folder + "/x\xff"), shown(folder + "/x\xff")},      // two entries match: as shown
      {"relative\xef\xbf\xbd.mp4", "relative\xef\xbf\xbd.mp4"},  // not a full path
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(PathBytesOfShownPath(path), expected) << path;
}

TEST(ShellOpen, GoesToTheInstalledOpenerAndFailsWithoutOne) {
  EXPECT_FALSE(ShellOpen("https://www.example.org/")) << "no opener installed";
  std::vector<std::string> opened;
  {
    ScopedShellOpener recorder([&](const std::string& target) {
      opened.push_back(target);
      return target != "/missing";
    });
    EXPECT_TRUE(ShellOpen("https://www.example.org/"));
    EXPECT_FALSE(ShellOpen("/missing"));
    EXPECT_FALSE(ShellOpen("")) << "an empty address never reaches the desktop";
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"https://www.example.org/", "/missing"}));
  EXPECT_FALSE(ShellOpen("https://www.example.org/")) << "the opener is gone with its scope";
  EXPECT_FALSE(OpenOnDesktop("no scheme and no path")) << "neither an address nor a path";
}

TEST(QtResponder, DialogsRunOnTheWindowThreadWhoeverAsks) {
  int argc = 1;
  char name[] = "test_dialogs";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QtResponder responder;
  EXPECT_TRUE(responder.Handles<OpenFilesRequest>());
  EXPECT_TRUE(responder.Handles<BrowseFolderRequest>());
  EXPECT_FALSE(responder.Handles<ProbeRequest>());
  SetDialogResponder(&responder);
  responder.Register<ProbeRequest>([&](QWidget*, const ProbeRequest& request) {
    const bool onWindowThread = QThread::currentThread() == app.thread();
    return DialogReply<ProbeRequest>{IDOK, ProbeAnswer{request.text, onWindowThread ? "window" : "other"}};
  });

  // Asked on the window thread: answered directly.
  const auto direct = AskDialog(nullptr, ProbeRequest{"direct"});
  ASSERT_TRUE(direct.answer.has_value());
  EXPECT_EQ(direct.answer->text, "direct");
  EXPECT_EQ(direct.answer->thread, "window");

  // Asked from a worker: the worker waits while the window thread answers.
  DialogReply<ProbeRequest> fromWorker;
  DialogReply<NoticeRequest> unknown;
  QEventLoop loop;
  std::thread worker([&] {
    fromWorker = AskDialog(nullptr, ProbeRequest{"worker"});
    unknown = AskDialog(nullptr, NoticeRequest{});
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  SetDialogResponder(nullptr);

  EXPECT_EQ(fromWorker.code, IDOK);
  ASSERT_TRUE(fromWorker.answer.has_value());
  EXPECT_EQ(fromWorker.answer->text, "worker");
  EXPECT_EQ(fromWorker.answer->thread, "window");
  EXPECT_EQ(unknown.code, IDCANCEL);
}

}  // namespace
