// The Convert command on the window's core, headless: generated clips, the
// scripted responder for every message, and the core's own event loop for
// the pings of the task list.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "disc/cd_split_plan.h"
#include "disc/disc_prompts.h"
#include "disc/dvd_space_plan.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/job_folders.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"
#include "support/temporary_files.h"

namespace {

// The core's thread must run an event loop for the pings of the list's
// thread; the DVD job draws its menu page, which needs fonts.
QCoreApplication& CoreApplication() {
  static int argc = 1;
  static char name[] = "test_convert_command";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  return *app;
}

// Handles the core's messages until condition holds; false after the time-out.
bool RunUntil(const std::function<bool()>& condition, std::chrono::seconds timeout = std::chrono::seconds(120)) {
  return ProcessEventsUntil(condition, timeout);
}

class ConvertCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    CoreApplication();
    StopFlag::Set(false);
    for (const char* folder : {"in", "out", "tmp", "home"}) std::filesystem::create_directory(dir.File(folder));
    // The disc formats convert into the temporary folder: this test's own.
    tmpdir.emplace("TMPDIR", dir.File("tmp"));
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    core.m_strOutputFolder = core.m_strChosenFolder = dir.File("out");
    core.m_nOutputFormat = kFormatAvi;
  }
  void TearDown() override {
    // The list's thread pings the core until its end: the core must outlive it.
    EXPECT_TRUE(RunUntil([&] { return !core.m_bListRunning; }));
    CTemporaryFiles::DeleteTempFiles();
    StopFlag::Set(false);
    tmpdir.reset();
  }

  std::string Clip(const std::string& name, double seconds = 1) {
    return testkit::MakeClip(dir.File("in/" + name), {.seconds = seconds});
  }
  void List(const std::vector<std::string>& paths) {
    for (const auto& path : paths) view.ListAppend(path);
  }
  bool ConvertAndWaitForTheEnd() {
    core.OnButtonConvert();
    return RunUntil([&] { return !core.m_bListRunning && !core.m_bBusy; });
  }
  void ExpectIdleWithTheUsersFolder() {
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_FALSE(core.m_bConverting);
    EXPECT_EQ(core.m_strOutputFolder, dir.File("out"));
    // The button kept or got back its Convert look.
    const auto convert = view.elements.find(control_id::kConvert);
    EXPECT_TRUE(convert == view.elements.end() || convert->second == "button_start");
  }

  testkit::TempDir dir;
  std::optional<testkit::ScopedEnv> tmpdir;
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  RecordingView view;
  CCastrel1Dlg core;
};

TEST_F(ConvertCommand, AnEmptyListAsksForFilesStartsNothingAndKeepsTheUsersFolder) {
  std::size_t shown = 0;
  for (int format : {kFormatAvi, kFormatDvd, kFormatVcd}) {
    core.m_nOutputFormat = format;
    core.OnButtonConvert();
    ASSERT_EQ(responder.Messages().size(), ++shown) << format;
    const MessageBoxRequest message = responder.Messages().back();
    EXPECT_EQ(message.text, "No input files added.\nPlease click 'Add File' to add files!");
    EXPECT_EQ(message.caption, "Orlenta");
    EXPECT_EQ(message.flags, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_FALSE(core.m_bListRunning);
    EXPECT_EQ(core.m_strOutputFolder, dir.File("out")) << "format " << format;
  }
}

TEST_F(ConvertCommand, TwoClipsToAviEndWithOneReadyMessageNamingBothOutputs) {
  List({Clip("a.avi"), Clip("b.avi")});
  std::vector<std::string> statuses;
  view.onStatus = [&](const std::string& text) { statuses.push_back(text); };
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  // The status counts the files of a list.
  EXPECT_EQ(statuses, (std::vector<std::string>{"Converting to AVI...", "Converting to AVI... File 1 of 2",
                                                "Converting to AVI... File 2 of 2", "Ready"}));

  ASSERT_EQ(responder.Messages().size(), 1u);
  const MessageBoxRequest ready = responder.Messages().front();
  EXPECT_EQ(ready.caption, "Ready");
  EXPECT_EQ(ready.flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  const std::string a = dir.File("out/a_new.avi");
  const std::string b = dir.File("out/b_new.avi");
  EXPECT_EQ(ready.text, "\"" + a + "\"\n\"" + b + "\"\nwere created successfully!");
  EXPECT_TRUE(std::filesystem::file_size(a) > 0 && std::filesystem::file_size(b) > 0);
  EXPECT_EQ(view.status, "Ready");
  EXPECT_EQ(view.progress, 100);
  EXPECT_EQ(view.completed, "Completed: 100.00%");
  ExpectIdleWithTheUsersFolder();
  EXPECT_TRUE(registry.Logged("CCastrel1Dlg::OnConversionTaskEnd"));
  EXPECT_TRUE(
      registry.Logged("Start preparing for conversion to 0 (0-avi, 1-mpeg, 2-wmv, 3-rm, 4-dvd, 5-vcd, 6-svcd)"));
}

TEST_F(ConvertCommand, OneClipEndsWithTheSuccessDialogForItsOutput) {
  core.m_nOutputFormat = kFormatMpeg;
  List({Clip("only.avi")});
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  const auto dialogs = responder.Requests<SuccessDialogRequest>();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].filePath, dir.File("out/only_new.mpg"));
  EXPECT_TRUE(std::filesystem::exists(dialogs[0].filePath));
  EXPECT_TRUE(responder.Messages().empty());
  ExpectIdleWithTheUsersFolder();
}

TEST_F(ConvertCommand, AMissingFileAndATextFileAreReportedAndTheGoodOnesAreConvertedToTheEnd) {
  const std::string missing = dir.File("in/gone.avi");
  const std::string text = dir.File("in/notes.txt");
  testkit::WriteFile(text, "just some words, not a video\n");
  List({Clip("first.avi"), missing, text, Clip("last.avi")});
  ASSERT_TRUE(ConvertAndWaitForTheEnd()) << "the job ends although two entries were refused";

  const auto messages = responder.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, "The file does not exist.\n\n" + missing + "\n\nPlease click Browse to select a file");
  EXPECT_EQ(messages[0].caption, "Orlenta");
  EXPECT_EQ(messages[1].text,
            text + "\n\nThe file you have selected is not a video file or this format is not supported");
  EXPECT_EQ(messages[1].caption, "Warning");
  EXPECT_EQ(messages[2].caption, "Ready");
  EXPECT_EQ(messages[2].text, "\"" + dir.File("out/first_new.avi") + "\"\n\"" + dir.File("out/last_new.avi") +
                                  "\"\nwere created successfully!");
  EXPECT_EQ(view.progress, 100) << "the shares belong to the two converted files";
  ExpectIdleWithTheUsersFolder();
}

TEST_F(ConvertCommand, InputsThatShareANameAreNamedAsTheTasksWroteThem) {
  // a.avi and a.mkv both plan a_new.avi; the second task writes a_new(1).avi.
  List({Clip("a.avi"), Clip("a.mkv")});
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text, "\"" + dir.File("out/a_new.avi") + "\"\n\"" + dir.File("out/a_new(1).avi") +
                                              "\"\nwere created successfully!");
  EXPECT_EQ(core.m_arrOutputFiles, (std::vector<std::string>{dir.File("out/a_new"), dir.File("out/a_new(1)")}));
}

TEST_F(ConvertCommand, CancelWhileConvertingStopsFfmpegResetsTheProgressAndLeavesTheInputsAlone) {
  // A small clip made quickly, converted slowly: a DVD title is 720 wide.
  core.m_nOutputFormat = kFormatDvd;
  const std::string input = Clip("long.avi", 120);
  const std::string inputBefore = testkit::ReadFile(input);
  List({input});
  core.OnButtonConvert();
  ASSERT_TRUE(core.m_bBusy);
  EXPECT_EQ(view.status, "Converting to DVD-Compatible MPEG...");
  EXPECT_EQ(view.elements.at(control_id::kConvert), "button_cancel");
  ASSERT_TRUE(RunUntil([&] { return view.progress > 0 && !testkit::ProcessesMatching(input).empty(); }))
      << "ffmpeg runs and reports progress";

  core.OnButtonConvert();  // the same button cancels
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text, "Conversion canceled by user!");
  EXPECT_EQ(responder.Messages()[0].caption, "Message");
  EXPECT_EQ(view.status, "Conversion canceled!");
  EXPECT_EQ(view.progress, 0);
  EXPECT_EQ(view.completed, "Completed: 0.00%");
  ExpectIdleWithTheUsersFolder();

  ASSERT_TRUE(RunUntil([&] { return !core.m_bListRunning; }));
  EXPECT_TRUE(testkit::ProcessesMatching(input).empty()) << "no ffmpeg is left";
  EXPECT_EQ(responder.Messages().size(), 1u) << "the cancelled list's end shows nothing";
  EXPECT_EQ(testkit::ReadFile(input), inputBefore);
  EXPECT_FALSE(std::filesystem::exists(dir.File("tmp/long_new.mpg"))) << "the half-written output is removed";
  EXPECT_EQ(view.status, "Conversion canceled!");
}

TEST_F(ConvertCommand, ProgressFillsEachConvertedFilesShareOfTheBar) {
  core.m_nInputCount = 2;
  core.m_nCurrentFile = 1;
  core.m_nProgressPos = 0;
  ProgressPinger progress(&core);
  progress.Ping(100);  // a jump of a whole share at once: ignored
  EXPECT_EQ(view.progress, 0);
  progress.Ping(98);
  EXPECT_EQ(view.progress, 49);
  core.m_nCurrentFile = 2;
  progress.Ping(10);
  EXPECT_EQ(view.progress, 55);
  EXPECT_EQ(view.completed, "Completed: 55.00%");

  // A disc's conversion fills 0..75; its authoring and burning the rest.
  core.m_nProgressRange = 75;
  core.m_nInputCount = 1;
  core.m_nCurrentFile = 1;
  core.m_nProgressPos = 0;
  progress.Ping(40);
  EXPECT_EQ(view.progress, 30);
  progress.Ping(99);
  EXPECT_EQ(view.progress, 74);
}

TEST_F(ConvertCommand, ClipsToDvdAreConvertedInAJobFolderOfTheTemporaryFolderAndHandedToTheDvdJob) {
  core.m_nOutputFormat = kFormatDvd;
  // The DVD job writes an image into the output folder, whatever drives this machine has.
  burner::DeviceName devices[burner::kMaxDevices];
  int count = 0;
  ASSERT_EQ(burner::GetDevices(devices, &count, 1), 0);
  core.m_nDVDDevice = count - 1;
  responder.QueueMessageAnswer(IDNO);  // do not open the image's folder
  List({Clip("one.avi"), Clip("two.avi")});
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text.rfind("DVD created successfully!", 0), 0u) << responder.Messages()[0].text;
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/Video DVD.iso")));
  // Converted and authored in a folder of the job's own there, gone with the job.
  const std::string work = core.m_strWorkFolder;
  EXPECT_EQ(work.rfind(dir.File("tmp/orlenta-job-"), 0), 0u) << work;
  EXPECT_EQ(core.m_szDiscConvertFolder.str(), work);
  const std::vector<std::string> outputs = {work + "one_new", work + "two_new"};
  EXPECT_EQ(core.m_arrOutputFiles, outputs);
  EXPECT_EQ(CTemporaryFiles::RegisteredFiles().size(), 2u);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("tmp"))) << "the job's work folder is gone";
  EXPECT_EQ(core.m_nDVDVideoKbps, core.m_nDVDBitrate) << "two seconds fit at the setting's rate";
  EXPECT_EQ(core.m_nDVDEncoderKbps, 0) << "and the slider's quantiser is kept";
  EXPECT_TRUE(registry.Logged("Start burning DVD actions:"));
  EXPECT_EQ(core.m_strOutputFolder, dir.File("out")) << "the user's folder is back before the DVD job";
  EXPECT_EQ(view.status, "Ready");
}

TEST_F(ConvertCommand, ADvdListThatCannotBePlannedIsRefusedBeforeAnythingStarts) {
  core.m_nOutputFormat = kFormatDvd;
  // Nothing listed has a length: the plan would divide by zero.
  List({dir.File("in/missing.avi")});
  core.OnButtonConvert();
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_NE(responder.Messages()[0].text.find("The length of the listed videos cannot be read"), std::string::npos);
  ExpectIdleWithTheUsersFolder();
  EXPECT_FALSE(core.m_bListRunning);

  // 37 titles are more than a DVD menu holds.
  view.list.clear();
  const std::string clip = Clip("short.avi", 0.2);
  for (int i = 0; i < kDvdMaxTitles + 1; ++i) view.ListAppend(clip);
  core.OnButtonConvert();
  ASSERT_EQ(responder.Messages().size(), 2u);
  EXPECT_NE(responder.Messages()[1].text.find("A DVD menu holds at most 36 titles, and the list holds 37 files."),
            std::string::npos);
  ExpectIdleWithTheUsersFolder();
  EXPECT_FALSE(core.m_bListRunning);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("tmp")));
}

TEST_F(ConvertCommand, AVcdOfALongerListAsksForTheSelectedFileAndStopsWithoutOne) {
  List({dir.File("in/a.avi"), dir.File("in/b.avi")});
  const struct {
    int format;
    int selection;
    int answer;
    const char* text;
    const char* caption;
  } cases[] = {
      {kFormatVcd, -1, IDOK,
       "Orlenta can burn only one (the selected) file per VCD. Please select a file and press 'Start' again.",
       "Orlenta"},
      {kFormatSvcd, -1, IDOK,
       "Orlenta can burn only one (the selected) file per SVCD. Please select a file and press 'Start' again.",
       "Orlenta"},
      {kFormatVcd, 1, IDCANCEL,
       "Orlenta can burn only one (the selected) file per VCD. Please click 'OK' to continue or 'Cancel' to abort "
       "burning.",
       "Message"},
  };
  std::size_t shown = 0;
  for (const auto& c : cases) {
    core.m_nOutputFormat = c.format;
    view.selection = c.selection;
    responder.QueueMessageAnswer(c.answer);
    core.OnButtonConvert();
    ASSERT_EQ(responder.Messages().size(), ++shown) << c.text;
    EXPECT_EQ(responder.Messages().back().text, c.text);
    EXPECT_EQ(responder.Messages().back().caption, c.caption);
    ExpectIdleWithTheUsersFolder();
    EXPECT_FALSE(core.m_bListRunning);
  }
}

// tempVCD is the program's own: what killed jobs left there goes before the
// next VCD job converts, so its names need no counter; a job of another
// Orlenta that still runs keeps its folder.
TEST_F(ConvertCommand, AVcdJobEmptiesTempVcdFirstAndLeavesTheJobsOfOthers) {
  testkit::ScopedEnv cache("XDG_CACHE_HOME", dir.File("cache"));
  testkit::ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
  std::string first;
  std::string second;
  if (core.GetAvailableDrives(350, first, second) == 0) GTEST_SKIP() << "no drive here has room for a VCD job";
  const std::string tempVcd = second + "tempVCD/";
  EXPECT_EQ(tempVcd.rfind(dir.File("cache/Orlenta/"), 0), 0u) << "in the user's cache, on the same drive: " << tempVcd;
  std::filesystem::create_directories(tempVcd + "orlenta-job-dead01");
  testkit::WriteFile(tempVcd + "clip_new.mpg", "left by a killed job");
  testkit::WriteFile(tempVcd + "orlenta-job-dead01/clip_new.mpg", "left by a killed job");
  std::string error;
  const auto live = JobFolder::Create(tempVcd, &error);
  ASSERT_TRUE(live) << error;
  testkit::WriteFile(live->Path() + "clip_new.mpg", "another Orlenta's");

  core.m_nOutputFormat = kFormatVcd;
  List({Clip("clip.avi")});
  std::vector<std::string> atThePrompt;
  std::string burnt;
  // The image writer asks for no disc: what tempVCD holds is looked at when
  // the image starts to be written.
  view.onStatus = [&](const std::string& text) {
    if (text != kWritingImageStatus || !burnt.empty()) return;
    for (const auto& entry : std::filesystem::directory_iterator(tempVcd)) {
      atThePrompt.push_back(entry.path().filename().string());
    }
    std::sort(atThePrompt.begin(), atThePrompt.end());
    burnt = core.m_strOutFile;
  };
  ASSERT_TRUE(ConvertAndWaitForTheEnd());
  ASSERT_TRUE(RunUntil([&] { return !core.m_bCDWorkerRunning; }));

  const std::string job = core.m_szDiscConvertFolder.str();
  EXPECT_EQ(job.rfind(tempVcd + "orlenta-job-", 0), 0u) << job;
  EXPECT_EQ(burnt, job + "clip_new.mpg") << "no counter in the name";
  const std::string jobName = std::filesystem::path(job).parent_path().filename().string();
  const std::string liveName = std::filesystem::path(live->Path()).parent_path().filename().string();
  auto expected = std::vector<std::string>{jobName, liveName};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(atThePrompt, expected);
  // The job's own folder goes with it.
  std::vector<std::string> after;
  for (const auto& entry : std::filesystem::directory_iterator(tempVcd)) {
    after.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(after, std::vector<std::string>{liveName});
  EXPECT_EQ(testkit::ReadFile(live->Path() + "clip_new.mpg"), "another Orlenta's");
}

TEST_F(ConvertCommand, AnOutputThatCannotBeCreatedMovesToTheVideosFolder) {
  testkit::ScopedEnv home("HOME", dir.File("home"));
  testkit::ScopedEnv config("XDG_CONFIG_HOME", dir.File("home/.config"));
  std::string writable = dir.File("out/fine.avi");
  core.AdjustOutFile(writable);
  EXPECT_EQ(writable, dir.File("out/fine.avi"));
  EXPECT_TRUE(std::filesystem::exists(writable)) << "an empty file now holds the name";

  testkit::WriteFile(writable, "kept");
  core.AdjustOutFile(writable);
  EXPECT_EQ(testkit::ReadFile(writable), "kept") << "an existing file is never truncated";

  std::string unwritable = "/no/such/folder/clip_new.avi";
  core.AdjustOutFile(unwritable);
  EXPECT_EQ(unwritable, dir.File("home/Videos/clip_new.avi"));
  EXPECT_TRUE(std::filesystem::exists(unwritable));
  EXPECT_TRUE(registry.Logged("AdjustOutFile(CString & sOutFile)"));
}

}  // namespace
