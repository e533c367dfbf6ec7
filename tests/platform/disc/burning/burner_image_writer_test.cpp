// The image writer: DVD-Video ISOs and (S)VCD BIN/CUE pairs in the output
// folder, made by the real programs and read back by lsdvd, vcd-info and cdrdao.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "common/test_kit.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_watch.h"
#include "platform/disc/disc_test_support.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"

namespace fs = std::filesystem;

namespace {

class ImageWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_output = (m_dir.path() / "My \"Videos\" & <more> ü").string();
    fs::create_directories(m_output);
    ASSERT_EQ(burner::SetImageWriterFolder(m_output.c_str()), 0);
    // A program writing straight into the output folder would leave a
    // half-written image under the image's own name if the process died.
    SetToolRunObserver([this](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
      bool direct = options.workingDirectory == m_output;
      for (const auto& argument : argv) direct = direct || fs::path(argument).parent_path() == fs::path(m_output);
      if (direct) ++m_directWrites;
    });
  }
  void TearDown() override {
    SetToolRunObserver(nullptr);
    burner::DeleteProject();
  }

  // Burns the project to the image writer and waits for its end.
  void BurnToImage(disctest::BurnWatch& watch, int burnsBefore = 0) {
    ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);
    ASSERT_EQ(burner::Prepare(), 0) << burner::GetLastErrorText();
    ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
    ASSERT_TRUE(watch.WaitForBurnDone(burnsBefore + 1));
    ASSERT_EQ(watch.LastDoneText(), std::nullopt) << *watch.LastDoneText();
  }

  testkit::TempDir m_dir;
  std::string m_output;
  std::atomic<int> m_directWrites{0};
};

void ExpectRisingTo100(const std::vector<float>& progress) {
  ASSERT_FALSE(progress.empty());
  EXPECT_FLOAT_EQ(progress.front(), 0.0f);
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
  EXPECT_FLOAT_EQ(progress.back(), 100.0f);
}

// "v.cue: 3 tracks, length 02:23:53, 10778 blocks, 24 MB" from cdrdao toc-info.
int CdrdaoTrackCount(const std::string& cue) {
  // cdrdao finds the bin file from its current folder.
  ChildProcess::Options options;
  options.workingDirectory = fs::path(cue).parent_path().string();
  const ProcessResult result = RunProcess({FindProgram("cdrdao"), "toc-info", cue}, options);
  std::smatch match;
  static const std::regex tracks(R"(: (\d+) tracks?, length)");
  return std::regex_search(result.output, match, tracks) ? std::stoi(match[1]) : -1;
}

std::string VcdInfo(const std::string& cue) {
  ChildProcess::Options options;
  options.workingDirectory = fs::path(cue).parent_path().string();
  return RunProcess({FindProgram("vcd-info"), "-B", "--cue-file=" + cue}, options).output;
}

TEST_F(ImageWriterTest, ThreeTitleMenuDvdBecomesAnIsoLsdvdReads) {
  const std::string work = (m_dir.path() / "work").string();
  fs::create_directories(work);
  disctest::BuildDvdFolder(m_dir.path().string(), work, {1.0, 2.0, 3.0}, "ntsc-dvd");
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Vidéo & \"DVD\""), 0);
  // Named as the Windows flow names it: the case differs from the folder on disk.
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(work + "/DVD/Video_Ts")), 0) << burner::GetLastErrorText();
  BurnToImage(watch);

  const std::string iso = burner::GetLastImagePath();
  EXPECT_EQ(fs::path(iso).parent_path(), fs::path(m_output));
  EXPECT_EQ(fs::path(iso).filename(), "Vidéo & _DVD_.iso");
  const auto lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(lengths[static_cast<std::size_t>(i)], i + 1.0, 1.0) << i;
  ExpectRisingTo100(watch.Progress());
  EXPECT_EQ(watch.FinalizeCount(), 1);
  EXPECT_EQ(watch.BurnDoneCount(), 1);
  EXPECT_FALSE(watch.RanOnCallerThread());
  EXPECT_EQ(m_directWrites, 0);
}

TEST_F(ImageWriterTest, NeverReplacesAnExistingImage) {
  const std::string work = (m_dir.path() / "work").string();
  fs::create_directories(work);
  disctest::BuildDvdFolder(m_dir.path().string(), work, {1.0});
  const std::string taken = m_output + "/Video DVD.iso";
  testkit::WriteFile(taken, "the user's own file");

  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Video DVD"), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(work + "/DVD/VIDEO_TS")), 0);
  BurnToImage(watch);
  EXPECT_EQ(std::string(burner::GetLastImagePath()), m_output + "/Video DVD(1).iso");
  ASSERT_EQ(burner::Burn(), 0);
  ASSERT_TRUE(watch.WaitForBurnDone(2));
  EXPECT_EQ(std::string(burner::GetLastImagePath()), m_output + "/Video DVD(2).iso");
  EXPECT_EQ(testkit::ReadFile(taken), "the user's own file");
  EXPECT_EQ(disctest::LsdvdTitleLengths(m_output + "/Video DVD(2).iso").size(), 1u);
}

TEST_F(ImageWriterTest, TwoVcdTracksBecomeABinCuePair) {
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VCD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Video CD"), 0);
  for (int i = 0; i < 2; ++i) {
    const std::string track =
        disctest::MakeVideoCdTrack(m_dir.File("part " + std::to_string(i + 1) + " \"&\".mpg"), "pal-vcd", 4.5);
    ASSERT_EQ(burner::AddFile(disctest::VideoFileRecord(track)), 0) << burner::GetLastErrorText();
    ASSERT_TRUE(watch.WaitForScanDone(i + 1));
  }
  const auto scans = watch.Scans();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(scans[static_cast<std::size_t>(i)].fileIndex, i);
    EXPECT_EQ(scans[static_cast<std::size_t>(i)].result, 0);
    EXPECT_EQ(scans[static_cast<std::size_t>(i)].width, 352);
    EXPECT_EQ(scans[static_cast<std::size_t>(i)].height, 288);
    EXPECT_EQ(scans[static_cast<std::size_t>(i)].frameRateMilli, 25000);
  }
  EXPECT_FALSE(watch.ScanProgress().empty());
  EXPECT_FLOAT_EQ(watch.ScanProgress().back(), 100.0f);

  BurnToImage(watch);
  const std::string cue = burner::GetLastImagePath();
  EXPECT_EQ(cue, m_output + "/Video CD.cue");
  EXPECT_TRUE(fs::exists(m_output + "/Video CD.bin"));
  EXPECT_NE(testkit::ReadFile(cue).find("FILE \"Video CD.bin\" BINARY"), std::string::npos);
  EXPECT_NE(VcdInfo(cue).find("VCD 2.0 detected"), std::string::npos);
  EXPECT_EQ(CdrdaoTrackCount(cue), 3);  // the file system track and the two films
  EXPECT_EQ(m_directWrites, 0);
  ExpectRisingTo100(watch.Progress());
  EXPECT_FALSE(watch.RanOnCallerThread());
}

TEST_F(ImageWriterTest, AnSvcdTrackBecomesASvcdImage) {
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_SVCD), 0);
  const std::string track = disctest::MakeVideoCdTrack(m_dir.File("film.mpg"), "pal-svcd", 4.5);
  ASSERT_EQ(burner::AddFile(disctest::VideoFileRecord(track)), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForScanDone(1));
  EXPECT_EQ(watch.Scans()[0].width, 480);
  BurnToImage(watch);
  const std::string cue = burner::GetLastImagePath();
  EXPECT_NE(VcdInfo(cue).find("SVCD detected"), std::string::npos) << VcdInfo(cue);
  EXPECT_EQ(CdrdaoTrackCount(cue), 2);
}

TEST_F(ImageWriterTest, AddFileRefusesWhatDoesNotFitTheDisc) {
  const std::string dvd = disctest::MakeDvdTitle(m_dir.File("dvd.mpg"), "pal-dvd");
  const std::string vcd = disctest::MakeVideoCdTrack(m_dir.File("vcd.mpg"), "pal-vcd", 1.0);
  const std::string text = m_dir.File("text.mpg");
  testkit::WriteFile(text, "no video in here");
  disctest::BurnWatch watch;

  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VCD), 0);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(dvd)), 15);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(text)), 16);
  burner::FileRecord dataFile = disctest::VideoFileRecord(vcd);
  dataFile.flag = 0;
  EXPECT_EQ(burner::AddFile(dataFile), 19);
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_SVCD), 0);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(vcd)), 15);
  EXPECT_TRUE(watch.Scans().empty());  // refused files are not scanned
}

TEST_F(ImageWriterTest, AFileClearedWhileScanningDoesNotSpoilTheNextOne) {
  const std::string first = disctest::MakeVideoCdTrack(m_dir.File("first.mpg"), "pal-vcd", 4.5);
  const std::string second = disctest::MakeVideoCdTrack(m_dir.File("second.mpg"), "pal-vcd", 4.5);
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VCD), 0);
  ASSERT_EQ(burner::AddFile(disctest::VideoFileRecord(first)), 0);
  ASSERT_EQ(burner::ClearAll(), 0);  // without waiting for its scan
  ASSERT_EQ(burner::AddFile(disctest::VideoFileRecord(second)), 0);
  ASSERT_TRUE(watch.WaitForScanDone(2));
  const auto scans = watch.Scans();
  EXPECT_TRUE(scans[0].result == 0 || scans[0].result == 138) << scans[0].result;
  EXPECT_EQ(scans[1].fileIndex, 0);
  EXPECT_EQ(scans[1].result, 0);
  BurnToImage(watch);
  EXPECT_EQ(CdrdaoTrackCount(burner::GetLastImagePath()), 2);  // the file system and the second film only
}

TEST_F(ImageWriterTest, AMissingProgramIsAClearErrorCode) {
  const std::string work = (m_dir.path() / "work").string();
  fs::create_directories(work);
  disctest::BuildDvdFolder(m_dir.path().string(), work, {1.0});
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(work + "/DVD")), 0);
  ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);

  const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  ::setenv("PATH", m_dir.path().c_str(), 1);
  LocateExternalPrograms();
  const int prepared = burner::Prepare();
  const int burnt = burner::Burn();
  const std::string why = burner::GetLastErrorText();
  ::setenv("PATH", savedPath.c_str(), 1);
  LocateExternalPrograms();
  EXPECT_EQ(prepared, 13);
  EXPECT_EQ(burnt, 13);
  EXPECT_EQ(why, "genisoimage was not found; install the Debian package genisoimage.");
}

// Run as a child process by AKilledWriteLeavesNoImageNameAndIsTidiedNextTime:
// starts writing an image of ORLENTA_TEST_DVD into ORLENTA_TEST_IMAGES and is
// killed the moment genisoimage is about to start.
TEST(ImageWriterChild, DISABLED_IsKilledWhileWriting) {
  const char* images = std::getenv("ORLENTA_TEST_IMAGES");
  const char* dvd = std::getenv("ORLENTA_TEST_DVD");
  if (images == nullptr || dvd == nullptr) GTEST_SKIP() << "run by AKilledWriteLeavesNoImageNameAndIsTidiedNextTime";
  SetToolRunObserver([](const std::vector<std::string>& argv, const ChildProcess::Options&) {
    if (fs::path(argv.front()).filename() == "genisoimage") ::raise(SIGKILL);
  });
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::SetImageWriterFolder(images), 0);
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Video DVD"), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(dvd)), 0);
  ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);
  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  watch.WaitForBurnDone(1);
  FAIL() << "the burn ended without genisoimage";
}

TEST_F(ImageWriterTest, AKilledWriteLeavesNoImageNameAndIsTidiedNextTime) {
  const std::string work = (m_dir.path() / "work").string();
  fs::create_directories(work);
  disctest::BuildDvdFolder(m_dir.path().string(), work, {1.0});
  ChildProcess::Options options;
  options.environment = {"ORLENTA_TEST_IMAGES=" + m_output, "ORLENTA_TEST_DVD=" + work + "/DVD/VIDEO_TS"};
  const ProcessResult killed =
      RunProcess({fs::read_symlink("/proc/self/exe").string(),
                  "--gtest_filter=ImageWriterChild.DISABLED_IsKilledWhileWriting", "--gtest_also_run_disabled_tests"},
                 options);
  ASSERT_EQ(killed.exitCode, 128 + SIGKILL) << killed.output;

  // No file under an image's name, not even an empty one.
  for (const auto& entry : fs::directory_iterator(m_output)) {
    EXPECT_FALSE(entry.path().extension() == ".iso") << entry.path();
  }
  // The next write recognises the leftover: it removes it and takes the plain name.
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Video DVD"), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(work + "/DVD/VIDEO_TS")), 0);
  BurnToImage(watch);
  EXPECT_EQ(std::string(burner::GetLastImagePath()), m_output + "/Video DVD.iso");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(m_output)) names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Video DVD.iso"});
}

TEST_F(ImageWriterTest, AFullDiskSaysSoAndLeavesNothingBehind) {
  const std::string work = (m_dir.path() / "work").string();
  fs::create_directories(work);
  disctest::BuildDvdFolder(m_dir.path().string(), work, {3.0});
  const std::string images = m_dir.File("small disk");
  disctest::SmallFileSystem disk(images, "300k");  // the DVD folder alone is about 1 MB
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  ASSERT_EQ(burner::SetImageWriterFolder(images.c_str()), 0);
  disctest::BurnWatch watch;
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Video DVD"), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(work + "/DVD/VIDEO_TS")), 0);
  ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);
  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForBurnDone(1));
  const auto text = watch.LastDoneText();
  ASSERT_TRUE(text.has_value());
  EXPECT_TRUE(text->starts_with("The disk is full: genisoimage failed (exit code ")) << *text;
  EXPECT_NE(text->find("No space left on device"), std::string::npos) << *text;
  EXPECT_EQ(disk.Entries(), std::vector<std::string>{});
}

TEST_F(ImageWriterTest, WithoutAFolderTheImageWriterRefuses) {
  EXPECT_EQ(burner::SetImageWriterFolder(m_dir.File("missing").c_str()), 9);
  EXPECT_EQ(burner::SetImageWriterFolder(nullptr), 9);
}

}  // namespace
