#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "registry_test_env.h"

namespace {

constexpr const char* kOrlenta = "Software\\Peravel\\Orlenta";

TEST(CRegistry, EveryValueTypeSurvivesSaveAndLoad) {
  ScopedRegistryFile file;
  int signedValue = -5;
  std::uint32_t dword = 0xFFFFFFFF;
  bool yes = true;
  bool no = false;
  std::string text = "/home/ann/My \"Videos\" \\ Übersicht";
  std::string empty;
  QString framework = QStringLiteral("Vidéos – 映画");
  std::uint8_t blob[5] = {0, 1, 0xFE, 0xFF, 7};
  {
    CRegistry store(kOrlenta, RegistryKey::CurrentUser(), true);
    ASSERT_TRUE(store.IsOpen());
    EXPECT_TRUE(store.IsSaving());
    EXPECT_TRUE(store.UpdateValue("Signed", signedValue));
    EXPECT_TRUE(store.UpdateValue("Dword", dword));
    EXPECT_TRUE(store.UpdateValue("Yes", yes));
    EXPECT_TRUE(store.UpdateValue("No", no));
    EXPECT_TRUE(store.UpdateValue("Text", text));
    EXPECT_TRUE(store.UpdateValue("Empty", empty));
    EXPECT_TRUE(store.UpdateValue("Framework", framework));
    EXPECT_TRUE(store.UpdateValue("Blob", blob, sizeof blob));
    CRegistry settings = store.SubKey("Settings");
    EXPECT_TRUE(settings.IsSaving());
    int sliderPos = 9;
    EXPECT_TRUE(settings.UpdateValue("SliderPos", sliderPos));
  }
  const std::string saved = file.Text();
  EXPECT_NE(saved.find("\"Signed\"=dword:fffffffb\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"Text\"=\"/home/ann/My \\\"Videos\\\" \\\\ Übersicht\"\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\"Blob\"=hex:00,01,fe,ff,07\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Settings]\n\"SliderPos\"=dword:00000009\n"),
            std::string::npos)
      << saved;

  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), false);
  ASSERT_TRUE(store.IsOpen());
  EXPECT_FALSE(store.IsSaving());
  int loadedSigned = 0;
  std::uint32_t loadedDword = 0;
  bool loadedYes = false;
  bool loadedNo = true;
  std::string loadedText;
  std::string loadedEmpty = "not yet";
  QString loadedFramework;
  std::uint8_t loadedBlob[5] = {};
  EXPECT_TRUE(store.UpdateValue("signed", loadedSigned));
  EXPECT_TRUE(store.UpdateValue("Dword", loadedDword));
  EXPECT_TRUE(store.UpdateValue("Yes", loadedYes));
  EXPECT_TRUE(store.UpdateValue("No", loadedNo));
  EXPECT_TRUE(store.UpdateValue("Text", loadedText));
  EXPECT_TRUE(store.UpdateValue("Empty", loadedEmpty));
  EXPECT_TRUE(store.UpdateValue("Framework", loadedFramework));
  EXPECT_TRUE(store.UpdateValue("Blob", loadedBlob, sizeof loadedBlob));
  EXPECT_EQ(loadedSigned, -5);
  EXPECT_EQ(loadedDword, 0xFFFFFFFFU);
  EXPECT_TRUE(loadedYes);
  EXPECT_FALSE(loadedNo);
  EXPECT_EQ(loadedText, text);
  EXPECT_EQ(loadedEmpty, "");
  EXPECT_EQ(loadedFramework, framework);
  EXPECT_EQ(std::memcmp(loadedBlob, blob, sizeof blob), 0);
  int sliderPos = 0;
  CRegistry settings = store.SubKey("Settings");
  EXPECT_FALSE(settings.IsSaving());
  EXPECT_TRUE(settings.UpdateValue("SliderPos", sliderPos));
  EXPECT_EQ(sliderPos, 9);
}

// What each form accepts when loading; a refused value leaves the variable alone.
TEST(CRegistry, LoadingAcceptsOnlyTheRightTypes) {
  ScopedRegistryFile file;
  file.Write(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n"
      "\"Dword 3\"=dword:00000003\n"
      "\"Dword 0\"=dword:00000000\n"
      "\"Text 12\"=\"12\"\n"
      "\"Text 0012\"=\"0012\"\n"
      "\"Text Letters\"=\"twelve\"\n"
      "\"Text Empty\"=\"\"\n"
      "\"Text 12a\"=\"12a\"\n"
      "\"Text Minus\"=\"-1\"\n"
      "\"Text Plus\"=\"+1\"\n"
      "\"Text Max\"=\"4294967295\"\n"
      "\"Text Too Large\"=\"4294967296\"\n"
      "\"Text No Data\"=hex(1):\n"
      "\"Text With Nul\"=hex(1):61,00,62,00\n"
      "\"Binary 4\"=hex:03,00,00,00\n"
      "\"Binary 5\"=hex:01,02,03,04,05\n"
      "\"Short Dword\"=hex(4):03,00\n"
      "\"Expandable\"=hex(2):31,32,00\n"
      "\n");
  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), false);
  ASSERT_TRUE(store.IsOpen());

  const struct {
    const char* name;
    bool loads;
    int value;
  } integers[] = {
      {"Dword 3", true, 3},       {"Text 12", true, 12},        {"Text 0012", true, 12},    {"Text Max", true, -1},
      {"Text Letters", false, 0}, {"Text Empty", false, 0},     {"Text 12a", false, 0},     {"Text Minus", false, 0},
      {"Text Plus", false, 0},    {"Text Too Large", false, 0}, {"Text No Data", false, 0}, {"Binary 4", false, 0},
      {"Binary 5", false, 0},     {"Short Dword", false, 0},    {"Expandable", false, 0},   {"Missing", false, 0},
  };
  for (const auto& c : integers) {
    int value = 77;
    EXPECT_EQ(store.UpdateValue(c.name, value), c.loads) << c.name;
    EXPECT_EQ(value, c.loads ? c.value : 77) << c.name;
  }

  const struct {
    const char* name;
    bool loads;
    bool value;
  } flags[] = {{"Dword 3", true, true}, {"Dword 0", true, false}, {"Text 12", true, true}, {"Binary 4", false, true}};
  for (const auto& c : flags) {
    bool value = true;
    EXPECT_EQ(store.UpdateValue(c.name, value), c.loads) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }

  const struct {
    const char* name;
    bool loads;
    const char* value;
  } texts[] = {{"Text Letters", true, "twelve"}, {"Text Empty", true, ""},   {"Text No Data", true, ""},
               {"Text With Nul", true, "a"},     {"Dword 3", false, "kept"}, {"Binary 4", false, "kept"},
               {"Expandable", false, "kept"},    {"Missing", false, "kept"}};
  for (const auto& c : texts) {
    std::string value = "kept";
    EXPECT_EQ(store.UpdateValue(c.name, value), c.loads) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }

  std::uint8_t buffer[4] = {9, 9, 9, 9};
  EXPECT_TRUE(store.UpdateValue("Binary 4", buffer, 4));
  EXPECT_EQ(buffer[0], 3);
  buffer[0] = 9;
  EXPECT_FALSE(store.UpdateValue("Binary 5", buffer, 4)) << "the size must match exactly";
  EXPECT_FALSE(store.UpdateValue("Dword 3", buffer, 4)) << "a DWORD is not binary";
  EXPECT_FALSE(store.UpdateValue("Binary 4", buffer, -1));
  EXPECT_EQ(buffer[0], 9);
}

TEST(CRegistry, AStoreWithoutAKeyChangesNothing) {
  ScopedRegistryFile file;
  CRegistry missing(kOrlenta, RegistryKey::CurrentUser(), false);
  EXPECT_FALSE(missing.IsOpen());
  int number = 4;
  std::uint32_t dword = 5;
  bool flag = true;
  std::string text = "kept";
  QString framework = "kept";
  std::uint8_t blob[2] = {1, 2};
  EXPECT_FALSE(missing.UpdateValue("DVD Video Codec Id", number));
  EXPECT_FALSE(missing.UpdateValue("Dword", dword));
  EXPECT_FALSE(missing.UpdateValue("Flag", flag));
  EXPECT_FALSE(missing.UpdateValue("Text", text));
  EXPECT_FALSE(missing.UpdateValue("Framework", framework));
  EXPECT_FALSE(missing.UpdateValue("Blob", blob, 2));
  EXPECT_FALSE(missing.SubKey("Settings").IsOpen());
  EXPECT_EQ(number, 4);
  EXPECT_EQ(dword, 5U);
  EXPECT_TRUE(flag);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(framework, "kept");
  EXPECT_EQ(blob[1], 2);
  EXPECT_FALSE(std::filesystem::exists(file.Path()));

  // A store for saving whose file cannot be reached fails at once, even as root.
  testkit::WriteFile(file.File("plain file"), "x");
  ::setenv("ORLENTA_REGISTRY", file.File("plain file/registry.reg").c_str(), 1);
  CRegistry unreachable(kOrlenta, RegistryKey::CurrentUser(), true);
  EXPECT_FALSE(unreachable.IsOpen());
  EXPECT_FALSE(unreachable.UpdateValue("DVD Video Codec Id", number));
}

TEST(CRegistry, LogsEveryEntry) {
  ScopedRegistryFile file;
  {
    CRegistry store(kOrlenta, RegistryKey::CurrentUser(), true);
    store.IsOpen();
    store.IsSaving();
    int number = 3;
    bool flag = true;
    std::string text = "t";
    QString framework = "f";
    std::uint8_t blob[1] = {0};
    store.UpdateValue("DVD Video Codec Id", number);
    store.UpdateValue("SliderMoved", flag);
    store.UpdateValue("Output Folder", text);
    store.UpdateValue("Framework", framework);
    store.UpdateValue("Blob", blob, 1);
    store.SubKey("Settings");
  }
  EXPECT_EQ(file.LogLines(), (std::vector<std::string>{
                                 "CRegistry constructor",
                                 "CRegistry::IsOpen",
                                 "CRegistry::IsSaving",
                                 "CRegistry::UpdateValue( DVD Video Codec Id, int& val = 3)",
                                 "CRegistry::UpdateValue( DVD Video Codec Id, DWORD& val )",
                                 "CRegistry::UpdateValue( SliderMoved, bool& val )",
                                 "CRegistry::UpdateValue( SliderMoved, DWORD& val )",
                                 "CRegistry::UpdateValue( Output Folder, tstring& val )",
                                 "CRegistry::UpdateValue( Framework, CString& val )",
                                 "CRegistry::UpdateValue( Framework, tstring& val )",
                                 "CRegistry::UpdateValue( Blob, BYTE* val, int nSize )",
                                 "CRegistry::SubKey",
                                 "CRegistry constructor",
                             }));
}

}  // namespace
