#include "platform/disc/authoring/dvd_image_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "platform/disc/authoring/ifo_video.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_test_support.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"

namespace fs = std::filesystem;

namespace {

struct ProgressLog {
  std::vector<double> fractions;
  int stopAtPhase = -1;  // stop the build once a reaches this
  DVDImageBuildHandle builder = nullptr;

  static void Callback(void* user, float x, int a, int b) {
    auto* log = static_cast<ProgressLog*>(user);
    log->fractions.push_back((100.0 * a + x) / (100.0 * (b == 0 ? 1 : b)));
    if (log->stopAtPhase >= 0 && a >= log->stopAtPhase) DVDImageBuild_StopBuildDVD(log->builder);
  }
};

class DvdImageBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override { m_builder = DVDImageBuild_Create(); }
  void TearDown() override { DVDImageBuild_Destory(m_builder); }

  // A work folder whose name a shell or an XML file would trip over.
  std::string AwkwardFolder() {
    const fs::path folder = m_dir.path() / "work folder \"q\" & <x> é";
    fs::create_directories(folder);
    return folder.string() + "/";
  }

  testkit::TempDir m_dir;
  DVDImageBuildHandle m_builder = nullptr;
};

void ExpectRisingToOne(const std::vector<double>& fractions) {
  ASSERT_FALSE(fractions.empty());
  for (std::size_t i = 1; i < fractions.size(); ++i) EXPECT_GE(fractions[i], fractions[i - 1]) << i;
  EXPECT_DOUBLE_EQ(fractions.back(), 1.0);
}

TEST_F(DvdImageBuilderTest, OneTitleWithoutMenu) {
  const std::string title = disctest::MakeDvdTitle(m_dir.File("only title's \"clip\".mpg"), "pal-dvd", 2.0);
  const std::string work = AwkwardFolder();
  ProgressLog progress;
  DVDImageBuild_SetProgressCallback(m_builder, &ProgressLog::Callback, &progress);
  ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, title.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  EXPECT_NE(DVDImageBuild_CreateMenuImages(m_builder), 0);  // nothing to make, still a success
  ASSERT_EQ(DVDImageBuild_BuildDVD(m_builder), 1) << DVDImageBuild_GetLastError(m_builder);

  const std::string dvd = work + "DVD";
  EXPECT_TRUE(fs::is_directory(dvd + "/AUDIO_TS"));
  const auto lengths = disctest::LsdvdTitleLengths(dvd);
  ASSERT_EQ(lengths.size(), 1u);
  EXPECT_NEAR(lengths[0], 2.0, 1.0);
  EXPECT_EQ(disctest::ReadBackMenu(dvd, m_dir.path().string()).buttons, 0);
  ExpectRisingToOne(progress.fractions);
}

// dvdauthor adds titlesets to a VIDEO_TS it finds: a second build into the
// same folder must still hold only its own titles.
TEST_F(DvdImageBuilderTest, ASecondBuildReplacesTheFirstDvd) {
  const std::string work = AwkwardFolder();
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  for (const double seconds : {1.0, 3.0}) {
    const std::string title = disctest::MakeDvdTitle(m_dir.File("title.mpg"), "pal-dvd", seconds);
    ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, title.c_str()), 1);
    ASSERT_EQ(DVDImageBuild_BuildDVD(m_builder), 1) << DVDImageBuild_GetLastError(m_builder);
  }
  const auto lengths = disctest::LsdvdTitleLengths(work + "DVD");
  ASSERT_EQ(lengths.size(), 1u);
  EXPECT_NEAR(lengths[0], 3.0, 1.0);
}

TEST_F(DvdImageBuilderTest, ThreeTitlesWithMenuReturningToIt) {
  std::vector<std::string> titles;
  const double seconds[] = {1.0, 2.0, 3.0};
  for (int i = 0; i < 3; ++i) {
    titles.push_back(
        disctest::MakeDvdTitle(m_dir.File("title " + std::to_string(i) + " <\"&'> ñ.mpg"), "ntsc-dvd", seconds[i]));
  }
  const std::string menuVideo = disctest::MakeMenuBackground(m_dir.File("foxdvdmenu.mpg"), 480);
  const std::string ini = m_dir.File("foxdvdmenu.ini");
  disctest::WriteMenuDescription(ini, menuVideo, titles, 480);
  const std::string work = AwkwardFolder();

  ProgressLog progress;
  DVDImageBuild_SetProgressCallback(m_builder, &ProgressLog::Callback, &progress);
  ASSERT_EQ(DVDImageBuild_LoadINI(m_builder, ini.c_str()), 1) << DVDImageBuild_GetLastError(m_builder);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  ASSERT_NE(DVDImageBuild_CreateMenuImages(m_builder), 0) << DVDImageBuild_GetLastError(m_builder);
  ASSERT_EQ(DVDImageBuild_BuildDVD(m_builder), 1) << DVDImageBuild_GetLastError(m_builder);

  const std::string dvd = work + "DVD";
  const auto lengths = disctest::LsdvdTitleLengths(dvd);
  ASSERT_EQ(lengths.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(lengths[static_cast<std::size_t>(i)], seconds[i], 1.0) << i;
  const auto menu = disctest::ReadBackMenu(dvd, m_dir.path().string());
  EXPECT_EQ(menu.buttons, 3);
  EXPECT_EQ(menu.buttonCommands, (std::vector<std::string>{"jump title 1;", "jump title 2;", "jump title 3;"}));
  EXPECT_EQ(menu.titlesReturningToMenu, 3);
  ExpectRisingToOne(progress.fractions);

  // Releasing the builder takes its intermediate files away; the DVD stays.
  DVDImageBuild_Destory(m_builder);
  m_builder = nullptr;
  FinishFolderRemovals();
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(work)) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"DVD"});
}

TEST_F(DvdImageBuilderTest, WideAndNarrowTitlesKeepTheirOwnAspect) {
  testkit::ClipOptions wide;
  wide.outputArguments = {"-target", "pal-dvd", "-aspect", "16:9"};
  std::vector<std::string> titles = {disctest::MakeDvdTitle(m_dir.File("narrow.mpg"), "pal-dvd"),
                                     testkit::MakeClip(m_dir.File("wide.mpg"), wide)};
  const std::string ini = m_dir.File("menu.ini");
  disctest::WriteMenuDescription(ini, disctest::MakeMenuBackground(m_dir.File("menu.mpg"), 576), titles, 576);
  const std::string work = AwkwardFolder();
  ASSERT_EQ(DVDImageBuild_LoadINI(m_builder, ini.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  ASSERT_NE(DVDImageBuild_CreateMenuImages(m_builder), 0) << DVDImageBuild_GetLastError(m_builder);
  ASSERT_EQ(DVDImageBuild_BuildDVD(m_builder), 1) << DVDImageBuild_GetLastError(m_builder);
  const std::string listing = RunProcess({FindProgram("lsdvd"), "-v", work + "DVD"}).output;
  const auto narrow = listing.find("Aspect ratio: 4/3");
  const auto widePos = listing.find("Aspect ratio: 16/9");
  EXPECT_NE(narrow, std::string::npos) << listing;
  EXPECT_NE(widePos, std::string::npos) << listing;
  EXPECT_LT(narrow, widePos);
  EXPECT_EQ(DVDImageBuild_MadeWrongShape(m_builder), 0);
  // The job's own read-back sees what lsdvd sees.
  const auto first = ReadTitleSetVideo(work + "DVD/VIDEO_TS/VTS_01_0.IFO", nullptr);
  const auto second = ReadTitleSetVideo(work + "DVD/VIDEO_TS/VTS_02_0.IFO", nullptr);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->aspect, "4:3");
  EXPECT_EQ(second->aspect, "16:9");
  EXPECT_EQ(second->width, 720);
  EXPECT_EQ(second->height, 576);
}

// A stream flagged with a shape a DVD does not have (here square, 1:1):
// dvdauthor only warns and makes a disc that shows it squashed. That is a
// failure which says so, and the half-made DVD is gone.
TEST_F(DvdImageBuilderTest, ATitleOfAShapeADvdCannotShowFailsTheBuild) {
  testkit::ClipOptions square;
  square.outputArguments = {"-target", "pal-dvd", "-aspect", "1:1"};
  const std::string title = testkit::MakeClip(m_dir.File("square.mpg"), square);
  const std::string work = AwkwardFolder();
  ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, title.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  EXPECT_EQ(DVDImageBuild_BuildDVD(m_builder), 0);
  EXPECT_EQ(DVDImageBuild_MadeWrongShape(m_builder), 1);
  EXPECT_STREQ(DVDImageBuild_GetLastError(m_builder),
               "The DVD would show a title in the wrong shape: dvdauthor says \"unknown mpeg2 aspect ratio 1\"");
  EXPECT_FALSE(fs::exists(work + "DVD/VIDEO_TS/VIDEO_TS.IFO"));
}

TEST_F(DvdImageBuilderTest, StopFromTheCallbackEndsDvdauthorAtOnce) {
  std::vector<std::string> titles;
  for (int i = 0; i < 3; ++i)
    titles.push_back(disctest::MakeDvdTitle(m_dir.File("t" + std::to_string(i) + ".mpg"), "pal-dvd"));
  const std::string ini = m_dir.File("menu.ini");
  disctest::WriteMenuDescription(ini, disctest::MakeMenuBackground(m_dir.File("menu.mpg"), 576), titles, 576);
  const std::string work = AwkwardFolder();

  ProgressLog progress;
  progress.builder = m_builder;
  progress.stopAtPhase = 2;  // the second titleset begins
  DVDImageBuild_SetProgressCallback(m_builder, &ProgressLog::Callback, &progress);
  ASSERT_EQ(DVDImageBuild_LoadINI(m_builder, ini.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  ASSERT_NE(DVDImageBuild_CreateMenuImages(m_builder), 0) << DVDImageBuild_GetLastError(m_builder);
  EXPECT_EQ(DVDImageBuild_BuildDVD(m_builder), 0);
  EXPECT_TRUE(testkit::ProcessesMatching(m_dir.path().string()).empty());
  EXPECT_FALSE(fs::exists(work + "DVD/VIDEO_TS/VIDEO_TS.IFO"));
  ASSERT_FALSE(progress.fractions.empty());
  EXPECT_LT(progress.fractions.back(), 1.0);
}

TEST_F(DvdImageBuilderTest, WithoutMenuImagesTheTitlesStillMakeADvd) {
  std::vector<std::string> titles = {disctest::MakeDvdTitle(m_dir.File("a.mpg"), "pal-dvd"),
                                     disctest::MakeDvdTitle(m_dir.File("b.mpg"), "pal-dvd")};
  const std::string ini = m_dir.File("menu.ini");
  disctest::WriteMenuDescription(ini, m_dir.File("no such menu.mpg"), titles, 576);
  const std::string work = AwkwardFolder();
  ASSERT_EQ(DVDImageBuild_LoadINI(m_builder, ini.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, work.c_str()), 1);
  EXPECT_EQ(DVDImageBuild_CreateMenuImages(m_builder), 0);
  EXPECT_STRNE(DVDImageBuild_GetLastError(m_builder), "");
  ASSERT_EQ(DVDImageBuild_BuildDVD(m_builder), 1) << DVDImageBuild_GetLastError(m_builder);
  EXPECT_EQ(disctest::LsdvdTitleLengths(work + "DVD").size(), 2u);
  EXPECT_EQ(disctest::ReadBackMenu(work + "DVD", m_dir.path().string()).buttons, 0);
}

TEST_F(DvdImageBuilderTest, RefusesWhatItCannotBuild) {
  const std::string ini = m_dir.File("broken.ini");
  testkit::WriteFile(ini, "[Infos]\r\nSelections=2\r\nmenu=\"m.mpg\"\r\n\r\n[0]\r\nTopLeft=1,2\r\n");
  EXPECT_EQ(DVDImageBuild_LoadINI(m_builder, ini.c_str()), 0);
  EXPECT_EQ(DVDImageBuild_LoadINI(m_builder, m_dir.File("missing.ini").c_str()), 0);
  EXPECT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, m_dir.File("missing.mpg").c_str()), 0);
  EXPECT_EQ(DVDImageBuild_SetOutputFolder(m_builder, m_dir.File("missing folder").c_str()), 0);
  EXPECT_EQ(DVDImageBuild_BuildDVD(m_builder), 0);

  // A title that is no video at all.
  const std::string notVideo = m_dir.File("notes.mpg");
  testkit::WriteFile(notVideo, "just some text, not an MPEG stream");
  ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, notVideo.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, m_dir.path().c_str()), 1);
  EXPECT_EQ(DVDImageBuild_BuildDVD(m_builder), 0);
  EXPECT_STRNE(DVDImageBuild_GetLastError(m_builder), "");

  // Null handles are refused, not followed.
  EXPECT_EQ(DVDImageBuild_BuildDVD(nullptr), 0);
  DVDImageBuild_StopBuildDVD(nullptr);
  DVDImageBuild_Destory(nullptr);
}

TEST_F(DvdImageBuilderTest, AFullDiskSaysSoAndLeavesNothingBehind) {
  const std::string title = disctest::MakeDvdTitle(m_dir.File("title.mpg"), "pal-dvd", 3.0);
  const std::string output = m_dir.File("small disk");
  disctest::SmallFileSystem disk(output, "300k");  // the title alone is about 1 MB
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, title.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, output.c_str()), 1);
  EXPECT_EQ(DVDImageBuild_BuildDVD(m_builder), 0);
  const std::string error = DVDImageBuild_GetLastError(m_builder);
  EXPECT_TRUE(error.starts_with("The disk is full: dvdauthor failed (exit code ")) << error;
  DVDImageBuild_Destory(m_builder);  // its own work folder goes with it
  m_builder = DVDImageBuild_Create();
  FinishFolderRemovals();
  EXPECT_EQ(disk.Entries(), std::vector<std::string>{});
}

TEST_F(DvdImageBuilderTest, MissingDvdauthorIsAClearErrorNotACrash) {
  const std::string title = disctest::MakeDvdTitle(m_dir.File("t.mpg"), "pal-dvd");
  const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  ::setenv("PATH", m_dir.path().c_str(), 1);
  LocateExternalPrograms();
  ASSERT_EQ(DVDImageBuild_SetMenuMPEGFilename(m_builder, title.c_str()), 1);
  ASSERT_EQ(DVDImageBuild_SetOutputFolder(m_builder, m_dir.path().c_str()), 1);
  const int built = DVDImageBuild_BuildDVD(m_builder);
  const std::string error = DVDImageBuild_GetLastError(m_builder);
  ::setenv("PATH", savedPath.c_str(), 1);
  LocateExternalPrograms();
  EXPECT_EQ(built, 0);
  EXPECT_EQ(error, "dvdauthor was not found; install the Debian package dvdauthor.");
}

}  // namespace
