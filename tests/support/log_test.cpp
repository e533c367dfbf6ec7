#include "support/log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <regex>
#include <sstream>
#include <thread>

#include "common/test_kit.h"

namespace {

std::int64_t g_fakeTicks = 0;
std::int64_t FakeClock() {
  return g_fakeTicks;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "the file must end with CR LF";
  return lines;
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { g_fakeTicks = 0; }
  void TearDown() override {
    LogClose();
    log_detail::SetClockForTesting(nullptr, 0);
  }
  std::vector<std::string> Lines() const { return SplitCrLf(testkit::ReadFile(m_path)); }

  testkit::TempDir m_dir;
  std::string m_path = m_dir.File("Orlenta_log.txt");
};

TEST_F(LogTest, WritesNothingWhileClosed) {
  LogClose();
  Log("lost %d", 1);
  EXPECT_EQ(LogGetPath(), "");
}

TEST_F(LogTest, HeaderThenEntriesWithElapsedTimePrefix) {
  log_detail::SetClockForTesting(FakeClock, 1'000'000);
  g_fakeTicks = 5'000'000;
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  LogSetTimestamps(true);
  EXPECT_EQ(LogGetPath(), m_path);
  g_fakeTicks += 2'017'351;
  Log("CCastrel1Dlg::OnButtonConvert");
  LogSetTimestamps(false);
  Log("plain %s", "entry");

  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_TRUE(
      std::regex_match(lines[0], std::regex(R"( --------- Log Started - \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d ----------)")))
      << lines[0];
  EXPECT_EQ(lines[1], "00:00:02.017'351 - CCastrel1Dlg::OnButtonConvert");
  EXPECT_EQ(lines[2], "plain entry");
}

TEST_F(LogTest, OpeningTruncatesAnEarlierLog) {
  testkit::WriteFile(m_path, std::string(10000, 'x'));
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  Log("fresh");
  EXPECT_EQ(Lines().size(), 2U);
}

TEST(LogPrefix, FormatsElapsedTime) {
  struct Case {
    std::uint64_t micros;
    const char* prefix;
  };
  for (const Case& c : {Case{0, "00:00:00.000'000 - "}, Case{3'723'004'005ULL, "01:02:03.004'005 - "},
                        Case{2'017'351, "00:00:02.017'351 - "}, Case{360'000'000'000ULL, "100:00:00.000'000 - "}}) {
    char out[64];
    const int length = log_detail::FormatTimestampPrefix(c.micros, out, sizeof out);
    EXPECT_STREQ(out, c.prefix);
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.prefix)));
  }
}

TEST(LogPrefix, ElapsedMicrosecondsHandlesZeroFrequencyAndLongRuns) {
  EXPECT_EQ(log_detail::ElapsedMicroseconds(123456, 0), 0U);
  EXPECT_EQ(log_detail::ElapsedMicroseconds(3'000'000, 1'000'000), 3'000'000U);
  // Thirty days of a nanosecond counter must not overflow.
  const std::int64_t thirtyDays = 30LL * 24 * 3600 * 1'000'000'000;
  EXPECT_EQ(log_detail::ElapsedMicroseconds(thirtyDays, 1'000'000'000), 30ULL * 24 * 3600 * 1'000'000);
}

TEST_F(LogTest, ZeroFrequencyGivesZeroPrefix) {
  log_detail::SetClockForTesting(FakeClock, 0);
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  LogSetTimestamps(true);
  g_fakeTicks = 999'999;
  Log("x");
  EXPECT_EQ(Lines()[1], "00:00:00.000'000 - x");
}

TEST_F(LogTest, EmbeddedLineBreakMakesContinuationWithoutPrefix) {
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  LogSetTimestamps(true);
  Log("Starting process:\n%s\n", "ffmpeg -i x");
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_TRUE(lines[1].ends_with(" - Starting process:"));
  EXPECT_EQ(lines[2], "ffmpeg -i x");
  EXPECT_EQ(lines[3], "");
}

TEST_F(LogTest, LongMessageIsCutToTheLineBuffer) {
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  LogSetTimestamps(true);
  const std::string huge(5000, 'a');
  Log("%s", huge.c_str());
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[1].size(), log_detail::kLineBufferSize - 1);
  EXPECT_EQ(lines[1].substr(19), std::string(log_detail::kLineBufferSize - 1 - 19, 'a'));
}

TEST_F(LogTest, FileHeldByAnotherInstanceIsNotOpened) {
  const int other = ::open(m_path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_FALSE(LogOpen(m_path.c_str()));
  EXPECT_EQ(LogGetPath(), "");
  Log("goes nowhere");
  ::close(other);
  EXPECT_EQ(testkit::ReadFile(m_path), "");
}

TEST_F(LogTest, UncreatableFileFailsQuietly) {
  EXPECT_FALSE(LogOpen(m_dir.File("missing/folder/log.txt").c_str()));
}

TEST_F(LogTest, LinesFromManyThreadsNeverInterleave) {
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  LogSetTimestamps(true);
  constexpr int kThreads = 8;
  constexpr int kLines = 400;
  const std::string payload(300, 'p');
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kLines; ++i) Log("thread %d line %d %s end", t, i, payload.c_str());
    });
  }
  for (auto& thread : threads) thread.join();

  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1U + kThreads * kLines);
  const std::regex entry(R"(\d\d:\d\d:\d\d\.\d{3}'\d{3} - thread (\d) line (\d+) p{300} end)");
  std::vector<int> next(kThreads, 0);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, entry)) << lines[i];
    const int thread = std::stoi(match[1]);
    EXPECT_EQ(std::stoi(match[2]), next[thread]++) << "each thread's lines keep their order";
  }
}

TEST_F(LogTest, PathAndTimestampsStaySoundWhileAnotherThreadReopens) {
  // Two paths of the same length: a reader racing the switch between them
  // must see one of them whole, or "" while the log is closed, never a mix.
  const std::string first = m_dir.File("log-a.txt");
  const std::string second = m_dir.File("log-b.txt");
  std::atomic<bool> done{false};
  std::thread reopener([&] {
    for (int i = 0; i < 300; ++i) {
      LogOpen((i % 2 == 0 ? first : second).c_str());
      LogSetTimestamps(i % 3 == 0);
      Log("entry %d", i);
      if (i % 5 == 0) LogClose();
    }
    done = true;
  });
  std::vector<std::string> seen;
  char copy[4096];
  while (!done) {
    const std::string path = LogGetPath();
    if (path != "" && path != first && path != second) seen.push_back(path);
    if (LogCopyPath(copy, sizeof copy) && copy != first && copy != second && copy[0] != '\0') seen.push_back(copy);
    Log("reader");
  }
  reopener.join();
  EXPECT_TRUE(seen.empty()) << "torn path: " << seen.front();
}

TEST_F(LogTest, CopyPathRefusesASmallBuffer) {
  ASSERT_TRUE(LogOpen(m_path.c_str()));
  std::vector<char> exact(m_path.size() + 1);
  ASSERT_TRUE(LogCopyPath(exact.data(), exact.size()));
  EXPECT_EQ(std::string(exact.data()), m_path);
  char small[8] = "x";
  EXPECT_FALSE(LogCopyPath(small, sizeof small));
  EXPECT_STREQ(small, "");
  LogClose();
  ASSERT_TRUE(LogCopyPath(exact.data(), exact.size()));
  EXPECT_STREQ(exact.data(), "");
}

TEST(ErrorText, SystemTextOrUnknownForm) {
  EXPECT_EQ(GetErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(GetErrorText(99999), "Unknown error: 0001869f (34463)");
  EXPECT_EQ(GetErrorText(-1), "Unknown error: ffffffff (65535)");
}

}  // namespace
