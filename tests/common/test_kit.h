#pragma once
// Helpers shared by the tests: a temporary folder per test, small generated
// media, and checks on the processes we started.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string File(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

// A file system of a few bytes (a tmpfs) mounted on a fresh folder, so that
// a test can fill a disk for real; unmounted again at the end. Mounting needs
// root with mount rights (a container may not grant them): check Mounted()
// and skip with Reason() when it could not be made.
class SmallDisk {
 public:
  explicit SmallDisk(std::size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return m_mounted; }
  const std::string& Reason() const { return m_reason; }
  std::string File(const std::string& name) const { return m_folder.File(name); }

 private:
  TempDir m_folder;
  bool m_mounted = false;
  std::string m_reason;
};

struct ClipOptions {
  double seconds = 2.0;
  int width = 160;
  int height = 120;
  int fps = 25;
  bool video = true;
  bool audio = true;
  std::vector<std::string> outputArguments;  // codec and muxer options before the output path
};

// Generates a clip with ffmpeg's lavfi sources (test pattern and a tone).
// Throws std::runtime_error with ffmpeg's output if that fails.
std::string MakeClip(const std::string& path, const ClipOptions& options = {});

// A clip with several sound tracks and subtitle tracks, each with its
// language tag ("" for none): the subtitles say "Subtitle N" for most of
// the clip. The container follows the path's extension (MKV, MP4).
struct TrackedClipOptions {
  double seconds = 1.5;
  struct Sound {
    std::string language;
    int channels = 2;
  };
  std::vector<Sound> sounds;
  std::vector<std::string> subtitleLanguages;
  std::string subtitleCodec = "srt";  // "mov_text" in MP4, "ass", ...
  std::string soundCodec = "aac";     // "ac3" for a 5.1 AC-3 clip
};
std::string MakeTrackedClip(const std::string& path, const TrackedClipOptions& options);

// A SubRip file whose one subtitle shows text from start to end (seconds).
std::string WriteSubRip(const std::string& path, const std::string& text, double start, double end);

// Writes bytes to a file (broken inputs).
void WriteFile(const std::string& path, const std::string& bytes);

// A copy at path of an AVI clip whose video code (in its stream header and
// picture format) reads code instead of from: "QQZZ" is a code no codec
// answers to.
std::string WithVideoCode(const std::string& clip, const std::string& from, const std::string& code,
                          const std::string& path);

// Ids of running processes (not zombies) whose command line contains text.
std::vector<int> ProcessesMatching(const std::string& text);
// The same among this process's own children: tests running side by side
// start the same programs.
std::vector<int> ChildProcessesMatching(const std::string& text);

// Polls condition until it holds; false when the time-out passes first.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The whole text of a file.
std::string ReadFile(const std::string& path);

// The lines of a log file after its header line, without their CR LF.
std::vector<std::string> LogEntries(const std::string& logPath);

// Sets an environment variable for a scope (a null value unsets it) and
// restores what was there before.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name, value.c_str()) {}
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_previous;
};

}  // namespace testkit
