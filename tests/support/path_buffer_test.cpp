#include "support/path_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/test_kit.h"
#include "support/exceptions.h"

namespace {

TEST(PathBuffer, ShellOperations) {
  struct Case {
    const char* path;
    const char* fileName;
    const char* extension;
    const char* withoutExtension;
    const char* withoutFileSpec;
  };
  const Case cases[] = {
      {"/video/Holiday.2009.avi", "Holiday.2009.avi", ".avi", "/video/Holiday.2009", "/video"},
      {"/out/clip", "clip", "", "/out/clip", "/out"},
      {"clip.mpg", "clip.mpg", ".mpg", "clip", ""},
      {"/x.y/clip", "clip", "", "/x.y/clip", "/x.y"},
      {"/home/u/.profile", ".profile", "", "/home/u/.profile", "/home/u"},
      {"/file.", "file.", ".", "/file", "/"},
      {"/", "", "", "/", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    PathBuffer path(c.path);
    EXPECT_EQ(path.FileName(), c.fileName);
    EXPECT_EQ(path.Extension(), c.extension);
    EXPECT_STREQ(PathBuffer(c.path).RemoveExtension().c_str(), c.withoutExtension);
    EXPECT_STREQ(PathBuffer(c.path).RemoveFileSpec().c_str(), c.withoutFileSpec);
  }
}

TEST(PathBuffer, AppendInsertsOneSeparator) {
  EXPECT_STREQ(PathBuffer("/out").Append("a.mpg").c_str(), "/out/a.mpg");
  EXPECT_STREQ(PathBuffer("/out/").Append("a.mpg").c_str(), "/out/a.mpg");
  EXPECT_STREQ(PathBuffer("/out").Append("/a.mpg").c_str(), "/out/a.mpg");
  EXPECT_STREQ(PathBuffer("").Append("a.mpg").c_str(), "a.mpg");
  EXPECT_STREQ(PathBuffer("/").Append("tmp").c_str(), "/tmp");
}

TEST(PathBuffer, LongestPathFitsAndLongerIsRefusedUncut) {
  const std::string longest(PathBuffer::kCapacity - 1, 'a');
  PathBuffer path(longest);
  EXPECT_EQ(path.size(), longest.size());
  EXPECT_EQ(path.c_str()[longest.size()], '\0');

  EXPECT_THROW(PathBuffer(longest + "b"), peravel_exception);
  // A refused append leaves the buffer as it was.
  EXPECT_THROW(path.Append("x"), peravel_exception);
  EXPECT_EQ(path.str(), longest);
  try {
    PathBuffer tooLong(std::string(5000, 'c'));
    FAIL();
  } catch (const peravel_exception& error) {
    EXPECT_NE(std::string(error.what()).find("The path is too long (5000 characters"), std::string::npos);
  }
}

TEST(PathBuffer, ExistsForFilesAndFolders) {
  testkit::TempDir dir;
  EXPECT_TRUE(PathBuffer(dir.path().string()).Exists());
  EXPECT_FALSE(PathBuffer(dir.File("none")).Exists());
  testkit::WriteFile(dir.File("f"), "x");
  EXPECT_TRUE(PathBuffer(dir.File("f")).Exists());
  EXPECT_FALSE(PathBuffer("").Exists());
}

TEST(MakeUniquePath, CountsUntilFree) {
  testkit::TempDir dir;
  PathBuffer free(dir.File("clip_new.mpg"));
  MakeUniquePath(free);
  EXPECT_EQ(free.str(), dir.File("clip_new.mpg"));

  testkit::WriteFile(dir.File("clip_new.mpg"), "");
  testkit::WriteFile(dir.File("clip_new(1).mpg"), "");
  PathBuffer taken(dir.File("clip_new.mpg"));
  MakeUniquePath(taken);
  EXPECT_EQ(taken.str(), dir.File("clip_new(2).mpg"));

  testkit::WriteFile(dir.File("clip"), "");
  PathBuffer noExtension(dir.File("clip"));
  MakeUniquePath(noExtension);
  EXPECT_EQ(noExtension.str(), dir.File("clip(1)"));

  PathBuffer counted(dir.File("clip_new(1).mpg"));
  MakeUniquePath(counted);
  EXPECT_EQ(counted.str(), dir.File("clip_new(1)(1).mpg"));
}

TEST(TempFolderPath, FromTmpdirWithoutTrailingSlash) {
  const char* saved = std::getenv("TMPDIR");
  const std::string restore = saved != nullptr ? saved : "";
  ::setenv("TMPDIR", "/var/tmp//", 1);
  EXPECT_STREQ(TempFolderPath().c_str(), "/var/tmp");
  ::unsetenv("TMPDIR");
  EXPECT_STREQ(TempFolderPath().c_str(), "/tmp");
  if (saved != nullptr) ::setenv("TMPDIR", restore.c_str(), 1);
}

TEST(ModuleFolderFile, NamesAFileBesideTheExecutable) {
  const PathBuffer path = ModuleFolderFile("ffmpeg");
  EXPECT_EQ(path.FileName(), "ffmpeg");
  PathBuffer self = ModuleFolderFile("test_support");
  EXPECT_TRUE(self.Exists()) << self.c_str();
}

}  // namespace

namespace {

TEST(ModuleFolderFile, FindsDataAndProgramsInABuildTreeAndInAnInstalledTree) {
  testkit::TempDir dir;
  const auto make = [&](const std::string& relative) {
    std::filesystem::create_directories(std::filesystem::path(dir.File(relative)).parent_path());
    testkit::WriteFile(dir.File(relative), "x");
  };
  make("build/bin/orlenta");
  make("build/bin/Orlenta.skf");
  make("usr/bin/orlenta");
  make("usr/share/orlenta/Orlenta.skf");
  make("usr/libexec/orlenta/ErrorReport");
  struct Case {
    std::string executable;
    std::string name;
    std::string found;
  };
  const Case cases[] = {
      {"build/bin/orlenta", "Orlenta.skf", "build/bin/Orlenta.skf"},
      {"usr/bin/orlenta", "Orlenta.skf", "usr/share/orlenta/Orlenta.skf"},
      {"usr/bin/orlenta", "ErrorReport", "usr/libexec/orlenta/ErrorReport"},
      {"usr/bin/orlenta", "Orlenta.html", "usr/bin/Orlenta.html"},  // missing: named beside the program
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgramFileFor(dir.File(c.executable), c.name).str(), dir.File(c.found)) << c.name;
  }
}

TEST(UserDataFolderPath, FromXdgDataHomeElseUnderHome) {
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const std::string restoreData = savedData != nullptr ? savedData : "";
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  ::setenv("XDG_DATA_HOME", "/srv/data//", 1);
  EXPECT_STREQ(UserDataFolderPath().c_str(), "/srv/data");
  ::setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(UserDataFolderPath().str(), home + "/.local/share") << "a relative value is ignored";
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolderPath().str(), home + "/.local/share");
  if (savedData != nullptr) ::setenv("XDG_DATA_HOME", restoreData.c_str(), 1);
}

}  // namespace
