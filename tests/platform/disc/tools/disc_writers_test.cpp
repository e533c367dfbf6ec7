// The real-drive writers cannot write here (no drive); what they must still
// do is start, fail cleanly and hand on the program's own words.
#include "platform/disc/tools/disc_writers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"

namespace {

TEST(RealDriveWriters, AMissingDriveFailsWithTheProgramsOwnText) {
  testkit::TempDir dir;
  std::filesystem::create_directories(dir.path() / "DVD" / "VIDEO_TS");
  const std::string drive = "/dev/sr97";  // no such drive

  const BurnStepResult dvd = BurnDvdVideo(drive, dir.File("DVD"), "Video DVD", "", {}, nullptr, nullptr);
  EXPECT_EQ(dvd.status, BurnStepResult::Status::Failed);
  EXPECT_EQ(dvd.text, "unable to open64(\"/dev/sr97\",O_RDONLY): No such file or directory");

  testkit::WriteFile(dir.File("disc.bin"), std::string(2352 * 300, '\0'));
  testkit::WriteFile(dir.File("disc.cue"), "FILE \"disc.bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n");
  const BurnStepResult cd = WriteCueSheet(drive, dir.File("disc.cue"), {}, nullptr, nullptr);
  EXPECT_EQ(cd.status, BurnStepResult::Status::Failed);
  EXPECT_FALSE(cd.text.empty());

  const XorrisoToc toc = QueryMedium(drive);
  EXPECT_EQ(toc.state, MediaState::Unknown);
  EXPECT_NE(toc.failure.find("/dev/sr97"), std::string::npos) << toc.failure;
}

}  // namespace
