// The disc layer's shared helpers: escaping, names, record fields and the
// output names of the files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "common/test_kit.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_test_support.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/output_reservation.h"

namespace fs = std::filesystem;

namespace {

using disctest::kAwkwardName;
using disctest::XmlAttributeValues;

TEST(DiscText, XmlEscapingSurvivesAParser) {
  const auto escaped = XmlEscaped(kAwkwardName);
  ASSERT_TRUE(escaped.has_value());
  const std::string xml = "<a v=\"" + *escaped + "\"/>";
  EXPECT_EQ(XmlAttributeValues(xml, "a", "v"), std::vector<std::string>{kAwkwardName});
  EXPECT_FALSE(XmlEscaped(std::string("bell\x07.mpg")).has_value());
  EXPECT_FALSE(XmlEscaped(std::string("nul\0.mpg", 8)).has_value());
}

TEST(DiscText, LabelsAndNames) {
  const struct {
    const char* label;
    const char* iso;
    const char* vcd;
    const char* file;
  } cases[] = {
      {"Video DVD", "Video DVD", "VIDEO_DVD", "Video DVD"},
      {"", "DVD_VIDEO", "VIDEOCD", "disc"},
      {"été 2024/\"best\"", "été 2024/\"best\"", "_T__2024__BEST_", "été 2024__best_"},
      {"-rf .hidden", "-rf .hidden", "_RF__HIDDEN", "rf .hidden"},
      {"A label much longer than thirty-two characters", "A label much longer than thirty-",
       "A_LABEL_MUCH_LONGER_THAN_THIRTY_", "A label much longer than thirty-two characters"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsoVolumeId(c.label), c.iso) << c.label;
    EXPECT_EQ(VcdVolumeLabel(c.label), c.vcd) << c.label;
    EXPECT_EQ(ImageBaseName(c.label), c.file) << c.label;
  }
  // A cut never splits a character: "é" is two bytes.
  EXPECT_EQ(Utf8Prefix("aé", 2), "a");
  EXPECT_EQ(IsoVolumeId(std::string(31, 'x') + "é"), std::string(31, 'x'));
}

TEST(DiscText, RecordFields) {
  char field[8];
  WriteTextField(field, sizeof field, "abcdefghij");
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdefg"));
  WriteTextField(field, sizeof field, "abcdeé");  // 7 bytes: fits with its NUL
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdeé"));
  WriteTextField(field, sizeof field, "abcdefé");  // é would not fit whole
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdef"));
  std::memset(field, 'x', sizeof field);
  EXPECT_EQ(ReadTextField(field, sizeof field), std::nullopt);
}

// Every name in folder.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(OutputReservation, NamesNeverReplaceAFileAndStayEmptyUntilComplete) {
  testkit::TempDir dir;
  const std::string folder = dir.path().string();
  testkit::WriteFile(dir.File("Video CD.bin"), "taken");
  std::string error;
  auto pair = OutputReservation::Reserve(folder, "Video CD", {".cue", ".bin"}, &error);
  ASSERT_TRUE(pair) << error;
  EXPECT_EQ(pair->FinalPaths(), (std::vector<std::string>{dir.File("Video CD(1).cue"), dir.File("Video CD(1).bin")}));
  // Nothing stands under a final name before it is complete, not even an empty file.
  EXPECT_EQ(Names(folder), (std::vector<std::string>{".Video CD(1).cue.orlenta-part", "Video CD.bin"}));
  // A second writer meanwhile gets the next name.
  auto other = OutputReservation::Reserve(folder, "Video CD", {".cue", ".bin"}, &error);
  ASSERT_TRUE(other) << error;
  EXPECT_EQ(other->FinalPaths()[0], dir.File("Video CD(2).cue"));
  other.reset();

  testkit::WriteFile(pair->ScratchPath(0), "cue");
  testkit::WriteFile(pair->ScratchPath(1), "bin");
  ASSERT_TRUE(pair->Commit(&error)) << error;
  pair.reset();
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"Video CD(1).bin", "Video CD(1).cue", "Video CD.bin"}));
  EXPECT_EQ(testkit::ReadFile(dir.File("Video CD(1).bin")), "bin");
  EXPECT_EQ(testkit::ReadFile(dir.File("Video CD.bin")), "taken");

  // A file that appears under a final name meanwhile is never replaced.
  auto late = OutputReservation::Reserve(folder, "disc", {".cue", ".bin"}, &error);
  ASSERT_TRUE(late) << error;
  testkit::WriteFile(late->ScratchPath(0), "cue");
  testkit::WriteFile(late->ScratchPath(1), "bin");
  testkit::WriteFile(dir.File("disc.cue"), "the user's");
  EXPECT_FALSE(late->Commit(&error));
  EXPECT_NE(error.find("disc.cue"), std::string::npos) << error;
  late.reset();
  EXPECT_EQ(testkit::ReadFile(dir.File("disc.cue")), "the user's");
  EXPECT_FALSE(fs::exists(dir.File("disc.bin")));  // not left half-moved

  EXPECT_FALSE(OutputReservation::Reserve(dir.File("missing"), "x", {".iso"}, &error));
  EXPECT_FALSE(error.empty());
}

TEST(OutputReservation, LeftoversOfADeadWriterAreRemovedLiveOnesKept) {
  testkit::TempDir dir;
  const std::string folder = dir.path().string();
  // What a writer that died leaves: its scratch folder, with nobody holding its lock.
  fs::create_directories(dir.path() / ".Video DVD.iso.orlenta-part");
  testkit::WriteFile(dir.File(".Video DVD.iso.orlenta-part/Video DVD.iso"), std::string(4096, 'x'));
  std::string error;
  auto live = OutputReservation::Reserve(folder, "Other", {".iso"}, &error);
  ASSERT_TRUE(live) << error;
  EXPECT_EQ(Names(folder), std::vector<std::string>{".Other.iso.orlenta-part"});

  // The dead writer's name is free again; the live reservation keeps its own.
  auto next = OutputReservation::Reserve(folder, "Video DVD", {".iso"}, &error);
  ASSERT_TRUE(next) << error;
  EXPECT_EQ(next->FinalPaths()[0], dir.File("Video DVD.iso"));
  RemoveAbandonedOutputs(folder);
  EXPECT_TRUE(fs::exists(live->ScratchFolder()));
  EXPECT_TRUE(fs::exists(next->ScratchFolder()));
}

TEST(DiscFiles, WindowsStyleNamesAreFoundWhateverTheirCase) {
  testkit::TempDir dir;
  fs::create_directories(dir.path() / "DVD" / "VIDEO_TS");
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/Video_Ts")), dir.File("DVD/VIDEO_TS"));
  EXPECT_EQ(FindPathIgnoringCase(dir.File("dvd/video_ts")), dir.File("DVD/VIDEO_TS"));
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/AUDIO_TS")), "");
  fs::create_directories(dir.path() / "DVD" / "video_ts");  // two candidates: no guessing
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/Video_TS")), "");
}

}  // namespace
