#include "convert/convert_task_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>

#include "common/test_kit.h"
#include "convert/convert_test_support.h"
#include "convert/recording_receiver.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/temporary_files.h"

namespace {

using Received = RecordingReceiver::Received;

class ConvertTaskListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StopFlag::Set(false);
    CTemporaryFiles::DeleteTempFiles();
    ASSERT_TRUE(LogOpen(m_dir.File("Orlenta_log.txt").c_str()));
    std::filesystem::create_directory(m_out);
  }
  void TearDown() override {
    StopFlag::Set(false);
    CTemporaryFiles::DeleteTempFiles();
    LogClose();
  }

  // Runs a list, jobs files at a time, and waits for its final ping.
  void RunList(const std::vector<PathBuffer>& inputs, const OutputFormat& format, int jobs = 1) {
    ConvertTaskList list(inputs, m_out, format, &m_receiver);
    list.SetParallelJobs(jobs);
    ConvertTaskList::Start(list);
    ASSERT_TRUE(m_receiver.WaitForPing(end_of_list)) << "the list never ended";
  }

  std::string Clip(const std::string& name, double seconds = 1.0) {
    return testkit::MakeClip(m_dir.File(name), {.seconds = seconds, .width = 64, .height = 48});
  }

  std::vector<std::string> OutputNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_out)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string LogText() const { return testkit::ReadFile(m_dir.File("Orlenta_log.txt")); }

  testkit::TempDir m_dir;
  std::string m_out = m_dir.File("out");
  RecordingReceiver m_receiver;
  ScriptedResponder m_responder;
  RecordingFallback m_fallback;
  CPageAVI_Ffmpeg m_avi;
};

// The pings without the progress ones, in order.
std::vector<int> TaskPings(const std::vector<Received>& pings) {
  std::vector<int> values;
  for (const auto& ping : pings) {
    if (!ping.progress) values.push_back(ping.value);
  }
  return values;
}

TEST_F(ConvertTaskListTest, EmptyListPingsTheEndAtOnce) {
  RunList({}, m_avi);
  EXPECT_EQ(TaskPings(m_receiver.Pings()), std::vector<int>{0});
}

TEST_F(ConvertTaskListTest, TwoFilesPingInOrderAndGetUniqueNames) {
  // a.avi and a.wmv both map to a_new.avi.
  const auto a = Clip("a.avi");
  const auto b = testkit::MakeClip(m_dir.File("a.wmv"), {.seconds = 1.0, .width = 64, .height = 48});
  RunList({a, b}, m_avi);

  const auto pings = m_receiver.Pings();
  EXPECT_EQ(TaskPings(pings), (std::vector<int>{2, 3, 2, 3, 0}));
  // Progress arrives between each file's 2 and 3 and rises.
  int file = 0;
  int last = -1;
  int progressCount = 0;
  for (const auto& ping : pings) {
    if (!ping.progress) {
      if (ping.value == begin_converting) last = -1, ++file;
      continue;
    }
    EXPECT_GE(ping.value, last) << "file " << file;
    last = ping.value;
    ++progressCount;
  }
  EXPECT_GT(progressCount, 0);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"a_new(1).avi", "a_new.avi"}));
  EXPECT_TRUE(CTemporaryFiles::RegisteredFiles().empty()) << "file formats register nothing";
  EXPECT_TRUE(m_responder.Messages().empty());
}

TEST_F(ConvertTaskListTest, LeftoverOutputAndDottedNames) {
  testkit::WriteFile(m_out + "/x.y_new.avi", "from an earlier run");
  RunList({Clip("x.y.avi")}, m_avi);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"x.y_new(1).avi", "x.y_new.avi"}));
  EXPECT_EQ(testkit::ReadFile(m_out + "/x.y_new.avi"), "from an earlier run") << "never overwritten";
}

TEST_F(ConvertTaskListTest, DiscOutputsAreRegisteredBeforeFfmpegStarts) {
  CPageVCD_Ffmpeg vcd;
  std::vector<std::vector<PathBuffer>> registeredAtProgress;
  m_receiver.OnEachPing([&](std::int32_t) { registeredAtProgress.push_back(CTemporaryFiles::RegisteredFiles()); });
  RunList({Clip("one.avi")}, vcd);
  const std::string output = m_out + "/one_new.mpg";
  ASSERT_GE(registeredAtProgress.size(), 2U);
  EXPECT_TRUE(registeredAtProgress[0].empty()) << "nothing registered at the begin ping";
  EXPECT_EQ(registeredAtProgress[1], std::vector<PathBuffer>{output}) << "registered before the first progress";
  EXPECT_TRUE(std::filesystem::exists(output));
}

TEST_F(ConvertTaskListTest, StopDuringSecondOfThreeEndsTheList) {
  const std::vector<PathBuffer> inputs = {Clip("1.avi"), Clip("2.avi", 3.0), Clip("3.avi")};
  int begins = 0;
  m_receiver.OnEachPing([&](std::int32_t value) {
    if (value == begin_converting) ++begins;
    if (begins == 2 && !StopFlag::IsSet()) StopFlag::Set(true);
  });
  RunList(inputs, m_avi);

  EXPECT_EQ(TaskPings(m_receiver.Pings()), (std::vector<int>{2, 3, 2, 3, 0}));
  EXPECT_TRUE(testkit::ProcessesMatching(m_out).empty()) << "no ffmpeg left";
  EXPECT_FALSE(std::filesystem::exists(m_out + "/3_new.avi"));
  EXPECT_TRUE(m_responder.Messages().empty()) << "a stop is never shown";
  EXPECT_EQ(m_fallback.calls, 0);
}

TEST_F(ConvertTaskListTest, FailedFilesAreReportedAndTheListGoesOn) {
  testkit::WriteFile(m_dir.File("text.avi"), "not a video");
  testkit::WriteFile(m_dir.File("cut.avi"), testkit::ReadFile(Clip("whole.avi")).substr(0, 200));
  const std::string tooLong = "/" + std::string(PathBuffer::kCapacity - 20, 'd') + ".avi";
  RunList({m_dir.File("text.avi"), tooLong, m_dir.File("cut.avi"), Clip("good.avi")}, m_avi);

  // The path too long for a name fails before its task pings its begin.
  EXPECT_EQ(TaskPings(m_receiver.Pings()), (std::vector<int>{2, 3, 2, 3, 2, 3, 0}));
  const auto texts = m_responder.MessageTexts();
  ASSERT_EQ(texts.size(), 3U);
  EXPECT_EQ(texts[0], "Error #12: Conversion problem");
  EXPECT_TRUE(texts[1].starts_with("The path is too long")) << texts[1];
  EXPECT_EQ(texts[2], "Error #12: Conversion problem");
  EXPECT_EQ(m_fallback.calls, 2);
  EXPECT_TRUE(std::filesystem::exists(m_out + "/good_new.avi"));
}

TEST_F(ConvertTaskListTest, AnOutputNameTooLongForTheFileSystemIsRefusedBeforeConverting) {
  // 254 bytes: the input's name fits, "<name>_new.avi" does not.
  const auto tooLong = Clip(std::string(250, 'd') + ".avi");
  // 251 bytes: "<name>_new.avi" just fits, until "(1)" must be added.
  const auto justFits = Clip(std::string(247, 'e') + ".avi");
  const std::string taken = std::string(247, 'e') + "_new.avi";
  testkit::WriteFile(m_out + "/" + taken, "from an earlier run");
  RunList({tooLong, justFits}, m_avi);

  EXPECT_EQ(TaskPings(m_receiver.Pings()), (std::vector<int>{2, 3, 0})) << "the first fails before its begin";
  const auto texts = m_responder.MessageTexts();
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_TRUE(texts[0].starts_with("The file name is too long (258 bytes; at most 255 are possible): ddd")) << texts[0];
  EXPECT_TRUE(texts[1].starts_with("The file name is too long (258 bytes; at most 255 are possible): eee")) << texts[1];
  EXPECT_EQ(OutputNames(), std::vector<std::string>{taken});
  EXPECT_EQ(m_fallback.calls, 0);
  EXPECT_EQ(LogText().find("Starting process"), std::string::npos) << "ffmpeg never ran";
}

TEST_F(ConvertTaskListTest, UnexpectedExceptionShowsUnknownErrorAndTheEndStillComes) {
  struct ThrowingReceiver : RecordingReceiver {
    std::int32_t OnPing(std::int32_t value, const Pinger& sender) override {
      RecordingReceiver::OnPing(value, sender);
      if (value == begin_converting) throw std::runtime_error("receiver broke");
      return 0;
    }
  } receiver;
  ConvertTaskList::Start(ConvertTaskList({Clip("a.avi"), Clip("b.avi")}, m_out, m_avi, &receiver));
  ASSERT_TRUE(receiver.WaitForPing(end_of_list));
  EXPECT_EQ(m_responder.MessageTexts(), (std::vector<std::string>{"Unknown Error", "Unknown Error"}));
}

TEST_F(ConvertTaskListTest, EveryTaskKeepsItsOwnParameters) {
  CPageDVD_Ffmpeg dvd;
  const ConvertTaskList list({"/a.avi", "/b.avi"}, m_out, dvd, &m_receiver);
  ASSERT_EQ(list.Tasks().size(), 2U);
  EXPECT_NE(&list.Tasks()[0].Parameters(), &list.Tasks()[1].Parameters());
  EXPECT_STREQ(list.Tasks()[0].Parameters().target, "dvd");
  EXPECT_EQ(ConvertFileTask::PlannedOutputPath("/out", "/video/Holiday.2009.avi", ".mpg").str(),
            "/out/Holiday.2009_new.mpg");
}

// Files converting side by side ------------------------------------------

// What the pings of a list say about its files: how many ran at once at
// most, and whether each file began before it ended, once each.
struct FilesSeen {
  int mostAtOnce = 0;
  std::vector<int> begins, ends;
};

FilesSeen SeenFiles(const std::vector<Received>& pings, std::size_t fileCount) {
  FilesSeen seen;
  seen.begins.assign(fileCount, 0);
  seen.ends.assign(fileCount, 0);
  int running = 0;
  for (const auto& ping : pings) {
    if (ping.progress || !ping.file || *ping.file >= fileCount) continue;
    if (ping.value == begin_converting) {
      EXPECT_EQ(seen.ends[*ping.file], 0) << "file " << *ping.file << " began after its end";
      ++seen.begins[*ping.file];
      seen.mostAtOnce = std::max(seen.mostAtOnce, ++running);
    } else if (ping.value == end_converting) {
      ++seen.ends[*ping.file];
      --running;
    }
  }
  return seen;
}

// The final ping comes once, as the very last one.
void ExpectOneFinalPingLast(const std::vector<Received>& pings) {
  ASSERT_FALSE(pings.empty());
  EXPECT_TRUE(pings.back().listEnd && pings.back().value == end_of_list);
  EXPECT_EQ(std::count_if(pings.begin(), pings.end(), [](const Received& ping) { return ping.listEnd; }), 1);
}

TEST_F(ConvertTaskListTest, ThreeFilesTwoAtATimeTellEachFileAndARisingTotal) {
  CPageVCD_Ffmpeg vcd;
  // The first file takes longest: the others end before it does.
  const std::vector<PathBuffer> inputs = {Clip("1.avi", 6.0), Clip("2.avi", 1.0), Clip("3.avi", 1.0)};
  std::size_t mostEncoders = 0;
  m_receiver.OnEachReceived([&](const Received& ping) {
    if (ping.progress) mostEncoders = std::max(mostEncoders, testkit::ProcessesMatching(m_out).size());
  });
  RunList(inputs, vcd, 2);

  const auto pings = m_receiver.Pings();
  ExpectOneFinalPingLast(pings);
  const FilesSeen seen = SeenFiles(pings, inputs.size());
  EXPECT_EQ(seen.begins, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(seen.ends, (std::vector<int>{1, 1, 1}));
  EXPECT_GE(seen.mostAtOnce, 2) << "files convert side by side";
  EXPECT_EQ(mostEncoders, 2U) << "two ffmpeg at once, never three";

  // Begins and ends arrive in list order, so a receiver that counts ends
  // knows which file ended; each end names the file that task wrote.
  std::vector<std::size_t> begun, ended;
  for (const auto& ping : pings) {
    if (ping.progress || !ping.file) continue;
    if (ping.value == begin_converting) begun.push_back(*ping.file);
    if (ping.value == end_converting) {
      ended.push_back(*ping.file);
      EXPECT_EQ(ping.output, m_out + "/" + std::to_string(*ping.file + 1) + "_new.mpg");
    }
  }
  EXPECT_EQ(begun, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(ended, (std::vector<std::size_t>{0, 1, 2}));

  // Each progress ping names its file and carries the list's total, which
  // only rises, while the value stays the percent of that one file.
  double total = 0;
  std::vector<int> progressPerFile(inputs.size(), 0);
  for (const auto& ping : pings) {
    if (!ping.progress) continue;
    ASSERT_TRUE(ping.file.has_value());
    ASSERT_LT(*ping.file, inputs.size());
    EXPECT_GE(ping.listPercent, total);
    EXPECT_LE(ping.listPercent, 100.0);
    EXPECT_GE(ping.value, 0);
    EXPECT_LE(ping.value, 100);
    total = ping.listPercent;
    ++progressPerFile[*ping.file];
  }
  EXPECT_GT(total, 34.0) << "the total passes one file's share";
  for (std::size_t file = 0; file < inputs.size(); ++file) EXPECT_GT(progressPerFile[file], 0) << "file " << file;
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"1_new.mpg", "2_new.mpg", "3_new.mpg"}));
  EXPECT_EQ(CTemporaryFiles::RegisteredFiles().size(), 3U);
  EXPECT_TRUE(m_responder.Messages().empty());
}

TEST_F(ConvertTaskListTest, SideBySideTheFirstOfTwoSameNamesGetsTheNameWithoutCounter) {
  const auto a = Clip("a.avi", 2.0);
  const auto b = testkit::MakeClip(m_dir.File("a.wmv"), {.seconds = 1.0, .width = 64, .height = 48});
  RunList({a, b}, m_avi, 2);

  std::vector<std::string> endedAs(2);
  for (const auto& ping : m_receiver.Pings()) {
    if (!ping.progress && ping.file && ping.value == end_converting) endedAs[*ping.file] = ping.output;
  }
  EXPECT_EQ(endedAs, (std::vector<std::string>{m_out + "/a_new.avi", m_out + "/a_new(1).avi"}));
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"a_new(1).avi", "a_new.avi"}));
}

TEST_F(ConvertTaskListTest, AStopEndsBothRunningFilesWithinASecond) {
  // Long enough that neither file is done when both are under way.
  const std::vector<PathBuffer> inputs = {Clip("1.avi", 30.0), Clip("2.avi", 30.0), Clip("3.avi", 1.0)};
  CPageVCD_Ffmpeg vcd;
  std::vector<bool> progressed(inputs.size(), false);
  std::chrono::steady_clock::time_point stoppedAt;
  m_receiver.OnEachReceived([&](const Received& ping) {
    if (ping.progress && ping.file) progressed[*ping.file] = true;
    if (progressed[0] && progressed[1] && !StopFlag::IsSet()) {
      EXPECT_FALSE(testkit::ProcessesMatching(m_out).empty()) << "ffmpeg runs";
      stoppedAt = std::chrono::steady_clock::now();
      StopFlag::Set(true);
    }
  });
  RunList(inputs, vcd, 2);
  const auto stopTook = std::chrono::steady_clock::now() - stoppedAt;

  ASSERT_TRUE(StopFlag::IsSet()) << "both files never ran at once";
  EXPECT_LT(stopTook, std::chrono::seconds(1));
  const auto pings = m_receiver.Pings();
  ExpectOneFinalPingLast(pings);
  const FilesSeen seen = SeenFiles(pings, inputs.size());
  EXPECT_EQ(seen.begins, (std::vector<int>{1, 1, 0})) << "no third file after the stop";
  EXPECT_EQ(seen.ends, (std::vector<int>{1, 1, 0}));
  EXPECT_TRUE(testkit::ProcessesMatching(m_out).empty()) << "no ffmpeg left";
  EXPECT_TRUE(m_responder.Messages().empty()) << "a stop is never shown";
  EXPECT_EQ(m_fallback.calls, 0);
}

TEST_F(ConvertTaskListTest, SideBySideAFailingFileShowsItsMessageAndTheOthersAreConverted) {
  testkit::WriteFile(m_dir.File("text.avi"), "not a video");
  RunList({Clip("one.avi", 2.0), m_dir.File("text.avi"), Clip("three.avi", 2.0)}, m_avi, 2);

  const auto pings = m_receiver.Pings();
  ExpectOneFinalPingLast(pings);
  const FilesSeen seen = SeenFiles(pings, 3);
  EXPECT_EQ(seen.begins, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(seen.ends, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(m_responder.MessageTexts(), std::vector<std::string>{"Error #12: Conversion problem"});
  EXPECT_EQ(m_fallback.calls, 1);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"one_new.avi", "three_new.avi"}));
}

// Records when each fallback begins and ends; each waits until both failures
// have been shown, so without the lock the second would begin inside the first.
class OrderRecordingFallback : public ConversionFallback {
 public:
  explicit OrderRecordingFallback(const ScriptedResponder& responder) : m_responder(responder) {
    SetConversionFallback(this);
  }
  ~OrderRecordingFallback() override { SetConversionFallback(nullptr); }
  void FFMpegFailed() override {
    Record("begin");
    testkit::WaitUntil([&] { return m_responder.Messages().size() >= 2; });
    if (stopDuringFallback) StopFlag::Set(true);
    Record("end");
  }
  std::vector<std::string> Events() const {
    std::lock_guard lock(m_lock);
    return m_events;
  }
  bool stopDuringFallback = false;

 private:
  void Record(const char* event) {
    std::lock_guard lock(m_lock);
    m_events.emplace_back(event);
  }
  const ScriptedResponder& m_responder;
  mutable std::mutex m_lock;
  std::vector<std::string> m_events;
};

TEST_F(ConvertTaskListTest, TheFallbacksOfFilesFailingSideBySideRunOneAfterTheOther) {
  testkit::WriteFile(m_dir.File("text1.avi"), "not a video");
  testkit::WriteFile(m_dir.File("text2.avi"), "not a video either");
  OrderRecordingFallback fallback(m_responder);
  RunList({m_dir.File("text1.avi"), m_dir.File("text2.avi")}, m_avi, 2);
  EXPECT_EQ(fallback.Events(), (std::vector<std::string>{"begin", "end", "begin", "end"}));
  EXPECT_EQ(m_responder.Messages().size(), 2U);
}

TEST_F(ConvertTaskListTest, AFallbackWaitingWhenTheUserStopsIsNotStarted) {
  testkit::WriteFile(m_dir.File("text1.avi"), "not a video");
  testkit::WriteFile(m_dir.File("text2.avi"), "not a video either");
  OrderRecordingFallback fallback(m_responder);
  fallback.stopDuringFallback = true;
  RunList({m_dir.File("text1.avi"), m_dir.File("text2.avi")}, m_avi, 2);
  EXPECT_EQ(fallback.Events(), (std::vector<std::string>{"begin", "end"}));
  ExpectOneFinalPingLast(m_receiver.Pings());
}

}  // namespace
