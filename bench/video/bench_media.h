#pragma once
// Shared by the video benchmarks: a scratch folder and generated media.

#include <chrono>
#include <string>
#include <vector>

namespace videobench {

// A fresh folder under the temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Runs ffmpeg with these arguments after the input options; exits on failure.
void RunFfmpeg(const std::vector<std::string>& arguments);

// Seconds taken by work.
template <typename Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace videobench
