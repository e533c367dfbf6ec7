#pragma once
// An "ffmpeg" that always fails, found first on the search path while it
// lives: the conversions hand their files to the library engine.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "common/test_kit.h"
#include "platform/programs/external_programs.h"

class FailingFfmpeg {
 public:
  explicit FailingFfmpeg(const testkit::TempDir& dir) {
    const std::string folder = dir.File("failing-bin");
    std::filesystem::create_directories(folder);
    testkit::WriteFile(folder + "/ffmpeg", "#!/bin/sh\necho 'Conversion failed!' >&2\nexit 1\n");
    std::filesystem::permissions(folder + "/ffmpeg", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    m_path.emplace("PATH", folder + ":" + (path != nullptr ? path : "/usr/bin:/bin"));
    LocateExternalPrograms();
  }
  ~FailingFfmpeg() {
    m_path.reset();
    LocateExternalPrograms();
  }
  FailingFfmpeg(const FailingFfmpeg&) = delete;
  FailingFfmpeg& operator=(const FailingFfmpeg&) = delete;

 private:
  std::optional<testkit::ScopedEnv> m_path;
};
