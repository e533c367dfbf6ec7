// The CD job through the window's core: prepared MPEG streams burnt by the
// image writer (or a file-backed drive), read back by vcd-info and cdrdao;
// the prompts answered by the scripted responder.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "disc/cd_split_plan.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/burning/erase_request.h"
#include "platform/disc/media_probe.h"
#include "platform/disc/mpeg_compliance.h"
#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "cd-job-test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

// A view that also keeps every completion text and status line it was given.
class HistoryView : public RecordingView {
 public:
  void SetStatusText(const std::string& text) override {
    RecordingView::SetStatusText(text);
    statuses.push_back(text);
    if (onStatus) onStatus(text);
  }
  void SetCompletedText(const std::string& text) override {
    RecordingView::SetCompletedText(text);
    completedTexts.push_back(text);
  }
  std::vector<std::string> statuses;
  std::vector<std::string> completedTexts;
  std::function<void(const std::string&)> onStatus;
};

std::string VcdInfo(const std::string& cue) {
  ChildProcess::Options options;
  options.workingDirectory = fs::path(cue).parent_path().string();
  return RunProcess({FindProgram("vcd-info"), "-B", "--cue-file=" + cue}, options).output;
}

std::string CdrdaoTocInfo(const std::string& cue) {
  ChildProcess::Options options;
  options.workingDirectory = fs::path(cue).parent_path().string();
  return RunProcess({FindProgram("cdrdao"), "toc-info", cue}, options).output;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CdJob : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    StopFlag::Set(false);
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    m_output = m_dir.File("My \"Videos\" & ü");
    m_work = m_dir.File("tempVCD");
    fs::create_directories(m_output);
    fs::create_directories(m_work);
    core.m_strChosenFolder = m_output;
    core.m_strOutputFolder = m_output;
    core.m_nVCDDevice = 0;
    core.m_nSVCDDevice = 0;
    core.m_bUseFfmpeg = true;
  }
  void TearDown() override {
    // A test that failed half-way must not leave the worker to outlive the core.
    core.m_bCancel = true;
    WaitForWorker();
    burner::ResetCallbacks();
    burner::DeleteProject();
  }

  // The converted movie as the ffmpeg engine leaves it: "<work>/clip_new.mpg".
  void Converted(const char* target, double seconds, int format) {
    testkit::ClipOptions options;
    options.seconds = seconds;
    options.outputArguments = {"-target", target};
    testkit::MakeClip(m_work + "/clip_new.mpg", options);
    core.m_arrOutputFiles = {m_work + "/clip_new"};
    core.m_nOutputFormat = format;
  }

  void Start(int cdCount) {
    core.m_nCDCount = cdCount;
    core.m_bBusy = true;
    core.m_bCancel = false;
    core.EnableControls(false);
    core.StartBurnCD();
  }

  // Runs the core's event loop until condition holds: false on time-out.
  bool RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 120s) {
    if (!ProcessEventsUntil(condition, timeout)) return false;
    QCoreApplication::processEvents();  // what the worker posted last
    return true;
  }
  bool WaitForWorker() {
    return RunUntil([this] { return !core.m_bCDWorkerRunning; });
  }

  std::vector<std::string> Prompts() {
    std::vector<std::string> texts;
    for (const auto& request : responder.Requests<CDCountDlgRequest>()) texts.push_back(request.text);
    return texts;
  }

  std::vector<double> CompletedValues() {
    std::vector<double> values;
    static const std::regex number(R"(Completed: ([0-9.]+)%)");
    for (const auto& text : view.completedTexts) {
      std::smatch match;
      if (std::regex_match(text, match, number)) values.push_back(std::stod(match[1]));
    }
    return values;
  }

  // Leftovers of the job: scratch folders, half images.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> found;
    for (const auto& name : FilesIn(m_output)) {
      if (name.front() == '.') found.push_back(name);
    }
    return found;
  }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  HistoryView view;
  CCastrel1Dlg core;
  testkit::TempDir m_dir;
  std::string m_output;
  std::string m_work;
};

TEST_F(CdJob, OneClipOnOneCdBecomesOneVcdImagePair) {
  Converted("pal-vcd", 3.0, kFormatVcd);
  Start(1);
  ASSERT_TRUE(WaitForWorker());
  ASSERT_TRUE(RunUntil([this] { return !core.m_bBusy; }));

  EXPECT_TRUE(Prompts().empty()) << "the image writer takes no CD";
  EXPECT_EQ(FilesIn(m_output), (std::vector<std::string>{"Video CD.bin", "Video CD.cue"}));
  const std::string cue = m_output + "/Video CD.cue";
  EXPECT_NE(VcdInfo(cue).find("VCD 2.0 detected"), std::string::npos) << VcdInfo(cue);
  EXPECT_NE(CdrdaoTocInfo(cue).find("2 tracks"), std::string::npos) << CdrdaoTocInfo(cue);
  EXPECT_EQ(
      responder.MessageTexts(),
      std::vector<std::string>{"CD created successfully!\n\nThe disc image:\n\"Video CD.cue/.bin\" in " + m_output});
  EXPECT_EQ(view.status, "Ready");
  EXPECT_EQ(view.progress, 100);
  EXPECT_EQ(view.completed, "Completed 100.00%");
  // Each "Done!" follows the stage it ends, however quick the scan and the burn.
  const auto analyzing = std::find(view.statuses.begin(), view.statuses.end(), "Analyzing file...");
  ASSERT_NE(analyzing, view.statuses.end());
  ASSERT_NE(analyzing + 1, view.statuses.end());
  EXPECT_EQ(analyzing[1], "Analyzing file...Done!");
  EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "Writing the disc image..."), view.statuses.end());
  EXPECT_EQ(std::find(view.statuses.begin(), view.statuses.end(), "Burning CD..."), view.statuses.end());
  EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "Finalizing CD...Done!"), view.statuses.end());
  EXPECT_EQ(std::count(view.statuses.begin(), view.statuses.end(), "Done!"), 0);
  EXPECT_EQ(core.m_strOutFile, m_work + "/clip_new.mpg") << "one CD burns the converted file itself";
  EXPECT_EQ(view.elements.at(1008), "button_start") << "the controls are enabled again";
}

TEST_F(CdJob, AnSvcdNeedingTwoCdsIsCutIntoTwoPartsEachWithItsImage) {
  Converted("pal-svcd", 6.0, kFormatSvcd);
  const std::string whole = m_work + "/clip_new.mpg";
  std::string error;
  const auto wholeInfo = ProbeMpeg(whole, &error);
  ASSERT_TRUE(wholeInfo) << error;
  core.m_nCDCapacityBytes = static_cast<std::int64_t>(fs::file_size(whole)) * 6 / 10;

  // When the first part is analysed the parts lie ready: they are measured there.
  long long partsMs = 0;
  std::vector<std::string> partProblems;
  view.onStatus = [&](const std::string& text) {
    if (text == "Analyzing file #1..." && partsMs == 0) {
      for (int k = 1; k <= 2; ++k) {
        const auto info = ProbeMpeg(m_work + "/clip_new_" + std::to_string(k) + ".mpg", &error);
        if (!info) {
          partProblems.push_back(error);
          continue;
        }
        partsMs += info->durationMs;
        partProblems.push_back(VideoCdProblem(*info, VideoCdKind::Svcd));
      }
    }
  };
  Start(2);
  ASSERT_TRUE(WaitForWorker());
  ASSERT_TRUE(RunUntil([this] { return !core.m_bBusy; }));
  view.onStatus = nullptr;

  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(partProblems, (std::vector<std::string>{"", ""}));
  const double gopMs = 1000.0 * 18 / wholeInfo->frameRate;
  EXPECT_NEAR(static_cast<double>(partsMs), static_cast<double>(wholeInfo->durationMs), gopMs);
  EXPECT_EQ(FilesIn(m_output),
            (std::vector<std::string>{"Super Video CD - CD 1 of 2.bin", "Super Video CD - CD 1 of 2.cue",
                                      "Super Video CD - CD 2 of 2.bin", "Super Video CD - CD 2 of 2.cue"}));
  for (int k = 1; k <= 2; ++k) {
    const std::string cue = m_output + "/Super Video CD - CD " + std::to_string(k) + " of 2.cue";
    EXPECT_NE(VcdInfo(cue).find("SVCD detected"), std::string::npos) << VcdInfo(cue);
    EXPECT_NE(CdrdaoTocInfo(cue).find("2 tracks"), std::string::npos) << CdrdaoTocInfo(cue);
  }
  EXPECT_EQ(responder.MessageTexts(),
            std::vector<std::string>{"CDs created successfully!\n\nThe disc images:\n"
                                     "\"Super Video CD - CD 1 of 2.cue/.bin\" in " +
                                     m_output + "\n\"Super Video CD - CD 2 of 2.cue/.bin\" in " + m_output});

  // The two CDs share 75 to 100: scan to 77.5, burn to 86.25 where the CD is
  // finalised, 87.5 when it is done; the second from there to 100.
  const std::vector<double> values = CompletedValues();
  ASSERT_FALSE(values.empty());
  for (std::size_t i = 1; i < values.size(); ++i) EXPECT_GE(values[i], values[i - 1]) << i;
  for (double expected : {77.5, 86.25, 87.5, 90.0, 98.75, 100.0}) {
    EXPECT_NE(std::find(values.begin(), values.end(), expected), values.end()) << expected;
  }
  EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "Finalizing CD #2..."), view.statuses.end());
  EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "Analyzing file #1...Done!"), view.statuses.end());
}

// The scan's and the burn's ends append "Done!" to the status line as the
// window shows it, whoever set it, and to no more than 100 characters of it.
TEST_F(CdJob, DoneIsAppendedToTheStatusLineAsTheWindowShowsIt) {
  struct Case {
    const char* name;
    bool scan;  // the scan's end, else the burn's
    std::string shown;
    std::string after;
  };
  const std::string longLine(130, 'x');
  const std::string umlautAt100 = std::string(99, 'a') + "\xc3\xbc\xc3\xbc";  // "ü" is the 100th character
  const Case cases[] = {
      {"scan", true, "Analyzing file #2...", "Analyzing file #2...Done!"},
      {"burn", false, "Finalizing CD #2...", "Finalizing CD #2...Done!"},
      {"nothing shown", true, "", "Done!"},
      {"long line", false, longLine, std::string(100, 'x') + "Done!"},
      {"long line of letters", true, umlautAt100, std::string(99, 'a') + "\xc3\xbc" + "Done!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view.SetStatusText(c.shown);
    if (c.scan) {
      CCastrel1Dlg::CdScanDoneCallback(0, 0, 352, 288, 25000, 1150, 44100, 2, 224, 3000, 1500, &core);
    } else {
      CCastrel1Dlg::CdBurnDoneCallback(nullptr, &core);
    }
    ASSERT_TRUE(RunUntil([&] { return view.status != c.shown; }, 10s));
    EXPECT_EQ(view.status, c.after);
  }
}

TEST_F(CdJob, CancelAtTheFirstPromptBurnsNothing) {
  // A drive asks for a CD (the image writer does not).
  const std::string drive = m_dir.File("drive.img");
  testkit::WriteFile(drive, "");
  testkit::ScopedEnv drives(kPseudoDrivesVariable, drive);
  Converted("pal-vcd", 2.0, kFormatVcd);
  responder.QueueAnswer<CDCountDlgRequest>(IDCANCEL);
  Start(1);
  ASSERT_TRUE(WaitForWorker());
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"Burning process canceled by user"});
  EXPECT_EQ(Prompts(), std::vector<std::string>{"Please insert an empty CD to burn."});
  EXPECT_EQ(view.status, "Cancel");
  EXPECT_FALSE(core.m_bBusy);
  EXPECT_TRUE(FilesIn(m_output).empty());
}

// The Convert command's cancel while the worker waits for the burner: it
// removes the callbacks, so the worker must notice the cancel by itself.
TEST_F(CdJob, CancelWhileTheWorkerWaitsEndsItWithinASecondAndLeavesNothing) {
  for (const bool duringBurn : {false, true}) {
    SCOPED_TRACE(duringBurn ? "waiting for the burn" : "waiting for the scan");
    Converted("pal-vcd", 10.0, kFormatVcd);
    std::atomic<std::chrono::steady_clock::rep> cancelledAt{0};
    auto cancel = [&] {
      if (core.m_bCancel.exchange(true)) return;
      burner::ResetCallbacks();
      StopFlag::Set(true);
      cancelledAt = std::chrono::steady_clock::now().time_since_epoch().count();
    };
    if (duringBurn) {
      // As the image writer starts its first program (on the burner's thread).
      SetToolRunObserver([&](const std::vector<std::string>&, const ChildProcess::Options&) { cancel(); });
    } else {
      view.onStatus = [&](const std::string& text) {
        if (text == "Analyzing file...") cancel();
      };
    }
    Start(1);
    ASSERT_TRUE(WaitForWorker());
    const auto ended = std::chrono::steady_clock::now().time_since_epoch().count();
    SetToolRunObserver(nullptr);
    view.onStatus = nullptr;
    ASSERT_TRUE(core.m_bCancel) << "the wait was never reached";
    EXPECT_LT(std::chrono::steady_clock::duration(ended - cancelledAt.load()), 1s);
    EXPECT_EQ(view.status, "Cancel");
    EXPECT_FALSE(core.m_bBusy);
    // A burn can reach its end as the cancel comes: a complete image stays,
    // and the message names it.
    const std::string cue = m_output + "/Video CD.cue";
    EXPECT_EQ(responder.MessageTexts().back(), fs::exists(cue)
                                                   ? "Burning process canceled by user" + KeptCdImagesNote({{1, cue}})
                                                   : std::string("Burning process canceled by user"));
    fs::remove(cue);
    fs::remove(m_output + "/Video CD.bin");
    EXPECT_TRUE(testkit::ChildProcessesMatching("vcdxbuild").empty());
    EXPECT_TRUE(testkit::ChildProcessesMatching("vcdxgen").empty());
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
    StopFlag::Set(false);
    fs::remove(m_work + "/clip_new.mpg");
  }
}

// CD 1 is a whole disc once its image is written: a cancel during CD 2 keeps
// it, and the cancel message says where it is.
TEST_F(CdJob, ACancelWhileCd2IsWrittenKeepsTheImageOfCd1AndNamesIt) {
  {
    for (const std::string& folder : {m_output, m_work}) {
      fs::remove_all(folder);
      fs::create_directories(folder);
    }
    Converted("pal-vcd", 6.0, kFormatVcd);
    core.m_nCDCapacityBytes = static_cast<std::int64_t>(fs::file_size(m_work + "/clip_new.mpg")) * 6 / 10;
    {
      // As Convert's cancel does it when the image writer starts building
      // CD 2, and the burn stopped at once (the worker stops it within a
      // moment, before a real CD's image is done).
      SetToolRunObserver([&](const std::vector<std::string>& command, const ChildProcess::Options&) {
        if (core.m_nCurrentCD == 2 && command.front().ends_with("vcdxbuild") && !core.m_bCancel.exchange(true)) {
          burner::ResetCallbacks();
          StopFlag::Set(true);
          burner::Abort();
        }
      });
    }
    Start(2);
    ASSERT_TRUE(WaitForWorker());
    SetToolRunObserver(nullptr);
    StopFlag::Set(false);

    const std::string cd1 = m_output + "/Video CD - CD 1 of 2";
    EXPECT_EQ(FilesIn(m_output), (std::vector<std::string>{"Video CD - CD 1 of 2.bin", "Video CD - CD 1 of 2.cue"}));
    EXPECT_NE(VcdInfo(cd1 + ".cue").find("VCD 2.0 detected"), std::string::npos) << VcdInfo(cd1 + ".cue");
    EXPECT_EQ(responder.MessageTexts().back(),
              "Burning process canceled by user\n\nThe image of CD 1 is complete and kept:\n\"" + cd1 + ".cue\"");
    EXPECT_EQ(view.status, "Cancel");
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
  }
}

TEST_F(CdJob, ADeviceIndexPastTheListFallsBackToTheImageWriter) {
  Converted("pal-vcd", 2.0, kFormatVcd);
  core.m_nVCDDevice = 25;
  Start(1);
  ASSERT_TRUE(WaitForWorker());
  EXPECT_EQ(
      responder.MessageTexts(),
      std::vector<std::string>{"CD created successfully!\n\nThe disc image:\n\"Video CD.cue/.bin\" in " + m_output});
  EXPECT_EQ(FilesIn(m_output), (std::vector<std::string>{"Video CD.bin", "Video CD.cue"}));
}

TEST_F(CdJob, AMovieTooLargeForNineCdsIsRefused) {
  Converted("pal-vcd", 2.0, kFormatVcd);
  core.m_nCDCapacityBytes = static_cast<std::int64_t>(fs::file_size(m_work + "/clip_new.mpg")) / 12;
  Start(1);
  ASSERT_TRUE(WaitForWorker());
  ASSERT_EQ(responder.MessageTexts().size(), 1u);
  EXPECT_NE(responder.MessageTexts()[0].find("Burning error: This movie would need"), std::string::npos)
      << responder.MessageTexts()[0];
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(view.status, "Error!");

  // Before converting: the expected count from the duration and the bit rate.
  core.m_nOutputFormat = kFormatVcd;
  core.m_nCDCapacityBytes = kCdCapacityBytes;
  core.m_nTotalDuration = 74 * 60 * 1000;
  EXPECT_TRUE(core.CheckCDCount());
  EXPECT_EQ(core.m_nCDCount, 2) << "74 minutes of VCD";
  core.m_nTotalDuration = 10 * 3600 * 1000;  // 11 CDs
  EXPECT_FALSE(core.CheckCDCount());
  EXPECT_NE(responder.MessageTexts().back().find("at most 9"), std::string::npos);
}

TEST_F(CdJob, FileOfCdKNamesThePartsOfEitherEngine) {
  core.m_arrOutputFiles = {"/tmp/tempVCD/movie_1.mpg"};
  core.m_bUseFfmpeg = false;
  core.m_nCDCount = 3;
  EXPECT_EQ(core.GetCDFile(2), "/tmp/tempVCD/movie_2.mpg");
  EXPECT_EQ(core.GetCDFile(3), "/tmp/tempVCD/movie_3.mpg");
  core.m_nCDCount = 1;
  EXPECT_EQ(core.GetCDFile(1), "/tmp/tempVCD/movie_1.mpg");
  core.m_arrOutputFiles = {"/tmp/tempVCD/movie_new"};
  core.m_bUseFfmpeg = true;
  EXPECT_EQ(core.GetCDFile(1), "/tmp/tempVCD/movie_new.mpg");
  core.m_nCDCount = 2;
  EXPECT_EQ(core.GetCDFile(2), "/tmp/tempVCD/movie_new_2.mpg");
}

TEST_F(CdJob, AWrittenCdInAFileDriveIsErasedFromThePromptAndThenBurnt) {
  const std::string drive = m_dir.File("drive.img");
  testkit::WriteFile(drive, std::string(300000, '\x5a'));  // written and closed
  testkit::ScopedEnv drives(kPseudoDrivesVariable, drive);
  Converted("pal-vcd", 2.0, kFormatVcd);
  responder.SetDialogHandler([&](const DialogRequest& request) {
    if (const auto* prompt = request.As<CDCountDlgRequest>()) {
      if (prompt->text.find("not blank") != std::string::npos) prompt->erase();
      return MakeDialogResult<CDCountDlgRequest>(IDOK);
    }
    return MakeDialogResult<EraseDiscRequest>(IDOK);
  });
  Start(1);
  ASSERT_TRUE(WaitForWorker());
  ASSERT_EQ(Prompts().size(), 2u);
  EXPECT_EQ(Prompts()[1],
            "The CD inserted is not blank. Please insert a blank CD or erase a rewritable one and select 'OK' to "
            "continue burning. Or choose 'Cancel' to stop the CD burning process.");
  EXPECT_EQ(responder.Requests<EraseDiscRequest>().size(), 1u) << "the erase window from the prompt's button";
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"CD created successfully!"});
  EXPECT_NE(QueryMedium("stdio:" + drive).state, MediaState::Blank);
  EXPECT_TRUE(FilesIn(m_output).empty()) << "burnt to the drive, no image";
}

}  // namespace
