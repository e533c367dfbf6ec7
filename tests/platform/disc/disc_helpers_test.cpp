// The disc layer's shared helpers: escaping, names, record fields and the
// output names of the files it writes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/test_kit.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_test_support.h"
#include "platform/disc/disc_text.h"

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

TEST(DiscFiles, OutputNamesNeverReplaceAFile) {
  testkit::TempDir dir;
  const std::string folder = dir.path().string();
  testkit::WriteFile(dir.File("Video CD.bin"), "taken");
  std::string error;
  const auto pair = ReserveOutputFiles(folder, "Video CD", {".cue", ".bin"}, &error);
  ASSERT_EQ(pair.size(), 2u) << error;
  EXPECT_EQ(pair[0], dir.File("Video CD(1).cue"));
  EXPECT_EQ(pair[1], dir.File("Video CD(1).bin"));
  EXPECT_FALSE(fs::exists(dir.File("Video CD.cue")));  // not left half-reserved
  EXPECT_EQ(testkit::ReadFile(dir.File("Video CD.bin")), "taken");
  EXPECT_TRUE(ReserveOutputFiles(dir.File("missing"), "x", {".iso"}, &error).empty());
  EXPECT_FALSE(error.empty());
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
