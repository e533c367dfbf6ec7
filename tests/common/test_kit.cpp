#include "common/test_kit.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace testkit {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orlenta-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

SmallDisk::SmallDisk(std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
  if (::mount("tmpfs", m_folder.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC, options.c_str()) == 0) {
    m_mounted = true;
  } else {
    m_reason = std::string("a tmpfs cannot be mounted here (") + std::strerror(errno) +
               "): the test needs root with mount rights";
  }
}

SmallDisk::~SmallDisk() {
  if (m_mounted) ::umount2(m_folder.path().c_str(), MNT_DETACH);
}

std::string MakeClip(const std::string& path, const ClipOptions& options) {
  const std::string duration = std::to_string(options.seconds);
  std::vector<std::string> argv = {FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y"};
  if (options.video) {
    argv.insert(argv.end(), {"-f", "lavfi", "-i",
                             "testsrc=size=" + std::to_string(options.width) + "x" + std::to_string(options.height) +
                                 ":rate=" + std::to_string(options.fps) + ":duration=" + duration});
  }
  if (options.audio) {
    argv.insert(argv.end(), {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=" + duration});
  }
  argv.insert(argv.end(), options.outputArguments.begin(), options.outputArguments.end());
  argv.push_back(path);
  const ProcessResult result = RunProcess(argv);
  if (!result.Succeeded()) throw std::runtime_error("ffmpeg could not make " + path + ":\n" + result.output);
  return path;
}

std::string WriteSubRip(const std::string& path, const std::string& text, double start, double end) {
  const auto stamp = [](double seconds) {
    const int ms = static_cast<int>(seconds * 1000 + 0.5);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d,%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    return std::string(buffer);
  };
  WriteFile(path, "1\n" + stamp(start) + " --> " + stamp(end) + "\n" + text + "\n\n");
  return path;
}

std::string MakeTrackedClip(const std::string& path, const TrackedClipOptions& options) {
  const std::string duration = std::to_string(options.seconds);
  std::vector<std::string> argv = {FindProgram("ffmpeg"),
                                   "-hide_banner",
                                   "-nostdin",
                                   "-y",
                                   "-f",
                                   "lavfi",
                                   "-i",
                                   "testsrc=size=160x120:rate=25:duration=" + duration};
  for (std::size_t i = 0; i < options.sounds.size(); ++i) {
    argv.insert(argv.end(),
                {"-f", "lavfi", "-i",
                 "sine=frequency=" + std::to_string(300 + 100 * i) + ":sample_rate=48000:duration=" + duration});
  }
  for (std::size_t i = 0; i < options.subtitleLanguages.size(); ++i) {
    const std::string subrip = path + ".input-" + std::to_string(i) + ".srt";
    WriteSubRip(subrip, "Subtitle " + std::to_string(i + 1), 0.1, options.seconds - 0.1);
    argv.insert(argv.end(), {"-i", subrip});
  }
  const std::size_t inputs = 1 + options.sounds.size() + options.subtitleLanguages.size();
  for (std::size_t i = 0; i < inputs; ++i) argv.insert(argv.end(), {"-map", std::to_string(i)});
  argv.insert(argv.end(), {"-c:v", "mpeg4", "-c:a", options.soundCodec, "-c:s", options.subtitleCodec});
  for (std::size_t i = 0; i < options.sounds.size(); ++i) {
    const std::string which = ":a:" + std::to_string(i);
    argv.insert(argv.end(), {"-ac" + which, std::to_string(options.sounds[i].channels)});
    if (!options.sounds[i].language.empty()) {
      argv.insert(argv.end(), {"-metadata:s" + which, "language=" + options.sounds[i].language});
    }
  }
  for (std::size_t i = 0; i < options.subtitleLanguages.size(); ++i) {
    if (options.subtitleLanguages[i].empty()) continue;
    argv.insert(argv.end(), {"-metadata:s:s:" + std::to_string(i), "language=" + options.subtitleLanguages[i]});
  }
  argv.push_back(path);
  const ProcessResult result = RunProcess(argv);
  for (std::size_t i = 0; i < options.subtitleLanguages.size(); ++i) {
    std::filesystem::remove(path + ".input-" + std::to_string(i) + ".srt");
  }
  if (!result.Succeeded()) throw std::runtime_error("ffmpeg could not make " + path + ":\n" + result.output);
  return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string WithVideoCode(const std::string& clip, const std::string& from, const std::string& code,
                          const std::string& path) {
  std::string bytes = ReadFile(clip);
  for (auto at = bytes.find(from); at != std::string::npos && at < 1000; at = bytes.find(from, at + 4)) {
    bytes.replace(at, 4, code);
  }
  WriteFile(path, bytes);
  return path;
}

namespace {

// A file of /proc/<pid>, or "" when the process has gone meanwhile. Read with
// read(2): a stream would throw when the process ends between open and read.
std::string ReadProcessFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text;
  char buffer[4096];
  ssize_t count = 0;
  while ((count = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(count));
  ::close(fd);
  return text;
}

// Running processes whose command line contains text, and, with parent, whose
// parent is that process.
std::vector<int> RunningProcesses(const std::string& text, std::optional<int> parent) {
  std::vector<int> pids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string statLine = ReadProcessFile(entry.path() / "stat");
    const auto close = statLine.rfind(')');
    if (close == std::string::npos || close + 2 >= statLine.size() || statLine[close + 2] == 'Z') continue;
    // "pid (name) state ppid ...": the parent follows the state.
    if (parent && std::atoi(statLine.c_str() + close + 4) != *parent) continue;
    std::string command = ReadProcessFile(entry.path() / "cmdline");
    for (char& c : command) {
      if (c == '\0') c = ' ';
    }
    if (command.find(text) != std::string::npos) pids.push_back(std::stoi(name));
  }
  return pids;
}

}  // namespace

std::vector<int> ProcessesMatching(const std::string& text) {
  return RunningProcesses(text, std::nullopt);
}

std::vector<int> ChildProcessesMatching(const std::string& text) {
  return RunningProcesses(text, ::getpid());
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> LogEntries(const std::string& logPath) {
  const std::string text = ReadFile(logPath);
  std::vector<std::string> lines;
  std::size_t start = text.find("\r\n");
  start = start == std::string::npos ? text.size() : start + 2;
  for (auto end = text.find("\r\n", start); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name) {
  if (const char* previous = std::getenv(name)) m_previous = previous;
  if (value != nullptr) {
    ::setenv(name, value, 1);
  } else {
    ::unsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (m_previous) {
    ::setenv(m_name.c_str(), m_previous->c_str(), 1);
  } else {
    ::unsetenv(m_name.c_str());
  }
}

}  // namespace testkit
