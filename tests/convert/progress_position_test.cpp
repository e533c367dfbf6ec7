#include "convert/progress_position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ProgressPingToBar, MapsProgressIntoTheFilesShare) {
  struct Case {
    int percent, file, files, bar;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {37, 1, 1, 0, 37},              // one file: the bar follows the percent
      {99, 1, 1, 0, 99},              //
      {100, 1, 1, 0, std::nullopt},   // a jump of a whole share is ignored
      {10, 2, 2, 50, 55},             // second of two: 50..100
      {100, 3, 3, 90, 99},            // third of three: upper is 100, truncation leaves 99
      {96, 1, 4, 0, 24},              // a quarter share
      {100, 1, 4, 0, std::nullopt},   // 25 would be a whole share at once
      {0, 2, 2, 50, 50},              //
      {50, 1, 2, 60, 25},             // backwards within the share is allowed
      {0, 3, 2, 0, std::nullopt},     // below the share of the current file
      {300, 1, 2, 40, std::nullopt},  // above the share
      {10, 1, 0, 0, std::nullopt},    // no files: nothing to show
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "percent " << c.percent << " file " << c.file << "/" << c.files);
    const auto move = ProgressPingToBar(c.percent, c.file, c.files, 100, c.bar);
    ASSERT_EQ(move.has_value(), c.expected.has_value());
    if (move) {
      EXPECT_EQ(move->barPosition, *c.expected);
    }
  }
}

TEST(ProgressPingToBar, CompletedText) {
  EXPECT_EQ(CompletedText(37), "Completed: 37.00%");
  EXPECT_EQ(CompletedText(ProgressPingToBar(10, 2, 2, 100, 50)->position), "Completed: 55.00%");
}

TEST(ListProgressToBar, ScalesTheListsPercentAndOnlyMovesForward) {
  struct Case {
    double percent;
    int range, bar;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {0, 100, 0, 0},               //
      {33.5, 100, 10, 33},          // truncated for the bar
      {50, 75, 0, 37},              // a range below 100 (the library engine's)
      {20, 100, 30, std::nullopt},  // never backwards
      {150, 100, 90, 100},          // at most the whole range
      {-1, 100, 0, std::nullopt},   //
      {std::nan(""), 100, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "percent " << c.percent << " bar " << c.bar);
    const auto move = ListProgressToBar(c.percent, c.range, c.bar);
    ASSERT_EQ(move.has_value(), c.expected.has_value());
    if (move) {
      EXPECT_EQ(move->barPosition, *c.expected);
    }
  }
  EXPECT_EQ(CompletedText(ListProgressToBar(33.5, 100, 0)->position), "Completed: 33.50%");
}

}  // namespace
