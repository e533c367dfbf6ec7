#include "bench_media.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/path_buffer.h"

namespace videobench {

ScratchFolder::ScratchFolder() {
  std::string pattern = TempFolderPath().str() + "/orlenta-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void RunFfmpeg(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-loglevel", "error", "-y"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const ProcessResult result = RunProcess(argv);
  if (!result.Succeeded()) {
    std::fprintf(stderr, "ffmpeg failed: %s\n%s\n", CommandText(argv).c_str(), result.output.c_str());
    std::exit(1);
  }
}

}  // namespace videobench
