#include "platform/skin/skin_sheet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"

namespace {

using Elements = std::set<std::string, std::less<>>;

SkinSheet Parse(std::string_view text, const std::string& folder = "/skins/blue") {
  std::optional<SkinSheet> sheet = ParseSkinSheet(text, folder);
  EXPECT_TRUE(sheet.has_value()) << text;
  return sheet.value_or(SkinSheet{});
}

TEST(SkinSheet, ElementsAreTheNamesItsSelectorsGiveSkinElement) {
  const SkinSheet sheet = Parse(
      "QPushButton[skinElement=\"button_start\"], QPushButton[skinElement='button_help'] { color: red; }\n"
      "QPushButton[ skinElement = button_stop ]:hover { color: blue; }\n"
      "QPushButton[skinElement=\"button_add\"]:disabled, QLabel { color: grey; }\n"
      "/* QPushButton[skinElement=\"button_commented\"] { color: red; } */\n"
      "QPushButton[otherProperty=\"button_other\"] { color: red; }\n"
      "QLabel { qproperty-text: \"[skinElement=\\\"button_in_text\\\"]\"; }\n");
  EXPECT_EQ(sheet.elements, (Elements{"button_add", "button_help", "button_start", "button_stop"}));
}

TEST(SkinSheet, RelativeImagesArePrefixedAndListedOthersStayAsWritten) {
  const SkinSheet sheet = Parse(
      "QPushButton {\n"
      "  image: url(images/start.svg);\n"
      "  border-image: url( \"images/with space.png\" ) 4;\n"
      "  background-image: url('back.png');\n"
      "}\n"
      "QLabel { image: url(/usr/share/pixmaps/a.png); }\n"
      "QLabel { image: url(:/icons/b.png); }\n"
      "QLabel { image: url(icons:c.png); }\n"
      "/* QLabel { image: url(commented.png); } */\n"
      "QLabel { qproperty-text: \"url(in-a-string.png)\"; }\n",
      "/skins/blue/");
  EXPECT_EQ(sheet.images, (std::vector<std::string>{"images/start.svg", "images/with space.png", "back.png"}));
  EXPECT_EQ(sheet.folder, "/skins/blue");
  EXPECT_NE(sheet.styleSheet.find("url(orlentaskin:images/start.svg)"), std::string::npos) << sheet.styleSheet;
  EXPECT_NE(sheet.styleSheet.find("url(\"orlentaskin:images/with space.png\")"), std::string::npos);
  EXPECT_NE(sheet.styleSheet.find("url('orlentaskin:back.png')"), std::string::npos);
  EXPECT_NE(sheet.styleSheet.find("url(/usr/share/pixmaps/a.png)"), std::string::npos);
  EXPECT_NE(sheet.styleSheet.find("url(:/icons/b.png)"), std::string::npos);
  EXPECT_NE(sheet.styleSheet.find("url(icons:c.png)"), std::string::npos);
  EXPECT_NE(sheet.styleSheet.find("\"url(in-a-string.png)\""), std::string::npos);
  EXPECT_EQ(sheet.styleSheet.find("commented"), std::string::npos);
}

TEST(SkinSheet, AByteOrderMarkAndCrLfLinesAreAccepted) {
  const SkinSheet sheet = Parse("\xEF\xBB\xBFQPushButton[skinElement=\"button_play\"] {\r\n  color: red;\r\n}\r\n");
  EXPECT_EQ(sheet.elements, Elements{"button_play"});
}

TEST(SkinSheet, TextThatIsNoStyleSheetIsRefused) {
  const struct {
    const char* situation;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"blank", " \n\t\n"},
      {"only a comment", "/* nothing here */"},
      {"plain text", "Orlenta skin version 2"},
      {"a brace never closed", "QPushButton { color: red;"},
      {"a brace never opened", "QPushButton { color: red; } }"},
      {"a comment never closed", "QPushButton { color: red; } /* left open"},
      {"a string never closed", "QLabel { qproperty-text: \"open; }"},
      {"a string across lines", "QLabel { qproperty-text: \"one\ntwo\"; }"},
      {"a url never closed", "QLabel { image: url(a.png; }"},
      {"a rule without a selector", "{ color: red; }"},
      {"text after the last rule", "QLabel { color: red; } QPushButton"},
      {"a zero byte", std::string("QLabel { color: red; }\0", 23)},
      {"bytes that are no UTF-8", "QLabel { color: red; } /* \xC3\x28 */"},
      {"binary data", "\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParseSkinSheet(c.text, "/skins").has_value()) << c.situation;
  }
}

TEST(SkinSheet, ReadingGivesTheAbsoluteFolderOfTheFile) {
  testkit::TempDir dir;
  const std::filesystem::path folder = dir.path() / "My Skins (new) Über";
  std::filesystem::create_directories(folder);
  testkit::WriteFile((folder / "Blue.skf").string(), "QPushButton[skinElement=\"button_stop\"] { color: red; }");

  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const std::optional<SkinSheet> sheet = ReadSkinFile("My Skins (new) Über/Blue.skf");
  std::filesystem::current_path(before);

  ASSERT_TRUE(sheet.has_value());
  EXPECT_EQ(sheet->folder, folder.string());
  EXPECT_EQ(sheet->elements, Elements{"button_stop"});
}

TEST(SkinSheet, FilesThatCannotBeASkinAreNotRead) {
  testkit::TempDir dir;
  testkit::WriteFile(dir.File("huge.skf"), "QLabel { color: red; }" + std::string(kSkinFileMaxBytes, ' '));
  testkit::WriteFile(dir.File("garbage.skf"), std::string("\x7F"
                                                          "ELF\x02\x01\x01\x00\x00\x00",
                                                          10));
  std::filesystem::create_directories(dir.path() / "folder.skf");

  for (const char* name : {"missing.skf", "huge.skf", "garbage.skf", "folder.skf"}) {
    EXPECT_FALSE(ReadSkinFile(dir.File(name)).has_value()) << name;
  }
}

}  // namespace
