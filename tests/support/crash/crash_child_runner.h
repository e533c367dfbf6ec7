#pragma once
// Runs crash_child (which crashes on request) in a child process with a
// temporary data folder, and reads what its crash left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
  CrashChild() : m_record(m_dir.File("record.txt")), m_report(m_dir.File("data/crash_child.INI/ERRORLOG.TXT")) {}

  // Runs crash_child with how (and a log path, when withLog) and waits for its end.
  ChildEnd Run(const std::string& how, bool withLog) {
    std::vector<std::string> arguments{CRASH_CHILD, how};
    if (withLog) arguments.push_back(LogPath());
    std::vector<std::string> environment{"XDG_DATA_HOME=" + m_dir.File("data"), "CRASH_RECORD=" + m_record};
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string text = *variable;
      if (text.rfind("XDG_DATA_HOME=", 0) != 0 && text.rfind("CRASH_RECORD=", 0) != 0) environment.push_back(text);
    }
    pid_t child = -1;
    const int spawned =
        posix_spawn(&child, CRASH_CHILD, nullptr, nullptr, Pointers(arguments).data(), Pointers(environment).data());
    EXPECT_EQ(spawned, 0);
    ChildEnd end;
    if (spawned != 0) return end;
    int status = 0;
    const bool ended = testkit::WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; }, 120s);
    if (!ended) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "crash_child " << how << " did not end";
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
  std::string m_record;
  std::string m_report;
};

}  // namespace crashtest
