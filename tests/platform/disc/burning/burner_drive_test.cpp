// Burning onto drives backed by files (xorriso's stdio: drives): blank,
// not blank, erase, burn and abort run for real without disc hardware.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/test_kit.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/burning/burner_watch.h"
#include "platform/disc/burning/erase_request.h"
#include "platform/disc/disc_test_support.h"

namespace fs = std::filesystem;

namespace {

class FileDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_drive = m_dir.File("drive \"one\" & <ü>.img");
    testkit::WriteFile(m_drive, "");  // an empty file is a blank disc
    ::setenv(kPseudoDrivesVariable, m_drive.c_str(), 1);
    const std::string work = (m_dir.path() / "work").string();
    fs::create_directories(work);
    m_dvd = disctest::BuildDvdFolder(m_dir.path().string(), work, {1.0, 2.0});
  }
  void TearDown() override {
    burner::Abort();
    burner::DeleteProject();
    ::unsetenv(kPseudoDrivesVariable);
  }

  // A DVD-Video project on the file drive, ready to burn.
  void PrepareDvdProject() {
    ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
    ASSERT_EQ(disctest::SetVolumeLabel("Video DVD"), 0);
    ASSERT_EQ(burner::AddDir(disctest::DvdFolderRecord(m_dvd + "/VIDEO_TS")), 0) << burner::GetLastErrorText();
    const char id = disctest::DeviceIdNaming("File drive");
    ASSERT_NE(id, '\0');
    ASSERT_EQ(burner::SetDevice(id), 0);
    ASSERT_EQ(burner::Prepare(), 0) << burner::GetLastErrorText();
  }

  testkit::TempDir m_dir;
  std::string m_drive;
  std::string m_dvd;
};

TEST_F(FileDriveTest, BurnsABlankDiscThenAsksForAnEraseThenBurnsAgain) {
  disctest::BurnWatch watch;
  PrepareDvdProject();
  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForBurnDone(1));
  EXPECT_EQ(watch.LastDoneText(), std::nullopt) << *watch.LastDoneText();
  const auto progress = watch.Progress();
  ASSERT_GE(progress.size(), 3u);
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
  EXPECT_FLOAT_EQ(progress.back(), 100.0f);
  EXPECT_EQ(watch.FinalizeCount(), 1);
  EXPECT_FALSE(watch.RanOnCallerThread());
  const auto lengths = disctest::LsdvdTitleLengths(m_drive);
  ASSERT_EQ(lengths.size(), 2u);
  EXPECT_NEAR(lengths[1], 2.0, 1.0);

  // Written now: the next burn asks for a blank disc.
  EXPECT_EQ(burner::Burn(), burner::kNotBlank);
  EXPECT_EQ(watch.BurnDoneCount(), 1);

  ScriptedResponder responder;
  responder.QueueAnswer<EraseDiscRequest>(IDCANCEL);
  EXPECT_EQ(burner::EraseDialog("Erase DVD"), 138);
  EXPECT_EQ(burner::Burn(), burner::kNotBlank);

  responder.QueueDialogAnswer(DialogResult{IDOK, {}});  // OK with the drive chosen in advance
  EXPECT_EQ(burner::EraseDialog("Erase DVD"), 0) << burner::GetLastErrorText();
  const auto requests = responder.Requests<EraseDiscRequest>();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(responder.DialogNames()[1], "EraseDialog");
  EXPECT_EQ(requests[1].caption, "Erase DVD");
  ASSERT_EQ(requests[1].drives.size(), 1u) << "the image writer cannot be erased";
  EXPECT_EQ(requests[1].suggested, requests[1].drives[0].id);
  EXPECT_NE(requests[1].drives[0].entry.find("File drive"), std::string::npos);
  EXPECT_EQ(requests[1].drives[0].entry[0], requests[1].drives[0].id);

  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForBurnDone(2));
  EXPECT_EQ(watch.LastDoneText(), std::nullopt);
  EXPECT_EQ(disctest::LsdvdTitleLengths(m_drive).size(), 2u);
}

TEST_F(FileDriveTest, TheEraseWindowCanNameTheDriveToErase) {
  testkit::WriteFile(m_drive, std::string(200000, 'x'));  // a used, closed disc
  const char id = disctest::DeviceIdNaming("File drive");
  ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);  // not erasable itself
  ScriptedResponder responder;
  responder.QueueAnswer<EraseDiscRequest>(IDOK, {id, true});
  EXPECT_EQ(burner::EraseDialog("Erase CD"), 0) << burner::GetLastErrorText();
  EXPECT_EQ(responder.Requests<EraseDiscRequest>()[0].suggested, id) << "the image writer is not suggested";

  responder.QueueAnswer<EraseDiscRequest>(IDOK, {disctest::ImageWriterId(), false});
  EXPECT_EQ(burner::EraseDialog("Erase CD"), 24);
}

TEST_F(FileDriveTest, AbortStopsTheWritingProgramAndEndsTheBurnOnce) {
  // A named pipe that nobody empties: the writer blocks once its buffer is full.
  const std::string pipe = m_dir.File("stalled drive.fifo");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ::setenv(kPseudoDrivesVariable, pipe.c_str(), 1);

  disctest::BurnWatch watch;
  PrepareDvdProject();
  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(testkit::WaitUntil([&] { return !testkit::ProcessesMatching(pipe).empty(); }));
  EXPECT_EQ(burner::Burn(), 141);  // one burn at a time

  EXPECT_EQ(burner::Abort(), 0);
  // The next project may follow the abort at once: it waits for the burn to stop.
  EXPECT_EQ(burner::DeleteProject(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForBurnDone(1, std::chrono::seconds(20)));
  EXPECT_EQ(watch.LastDoneText(), std::optional<std::string>("Operation aborted by user"));
  EXPECT_TRUE(testkit::ProcessesMatching(pipe).empty());
  // Once the burner has settled, the abort has still made exactly one end.
  EXPECT_EQ(burner::DeleteProject(), 0);
  EXPECT_EQ(watch.BurnDoneCount(), 1);
  EXPECT_EQ(watch.FinalizeCount(), 0);
  ::close(reader);
}

TEST_F(FileDriveTest, ADriveThatCannotBeReachedIsRefused) {
  ::setenv(kPseudoDrivesVariable, m_dir.File("no such folder/drive.img").c_str(), 1);
  disctest::BurnWatch watch;
  PrepareDvdProject();
  EXPECT_EQ(burner::Burn(), 6);
  EXPECT_EQ(watch.BurnDoneCount(), 0);
}

TEST_F(FileDriveTest, AnEmptyTrayHasNoDiscUntilOneIsInserted) {
  // The drive's file is a link to nothing: no disc in the tray.
  const std::string disc = m_dir.File("disc.img");
  const std::string tray = m_dir.File("tray.img");
  fs::create_symlink(disc, tray);
  ::setenv(kPseudoDrivesVariable, tray.c_str(), 1);
  disctest::BurnWatch watch;
  PrepareDvdProject();
  EXPECT_EQ(burner::Burn(), burner::kNoMedium);
  EXPECT_EQ(watch.BurnDoneCount(), 0);

  testkit::WriteFile(disc, "");  // a blank disc goes in
  ASSERT_EQ(burner::Burn(), 0) << burner::GetLastErrorText();
  ASSERT_TRUE(watch.WaitForBurnDone(1));
  EXPECT_EQ(watch.LastDoneText(), std::nullopt);
  EXPECT_EQ(disctest::LsdvdTitleLengths(disc).size(), 2u);
}

}  // namespace
