// The burner's records, options and device list, without burning anything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "common/test_kit.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/burning/burner_watch.h"
#include "platform/disc/disc_text.h"

namespace {

TEST(BurnerOptions, UndefinedFieldsKeepTheirValuesAndTheRestIsTaken) {
  burner::Options options{};
  ASSERT_EQ(burner::GetOptions(&options), 0);
  WriteTextField(options.volumeLabel, sizeof options.volumeLabel, "First");
  options.writeSpeed = 4;
  options.closeDisc = 1;
  ASSERT_EQ(burner::SetOptions(options), 0);

  // The program's way: every field "not defined", then only the label and byte 394 set.
  burner::Options next;
  std::memset(&next, 0xFF, sizeof next);
  WriteTextField(next.volumeLabel, sizeof next.volumeLabel, burner::BS_NDEF);
  WriteTextField(next.publisher, sizeof next.publisher, burner::BS_NDEF);
  next.writeSpeed = next.albumVolumeCount = next.reserved408 = -1;
  WriteTextField(next.volumeLabel, sizeof next.volumeLabel, "Video DVD");
  next.closeDisc = 0;
  ASSERT_EQ(burner::SetOptions(next), 0);

  burner::Options read{};
  ASSERT_EQ(burner::GetOptions(&read), 0);
  EXPECT_STREQ(read.volumeLabel, "Video DVD");
  EXPECT_EQ(read.writeSpeed, 4);
  EXPECT_EQ(read.closeDisc, 0);
  EXPECT_STRNE(read.publisher, burner::BS_NDEF);
}

TEST(BurnerOptions, RefusesRecordsItCannotTrust) {
  burner::Options options{};
  ASSERT_EQ(burner::GetOptions(&options), 0);
  burner::Options unterminated = options;
  std::memset(unterminated.volumeLabel, 'x', sizeof unterminated.volumeLabel);
  EXPECT_EQ(burner::SetOptions(unterminated), 2);
  burner::Options negative = options;
  negative.writeSpeed = -7;
  EXPECT_EQ(burner::SetOptions(negative), 2);
  burner::Options outsideAlbum = options;
  outsideAlbum.albumVolumeCount = 2;
  outsideAlbum.albumVolumeNumber = 3;
  EXPECT_EQ(burner::SetOptions(outsideAlbum), 2);
  EXPECT_EQ(burner::GetOptions(nullptr), 2);

  burner::Options after{};
  ASSERT_EQ(burner::GetOptions(&after), 0);
  EXPECT_EQ(std::memcmp(&after, &options, sizeof after), 0) << "a refused record changed the options";
}

TEST(BurnerDeviceList, DrivesThenFileDrivesThenTheImageWriter) {
  const auto devices = MakeDeviceList({{"/dev/sr0", "HL-DT-ST", "DVDRAM GH24NSD1"},
                                       {"/dev/sr1", "", ""},
                                       {"/dev/sr2", "A VENDOR WITH A VERY LONG NAME", "AND AN EVEN LONGER MODEL NAME"}},
                                      "/tmp/a.img::relative.img");
  ASSERT_EQ(devices.size(), 6u);
  EXPECT_EQ(devices[0].Entry(), "A: HL-DT-ST DVDRAM GH24NSD1 (/dev/sr0)");
  EXPECT_EQ(devices[1].Entry(), "B: /dev/sr1");
  EXPECT_EQ(devices[2].Entry().size(), 49u);  // cut to fit 50 bytes with its NUL
  EXPECT_EQ(devices[3].Entry(), "D: File drive a.img");
  EXPECT_EQ(devices[3].XorrisoDrive(), "stdio:/tmp/a.img");
  EXPECT_EQ(devices[4].kind, BurnerDevice::Kind::FileDrive);
  EXPECT_EQ(devices[5].Entry(), "F: Image file in the output folder");
  EXPECT_FALSE(devices[5].IsErasable());
}

TEST(BurnerDeviceList, NeverMoreThanTwentySixWithTheImageWriterKept) {
  std::vector<FoundDrive> drives(40, FoundDrive{"/dev/sr9", "V", "M"});
  const auto devices = MakeDeviceList(drives, "");
  ASSERT_EQ(devices.size(), 26u);
  EXPECT_EQ(devices.back().kind, BurnerDevice::Kind::ImageWriter);
  EXPECT_EQ(devices.back().id, 'Z');
}

TEST(BurnerDevices, GetDevicesListsEntriesWhoseFirstByteSetsTheDevice) {
  testkit::TempDir dir;
  ::setenv(kPseudoDrivesVariable, (dir.File("one.img") + ":" + dir.File("two.img")).c_str(), 1);
  burner::DeviceName names[burner::kMaxDevices];
  std::memset(names, 'x', sizeof names);
  int count = -5;
  ASSERT_EQ(burner::GetDevices(names, &count, 1), 0);
  ::unsetenv(kPseudoDrivesVariable);

  ASSERT_GE(count, 3);
  ASSERT_LE(count, burner::kMaxDevices);
  const std::string last = names[count - 1];
  EXPECT_EQ(last.substr(1), ": Image file in the output folder");
  EXPECT_EQ(std::string(names[count - 3]).substr(1), ": File drive one.img");
  for (int i = 0; i < count; ++i) {
    EXPECT_NE(std::memchr(names[i], '\0', burner::kDeviceNameSize), nullptr) << i;
    EXPECT_EQ(burner::SetDevice(names[i][0]), 0) << names[i];
  }
  EXPECT_EQ(burner::SetDevice('?'), 6);
  EXPECT_EQ(burner::GetDevices(nullptr, &count, 1), 2);
  EXPECT_EQ(burner::GetDevices(names, nullptr, 1), 2);
}

TEST(BurnerProject, RecordsGoOnlyWhereTheyBelong) {
  testkit::TempDir dir;
  ASSERT_EQ(burner::DeleteProject(), 0);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(dir.File("x.mpg"))), 1);
  EXPECT_EQ(burner::Burn(), 1);
  EXPECT_EQ(burner::CreateProject(2), 2);
  EXPECT_EQ(burner::CreateProject(0), 2);

  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VCD), 0);
  EXPECT_EQ(burner::AddDir(disctest::DvdFolderRecord(dir.path().string())), 20);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(dir.File("missing.mpg"))), 16);
  EXPECT_EQ(burner::Prepare(), 103);  // no device chosen yet
  ASSERT_EQ(burner::SetDevice(disctest::ImageWriterId()), 0);
  EXPECT_EQ(burner::Prepare(), 8);  // nothing to burn

  ASSERT_EQ(burner::CreateProject(burner::BS_BURNER_VIDEODVD), 0);
  EXPECT_EQ(burner::AddFile(disctest::VideoFileRecord(dir.File("x.mpg"))), 20);
  EXPECT_EQ(burner::AddDir(disctest::DvdFolderRecord(dir.File("no such folder"))), 8);
  EXPECT_EQ(burner::AddDir(disctest::DvdFolderRecord(dir.path().string())), 8);  // holds no VIDEO_TS
  burner::FolderRecord unterminated = disctest::DvdFolderRecord(dir.path().string());
  std::memset(unterminated.sourcePath, 'a', sizeof unterminated.sourcePath);
  EXPECT_EQ(burner::AddDir(unterminated), 2);
  burner::FolderRecord elsewhere = disctest::DvdFolderRecord(dir.path().string());
  WriteTextField(elsewhere.destinationPath, sizeof elsewhere.destinationPath, "/VIDEO");
  EXPECT_EQ(burner::AddDir(elsewhere), 9);
  ASSERT_EQ(burner::DeleteProject(), 0);
}

}  // namespace
