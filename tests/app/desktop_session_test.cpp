// The window's core and the desktop around it, on a private bus with stand-in
// services: the user is called back to a window that is not in front, and the
// computer stays awake from Convert to the job's end, whatever that end.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/fake_ffmpeg.h"
#include "common/private_bus.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "formats/fake_page_controls.h"
#include "formats/settings_sheet_request.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

QCoreApplication& CoreApplication() {
  static int argc = 1;
  static char name[] = "test_desktop_session";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  return *app;
}

class DesktopSession : public ::testing::Test {
 protected:
  void SetUp() override {
    CoreApplication();
    StopFlag::Set(false);
    for (const char* folder : {"in", "out", "tmp"}) fs::create_directory(dir.File(folder));
    tmpdir.emplace("TMPDIR", dir.File("tmp"));
  }
  void TearDown() override {
    if (core) {
      EXPECT_TRUE(ProcessEventsUntil([&] { return !core->m_bListRunning; }, 120s));
    }
    core.reset();
    CTemporaryFiles::DeleteTempFiles();
    StopFlag::Set(false);
  }

  // The window starts on the bus that is there now.
  void Start() {
    core.emplace();
    core->SetView(&view);
    core->SetDefaultSettings();
    core->OnInitDialog();
    core->m_strOutputFolder = core->m_strChosenFolder = dir.File("out");
    core->m_nOutputFormat = kFormatAvi;
  }
  std::string Clip(const std::string& name, double seconds = 0.5) {
    return testkit::MakeClip(dir.File("in/" + name), {.seconds = seconds});
  }
  bool ConvertAndWaitForTheEnd() {
    core->OnButtonConvert();
    return ProcessEventsUntil([&] { return !core->m_bListRunning && !core->m_bBusy; }, 120s);
  }

  testkit::TempDir dir;
  std::optional<testkit::ScopedEnv> tmpdir;
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  std::optional<CCastrel1Dlg> core;
};

TEST_F(DesktopSession, AJobsEndIsNotifiedOnlyWhileTheWindowIsNotInFront) {
  testkit::PrivateBus bus;
  ASSERT_TRUE(bus.Running());
  Start();
  view.list = {Clip("a.avi"), Clip("b.avi")};
  view.active = false;
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_TRUE(bus.WaitFor("notify"));
  ASSERT_EQ(responder.Messages().size(), 1u);
  std::string text = responder.Messages().back().text;
  for (std::size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
  EXPECT_EQ(bus.Last("notify"), "notify\tReady\t" + text);

  view.active = true;
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 2u);
  // One connection keeps its order: had the second end been told, it would
  // come before this.
  view.active = false;
  MessageBox(nullptr, "after the job", "Orlenta", MB_OK);
  ASSERT_TRUE(bus.WaitFor("notify", 2));
  EXPECT_EQ(bus.Last("notify"), "notify\tOrlenta\tafter the job");
  EXPECT_EQ(bus.Count("notify"), 2);
  // A dialog waits for an answer too.
  AskDialog(nullptr, AboutRequest{});
  ASSERT_TRUE(bus.WaitFor("notify", 3));
  EXPECT_EQ(bus.Last("notify"), "notify\tOrlenta\tOrlenta is waiting for your answer.");
}

// A DVD whose image cannot be written ends the job in failure.
constexpr const char* kFailingImageTool =
    "case \"$1\" in -version|--version) exec /usr/bin/genisoimage \"$@\";; esac\n"
    "echo 'genisoimage: No space left on device' >&2\nexit 1";

TEST_F(DesktopSession, SleepIsHeldOffFromConvertToTheEndHoweverTheJobEnds) {
  testkit::PrivateBus bus;
  ASSERT_TRUE(bus.Running());
  Start();
  enum class End { Success, Cancel, Failure };
  struct Case {
    const char* name;
    End end;
  };
  const Case cases[] = {{"success", End::Success}, {"cancel", End::Cancel}, {"failure", End::Failure}};
  int jobs = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view.list = {Clip(std::string(c.name) + ".avi", c.end == End::Cancel ? 4 : 0.5)};
    std::optional<FakeFfmpeg> failing;
    if (c.end == End::Failure) {
      failing.emplace(dir, kFailingImageTool, "genisoimage");
      core->m_nOutputFormat = kFormatDvd;
    }
    core->OnButtonConvert();
    ++jobs;
    ASSERT_TRUE(bus.WaitFor("inhibit", jobs));
    EXPECT_EQ(bus.Lines().back(),
              "inhibit\tsleep:idle\tOrlenta\tA disc or video is being converted and written\tblock");
    EXPECT_EQ(bus.Count("released"), jobs - 1) << "held while the job runs";
    if (c.end == End::Cancel) core->OnButtonConvert();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !core->m_bListRunning && !core->m_bBusy; }, 120s));
    EXPECT_TRUE(bus.WaitFor("released", jobs));
    const std::string last = responder.Messages().empty() ? "" : responder.Messages().back().text;
    if (c.end == End::Cancel) {
      EXPECT_EQ(last, "Conversion canceled by user!");
    }
    if (c.end == End::Failure) {
      EXPECT_NE(last.find("No space left on device"), std::string::npos) << last;
    }
  }
  EXPECT_EQ(bus.Count("inhibit"), 3);
}

// The lock lives in the process: killed, it is released, also while a tool it
// started runs on.
TEST_F(DesktopSession, AKilledOrlentaReleasesItsLock) {
  testkit::PrivateBus bus;
  ASSERT_TRUE(bus.Running());
  const std::string bin = dir.File("bin");
  const std::string ready = dir.File("ready");
  fs::create_directories(bin);
  testkit::WriteFile(bin + "/vcdxbuild", "#!/bin/sh\ncase \"$1\" in --version|-version) exec '" +
                                             FindProgram("vcdxbuild") + "' \"$@\";; esac\necho $$ > '" + ready +
                                             "'\nexec tail -f /dev/null\n");
  fs::permissions(bin + "/vcdxbuild", fs::perms::owner_all);
  fs::create_directories(dir.File("home"));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* variable :
       {"DISPLAY", "WAYLAND_DISPLAY", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "ORLENTA_REGISTRY"}) {
    environment.remove(variable);
  }
  environment.insert("HOME", QString::fromStdString(dir.File("home")));
  environment.insert("PATH", QString::fromStdString(bin) + ":" + environment.value("PATH"));
  QProcess orlenta;
  orlenta.setProcessEnvironment(environment);
  orlenta.start(ORLENTA_PROGRAM, {"--batch", "--format", "vcd", "--pal", "--image", "--yes", "--output",
                                  QString::fromStdString(dir.File("out")), QString::fromStdString(Clip("movie.avi"))});
  ASSERT_TRUE(bus.WaitFor("inhibit"));
  ASSERT_TRUE(ProcessEventsUntil([&] { return fs::exists(ready) || orlenta.state() == QProcess::NotRunning; }, 120s));
  EXPECT_EQ(bus.Count("released"), 0) << "held up to the image";
  orlenta.kill();
  orlenta.waitForFinished(30'000);
  EXPECT_TRUE(bus.WaitFor("released")) << "no child kept the lock's descriptor";
  const int tool = std::atoi(testkit::ReadFile(ready).c_str());
  if (tool > 0) ::kill(tool, SIGKILL);
}

// A drive plugged in or pulled out while the settings sheet is open shows in
// (and leaves) its device list at once; the device the user chose stays
// chosen while it is there, and the image writer takes over when it goes.
TEST_F(DesktopSession, AnOpenSettingsSheetsDeviceListFollowsTheDrives) {
  testkit::PrivateBus bus({"udisks"});
  ASSERT_TRUE(bus.Running());
  bus.Tell("add sr3 ACME Writer");
  Start();
  core->m_bUseFfmpeg = false;  // the library pages: they have the device lists
  core->m_nOutputFormat = kFormatDvd;
  core->m_nDVDDevice = 0;
  using Rows = std::vector<std::string>;
  std::vector<std::pair<Rows, int>> seen;  // the DVD page's list and selection after each step
  responder.SetDialogHandler([&](const DialogRequest& request) {
    const auto* sheet = request.As<SettingsSheetRequest>();
    if (sheet == nullptr) return DialogResult{};
    FakePageControls controls(*sheet->pages.at(0));
    sheet->pages.at(0)->OnInitDialog();
    const auto list = [&] { return controls.rows[CDiscLibraryPage::kDeviceList]; };
    const auto note = [&] { seen.emplace_back(list(), controls.Selection(CDiscLibraryPage::kDeviceList)); };
    const auto step = [&](const std::string& command) {
      const Rows before = list();
      if (!command.empty()) bus.Tell(command);
      EXPECT_TRUE(ProcessEventsUntil([&] { return list() != before; }, 60s)) << command << " reached the sheet";
      note();
    };
    // The drive added before the window opened may still be on its way.
    if (list().size() < 2) step("");
    note();
    step("add sr1 Other Drive");
    step("remove sr1");
    step("remove sr3");
    return DialogResult{IDCANCEL, {}};
  });
  core->OnButtonSettings();
  const std::pair<Rows, int> expected[] = {
      {{"A: ACME Writer (/dev/sr3)", "B: Image file in the output folder"}, 0},
      {{"A: Other Drive (/dev/sr1)", "B: ACME Writer (/dev/sr3)", "C: Image file in the output folder"}, 1},
      {{"A: ACME Writer (/dev/sr3)", "B: Image file in the output folder"}, 0},
      {{"A: Image file in the output folder"}, 0},
  };
  ASSERT_GE(seen.size(), std::size(expected));
  const std::vector<std::pair<Rows, int>> last(seen.end() - std::size(expected), seen.end());
  const std::vector<std::pair<Rows, int>> wanted(std::begin(expected), std::end(expected));
  EXPECT_EQ(last, wanted);
}

TEST_F(DesktopSession, WithNoBusAtAllAJobRunsAndTheLogHasOneNote) {
  testkit::ScopedEnv session("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orlenta-test-bus");
  testkit::ScopedEnv system("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orlenta-test-bus");
  desktop::ResetDesktopServices();
  Start();
  view.list = {Clip("a.avi"), Clip("b.avi")};
  view.active = false;
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages().back().caption, "Ready");
  const auto lines = registry.LogLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const auto& line) { return line.find("D-Bus is not reachable") != std::string::npos; }),
            1);
  desktop::ResetDesktopServices();
}

}  // namespace
