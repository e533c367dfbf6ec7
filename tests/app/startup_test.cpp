// The program's start-up and shutdown, in process: a first run makes the data
// folder and the log, the log starts in its order, a missing skin is told
// once, and the window opens with labelled buttons and closes cleanly.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <string>

#include "app/control_ids.h"
#include "app/qt_application.h"
#include "app/widgets/castrel1_app.h"
#include "app/widgets/main_dialog.h"
#include "common/test_kit.h"
#include "platform/dialogs/scripted_responder.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/product_version.h"

namespace {

// A log line without its time stamp.
std::string Message(const std::string& entry) {
  const auto dash = entry.find(" - ");
  return dash == std::string::npos ? entry : entry.substr(dash + 3);
}

std::vector<std::string> Messages(const std::string& logPath) {
  std::vector<std::string> messages;
  for (const auto& entry : testkit::LogEntries(logPath)) messages.push_back(Message(entry));
  return messages;
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& prefix) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(prefix, 0) == 0) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

TEST(Startup, AFirstRunMakesTheLogOpensTheWindowWithoutASkinAndClosesIt) {
  TestApplication();
  testkit::TempDir home;
  testkit::ScopedEnv data("XDG_DATA_HOME", home.File("data"));
  testkit::ScopedEnv registry("ORLENTA_REGISTRY", home.File("registry.reg"));
  ScriptedResponder responder;

  // Once the window is up: note what it shows, then close it as the user would.
  QString convertText;
  bool shown = false;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* window = qobject_cast<MainDialog*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    shown = true;
    convertText = qobject_cast<QAbstractButton*>(window->GetDlgItem(control_id::kConvert))->text();
    watcher.stop();
    window->close();
  });
  watcher.start(10);

  CCastrel1App app({});
  EXPECT_FALSE(app.InitInstance()) << "no message loop follows";
  const int exitCode = app.ExitInstance();
  LogClose();

  EXPECT_TRUE(shown);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(convertText, "Convert") << "without a skin the buttons keep their labels";
  const std::string logPath = home.File("data/Orlenta/Orlenta_log.txt");
  ASSERT_TRUE(std::filesystem::exists(logPath));

  const std::string skinPath = ModuleFolderFile("Orlenta.skf").str();
  ASSERT_FALSE(std::filesystem::exists(skinPath)) << "the tests have no skin beside them";
  std::vector<std::string> skinMessages;
  for (const auto& message : responder.Messages()) {
    if (message.text.rfind("Could not load a skin ", 0) == 0) skinMessages.push_back(message.text);
  }
  EXPECT_EQ(skinMessages, std::vector<std::string>{"Could not load a skin " + skinPath}) << "told once";

  const std::vector<std::string> lines = Messages(logPath);
  ASSERT_FALSE(lines.empty());
  const std::string version = "Product Version: " + std::to_string(kProductVersionMajor) + "." +
                              std::to_string(kProductVersionMinor) + "." + std::to_string(kProductVersionPatch) + "." +
                              std::to_string(kProductVersionTweak);
  EXPECT_EQ(lines[0], version);
  const std::vector<std::string> inOrder = {
      "--- OS Version Info ---",  // the system report
      "\tOperating system: ",
      "--- Memory info ---",
      "CoInitialize... done",
      "Create skin dispathch... done",
      "Could not load a skin " + skinPath,
      "Set default settings for the NCT Video Library",
      "CCastrel1Dlg::SetDefaultSettings",
      "Load settings from the registry for the NCT Video Library",
      "CCastrel1Dlg::LoadSettings",
      "Show main dialog",
      "CCastrel1Dlg::OnInitDialog",
      "CCastrel1Dlg::OnSysCommand ID = 61536",
      "simple exit application",
      "De-initialize the skin",
      "Exit application",
  };
  std::ptrdiff_t previous = 0;
  for (const std::string& line : inOrder) {
    const std::ptrdiff_t index = IndexOf(lines, line);
    EXPECT_GT(index, previous) << line;
    previous = std::max(previous, index);
  }
}

}  // namespace
