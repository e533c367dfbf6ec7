// The DVD job of the window's core, from converted titles to an ISO in the
// output folder or a burn on a file-backed drive, read back by lsdvd and
// dvdunauthor; its cancels, prompts and clean-up.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <functional>
#include <regex>

#include "app/failing_ffmpeg.h"
#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/qt_gui_environment.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/shell_open.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/burning/burner_watch.h"
#include "platform/disc/burning/erase_request.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_test_support.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/registry/registry_test_env.h"

namespace fs = std::filesystem;

namespace {

[[maybe_unused]] const auto* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtGuiTestEnvironment("test_dvd_job"));

constexpr auto kJobTimeout = std::chrono::seconds(180);

// A recording view that also keeps every status line and can act on progress.
class WatchedView : public RecordingView {
 public:
  void SetStatusText(const std::string& text) override {
    RecordingView::SetStatusText(text);
    statuses.push_back(text);
  }
  void SetProgress(int percent) override {
    RecordingView::SetProgress(percent);
    if (onProgress) onProgress(percent);
  }
  std::vector<std::string> statuses;
  std::function<void(int)> onProgress;
};

// Chapters per title as "lsdvd -c" lists them.
std::vector<int> LsdvdChapters(const std::string& dvd) {
  const ProcessResult result = RunProcess({FindProgram("lsdvd"), "-c", dvd});
  std::vector<int> chapters;
  const std::regex title(R"(Title: \d+, Length: [0-9:.]+ Chapters: (\d+))");
  for (std::sregex_iterator it(result.output.begin(), result.output.end(), title), end; it != end; ++it) {
    chapters.push_back(std::stoi((*it)[1]));
  }
  return chapters;
}

// Regular files anywhere under folder.
std::vector<std::string> FilesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) files.push_back(entry.path().lexically_relative(folder).string());
  }
  return files;
}

// The Convert button pressed while a job runs: its cancel branch.
void PressConvertToCancel(CCastrel1Dlg& core) {
  ASSERT_TRUE(core.m_bBusy);
  core.OnButtonConvert();
}

class DvdJob : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    ::unsetenv(kPseudoDrivesVariable);
    fs::create_directories(m_work);
    fs::create_directories(m_out);
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    core.m_nOutputFormat = kFormatDvd;
    core.m_formats[kFormatDvd]->video_codec_id = 1;  // PAL
    core.m_nChapterSeconds = 2;                      // marks every 2 s in these short titles
  }
  void TearDown() override {
    burner::Abort();
    burner::DeleteProject();
    burner::ResetCallbacks();
    ::unsetenv(kPseudoDrivesVariable);
    StopFlag::Set(false);
  }

  // The job's state as the Convert command leaves it after converting titles
  // of these lengths from files with awkward names.
  void ConvertedTitles(const std::vector<double>& seconds) {
    for (std::size_t i = 0; i < seconds.size(); ++i) {
      const std::string input = m_dir.File("Clip \"" + std::to_string(i + 1) + "\" & <more>.avi");
      const std::string stem = (m_work / ("Clip " + std::to_string(i + 1) + "_new")).string();
      disctest::MakeDvdTitle(stem + ".mpg", "pal-dvd", seconds[i]);
      view.list.push_back(input);
      core.m_arrConvertInputs.emplace_back(input);
      core.m_arrOutputFiles.push_back(stem);
    }
    core.m_nInputCount = static_cast<int>(seconds.size());
    core.m_nCurrentFile = core.m_nInputCount + 1;
    core.m_strWorkFolder = m_work.string() + "/";
    core.m_strOutputFolder = m_out.string();
    core.m_strChosenFolder = m_out.string();
    core.m_bUseFfmpeg = true;
    core.m_bCancel = false;
    core.m_bBusy = true;
    core.EnableControls(false);
  }

  // The device whose entry names text.
  void UseDevice(const std::string& text) {
    const auto entries = disctest::DeviceEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].find(text) != std::string::npos) core.m_nDVDDevice = static_cast<int>(i);
    }
  }
  void UseImageWriter() { UseDevice("Image file"); }

  // Runs the job until its end has been handled and the builder's files are gone.
  bool RunJob(const std::function<bool()>& ended) {
    core.StartBurnDVD();
    const bool done = testkit::WaitUntil(
        [&] {
          QCoreApplication::processEvents();
          return ended();
        },
        kJobTimeout);
    FinishFolderRemovals();
    return done;
  }
  bool RunJob() {
    return RunJob([&] { return !core.m_bBusy; });
  }

  // Convert pressed on the listed clips with the image writer as the device;
  // runs until the job and its list have ended.
  bool ConvertToImage() {
    core.m_strOutputFolder = core.m_strChosenFolder = m_out.string();
    UseImageWriter();
    responder.QueueMessageAnswer(IDNO);  // do not open the image's folder
    core.OnButtonConvert();
    const bool ended = testkit::WaitUntil(
        [&] {
          QCoreApplication::processEvents();
          return !core.m_bBusy && !core.m_bListRunning;
        },
        kJobTimeout);
    FinishFolderRemovals();
    return ended;
  }

  bool Shown(const std::string& text) const {
    const auto texts = responder.MessageTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  void ExpectTheJobLeftNothing() {
    EXPECT_TRUE(fs::is_empty(m_work)) << "the work folder holds nothing of the job: "
                                      << testing::PrintToString(FilesUnder(m_work));
    EXPECT_TRUE(testkit::ProcessesMatching(m_dir.path().string()).empty()) << "no program of the job still runs";
    EXPECT_FALSE(core.m_bBusy);
    EXPECT_EQ(view.elements.at(1008), "button_start") << "the controls are enabled again";
  }

  ScopedRegistryFile registry;
  ScriptedResponder responder;
  ScopedShellOpener opener{[this](const std::string& target) {
    opened.push_back(target);
    return true;
  }};
  std::vector<std::string> opened;
  testkit::TempDir m_dir;
  const fs::path m_work = m_dir.path() / "temp";
  const fs::path m_out = m_dir.path() / "My DVDs";
  WatchedView view;
  CCastrel1Dlg core;
};

TEST_F(DvdJob, ThreeTitlesBecomeOneIsoWithAMenuWhoseButtonsPlayThem) {
  ConvertedTitles({3.0, 1.5, 5.0});
  UseImageWriter();
  responder.QueueMessageAnswer(IDYES);  // open the image's folder
  ASSERT_TRUE(RunJob());

  const std::string iso = (m_out / "Video DVD.iso").string();
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{"Video DVD.iso"});
  const auto lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 3u) << "lsdvd reads the image";
  EXPECT_NEAR(lengths[0], 3.0, 1.0);
  EXPECT_NEAR(lengths[1], 1.5, 1.0);
  EXPECT_NEAR(lengths[2], 5.0, 1.0);
  EXPECT_EQ(LsdvdChapters(iso), (std::vector<int>{2, 1, 3})) << "a chapter every 2 seconds";

  const disctest::AuthoredMenu menu = disctest::ReadBackMenu(iso, m_dir.path().string());
  EXPECT_EQ(menu.buttonCommands, (std::vector<std::string>{"jump title 1;", "jump title 2;", "jump title 3;"}));
  EXPECT_EQ(menu.titlesReturningToMenu, 3);

  const auto messages = responder.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "DVD created successfully!\n\nThe DVD image is \"" + iso + "\".\nOpen its folder?");
  EXPECT_EQ(messages[0].caption, "Message");
  EXPECT_EQ(opened, std::vector<std::string>{m_out.string()});
  EXPECT_EQ(view.progress, 100);
  EXPECT_EQ(view.completed, "Completed 100.00%");
  EXPECT_EQ(view.status, "Ready");
  for (const char* stage : {"Authoring in progress...", "Writing the disc image..."}) {
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), stage), view.statuses.end()) << stage;
  }
  const auto lines = registry.LogLines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("AddDir() Destination Path: ") != std::string::npos &&
           line.find("; File Pattern: ") != std::string::npos && line.find("; Source Dir Path: ") != std::string::npos;
  })) << "the burner project's folder is logged";
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, OneTitleHasNoMenuAndTheImageNeverReplacesAFile) {
  ConvertedTitles({2.0});
  testkit::WriteFile((m_out / "Video DVD.iso").string(), "the user's own file");
  UseImageWriter();
  responder.QueueMessageAnswer(IDNO);
  ASSERT_TRUE(RunJob());

  EXPECT_EQ(testkit::ReadFile((m_out / "Video DVD.iso").string()), "the user's own file");
  const std::string iso = (m_out / "Video DVD(1).iso").string();
  ASSERT_TRUE(fs::exists(iso));
  EXPECT_EQ(disctest::LsdvdTitleLengths(iso).size(), 1u);
  EXPECT_EQ(disctest::ReadBackMenu(iso, m_dir.path().string()).buttons, 0);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(view.status, "Ready");
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, ADeviceIndexPastTheListFallsBackToTheImageWriterAndSaysSo) {
  ConvertedTitles({1.0});
  core.m_nDVDDevice = burner::kMaxDevices;  // a drive unplugged since the setting was saved
  responder.QueueMessageAnswer(IDNO);
  ASSERT_TRUE(RunJob());
  EXPECT_TRUE(fs::exists(m_out / "Video DVD.iso"));
  EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(),
                      "The DVD drive chosen in the settings is not connected: writing an image file..."),
            view.statuses.end());
  EXPECT_EQ(view.status, "Ready");
}

TEST_F(DvdJob, ADvdLargerThanTheDiscStopsBeforeBurning) {
  ConvertedTitles({1.0, 1.0});
  UseImageWriter();
  core.m_nDVDCapacityBytes = 100'000;  // a disc far smaller than two titles
  ASSERT_TRUE(RunJob());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text.rfind("The DVD would hold 0.", 0), 0u) << responder.Messages()[0].text;
  EXPECT_NE(responder.Messages()[0].text.find("more than the 0.00 GB a DVD holds"), std::string::npos);
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{});
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, ADiscWhoseFilesFitButWhoseImageDoesNotIsRefused) {
  ConvertedTitles({1.0});
  UseImageWriter();
  // One title has no menu: its VIDEO_TS holds the title and some 40 kB of
  // IFO files, and fits; the image's file system (0.9 MB) does not.
  core.m_nDVDCapacityBytes = static_cast<std::int64_t>(fs::file_size(m_work / "Clip 1_new.mpg")) + 500'000;
  ASSERT_TRUE(RunJob());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text.rfind("The DVD would hold 0.", 0), 0u) << responder.Messages()[0].text;
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{});
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, CancelWhileAuthoringStopsTheBuilderAndCleansUp) {
  ConvertedTitles({3.0, 3.0, 3.0});
  UseImageWriter();
  // The stop command: the user cancels once authoring has begun.
  view.onProgress = [&](int percent) {
    if (percent >= 75) core.m_bCancel = true;
  };
  ASSERT_TRUE(RunJob());
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"DVD creation process canceled by user."});
  EXPECT_EQ(view.status, "Action canceled!");
  EXPECT_EQ(view.progress, 0);
  EXPECT_EQ(view.completed, "Completed: 0.00%");
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{});
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, ThreeClipsConvertedToDvdEndAsAnIsoInTheOutputFolder) {
  // The disc formats convert into the temporary folder: this test's work folder.
  testkit::ScopedEnv tmpdir("TMPDIR", m_work.string());
  fs::create_directories(m_dir.path() / "in");
  std::vector<std::string> clips;
  std::vector<fs::file_time_type> written;
  for (int i = 1; i <= 3; ++i) {
    clips.push_back(testkit::MakeClip(m_dir.File("in/clip " + std::to_string(i) + ".avi"), {.seconds = 1.0 + i}));
    written.push_back(fs::last_write_time(clips.back()));
    view.ListAppend(clips.back());
  }
  ASSERT_TRUE(ConvertToImage());

  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{"Video DVD.iso"});
  const std::string iso = (m_out / "Video DVD.iso").string();
  const auto lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(lengths[static_cast<std::size_t>(i)], 2.0 + i, 1.0) << i;
  EXPECT_EQ(disctest::ReadBackMenu(iso, m_dir.path().string()).buttons, 3);
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"DVD created successfully!\n\nThe DVD image is \"" +
                                                               iso + "\".\nOpen its folder?"});
  EXPECT_EQ(view.status, "Ready");
  EXPECT_EQ(view.progress, 100);
  for (std::size_t i = 0; i < clips.size(); ++i) EXPECT_EQ(fs::last_write_time(clips[i]), written[i]) << clips[i];
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, ASoundOnlyFileBecomesADvdWhoseTitleLastsAsLongAsTheSound) {
  testkit::ScopedEnv tmpdir("TMPDIR", m_work.string());
  fs::create_directories(m_dir.path() / "in");
  view.ListAppend(testkit::MakeClip(m_dir.File("in/song.mp3"), {.seconds = 4.0, .video = false}));
  ASSERT_TRUE(ConvertToImage());

  const std::string iso = (m_out / "Video DVD.iso").string();
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"DVD created successfully!\n\nThe DVD image is \"" +
                                                               iso + "\".\nOpen its folder?"});
  const auto lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 1u);
  EXPECT_NEAR(lengths[0], 4.0, 0.5);
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJob, WhenFfmpegFailsTheLibraryConvertsTwoClipsAndTheIsoHoldsBoth) {
  testkit::ScopedEnv tmpdir("TMPDIR", m_work.string());
  fs::create_directories(m_dir.path() / "in");
  for (double seconds : {2.0, 3.0}) {
    view.ListAppend(testkit::MakeClip(m_dir.File("in/clip " + std::to_string(static_cast<int>(seconds)) + ".avi"),
                                      {.seconds = seconds}));
  }
  auto failing = std::make_optional<FailingFfmpeg>(m_dir);
  // The menu's video needs the real ffmpeg back once the titles are converted.
  bool handedOver = false;
  core.m_discHandOver = [&](OutputFormatId format) {
    handedOver = format == kFormatDvd;
    failing.reset();
    core.StartBurnDVD();
  };
  ASSERT_TRUE(ConvertToImage());

  EXPECT_TRUE(handedOver);
  EXPECT_FALSE(core.m_bUseFfmpeg) << "the library engine converted";
  const std::string iso = (m_out / "Video DVD.iso").string();
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{"Video DVD.iso"});
  const auto lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 2u);
  EXPECT_NEAR(lengths[0], 2.0, 0.5);
  EXPECT_NEAR(lengths[1], 3.0, 0.5);
  EXPECT_TRUE(Shown("DVD created successfully!\n\nThe DVD image is \"" + iso + "\".\nOpen its folder?"))
      << testing::PrintToString(responder.MessageTexts());
  ExpectTheJobLeftNothing();
}

class DvdJobOnFileDrive : public DvdJob {
 protected:
  void UseFileDrive(const std::string& path) {
    m_drive = path;
    ::setenv(kPseudoDrivesVariable, m_drive.c_str(), 1);
    UseDevice("File drive");
  }
  std::string m_drive;
};

TEST_F(DvdJobOnFileDrive, BurnsTheDvdOntoABlankDisc) {
  testkit::WriteFile(m_dir.File("drive.img"), "");
  UseFileDrive(m_dir.File("drive.img"));
  ConvertedTitles({2.0, 3.0});
  ASSERT_TRUE(RunJob());
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"DVD created successfully!"});
  EXPECT_EQ(disctest::LsdvdTitleLengths(m_drive).size(), 2u);
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{}) << "no image file for a drive";
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJobOnFileDrive, NoDiscPromptsAgainAfterEachOkAndCancelEndsTheJob) {
  // An empty tray: the drive's file is a link to nothing.
  fs::create_symlink(m_dir.File("no disc.img"), m_dir.File("tray.img"));
  UseFileDrive(m_dir.File("tray.img"));
  ConvertedTitles({1.0});
  responder.QueueMessageAnswer(IDOK);
  responder.QueueMessageAnswer(IDOK);
  responder.QueueMessageAnswer(IDCANCEL);
  ASSERT_TRUE(RunJob());
  const auto messages = responder.Messages();
  ASSERT_EQ(messages.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(messages[i].text, "Please insert a blank DVD and press OK!");
    EXPECT_EQ(messages[i].caption, "Message");
    EXPECT_EQ(messages[i].flags, MB_OKCANCEL);
  }
  EXPECT_EQ(messages[3].text, "Burning canceled by user");
  EXPECT_EQ(view.status, "Cancel");
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJobOnFileDrive, AWrittenDiscShowsTheEraseDialogWhoseOkRetriesAndWhoseEraseBurns) {
  testkit::WriteFile(m_dir.File("used.img"), std::string(200000, 'x'));  // written and closed
  UseFileDrive(m_dir.File("used.img"));
  ConvertedTitles({1.0, 2.0});
  int prompts = 0;
  responder.SetDialogHandler([&](const DialogRequest& request) {
    if (const auto* prompt = request.As<EraseDVDDlgRequest>()) {
      // First OK alone (the disc is still written), then the Erase button.
      if (++prompts == 2) prompt->erase();
      return MakeDialogResult<EraseDVDDlgRequest>(IDOK);
    }
    EXPECT_NE(request.As<EraseDiscRequest>(), nullptr);
    return MakeDialogResult<EraseDiscRequest>(IDOK);  // erase the drive chosen in advance
  });
  ASSERT_TRUE(RunJob());
  EXPECT_EQ(responder.DialogNames(), (std::vector<std::string>{"CEraseDVDDlg", "CEraseDVDDlg", "EraseDialog"}));
  EXPECT_EQ(responder.Requests<EraseDiscRequest>()[0].caption, "Erase DVD");
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"DVD created successfully!"});
  EXPECT_EQ(disctest::LsdvdTitleLengths(m_drive).size(), 2u);
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJobOnFileDrive, AWrittenDiscAndCancelEndTheJob) {
  testkit::WriteFile(m_dir.File("used.img"), std::string(200000, 'x'));
  UseFileDrive(m_dir.File("used.img"));
  ConvertedTitles({1.0});
  responder.QueueAnswer<EraseDVDDlgRequest>(IDCANCEL);
  ASSERT_TRUE(RunJob());
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"Burning canceled by user"});
  EXPECT_EQ(testkit::ReadFile(m_drive), std::string(200000, 'x')) << "the disc is left alone";
  ExpectTheJobLeftNothing();
}

TEST_F(DvdJobOnFileDrive, TheConvertButtonWhileBurningAbortsTheWriterAndCleansUp) {
  // A drive that takes the data as slowly as we like: a pipe nobody empties.
  const std::string pipe = m_dir.File("stalled drive.fifo");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  UseFileDrive(pipe);
  ConvertedTitles({2.0, 2.0});
  ASSERT_TRUE(RunJob([&] { return !testkit::ProcessesMatching(pipe).empty(); })) << "the writer runs";

  PressConvertToCancel(core);
  EXPECT_TRUE(testkit::ProcessesMatching(pipe).empty()) << "the writer has been stopped before the files went";
  // Whatever the burner still had queued changes nothing any more.
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  FinishFolderRemovals();
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"Conversion canceled by user!"});
  EXPECT_EQ(view.status, "Conversion canceled!");
  EXPECT_EQ(view.progress, 0);
  ExpectTheJobLeftNothing();
  EXPECT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0) << "the burner is free for the next job";
  ::close(reader);
}

TEST_F(DvdJob, TheConvertButtonWhileAuthoringStopsTheBuilderAndCleansUp) {
  ConvertedTitles({3.0, 3.0, 3.0});
  UseImageWriter();
  bool pressed = false;
  view.onProgress = [&](int percent) {
    if (percent < 75 || percent >= 100 || pressed) return;
    pressed = true;
    PressConvertToCancel(core);
  };
  ASSERT_TRUE(RunJob([&] { return pressed && !core.m_bBusy; }));
  EXPECT_EQ(responder.MessageTexts(), std::vector<std::string>{"Conversion canceled by user!"});
  EXPECT_EQ(view.progress, 0);
  EXPECT_EQ(FilesUnder(m_out), std::vector<std::string>{});
  ExpectTheJobLeftNothing();
}

}  // namespace
