#include "convert/ffmpeg_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/test_kit.h"
#include "convert/recording_receiver.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

using namespace std::chrono_literals;

// Arguments as text for the log and as the vector that runs.
struct Arguments {
  std::string text;
  std::vector<std::string> vector;
};

Arguments MakeArguments(std::initializer_list<std::string> args) {
  Arguments result;
  for (const auto& arg : args) {
    result.text += " " + arg;
    result.vector.push_back(arg);
  }
  return result;
}

class FfmpegProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    ASSERT_TRUE(LogOpen(m_dir.File("Orlenta_log.txt").c_str()));
  }
  void TearDown() override {
    StopFlag::Set(false);
    LogClose();
  }
  std::string LogText() const { return testkit::ReadFile(m_dir.File("Orlenta_log.txt")); }

  testkit::TempDir m_dir;
  RecordingReceiver m_receiver;
};

TEST_F(FfmpegProcessTest, ProgressFromStatusTextOfOnePiece) {
  struct Case {
    const char* piece;
    double duration;
    std::vector<int> pings;
  };
  const Case cases[] = {
      {"frame=  100 fps=0.0 q=4.0 size=  100kB time=10.00 bitrate=1142.4kbits/s\r", 40, {25}},
      {"frame=  100 time=00:00:10.00 bitrate=1\r", 40, {25}},
      {"time=00:00:10.00 bitrate=1\rtime=00:00:20.00 bitrate=1\r", 40, {50}},
      {"frame=    0 time=0.00 bitrate=N/A\r", 40, {}},
      {"frame=    1 time=00:00:39.90 bitrate=1\r", 39, {100}},  // whole-second duration passed
      {"frame=    1 time=00:00:05.00 bitrate=1\r", 0, {}},      // unknown duration
      {"frame=    1 time=99999999:00:00.00 bitrate=1\r", 1e-300, {100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.piece);
    RecordingReceiver receiver;
    FfmpegProcess process("", {}, &receiver, c.duration);
    process.OnOutputText(c.piece);
    EXPECT_EQ(receiver.ProgressValues(), c.pings);
  }
}

TEST_F(FfmpegProcessTest, ConvertsAClipWithRisingProgress) {
  const auto input = testkit::MakeClip(m_dir.File("in.avi"), {.seconds = 2.0});
  const auto output = m_dir.File("out.mpg");
  const auto args = MakeArguments({"-i", input, "-f", "mpeg", "-y", output});
  FfmpegProcess process(args.text, args.vector, &m_receiver, 2.0);
  process.Start();

  const auto pings = m_receiver.ProgressValues();
  std::string seen;
  for (int ping : pings) seen += std::to_string(ping) + " ";
  SCOPED_TRACE("pings: " + seen);
  EXPECT_TRUE(process.Succeeded());
  EXPECT_GT(std::filesystem::file_size(output), 0U);
  ASSERT_FALSE(pings.empty());
  // ffmpeg's own time may step back a little between updates; it must not fall.
  for (std::size_t i = 1; i < pings.size(); ++i) EXPECT_GE(pings[i], pings[i - 1] - 5);
  EXPECT_GE(pings.back(), 90);
  EXPECT_LE(pings.back(), 100);

  const std::string log = LogText();
  const std::string commandLine = "\"" + FfmpegExecutablePath() + "\"" + args.text;
  for (const std::string& line : std::vector<std::string>{
           "CRedirector constructor", "FfmpegProcess constructor", "Starting process:\r\n" + commandLine + "\r\n",
           "CRedirector::Open -> " + commandLine, "CRedirector::LaunchChild - command line: " + commandLine,
           "CRedirector::Close - child process still running? close it."}) {
    EXPECT_NE(log.find(line), std::string::npos) << line;
  }
}

TEST_F(FfmpegProcessTest, BrokenInputLeavesSucceededFalse) {
  testkit::WriteFile(m_dir.File("broken.avi"), "RIFF....AVI not really a video");
  const auto args = MakeArguments({"-i", m_dir.File("broken.avi"), "-f", "mpeg", "-y", m_dir.File("out.mpg")});
  FfmpegProcess process(args.text, args.vector, &m_receiver, 10.0);
  process.Start();
  EXPECT_FALSE(process.Succeeded());
  EXPECT_TRUE(m_receiver.ProgressValues().empty());
}

TEST_F(FfmpegProcessTest, SuccessNeedsExitCodeZeroAndAFinishedOutput) {
  // Stand-ins for ffmpeg that say what ffmpeg says and end as it ends. ffmpeg
  // 5.1 ends with 0 when the disk fills while it writes its trailer.
  const struct {
    const char* what;
    const char* script;
    bool succeeded;
    std::optional<int> exitCode;
    std::vector<std::string> lastLines;
  } cases[] = {
      {"clean run", "printf 'frame=1 time=00:00:01.00\\r'; exit 0", true, 0, {}},
      {"error exit",
       "echo 'x.avi: Invalid data found when processing input' >&2; exit 1",
       false,
       1,
       {"x.avi: Invalid data found when processing input"}},
      {"full disk at the trailer",
       "printf 'frame=1\\rError writing trailer of file:o.mpg: No space left on device\\n"
       "frame=  101 Lsize=256kB\\r\\nError closing file file:o.mpg: No space left on device\\n'; exit 0",
       false,
       0,
       {"Error writing trailer of file:o.mpg: No space left on device",
        "Error closing file file:o.mpg: No space left on device"}},
      {"killed", "kill -KILL $$", false, std::nullopt, {}},
  };
  for (const auto& c : cases) {
    const std::string script = m_dir.File("fake-ffmpeg");
    testkit::WriteFile(script, std::string("#!/bin/sh\n") + c.script + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    FfmpegProcess process("", {}, &m_receiver, 10.0, script);
    process.Start();
    EXPECT_EQ(process.Succeeded(), c.succeeded) << c.what;
    EXPECT_EQ(process.ExitCode(), c.exitCode) << c.what;
    EXPECT_EQ(process.LastLines(), c.lastLines) << c.what;
  }
}

TEST_F(FfmpegProcessTest, MissingExecutablePingsNothing) {
  const auto args = MakeArguments({"-version"});
  FfmpegProcess process(args.text, args.vector, &m_receiver, 10.0, m_dir.File("no-such-ffmpeg"));
  process.Start();
  EXPECT_FALSE(process.Succeeded());
  EXPECT_TRUE(m_receiver.Pings().empty());
  EXPECT_NE(LogText().find("CRedirector::LaunchChild - cannot start"), std::string::npos);
}

TEST_F(FfmpegProcessTest, StopFlagKillsFfmpegAndLeavesThePartialOutput) {
  // A long generated input, so that ffmpeg is surely still running at the stop.
  const auto output = m_dir.File("partial.mpg");
  const auto args = MakeArguments(
      {"-re", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=120", "-f", "mpeg", "-y", output});
  std::chrono::steady_clock::time_point stoppedAt;
  m_receiver.OnEachPing([&](std::int32_t) {
    if (!StopFlag::IsSet()) {
      stoppedAt = std::chrono::steady_clock::now();
      StopFlag::Set(true);
    }
  });
  FfmpegProcess process(args.text, args.vector, &m_receiver, 120.0);
  EXPECT_THROW(process.Start(), stop_by_user_exception);
  const auto reaction = std::chrono::steady_clock::now() - stoppedAt;

  EXPECT_LT(reaction, 1s);
  EXPECT_TRUE(testkit::ProcessesMatching(output).empty()) << "ffmpeg must not outlive the stop";
  EXPECT_FALSE(process.Succeeded());
  EXPECT_TRUE(std::filesystem::exists(output));
}

TEST_F(FfmpegProcessTest, DestroyingTheProcessObjectKillsItsChild) {
  // Stopping from another thread while ffmpeg produces no status at all.
  const auto output = m_dir.File("quiet.mpg");
  const auto args = MakeArguments({"-nostats", "-loglevel", "quiet", "-re", "-f", "lavfi", "-i",
                                   "testsrc=size=64x48:rate=5:duration=120", "-f", "mpeg", "-y", output});
  std::thread stopper([&] {
    testkit::WaitUntil([&] { return !testkit::ProcessesMatching(output).empty(); });
    StopFlag::Set(true);
  });
  {
    FfmpegProcess process(args.text, args.vector, &m_receiver, 120.0);
    EXPECT_THROW(process.Start(), stop_by_user_exception);
  }
  stopper.join();
  EXPECT_TRUE(testkit::ProcessesMatching(output).empty());
}

TEST_F(FfmpegProcessTest, HostileFileNamesReachFfmpegUnchanged) {
  const std::string folder = m_dir.File("a \"b\" $(touch pwned); c");
  std::filesystem::create_directory(folder);
  const auto input = testkit::MakeClip(folder + "/-i in 'x' ä.avi", {.seconds = 1.0});
  const auto output = folder + "/-y out;$HOME ö.mpg";
  const auto args = MakeArguments({"-i", input, "-f", "mpeg", "-y", output});
  FfmpegProcess process(args.text, args.vector, &m_receiver, 1.0);
  process.Start();
  EXPECT_TRUE(process.Succeeded());
  EXPECT_TRUE(std::filesystem::exists(output));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
}

TEST_F(FfmpegProcessTest, CloseWithoutChildOnlyLogs) {
  CRedirector redirector;
  redirector.Close();
  redirector.Close();
  EXPECT_NE(LogText().find("CRedirector::Close - child process still running? close it."), std::string::npos);
}

}  // namespace
