// The engine's pieces together, as a disc job uses them: inputs converted by
// ffmpeg through the task list, authored by the image builder and written by
// the burner's image writer, then read back by the tools a player would use.

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "convert/convert_task_list.h"
#include "convert/recording_receiver.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_watch.h"
#include "platform/disc/disc_test_support.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/temporary_files.h"

namespace {

class DiscPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    for (const char* folder : {"in", "temp", "out"}) std::filesystem::create_directory(m_dir.File(folder));
    ASSERT_EQ(burner::Initialize(), 0);
  }
  void TearDown() override {
    burner::DeleteProject();
    CTemporaryFiles::DeleteTempFiles();
  }

  // Converts generated clips of these lengths with the format; returns the outputs.
  std::vector<std::string> Convert(const OutputFormat& format, const std::vector<double>& seconds) {
    std::vector<PathBuffer> inputs;
    std::vector<std::string> outputs;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
      const std::string name = "clip" + std::to_string(i);
      inputs.emplace_back(testkit::MakeClip(m_dir.File("in/" + name + ".avi"), {.seconds = seconds[i]}));
      outputs.push_back(m_dir.File("temp/" + name + "_new.mpg"));
    }
    RecordingReceiver receiver;
    ConvertTaskList::Start(ConvertTaskList(inputs, m_dir.File("temp"), format, &receiver));
    EXPECT_TRUE(receiver.WaitForPing(end_of_list));
    EXPECT_TRUE(m_responder.Messages().empty());
    return outputs;
  }

  // Burns the current project with the image writer into out/; the image's path.
  std::string BurnToImage() {
    disctest::BurnWatch watch;
    EXPECT_EQ(burner::SetImageWriterFolder(m_dir.File("out").c_str()), 0);
    EXPECT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);
    EXPECT_EQ(burner::Prepare(), 0);
    EXPECT_EQ(burner::Burn(), 0);
    EXPECT_TRUE(watch.WaitForBurnDone());
    EXPECT_EQ(watch.LastDoneText(), std::nullopt);
    return burner::GetLastImagePath();
  }

  testkit::TempDir m_dir;
  ScriptedResponder m_responder;
};

TEST_F(DiscPipelineTest, ThreeConvertedTitlesBecomeADvdImageWithMenu) {
  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;  // PAL
  dvd.slider_pos = 5;
  const auto titles = Convert(dvd, {1.0, 2.0, 3.0});

  const std::string menu = disctest::MakeMenuBackground(m_dir.File("out/menu_bg.mpg"), 576);
  disctest::WriteMenuDescription(m_dir.File("out/foxdvdmenu.ini"), menu, titles, 576);
  DVDImageBuildHandle builder = DVDImageBuild_Create();
  ASSERT_NE(DVDImageBuild_LoadINI(builder, m_dir.File("out/foxdvdmenu.ini").c_str()), 0);
  ASSERT_NE(DVDImageBuild_SetOutputFolder(builder, m_dir.File("temp").c_str()), 0);
  ASSERT_NE(DVDImageBuild_CreateMenuImages(builder), 0) << DVDImageBuild_GetLastError(builder);
  ASSERT_NE(DVDImageBuild_BuildDVD(builder), 0) << DVDImageBuild_GetLastError(builder);
  DVDImageBuild_Destory(builder);

  const std::string folder = m_dir.File("temp/DVD");
  const auto lengths = disctest::LsdvdTitleLengths(folder);
  ASSERT_EQ(lengths.size(), 3U);
  for (std::size_t i = 0; i < lengths.size(); ++i) EXPECT_NEAR(lengths[i], i + 1.0, 1.0);
  EXPECT_EQ(disctest::ReadBackMenu(folder, m_dir.path().string()).buttons, 3);

  ASSERT_EQ(burner::DeleteProject(), 0);
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  ASSERT_EQ(disctest::SetVolumeLabel("Holiday 2009"), 0);
  ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(folder + "/VIDEO_TS")), 0);
  const std::string iso = BurnToImage();
  EXPECT_TRUE(iso.starts_with(m_dir.File("out/"))) << iso;
  EXPECT_EQ(disctest::LsdvdTitleLengths(iso).size(), 3U);
}

TEST_F(DiscPipelineTest, AConvertedMovieBecomesAVideoCdImage) {
  CPageVCD_Ffmpeg vcd;
  vcd.slider_pos = 5;
  const auto tracks = Convert(vcd, {2.0});

  disctest::BurnWatch watch;
  ASSERT_EQ(burner::DeleteProject(), 0);
  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VCD), 0);
  ASSERT_EQ(burner::AddFile(disctest::VideoFileRecord(tracks[0])), 0);
  ASSERT_TRUE(watch.WaitForScanDone(1));
  ASSERT_EQ(watch.Scans().at(0).result, 0);
  EXPECT_EQ(watch.Scans()[0].width, 352);
  EXPECT_EQ(watch.Scans()[0].height, 240);

  const std::string cue = BurnToImage();
  ASSERT_TRUE(cue.ends_with(".cue")) << cue;
  const auto info = RunProcess({FindProgram("vcd-info"), "-B", "--cue-file=" + cue});
  EXPECT_NE(info.output.find("VCD 2.0 detected"), std::string::npos) << info.output;
}

}  // namespace
