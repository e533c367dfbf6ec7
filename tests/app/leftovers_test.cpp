// The real orlenta killed (SIGKILL) in the middle of a disc job, and the next
// start: what the dead job left goes, what a live orlenta holds stays, and
// the user's files are never touched.
//
// Each orlenta finds a stand-in for the disc image tool first on its PATH. It
// says that it has started and then waits until it is killed (with orlenta,
// or by the test), so that each job is held exactly at its image step, with
// all its files in place.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "disc/work_drives.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "test_leftovers";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

using Snapshot = std::set<std::string>;

Snapshot Difference(const Snapshot& a, const Snapshot& b) {
  Snapshot left;
  for (const auto& path : a) {
    if (!b.contains(path)) left.insert(path);
  }
  return left;
}

struct JobCase {
  const char* name;
  const char* format;
  const char* imageTool;  // the step each job is held at
  std::vector<std::string> clips;
};

class Leftovers : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    for (const char* folder : {"home", "tmp", "out", "media", "run"}) fs::create_directories(m_dir.File(folder));
    fs::permissions(m_dir.File("run"), fs::perms::owner_all);
    testkit::WriteFile(m_dir.File("tmp/notes.txt"), "the user's");
    testkit::WriteFile(m_dir.File("out/holiday.iso"), "the user's");
  }
  void TearDown() override {
    for (QProcess* process : {&m_first, &m_second}) {
      process->kill();
      process->waitForFinished(30'000);
    }
  }

  // This test process sees the folders as the orlentas do.
  struct SameEnvironment {
    explicit SameEnvironment(const testkit::TempDir& dir)
        : home("HOME", dir.File("home")),
          tmp("TMPDIR", dir.File("tmp")),
          runtime("XDG_RUNTIME_DIR", dir.File("run")),
          data("XDG_DATA_HOME", nullptr),
          cache("XDG_CACHE_HOME", nullptr) {}
    testkit::ScopedEnv home, tmp, runtime, data, cache;
  };

  // Where a CD job of this machine puts "tempVCD", as GetAvailableDrives finds it.
  std::string TempVcd() const {
    const SameEnvironment environment(m_dir);
    const WorkDriveChoice choice = ChooseWorkDrives(MachineWorkDrives(), 350);
    return choice.second.empty() ? std::string() : ProgramFolderOnDrive(choice.second) + "tempVCD";
  }

  // Starts orlenta in batch mode, held at imageTool; false if it ended before.
  bool StartHeld(QProcess& process, const std::string& name, const JobCase& job) {
    const std::string bin = m_dir.File("bin-" + name);
    const std::string ready = m_dir.File("ready-" + name);
    fs::create_directories(bin);
    const std::string tool = job.imageTool;
    testkit::WriteFile(bin + "/" + tool,
                       "#!/bin/sh\n"
                       "case \"$1\" in --version|-version) exec '" +
                           FindProgram(tool) +
                           "' \"$@\";; esac\n"
                           "echo $$ > '" +
                           ready +
                           "'\n"
                           "exec tail -f /dev/null\n");
    fs::permissions(bin + "/" + tool, fs::perms::owner_all);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_CONFIG_HOME", "ORLENTA_REGISTRY", "ORLENTA_PSEUDO_DRIVES"}) {
      environment.remove(variable);
    }
    environment.insert("HOME", QString::fromStdString(m_dir.File("home")));
    environment.insert("TMPDIR", QString::fromStdString(m_dir.File("tmp")));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_dir.File("run")));
    environment.insert("PATH", QString::fromStdString(bin) + ":" + environment.value("PATH"));
    environment.insert("LC_ALL", "C.UTF-8");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(m_dir.File("media")));
    QStringList arguments = {"--batch", "--format", job.format, "--pal",
                             "--image", "--yes",    "--output", QString::fromStdString(m_dir.File("out"))};
    for (const auto& clip : job.clips) arguments << QString::fromStdString(m_dir.File("media/" + clip));
    process.start(ORLENTA_PROGRAM, arguments);
    if (!process.waitForStarted(10'000)) return false;
    ProcessEventsUntil([&] { return fs::exists(ready) || process.state() == QProcess::NotRunning; }, 300s);
    return fs::exists(ready) && process.state() == QProcess::Running;
  }

  // Kills orlenta and its held image tool.
  void Kill(QProcess& process, const std::string& name) const {
    process.kill();
    process.waitForFinished(30'000);
    const int tool = std::atoi(testkit::ReadFile(m_dir.File("ready-" + name)).c_str());
    if (tool > 0) ::kill(tool, SIGKILL);
  }

  // Every file and folder below the places a job writes to: the whole home
  // but the program's log and settings, which stay by design.
  Snapshot Take() const {
    Snapshot paths;
    const std::string data = m_dir.File("home/.local/share/Orlenta");
    const auto programs = [&](const std::string& path) {
      return (data + "/").rfind(path + "/", 0) == 0 || path == data + "/jobs" || path == data + "/Orlenta_log.txt" ||
             path.rfind(m_dir.File("home/.config"), 0) == 0;
    };
    for (const std::string& root : {m_dir.File("tmp"), m_dir.File("out"), m_dir.File("home"), m_tempVcd}) {
      std::error_code ignored;
      for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
           it.increment(ignored)) {
        const std::string path = it->path().string();
        if (programs(path)) continue;
        paths.insert(path);
      }
    }
    return paths;
  }

  // The next start of the program, in this process.
  void NextStart() const {
    const SameEnvironment environment(m_dir);
    ScopedRegistryFile registry;
    ScriptedResponder responder;
    RecordingView view;
    CCastrel1Dlg core;
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
  }

  // Runs a whole VCD job into an image, as this user or (uid set) as that
  // user; true when it ended well.
  bool RunVcdJob(std::optional<uid_t> uid, std::string* output) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_CONFIG_HOME", "ORLENTA_REGISTRY", "ORLENTA_PSEUDO_DRIVES"}) {
      environment.remove(variable);
    }
    environment.insert("HOME", QString::fromStdString(m_dir.File("home")));
    environment.insert("TMPDIR", QString::fromStdString(m_dir.File("tmp")));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_dir.File("run")));
    environment.insert("LC_ALL", "C.UTF-8");
    QStringList arguments = {"--batch",
                             "--format",
                             "vcd",
                             "--pal",
                             "--image",
                             "--yes",
                             "--output",
                             QString::fromStdString(m_dir.File("out")),
                             QString::fromStdString(m_dir.File("media/one.mp4"))};
    QString program = ORLENTA_PROGRAM;
    if (uid) {
      const QString id = QString::number(*uid);
      arguments.prepend(program);
      arguments = QStringList{"--reuid=" + id, "--regid=" + id, "--clear-groups"} + arguments;
      program = "setpriv";
    }
    QProcess job;
    job.setProcessEnvironment(environment);
    job.setProcessChannelMode(QProcess::MergedChannels);
    job.start(program, arguments);
    const bool ended = job.waitForFinished(300'000);
    *output = job.readAll().toStdString();
    return ended && job.exitStatus() == QProcess::NormalExit && job.exitCode() == 0;
  }

  testkit::TempDir m_dir;
  std::string m_tempVcd;
  QProcess m_first;
  QProcess m_second;
};

TEST_F(Leftovers, TheNextStartRemovesWhatAKilledJobLeftAndNothingOfALiveOne) {
  const JobCase cases[] = {
      {"DVD of two titles held at the image", "dvd", "genisoimage", {"one.mp4", "two.mp4"}},
      {"VCD held at the image", "vcd", "vcdxbuild", {"one.mp4"}},
  };
  for (const JobCase& job : cases) {
    SCOPED_TRACE(job.name);
    m_tempVcd = TempVcd();
    for (const auto& clip : job.clips) testkit::MakeClip(m_dir.File("media/" + clip), {.seconds = 1});
    const Snapshot before = Take();

    const std::string first = std::string("first-") + job.format;
    const std::string second = std::string("second-") + job.format;
    ASSERT_TRUE(StartHeld(m_first, first, job)) << m_first.readAllStandardError().toStdString();
    const Snapshot firstJob = Difference(Take(), before);
    ASSERT_FALSE(firstJob.empty());
    ASSERT_TRUE(StartHeld(m_second, second, job)) << m_second.readAllStandardError().toStdString();
    const Snapshot both = Take();
    EXPECT_TRUE(Difference(firstJob, both).empty()) << "the second orlenta's start and job left the first's alone";
    Kill(m_first, first);
    NextStart();
    const Snapshot secondJob = Difference(both, firstJob);
    const Snapshot middle = Take();
    EXPECT_TRUE(Difference(secondJob, middle).empty()) << "the live job's files stay";
    for (const auto& path : Difference(middle, secondJob)) {
      // Folders the killed job made stay while they hold the live job's; a
      // record remembers them for a later start.
      const bool holdsTheLiveJob = std::any_of(secondJob.begin(), secondJob.end(),
                                               [&](const std::string& live) { return live.rfind(path + "/", 0) == 0; });
      const bool record = path.rfind(m_dir.File("home/.local/share/Orlenta/jobs/record-"), 0) == 0;
      EXPECT_TRUE(holdsTheLiveJob || record) << "only the killed job's files are gone: " << path;
    }

    Kill(m_second, second);
    NextStart();
    const Snapshot after = Take();
    EXPECT_TRUE(Difference(after, before).empty()) << *Difference(after, before).begin();
    EXPECT_TRUE(Difference(before, after).empty()) << *Difference(before, after).begin();
    EXPECT_TRUE(testkit::ReadFile(m_dir.File("out/holiday.iso")) == "the user's");
  }
}

// A VCD job works in the user's own space, never at a file system's root, and
// takes all of it with it: no "tempVCD" at "/" (as root), none in the home
// (a normal user), not even an empty one.
TEST_F(Leftovers, AVcdJobLeavesNoFolderAtTheRootNorInTheHome) {
  testkit::MakeClip(m_dir.File("media/one.mp4"), {.seconds = 1});
  struct User {
    const char* name;
    std::optional<uid_t> uid;
  };
  std::vector<User> users = {{"this user", std::nullopt}};
  // As root, a normal user's job too, in the same folders made its own.
  if (::geteuid() == 0) users.push_back({"a normal user", 65534});
  for (const User& user : users) {
    SCOPED_TRACE(user.name);
    if (user.uid) {
      fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
      for (const char* folder : {"home", "tmp", "out", "run"}) {
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.File(folder))) {
          ASSERT_EQ(::lchown(entry.path().c_str(), *user.uid, *user.uid), 0) << entry.path();
        }
        ASSERT_EQ(::chown(m_dir.File(folder).c_str(), *user.uid, *user.uid), 0) << folder;
      }
    }
    m_tempVcd.clear();
    Snapshot rootBefore;
    for (const auto& entry : fs::directory_iterator("/")) rootBefore.insert(entry.path().string());
    const Snapshot before = Take();
    std::string output;
    ASSERT_TRUE(RunVcdJob(user.uid, &output)) << output;
    Snapshot rootAfter;
    for (const auto& entry : fs::directory_iterator("/")) rootAfter.insert(entry.path().string());
    EXPECT_TRUE(Difference(rootAfter, rootBefore).empty()) << *Difference(rootAfter, rootBefore).begin();
    Snapshot left = Difference(Take(), before);
    // The image the job made is the user's result.
    std::erase_if(left, [&](const std::string& path) { return path.rfind(m_dir.File("out/"), 0) == 0; });
    EXPECT_TRUE(left.empty()) << *left.begin();
  }
}

}  // namespace
