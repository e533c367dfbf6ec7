#include "convert/time_left_estimate.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = TimeLeftEstimate::Clock;

const Clock::time_point t0{};

double SecondsLeft(const TimeLeftEstimate& estimate, Clock::time_point now) {
  const auto remaining = estimate.Remaining(now);
  EXPECT_TRUE(remaining.has_value());
  return remaining ? static_cast<double>(remaining->count()) / 1000 : -1;
}

TEST(TimeLeftEstimate, NoFigureUntilTheConversionHasShownItsSpeed) {
  // 60 s of media converted at twice its speed.
  struct Case {
    seconds elapsed;
    double mediaDone;  // seconds of media converted
    bool expected;
  };
  const Case cases[] = {
      {seconds(0), 0, false},                               // nothing measured
      {seconds(3), 6, false},                               // too early, however fast
      {seconds(4), 1, false},                               // long enough, but below the share
      {seconds(4), 8, true},                                //
      {seconds(60), 1.5, false}, {seconds(60), 1.8, true},  // 3 % of 60 s
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.elapsed.count() << " s, " << c.mediaDone << " s of media");
    TimeLeftEstimate estimate({60'000}, {});
    estimate.Converting(0, 0, t0);
    estimate.Converting(0, c.mediaDone / 60, t0 + c.elapsed);
    EXPECT_EQ(estimate.Remaining(t0 + c.elapsed).has_value(), c.expected);
  }
}

TEST(TimeLeftEstimate, ConversionLeftFollowsTheDurationsNotTheFileCount) {
  // Files of 10, 20 and 30 s; the second is half done after 10 s: 20 s of
  // media in 10 s, so the 40 s left take 20 s.
  TimeLeftEstimate estimate({10'000, 20'000, 30'000}, {});
  estimate.Converting(0, 0, t0);
  estimate.Converting(0, 1, t0 + seconds(5));
  estimate.Converting(1, 0.5, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(10)), 20, 0.01);
  // A late ping of an earlier point changes nothing.
  estimate.Converting(0, 0.9, t0 + seconds(10));
  estimate.Converting(1, 0.2, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(10)), 20, 0.01);
  // Time passing without progress slows the measured speed.
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(20)), 40, 0.01);
}

TEST(TimeLeftEstimate, FilesSideBySideCountEachByItsOwnProgress) {
  // Files of 30, 60 and 90 s, the first two converting at once. After 10 s the
  // first is done and the second half done: 60 s of media in 10 s, so the
  // 120 s left take 20 s.
  TimeLeftEstimate estimate({30'000, 60'000, 90'000}, {});
  estimate.FileReached(1, 0, t0);
  estimate.FileReached(0, 1, t0 + seconds(8));
  estimate.FileReached(1, 0.5, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(10)), 20, 0.01);
  // A late ping of an earlier point of one file changes nothing; the third
  // file starting counts without making the earlier ones done.
  estimate.FileReached(1, 0.3, t0 + seconds(10));
  estimate.FileReached(2, 0, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(10)), 20, 0.01);
}

TEST(TimeLeftEstimate, LaterStagesCountWithTheirExpectedThroughputUntilTheyRun) {
  // Authoring 200 MB at 100 MB/s plus 3 s of menu, then an image of 200 MB at 50 MB/s.
  TimeLeftEstimate estimate({20'000}, {{200, 100, 3}, {200, 50, 0}});
  estimate.Converting(0, 0, t0);
  estimate.Converting(0, 0.5, t0 + seconds(5));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(5)), 5 + 5 + 4, 0.01);

  // Authoring has just begun: what it was expected to take, less its time so far.
  estimate.InLaterStage(0, 0.01, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(11)), 5 * 0.99 + 4, 0.01);
  // Past its first seconds it is judged by its own pace: 40 % in 4 s.
  estimate.InLaterStage(0, 0.4, t0 + seconds(14));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(14)), 6 + 4, 0.01);
  // A stage that reports no progress counts down from what it was expected to take.
  estimate.InLaterStage(1, 0, t0 + seconds(20));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(21)), 3, 0.01);
  EXPECT_NEAR(SecondsLeft(estimate, t0 + milliseconds(21'500)), 2.5, 0.01);
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(40)), 0, 0.01);  // overrun: never negative
  // A ping of the stage before is ignored.
  estimate.InLaterStage(0, 0.9, t0 + seconds(21));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(21)), 3, 0.01);
}

TEST(TimeLeftEstimate, EdgeCases) {
  // Media without a duration: the conversion cannot be judged.
  TimeLeftEstimate noDuration({0, 0}, {{100, 100, 0}});
  noDuration.Converting(1, 0.5, t0 + seconds(30));
  EXPECT_FALSE(noDuration.Remaining(t0 + seconds(60)).has_value());
  // Once past the conversion the later stages still give a figure.
  noDuration.InLaterStage(0, 0, t0 + seconds(60));
  EXPECT_NEAR(SecondsLeft(noDuration, t0 + seconds(60)), 1, 0.01);

  // A file index beyond the list counts as the last file; unknown stages are ignored.
  TimeLeftEstimate estimate({10'000}, {});
  estimate.Converting(0, 0, t0);
  estimate.Converting(7, 0.5, t0 + seconds(5));
  estimate.InLaterStage(3, 0.5, t0 + seconds(5));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(5)), 5, 0.01);
  // The conversion done and no stage after it: nothing left.
  estimate.Converting(0, 1, t0 + seconds(10));
  EXPECT_NEAR(SecondsLeft(estimate, t0 + seconds(10)), 0, 0.01);
}

TEST(TimeLeftEstimate, Format) {
  const std::pair<milliseconds, const char*> cases[] = {
      {milliseconds(0), "0:00"},
      {milliseconds(1), "0:01"},  // rounded up
      {milliseconds(9'000), "0:09"},
      {milliseconds(245'000), "4:05"},  //
      {milliseconds(3'600'000), "1:00:00"},
      {milliseconds(23'349'000), "6:29:09"},
      {milliseconds(-5'000), "0:00"},
  };
  for (const auto& [remaining, text] : cases) EXPECT_EQ(FormatTimeLeft(remaining), text) << remaining.count();
}

}  // namespace
