#include "platform/registry/registry_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/process/child_process.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_key.h"
#include "registry_test_env.h"

namespace {

constexpr const char* kOrlenta = "Software\\Peravel\\Orlenta";
constexpr const char* kOrlentaPath = "HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta";

class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const char* value = std::getenv(name);
      m_saved.push_back({name, value != nullptr, value != nullptr ? value : ""});
    }
  }
  ~ScopedEnvironment() {
    for (const auto& saved : m_saved) {
      if (saved.set) {
        ::setenv(saved.name, saved.value.c_str(), 1);
      } else {
        ::unsetenv(saved.name);
      }
    }
  }
  static void Set(const char* name, const char* value) {
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }

 private:
  struct Saved {
    const char* name;
    bool set;
    std::string value;
  };
  std::vector<Saved> m_saved;
};

std::set<std::string> FolderEntries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

bool SaveInt(const char* name, int value) {
  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), true);
  return store.UpdateValue(name, value) && store.Close();
}

std::optional<int> LoadInt(const char* name) {
  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), false);
  int value = 0;
  if (!store.UpdateValue(name, value)) return std::nullopt;
  return value;
}

TEST(RegistryFilePath, FollowsTheEnvironment) {
  ScopedEnvironment saved({"ORLENTA_REGISTRY", "XDG_CONFIG_HOME", "HOME"});
  const struct {
    const char* orlenta;
    const char* xdg;
    const char* home;
    const char* expected;
  } cases[] = {
      {"/tmp/x/settings.reg", "/cfg", "/home/ann", "/tmp/x/settings.reg"},
      {"", "/cfg", "/home/ann", "/cfg/Orlenta/registry.reg"},
      {nullptr, "/cfg", "/home/ann", "/cfg/Orlenta/registry.reg"},
      {nullptr, nullptr, "/home/ann", "/home/ann/.config/Orlenta/registry.reg"},
      {nullptr, "relative/cfg", "/home/ann", "/home/ann/.config/Orlenta/registry.reg"},
  };
  for (const auto& c : cases) {
    ScopedEnvironment::Set("ORLENTA_REGISTRY", c.orlenta);
    ScopedEnvironment::Set("XDG_CONFIG_HOME", c.xdg);
    ScopedEnvironment::Set("HOME", c.home);
    EXPECT_EQ(RegistryFilePath(), c.expected);
  }
}

TEST(RegistryFile, DamagedFilesAreKeptAsBakAndTheSettingsStartEmpty) {
  const std::string valid =
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n"
      "\"DVD Video Codec Id\"=dword:00000001\n\"DVD Audio Codec Id\"=dword:00000000\n\n";
  std::string binary(700, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37 + 11);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"truncated", valid.substr(0, valid.size() - 20)},
      {"binary garbage", binary},
      {"corrupt", "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n<<<\n"},
      {"empty", ""},
  };
  for (const auto& c : cases) {
    ScopedRegistryFile file;
    file.Write(c.bytes);
    EXPECT_EQ(LoadInt("DVD Video Codec Id"), std::nullopt) << c.what;
    EXPECT_EQ(testkit::ReadFile(file.Path() + ".bak"), c.bytes) << c.what;
    EXPECT_FALSE(std::filesystem::exists(file.Path())) << c.what;
    EXPECT_TRUE(file.Logged("The settings file " + file.Path() + " cannot be parsed (")) << c.what;

    // The next damaged file gets a backup of its own; the first one stays.
    file.Write(c.bytes + "again");
    EXPECT_TRUE(SaveInt("DVD Video Codec Id", 0)) << c.what;
    EXPECT_EQ(testkit::ReadFile(file.File("registry.reg(1).bak")), c.bytes + "again") << c.what;
    EXPECT_EQ(testkit::ReadFile(file.Path() + ".bak"), c.bytes) << c.what;
    EXPECT_EQ(LoadInt("DVD Video Codec Id"), 0) << c.what;
    EXPECT_EQ(LoadInt("DVD Audio Codec Id"), std::nullopt) << c.what;
  }
}

TEST(RegistryFile, FilesTheStoreCouldNeverHaveWrittenAreKeptAsBak) {
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  std::string deepKey = "HKEY_CURRENT_USER";
  for (int level = 0; level < 20000; ++level) deepKey += "\\k";
  // Over the size limit, though every line of it is valid.
  std::string huge = header + "[" + kOrlentaPath + "]\n";
  while (huge.size() <= kMaxRegistryTextSize) huge += "\"Filler\"=\"" + std::string(1000, 'f') + "\"\n";
  const struct {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"a key 20,000 levels deep", header + "[" + deepKey + "]\n\"x\"=dword:00000001\n", "line 3: "},
      {"a file over the size limit", huge, "it is larger than 16 MB"},
  };
  for (const auto& c : cases) {
    ScopedRegistryFile file;
    file.Write(c.bytes);
    EXPECT_EQ(LoadInt("DVD Video Codec Id"), std::nullopt) << c.what;
    EXPECT_TRUE(file.Logged("The settings file " + file.Path() + " cannot be parsed (" + c.reason)) << c.what;
    EXPECT_EQ(std::filesystem::file_size(file.Path() + ".bak"), c.bytes.size()) << c.what;
    EXPECT_FALSE(std::filesystem::exists(file.Path())) << c.what;

    // Saving works again at once, and writes a small file.
    EXPECT_TRUE(SaveInt("DVD Video Codec Id", 3)) << c.what;
    EXPECT_LT(std::filesystem::file_size(file.Path()), 1000U) << c.what;
    EXPECT_EQ(LoadInt("DVD Video Codec Id"), 3) << c.what;
  }
}

TEST(RegistryFile, NeverWritesAFileItCouldNotReadBack) {
  ScopedRegistryFile file;
  ASSERT_TRUE(SaveInt("DVD Video Codec Id", 4));
  const std::string before = file.Text();
  // 6 MB of binary data take 18 MB as "hex:" text.
  const RegistryStatus status = UpdateRegistryFile(file.Path(), [](RegistryData& data) {
    data.SetValue(kOrlentaPath, "Blob", RegistryValue{REG_BINARY, std::vector<std::uint8_t>(6 * 1024 * 1024, 0x5A)});
  });
  EXPECT_EQ(status, ERROR_WRITE_FAULT);
  EXPECT_EQ(file.Text(), before);
  EXPECT_TRUE(file.Logged("The settings file " + file.Path() + " is not saved: the settings would take "));
  EXPECT_EQ(LoadInt("DVD Video Codec Id"), 4);
  EXPECT_TRUE(SaveInt("DVD Video Codec Id", 5));
}

TEST(RegistryFile, AFileThatCannotBeReadIsNeverReplaced) {
  ScopedRegistryFile file;
  std::filesystem::create_directory(file.Path());  // fails to read even as root
  EXPECT_EQ(LoadInt("DVD Video Codec Id"), std::nullopt);
  EXPECT_TRUE(file.Logged("The settings file " + file.Path() + " cannot be read ("));
  EXPECT_FALSE(SaveInt("DVD Video Codec Id", 1));
  EXPECT_TRUE(std::filesystem::is_directory(file.Path()));
  EXPECT_FALSE(std::filesystem::exists(file.Path() + ".bak"));
}

// A settings file kept elsewhere (with the user's other dotfiles) and linked in.
TEST(RegistryFile, ASymlinkedFileIsSavedThroughItsLink) {
  ScopedRegistryFile file;
  std::filesystem::create_directory(file.File("dotfiles"));
  const std::string target = file.File("dotfiles/orlenta.reg");
  ASSERT_TRUE(SaveInt("Saved Before", 5));
  std::filesystem::rename(file.Path(), target);
  std::filesystem::create_symlink("dotfiles/orlenta.reg", file.Path());

  EXPECT_TRUE(SaveInt("DVD Video Codec Id", 1));
  EXPECT_TRUE(std::filesystem::is_symlink(file.Path())) << "the link stays a link";
  EXPECT_NE(testkit::ReadFile(target).find("\"DVD Video Codec Id\"=dword:00000001\n"), std::string::npos);
  EXPECT_EQ(LoadInt("Saved Before"), 5);
  EXPECT_EQ(LoadInt("DVD Video Codec Id"), 1);
  EXPECT_EQ(FolderEntries(file.File("dotfiles")), (std::set<std::string>{"orlenta.reg"}));
}

TEST(RegistryFile, ABackupNameTakenByALinkIsNotReused) {
  ScopedRegistryFile file;
  std::filesystem::create_symlink("nowhere", file.Path() + ".bak");  // dangling
  file.Write("garbage\n");
  EXPECT_EQ(LoadInt("DVD Video Codec Id"), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_symlink(file.Path() + ".bak"));
  EXPECT_EQ(testkit::ReadFile(file.File("registry.reg(1).bak")), "garbage\n");
}

TEST(RegistryFile, SavesMergeWithWhatOthersSavedMeanwhile) {
  ScopedRegistryFile file;
  RegistryKey first;
  RegistryKey second;
  ASSERT_EQ(first.Create(RegistryKey::CurrentUser(), kOrlenta, KEY_SET_VALUE), ERROR_SUCCESS);
  ASSERT_EQ(second.Create(RegistryKey::CurrentUser(), kOrlenta, KEY_ALL_ACCESS), ERROR_SUCCESS);
  const std::uint8_t one[4] = {1, 0, 0, 0};
  const std::uint8_t two[4] = {2, 0, 0, 0};
  ASSERT_EQ(first.SetValue("Only First", REG_DWORD, one, 4), ERROR_SUCCESS);
  ASSERT_EQ(first.SetValue("Both", REG_DWORD, one, 4), ERROR_SUCCESS);
  ASSERT_EQ(second.SetValue("Only Second", REG_DWORD, two, 4), ERROR_SUCCESS);
  ASSERT_EQ(second.SetValue("Both", REG_DWORD, two, 4), ERROR_SUCCESS);
  EXPECT_TRUE(SaveInt("Saved Meanwhile", 7));
  EXPECT_EQ(first.Close(), ERROR_SUCCESS);
  EXPECT_EQ(second.Close(), ERROR_SUCCESS);

  EXPECT_EQ(LoadInt("Only First"), 1);
  EXPECT_EQ(LoadInt("Only Second"), 2);
  EXPECT_EQ(LoadInt("Both"), 2) << "the store closed last wins a value both set";
  EXPECT_EQ(LoadInt("Saved Meanwhile"), 7);
  EXPECT_EQ(FolderEntries(file.File("")),
            (std::set<std::string>{"registry.reg", "registry.reg.lock", "Orlenta_log.txt"}))
      << "no temporary file is left behind";
}

TEST(RegistryFile, TwoProcessesSavingAtOnceKeepEachOthersValues) {
  ScopedRegistryFile file;
  ASSERT_TRUE(SaveInt("Saved Before", 5));
  constexpr int kCount = 60;
  ChildProcess writers[2];
  const char* prefixes[2] = {"First", "Second"};
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(writers[i].Start({REGISTRY_WRITER_PATH, file.Path(), prefixes[i], std::to_string(kCount)}), 0);
  }
  for (auto& writer : writers) {
    ASSERT_EQ(::write(writer.InputFd(), "g", 1), 1);
    writer.CloseInput();
  }
  for (auto& writer : writers) {
    ASSERT_TRUE(writer.WaitForExit(std::chrono::seconds(120)));
    EXPECT_EQ(writer.ExitCode(), 0);
  }

  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), false);
  ASSERT_TRUE(store.IsOpen());
  int missing = 0;
  for (const char* prefix : prefixes) {
    for (int i = 0; i < kCount; ++i) {
      int value = -1;
      if (!store.UpdateValue(std::string(prefix) + " " + std::to_string(i), value) || value != i) ++missing;
    }
  }
  EXPECT_EQ(missing, 0) << testkit::ReadFile(file.Path());
  EXPECT_EQ(LoadInt("Saved Before"), 5);
}

TEST(RegistryKey, OpensCreatesAndChecksLikeTheRegistry) {
  ScopedRegistryFile file;
  RegistryKey key;
  EXPECT_EQ(key.Open(RegistryKey::CurrentUser(), kOrlenta, KEY_QUERY_VALUE), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(file.Path())) << "opening for reading creates nothing";
  EXPECT_EQ(key.Open(key, "Settings", KEY_QUERY_VALUE), ERROR_INVALID_HANDLE);
  EXPECT_EQ(key.Create(RegistryKey::CurrentUser(), "Software\\\\Peravel", KEY_SET_VALUE), ERROR_INVALID_PARAMETER);

  // A created key is written with the keys above it even when it gets no values.
  ASSERT_EQ(key.Create(RegistryKey::CurrentUser(), std::string(kOrlenta) + "\\Settings", KEY_SET_VALUE), ERROR_SUCCESS);
  EXPECT_EQ(key.Path(), std::string(kOrlentaPath) + "\\Settings");
  std::uint32_t size = 4;
  std::uint8_t buffer[16] = {};
  EXPECT_EQ(key.QueryValue("x", nullptr, buffer, &size), ERROR_ACCESS_DENIED) << "opened for setting only";
  EXPECT_EQ(key.SetValue("bad\nname", REG_SZ, "a", 2), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key.SetValue("Output Folder", REG_SZ, "/home/ann/Videos", 17), ERROR_SUCCESS);
  EXPECT_EQ(key.Close(), ERROR_SUCCESS);
  EXPECT_EQ(file.Text(),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Peravel]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta\\Settings]\n"
            "\"Output Folder\"=\"/home/ann/Videos\"\n\n");

  // Reading follows RegQueryValueEx: the size always, the data only when it fits.
  RegistryKey parent;
  ASSERT_EQ(parent.Open(RegistryKey::CurrentUser(), kOrlenta, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(key.Open(parent, "settings", KEY_QUERY_VALUE), ERROR_SUCCESS) << "names ignore case";
  std::uint32_t type = 0;
  size = 0;
  EXPECT_EQ(key.QueryValue("output folder", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 17U);
  size = 4;
  EXPECT_EQ(key.QueryValue("Output Folder", &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 17U);
  size = sizeof buffer;
  EXPECT_EQ(key.QueryValue("Output Folder", &type, buffer, &size), ERROR_MORE_DATA);
  char text[17] = {};
  size = sizeof text;
  EXPECT_EQ(key.QueryValue("Output Folder", &type, text, &size), ERROR_SUCCESS);
  EXPECT_STREQ(text, "/home/ann/Videos");
  EXPECT_EQ(key.QueryValue("Missing", &type, text, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key.SetValue("Output Folder", REG_SZ, "x", 2), ERROR_ACCESS_DENIED) << "opened for querying only";
  EXPECT_EQ(RegistryKey::CurrentUser().QueryValue("x", &type, nullptr, &size), ERROR_INVALID_HANDLE);
}

}  // namespace
