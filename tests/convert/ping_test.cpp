#include "convert/ping.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/test_kit.h"
#include "convert/recording_receiver.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

TEST(Pinger, WithoutReceiverDoesNothing) {
  Pinger lonely(nullptr);
  EXPECT_EQ(lonely.Ping(42), 0);
}

TEST(Pinger, ReceiverTellsProgressFromOtherSenders) {
  RecordingReceiver receiver;
  Pinger task(&receiver);
  ProgressPinger progress(&receiver);
  task.Ping(begin_converting);
  progress.Ping(37);
  const auto pings = receiver.Pings();
  ASSERT_EQ(pings.size(), 2U);
  EXPECT_EQ(pings[0].value, 2);
  EXPECT_FALSE(pings[0].progress);
  EXPECT_EQ(pings[1].value, 37);
  EXPECT_TRUE(pings[1].progress);
}

TEST(ScopedPing, SendsTheEndPingAlsoWhenAnExceptionLeaves) {
  RecordingReceiver receiver;
  Pinger task(&receiver);
  EXPECT_THROW(
      {
        ScopedPing scope(task, begin_converting, end_converting);
        throw stop_by_user_exception();
      },
      stop_by_user_exception);
  const auto pings = receiver.Pings();
  ASSERT_EQ(pings.size(), 2U);
  EXPECT_EQ(pings[0].value, begin_converting);
  EXPECT_EQ(pings[1].value, end_converting);
}

TEST(StopFlag, SetIsLoggedAndRead) {
  testkit::TempDir dir;
  ASSERT_TRUE(LogOpen(dir.File("log.txt").c_str()));
  StopFlag::Set(true);
  EXPECT_TRUE(StopFlag::IsSet());
  StopFlag::Set(false);
  EXPECT_FALSE(StopFlag::IsSet());
  LogClose();
  const std::string log = testkit::ReadFile(dir.File("log.txt"));
  EXPECT_NE(log.find("StopFlag set to: 1\r\nStopFlag set to: 0\r\n"), std::string::npos);
}

TEST(Exceptions, CopyHintAndStopText) {
  stop_by_user_exception stop;
  EXPECT_STREQ(stop.what(), "stopped by user");
  EXPECT_TRUE(stop.CopyHint());
  EXPECT_EQ(peravel_exception("Disk full", true).DisplayText(), "Disk full\n\nTo copy this error message press Ctrl+C");
  EXPECT_EQ(peravel_exception("Disk full").DisplayText(), "Disk full");
}

}  // namespace
