#include "platform/process/child_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/test_kit.h"
#include "platform/process/find_program.h"

namespace {

using namespace std::chrono_literals;

// A sleep whose command line no other test or process has: "sleep 86400.<our pid><n>".
std::vector<std::string> UniqueSleep(const std::string& tag) {
  return {FindProgram("sleep"), "86400." + std::to_string(::getpid()) + tag};
}

bool IsRunning(const std::vector<std::string>& command) {
  return !testkit::ProcessesMatching(CommandText(command)).empty();
}

// One "Name:\tvalue" line of /proc/<pid>/status.
std::string StatusField(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name + ":", 0) == 0) return line.substr(line.find_first_not_of(" \t", name.size() + 1));
  }
  return "";
}

// Fields of /proc/<pid>/stat after the command name: state is [0], the
// process group [2], the session [3].
std::vector<std::string> StatFields(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  std::vector<std::string> fields;
  std::istringstream rest(line.substr(line.rfind(')') + 2));
  for (std::string field; rest >> field;) fields.push_back(field);
  return fields;
}

// Reads the child's output up to its first line break.
std::string FirstLine(ChildProcess& child) {
  std::string text;
  char c = 0;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (std::chrono::steady_clock::now() < deadline) {
    const ssize_t got = child.ReadOutput(&c, 1);
    if (got == 1 && c == '\n') return text;
    if (got == 1) {
      text += c;
    } else if (got == 0) {
      break;
    } else {
      child.Wait(1s);
    }
  }
  return text;
}

TEST(ChildProcess, PassesEveryArgumentLiterallyWithoutAShell) {
  const std::vector<std::string> arguments = {"a b", "$(touch /tmp/x)", "; rm -rf /", "'q'\"", "", "-n"};
  std::vector<std::string> argv = {FindProgram("printf"), "[%s]\n"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const ProcessResult result = RunProcess(argv);
  ASSERT_TRUE(result.Succeeded()) << result.output;
  EXPECT_EQ(result.output, "[a b]\n[$(touch /tmp/x)]\n[; rm -rf /]\n['q'\"]\n[]\n[-n]\n");
}

TEST(ChildProcess, ReportsWhyAProgramCannotStart) {
  testkit::TempDir dir;
  testkit::WriteFile(dir.File("not-executable"), "#!/bin/sh\n");
  const std::string sh = FindProgram("sh");
  struct Case {
    std::vector<std::string> argv;
    ChildProcess::Options options;
    int error;
  };
  ChildProcess::Options missingFolder;
  missingFolder.workingDirectory = dir.File("no-such-folder");
  ChildProcess::Options missingInput;
  missingInput.stdinPath = dir.File("no-such-input");
  const Case cases[] = {
      {{}, {}, ENOENT},
      {{dir.File("no-such-program")}, {}, ENOENT},
      {{dir.File("not-executable")}, {}, EACCES},
      {{dir.path().string()}, {}, EACCES},
      {{sh, "-c", "true"}, missingFolder, ENOENT},
      {{sh, "-c", "true"}, missingInput, ENOENT},
  };
  for (const Case& c : cases) {
    ChildProcess child;
    EXPECT_EQ(child.Start(c.argv, c.options), c.error) << CommandText(c.argv);
    EXPECT_FALSE(child.IsStarted());
    EXPECT_EQ(RunProcess(c.argv, c.options).startError, c.error);
  }
}

TEST(ChildProcess, GivesTheExitCodeOrTheSignal) {
  const std::string sh = FindProgram("sh");
  EXPECT_EQ(RunProcess({sh, "-c", "exit 3"}).exitCode, 3);
  EXPECT_EQ(RunProcess({sh, "-c", "kill -TERM $$"}).exitCode, 128 + SIGTERM);

  ChildProcess child;
  ASSERT_EQ(child.Start(UniqueSleep("1")), 0);
  EXPECT_EQ(child.Wait(50ms), ChildProcess::WaitResult::Timeout);
  EXPECT_FALSE(child.ExitCode().has_value());
  child.Kill();
  EXPECT_TRUE(child.HasExited());
  EXPECT_TRUE(child.KilledBySignal());
  EXPECT_EQ(child.ExitCode(), 128 + SIGKILL);
}

TEST(ChildProcess, ReadsMoreOutputThanThePipeHoldsAndFeedsInput) {
  const ProcessResult big = RunProcess({FindProgram("head"), "-c", "1000000", "/dev/zero"});
  ASSERT_TRUE(big.Succeeded());
  EXPECT_EQ(big.output.size(), 1000000u);

  ChildProcess cat;
  ASSERT_EQ(cat.Start({FindProgram("cat")}), 0);
  ASSERT_EQ(::write(cat.InputFd(), "ping\n", 5), 5);
  cat.CloseInput();
  EXPECT_EQ(FirstLine(cat), "ping");
  EXPECT_TRUE(cat.WaitForExit(30s));
  EXPECT_EQ(cat.ExitCode(), 0);
}

TEST(ChildProcess, AppliesFolderEnvironmentAndFiles) {
  testkit::TempDir dir;
  testkit::WriteFile(dir.File("in.txt"), "from the file\n");
  ChildProcess::Options options;
  options.workingDirectory = dir.path().string();
  options.environment = {"ORLENTA_CHILD_TEST=added", "HOME=/replaced"};
  options.stdinPath = dir.File("in.txt");
  options.stdoutPath = dir.File("out.txt");
  const ProcessResult result = RunProcess(
      {FindProgram("sh"), "-c", "pwd; echo \"$ORLENTA_CHILD_TEST $HOME\"; cat; echo to-stderr >&2"}, options);
  ASSERT_TRUE(result.Succeeded()) << result.output;
  EXPECT_EQ(testkit::ReadFile(dir.File("out.txt")), dir.path().string() + "\nadded /replaced\nfrom the file\n");
  EXPECT_EQ(result.output, "to-stderr\n");
}

TEST(ChildProcess, StartsCleanInASessionOfItsOwn) {
  // What this process has must not reach the child: an inheritable
  // descriptor, an ignored signal, a blocked signal.
  const int leaked = ::fcntl(STDERR_FILENO, F_DUPFD, 3);
  ASSERT_GE(leaked, 3);
  struct sigaction ignore {};
  struct sigaction previousAction {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGUSR1, &ignore, &previousAction);
  sigset_t blocked;
  sigset_t previousMask;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR2);
  ::pthread_sigmask(SIG_BLOCK, &blocked, &previousMask);

  const ProcessResult fd = RunProcess({FindProgram("readlink"), "/proc/self/fd/" + std::to_string(leaked)});
  EXPECT_NE(fd.exitCode, 0) << "descriptor " << leaked << " reached the child: " << fd.output;

  ChildProcess child;
  ASSERT_EQ(child.Start(UniqueSleep("2")), 0);
  EXPECT_EQ(StatusField(child.Pid(), "SigIgn"), "0000000000000000");
  EXPECT_EQ(StatusField(child.Pid(), "SigBlk"), "0000000000000000");
  const auto stat = StatFields(child.Pid());
  ASSERT_GE(stat.size(), 4u);
  EXPECT_EQ(stat[2], std::to_string(child.Pid()));  // leads its process group
  EXPECT_EQ(stat[3], std::to_string(child.Pid()));  // and its session

  ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
  ::sigaction(SIGUSR1, &previousAction, nullptr);
  ::close(leaked);
}

TEST(ChildProcess, KillEndsTheChildsWholeGroup) {
  const auto grandchild = UniqueSleep("3");
  ChildProcess child;
  ASSERT_EQ(child.Start({FindProgram("sh"), "-c", CommandText(grandchild) + " & wait"}), 0);
  ASSERT_TRUE(testkit::WaitUntil([&] { return IsRunning(grandchild); }));
  // The test kit tells this process's children (the shell) from theirs
  // (the sleep, once the shell has started it).
  EXPECT_TRUE(testkit::WaitUntil([&] { return testkit::ProcessesMatching(CommandText(grandchild)).size() == 2u; }));
  EXPECT_EQ(testkit::ChildProcessesMatching(CommandText(grandchild)).size(), 1u);
  child.Close();
  EXPECT_TRUE(testkit::WaitUntil([&] { return !IsRunning(grandchild); }));
}

TEST(ChildProcess, OutlivesTheThreadThatStartedIt) {
  // The engine starts tools from background threads that end before the
  // tool does; that must not end the tool.
  const auto command = UniqueSleep("4");
  ChildProcess child;
  int error = -1;
  std::thread([&] { error = child.Start(command); }).join();
  ASSERT_EQ(error, 0);
  EXPECT_FALSE(child.WaitForExit(500ms)) << "the tool ended with the thread that started it";
  EXPECT_TRUE(IsRunning(command));
}

TEST(ChildProcess, EndsWhenItsProgramIsKilled) {
  const auto tool = UniqueSleep("5");
  std::vector<std::string> holderCommand = {TOOL_HOLDER_PATH};
  holderCommand.insert(holderCommand.end(), tool.begin(), tool.end());
  ChildProcess holder;
  ASSERT_EQ(holder.Start(holderCommand), 0);
  const std::string toolPid = FirstLine(holder);
  ASSERT_FALSE(toolPid.empty()) << "the holder did not start the tool";
  ASSERT_TRUE(IsRunning(tool));

  ASSERT_EQ(::kill(holder.Pid(), SIGKILL), 0);  // the holder alone, as a crash would end it
  ASSERT_TRUE(holder.WaitForExit(30s));
  EXPECT_TRUE(testkit::WaitUntil([&] { return !IsRunning(tool); }, 30s))
      << "the tool (pid " << toolPid << ") still runs after its program was killed";
}

TEST(ChildProcess, CommandTextQuotesWhatAPersonWouldQuote) {
  struct Case {
    std::vector<std::string> argv;
    const char* text;
  };
  const Case cases[] = {
      {{"/usr/bin/ffmpeg", "-i", "in.avi"}, "/usr/bin/ffmpeg -i in.avi"},
      {{"/bin/x", "a b", ""}, "/bin/x \"a b\" \"\""},
      {{"/bin/x", "it's", "$HOME", "a;b", "*"}, "/bin/x \"it's\" \"$HOME\" \"a;b\" \"*\""},
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandText(c.argv), c.text);
}

}  // namespace
