#pragma once
// Runs crash_child (which crashes on request), or another program with the
// crash handler, in a child process with a temporary data folder, and reads
// what its crash left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/test_kit.h"

extern char** environ;

namespace crashtest {

using namespace std::chrono_literals;

struct ChildEnd {
  bool exited = false;
  int status = -1;  // exit status, or the signal that ended it
};

class CrashChild {
 public:
  // program: its ErrorReport, next to it, is to be the recording stand-in.
  explicit CrashChild(std::string program = CRASH_CHILD)
      : m_program(std::move(program)),
        m_record(m_dir.File("record.txt")),
        m_report(m_dir.File("data/" + std::filesystem::path(m_program).filename().string() + ".INI/ERRORLOG.TXT")) {}

  // Runs crash_child with how (and a log path, when withLog, then more) and
  // waits for its end.
  ChildEnd Run(const std::string& how, bool withLog, const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments{how};
    if (withLog) arguments.push_back(LogPath());
    arguments.insert(arguments.end(), more.begin(), more.end());
    return Spawn(arguments, {});
  }

  // Runs the program with arguments and, over the inherited environment, the
  // temporary data folder, the stand-in's record and the variables of
  // settings ("NAME=value"); waits for its end.
  ChildEnd Spawn(std::vector<std::string> arguments, const std::vector<std::string>& settings) {
    arguments.insert(arguments.begin(), m_program);
    std::vector<std::string> environment{"XDG_DATA_HOME=" + DataFolder(), "CRASH_RECORD=" + m_record};
    environment.insert(environment.end(), settings.begin(), settings.end());
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string text = *variable;
      const bool replaced = std::any_of(environment.begin(), environment.end(), [&](const std::string& setting) {
        return text.compare(0, setting.find('=') + 1, setting, 0, setting.find('=') + 1) == 0;
      });
      if (!replaced) environment.push_back(text);
    }
    pid_t child = -1;
    const int spawned = posix_spawn(&child, m_program.c_str(), nullptr, nullptr, Pointers(arguments).data(),
                                    Pointers(environment).data());
    EXPECT_EQ(spawned, 0);
    ChildEnd end;
    if (spawned != 0) return end;
    int status = 0;
    const bool ended = testkit::WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, 120s);
    if (!ended) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << m_program << " did not end";
      return end;
    }
    end.exited = WIFEXITED(status);
    end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return end;
  }

  // The stand-in's record once it is complete; "" when none came in time.
  std::string WaitForRecord() const {
    std::string text;
    testkit::WaitUntil(
        [&] {
          text = std::filesystem::exists(m_record) ? testkit::ReadFile(m_record) : "";
          return !text.empty() && text.back() == '\n';
        },
        60s);
    return text;
  }

  std::string DataFolder() const { return m_dir.File("data"); }
  std::string File(const std::string& name) const { return m_dir.File(name); }
  std::string LogPath() const { return m_dir.File("orlenta_log.txt"); }
  const std::string& ReportPath() const { return m_report; }
  const std::string& RecordPath() const { return m_record; }
  std::string Report() const { return std::filesystem::exists(m_report) ? testkit::ReadFile(m_report) : ""; }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  testkit::TempDir m_dir;
  std::string m_program;
  std::string m_record;
  std::string m_report;
};

}  // namespace crashtest
