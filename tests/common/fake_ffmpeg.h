#pragma once
// An "ffmpeg" of the test's own, a shell script found first on the search path
// while it lives: the conversions run it in place of the real program.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "common/test_kit.h"
#include "platform/programs/external_programs.h"

class FakeFfmpeg {
 public:
  // script: the shell commands the program runs, with its arguments in "$@".
  // program: another tool to stand in for, found the same way.
  FakeFfmpeg(const testkit::TempDir& dir, const std::string& script, const std::string& program = "ffmpeg") {
    const std::string folder = dir.File("fake-" + program + "-bin");
    std::filesystem::create_directories(folder);
    testkit::WriteFile(folder + "/" + program, "#!/bin/sh\n" + script + "\n");
    std::filesystem::permissions(folder + "/" + program, std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    m_path.emplace("PATH", folder + ":" + (path != nullptr ? path : "/usr/bin:/bin"));
    LocateExternalPrograms();
  }
  ~FakeFfmpeg() {
    m_path.reset();
    LocateExternalPrograms();
  }
  FakeFfmpeg(const FakeFfmpeg&) = delete;
  FakeFfmpeg& operator=(const FakeFfmpeg&) = delete;

 private:
  std::optional<testkit::ScopedEnv> m_path;
};
