#include "platform/registry/registry_data.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/registry/registry_types.h"

namespace {

constexpr const char* kOrlenta = "HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta";

RegistryValue Dword(std::uint32_t number) {
  return {REG_DWORD,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

RegistryValue Text(const std::string& text) {
  RegistryValue value{REG_SZ, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

// Every form the writer has, in one file as a person reads it.
const std::string kSample =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software]\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Peravel]\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n"
    "\"DVD Video Codec Id\"=dword:00000001\n"
    "\"MPEG Audio Bit Rate\"=dword:ffffffff\n"
    "\"Output Folder\"=\"/home/ann/Videos/\\\"Best\\\" \\\\ Ann's Übersicht\"\n"
    "@=\"default\"\n"
    "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
    "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\n"
    "\"Empty Blob\"=hex:\n"
    "\"Two Lines\"=hex(1):61,0a,62,00\n"
    "\"Short Dword\"=hex(4):01,00\n"
    "\"Expandable\"=hex(2):25,48,4f,4d,45,25,00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Settings]\n"
    "\"SliderMoved\"=\"yes\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Peravel Tools]\n"
    "\n";

RegistryData SampleData() {
  RegistryData data;
  // Added out of order: the text is ordered by key path, values by first write.
  data.AddKey("HKEY_CURRENT_USER\\Software\\Peravel Tools");
  data.SetValue(std::string(kOrlenta) + "\\Settings", "SliderMoved", Text("yes"));
  data.SetValue(kOrlenta, "DVD Video Codec Id", Dword(1));
  data.SetValue(kOrlenta, "MPEG Audio Bit Rate", Dword(0xFFFFFFFF));
  data.SetValue(kOrlenta, "Output Folder", Text("/home/ann/Videos/\"Best\" \\ Ann's Übersicht"));
  data.SetValue(kOrlenta, "", Text("default"));
  RegistryValue blob{REG_BINARY, {}};
  for (int i = 0; i < 40; ++i) blob.data.push_back(static_cast<std::uint8_t>(i));
  data.SetValue(kOrlenta, "Blob", blob);
  data.SetValue(kOrlenta, "Empty Blob", {REG_BINARY, {}});
  data.SetValue(kOrlenta, "Two Lines", {REG_SZ, {'a', '\n', 'b', 0}});
  data.SetValue(kOrlenta, "Short Dword", {REG_DWORD, {1, 0}});
  data.SetValue(kOrlenta, "Expandable", {REG_EXPAND_SZ, {'%', 'H', 'O', 'M', 'E', '%', 0}});
  return data;
}

TEST(RegistryText, WritesReadableRegeditTextThatParsesBackUnchanged) {
  const RegistryData data = SampleData();
  EXPECT_EQ(FormatRegistryText(data), kSample);

  RegistryData parsed;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(kSample, parsed, error)) << error;
  EXPECT_EQ(parsed, data);
  EXPECT_EQ(FormatRegistryText(parsed), kSample);
}

TEST(RegistryText, EmptyStoreIsTheHeaderAlone) {
  EXPECT_EQ(FormatRegistryText(RegistryData{}), "Windows Registry Editor Version 5.00\n\n");
  RegistryData parsed;
  std::string error;
  EXPECT_TRUE(ParseRegistryText("Windows Registry Editor Version 5.00\n\n", parsed, error)) << error;
  EXPECT_TRUE(parsed.Keys().empty());
}

TEST(RegistryText, ReadsWhatPeopleAndWindowsWrite) {
  // CR LF, a byte-order mark, comments, short dwords, upper-case hex, trailing blanks.
  const std::string text =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; written by hand\r\n"
      "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]  \r\n"
      "\"DVD Audio Codec Id\"=dword:1\r\n"
      "\"Blob\"=hex:0A,FF,\\\r\n"
      "    10\r\n";
  RegistryData data;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(text, data, error)) << error;
  EXPECT_TRUE(data.HasKey("hkey_current_user\\software\\peravel"));
  ASSERT_NE(data.FindValue(kOrlenta, "dvd audio codec id"), nullptr);
  EXPECT_EQ(*data.FindValue(kOrlenta, "DVD Audio Codec Id"), Dword(1));
  EXPECT_EQ(*data.FindValue(kOrlenta, "Blob"), (RegistryValue{REG_BINARY, {0x0A, 0xFF, 0x10}}));
}

TEST(RegistryText, RefusesWhatItCannotAccountFor) {
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const std::string key = header + "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty file", ""},
      {"header without line end", "Windows Registry Editor Version 5.00"},
      {"other header", "REGEDIT4\n\n"},
      {"cut off within a value", key + "\"DVD Video Codec Id\"=dword:0000"},
      {"NUL byte", key + "\"x\"=\"a\"\n" + std::string(1, '\0') + "\n"},
      {"value before any key", header + "\"x\"=dword:00000001\n"},
      {"nine hex digits", key + "\"x\"=dword:000000001\n"},
      {"not hex", key + "\"x\"=dword:0000000g\n"},
      {"odd hex byte", key + "\"x\"=hex:1,02\n"},
      {"trailing comma", key + "\"x\"=hex:01,02,\n"},
      {"continuation at the end", key + "\"x\"=hex:01,02,\\\n"},
      {"bad type number", key + "\"x\"=hex(zz):01\n"},
      {"unclosed text", key + "\"x\"=\"open\n"},
      {"unknown escape", key + "\"x\"=\"a\\nb\"\n"},
      {"text after the text", key + "\"x\"=\"a\" b\n"},
      {"missing =", key + "\"x\"dword:00000001\n"},
      {"deleted value", key + "\"x\"=-\n"},
      {"deleted key", header + "[-HKEY_CURRENT_USER\\Software]\n"},
      {"empty key element", header + "[HKEY_CURRENT_USER\\\\Software]\n"},
      {"empty key", header + "[]\n"},
      {"unclosed key", header + "[HKEY_CURRENT_USER\n"},
      {"stray line", key + "DVD Video Codec Id=1\n"},
  };
  for (const auto& c : cases) {
    RegistryData data;
    data.AddKey("HKEY_CURRENT_USER\\Untouched");
    std::string error;
    EXPECT_FALSE(ParseRegistryText(c.text, data, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_TRUE(data.HasKey("HKEY_CURRENT_USER\\Untouched")) << c.what << ": a failed parse changes nothing";
  }
}

TEST(RegistryText, CutOffOrGarbageFilesNeverPassAsComplete) {
  for (std::size_t size = 0; size < kSample.size(); ++size) {
    const std::string cut = kSample.substr(0, size);
    RegistryData data;
    std::string error;
    const bool parsed = ParseRegistryText(cut, data, error);
    if (cut.empty() || cut.back() != '\n') {
      EXPECT_FALSE(parsed) << "cut at " << size;
    }
  }
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string garbage(random() % 3000, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    RegistryData data;
    std::string error;
    EXPECT_FALSE(ParseRegistryText(garbage, data, error));
    // Behind a valid header it must not crash either (the sanitizer build watches).
    ParseRegistryText("Windows Registry Editor Version 5.00\n" + garbage + "\n", data, error);
  }
}

TEST(RegistryData, KeysSortByPathWithCreatedParentsAndNamesIgnoreCase) {
  RegistryData data;
  data.AddKey("HKEY_CURRENT_USER\\A B");
  data.AddKey("HKEY_CURRENT_USER\\a\\b\\c");
  data.SetValue("HKEY_CURRENT_USER\\A\\B", "Name", Dword(1));
  data.SetValue("hkey_current_user\\a\\b", "NAME", Dword(2));
  std::vector<std::string> order;
  for (const auto& [path, values] : data.Keys()) order.push_back(path);
  EXPECT_EQ(order, (std::vector<std::string>{"HKEY_CURRENT_USER\\a", "HKEY_CURRENT_USER\\a\\b",
                                             "HKEY_CURRENT_USER\\a\\b\\c", "HKEY_CURRENT_USER\\A B"}))
      << "a key's sub-keys follow it; the case first written stays";
  const auto& values = data.Keys().find("HKEY_CURRENT_USER\\A\\B")->second;
  ASSERT_EQ(values.size(), 1U);
  EXPECT_EQ(values[0].first, "Name");
  EXPECT_EQ(values[0].second, Dword(2));
}

// A key path "HKEY_CURRENT_USER\k\k..." with depth elements in all.
std::string DeepPath(std::size_t depth, std::size_t elementSize = 1) {
  std::string path = "HKEY_CURRENT_USER";
  for (std::size_t level = 1; level < depth; ++level) path += "\\" + std::string(elementSize, 'k');
  return path;
}

TEST(RegistryData, TextSizeIsAlwaysTheSizeOfTheText) {
  RegistryData data;
  const auto check = [&data](const char* step) { EXPECT_EQ(data.TextSize(), FormatRegistryText(data).size()) << step; };
  check("empty");
  data.AddKey(DeepPath(6));
  check("a key with parents");
  data.SetValue(kOrlenta, "Count", Dword(1));
  check("a value in a new branch");
  data.SetValue(kOrlenta, "Name", Text("short"));
  data.SetValue(kOrlenta, "NAME", Text("a longer text \\ with \"quotes\""));
  check("a value replaced under another case");
  data.SetValue(kOrlenta, "Blob", RegistryValue{REG_BINARY, std::vector<std::uint8_t>(500, 0xAB)});
  data.SetValue(kOrlenta, "Odd", RegistryValue{7, {1, 2, 3}});
  check("binary and other types");
  data.SetValue(kOrlenta, "Blob", Dword(2));
  check("binary replaced by a dword");
  data.AddKey(kOrlenta);
  check("an existing key added again");

  RegistryData parsed;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(kSample, parsed, error)) << error;
  EXPECT_EQ(parsed.TextSize(), kSample.size());
}

TEST(RegistryData, ManyValuesInOneKeyKeepTheirPlacesAndCase) {
  RegistryData data;
  for (std::uint32_t i = 0; i < 5000; ++i) data.SetValue(kOrlenta, "Value " + std::to_string(i), Dword(i));
  for (std::uint32_t i = 0; i < 5000; i += 2) data.SetValue(kOrlenta, "VALUE " + std::to_string(i), Dword(i + 1));
  const auto& values = data.Keys().find(kOrlenta)->second;
  ASSERT_EQ(values.size(), 5000U);
  for (std::uint32_t i = 0; i < 5000; ++i) {
    EXPECT_EQ(values[i].first, "Value " + std::to_string(i));
    EXPECT_EQ(values[i].second, Dword(i % 2 == 0 ? i + 1 : i));
    ASSERT_NE(data.FindValue("hkey_current_user\\software\\peravel\\orlenta", "value " + std::to_string(i)), nullptr);
  }
  EXPECT_EQ(data.FindValue(kOrlenta, "Value 5000"), nullptr);
  EXPECT_EQ(data.FindValue("HKEY_CURRENT_USER\\Software\\Peravel", "Value 1"), nullptr);
}

TEST(RegistryText, RefusesKeysThatWouldNotFitInAFileAgain) {
  // Every level of a key becomes a section of its own when written: a file
  // far below the size limit could come back far above it.
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"deeper than the registry allows", DeepPath(kMaxRegistryKeyDepth + 1)},
      {"twenty thousand levels", DeepPath(20000)},
      {"long elements at the deepest level allowed", DeepPath(kMaxRegistryKeyDepth, 255)},
  };
  for (const auto& c : cases) {
    RegistryData data;
    std::string error;
    ASSERT_LT(c.path.size(), kMaxRegistryTextSize) << c.what;
    EXPECT_FALSE(ParseRegistryText(header + "[" + c.path + "]\n", data, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  RegistryData deepest;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(header + "[" + DeepPath(kMaxRegistryKeyDepth) + "]\n", deepest, error)) << error;
  EXPECT_TRUE(deepest.HasKey(DeepPath(kMaxRegistryKeyDepth)));
}

TEST(RegistryData, ValidNames) {
  EXPECT_TRUE(IsValidRegistryPath(DeepPath(kMaxRegistryKeyDepth)));
  EXPECT_FALSE(IsValidRegistryPath(DeepPath(kMaxRegistryKeyDepth + 1)));
  EXPECT_TRUE(IsValidRegistryPath("HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta"));
  EXPECT_FALSE(IsValidRegistryPath(""));
  EXPECT_FALSE(IsValidRegistryPath("HKEY_CURRENT_USER\\"));
  EXPECT_FALSE(IsValidRegistryPath("HKEY_CURRENT_USER\\a\nb"));
  EXPECT_FALSE(IsValidRegistryPath("HKEY_CURRENT_USER\\" + std::string(256, 'k')));
  EXPECT_TRUE(IsValidValueName(""));
  EXPECT_TRUE(IsValidValueName("Output Folder"));
  EXPECT_FALSE(IsValidValueName("two\nlines"));
}

}  // namespace
