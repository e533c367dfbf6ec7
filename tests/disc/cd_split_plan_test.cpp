// Spreading a movie over CDs: the expected count before converting, and the
// cuts in the converted stream.

#include "disc/cd_split_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(ExpectedCdCount, IsTheSmallestWholeNumberOfCapacitiesTheStreamFills) {
  struct Case {
    int videoKbps;
    std::int64_t durationMs;
    std::int64_t capacity;
    int cds;
  };
  const Case cases[] = {
      // 74 minutes at 1150 kbit/s: 1.27 CDs of 600 MB, so 2.
      {1150, 4'440'000, kCdCapacityBytes, 2},
      // Exactly one CD's worth: (1150 + 224) kbit/s for 600e6 * 8 / 1374 ms.
      {1150, 3'493'449, kCdCapacityBytes, 1},
      {1150, 3'493'450, kCdCapacityBytes, 2},
      {2500, 60'000, 1'000'000, 21},
      {0, 0, kCdCapacityBytes, 1},  // nothing to burn still takes a CD
      {1150, 1000, 0, 1},           // no capacity: no division by zero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpectedCdCount(c.videoKbps, c.durationMs, c.capacity), c.cds)
        << c.videoKbps << " kbit/s, " << c.durationMs << " ms, " << c.capacity << " bytes";
  }
}

TEST(TooManyCds, TheMessageSaysHowManyAndTheLimit) {
  const std::string message = TooManyCdsMessage(12);
  EXPECT_NE(message.find("12 CDs"), std::string::npos) << message;
  EXPECT_NE(message.find("at most 9"), std::string::npos) << message;
}

TEST(KeptCdImages, TheNoteNamesEachCompleteImageByItsCd) {
  const struct {
    std::vector<WrittenCdImage> images;
    const char* note;
  } cases[] = {
      {{}, ""},
      {{{1, "/out/Video CD - CD 1 of 2.cue"}},
       "\n\nThe image of CD 1 is complete and kept:\n\"/out/Video CD - CD 1 of 2.cue\""},
      {{{1, "/out/a.cue"}, {3, "/out/c.cue"}},
       "\n\nThe images of CDs 1 and 3 are complete and kept:\n\"/out/a.cue\"\n\"/out/c.cue\""},
      {{{1, "a.cue"}, {2, "b.cue"}, {3, "c.cue"}},
       "\n\nThe images of CDs 1, 2 and 3 are complete and kept:\n\"a.cue\"\n\"b.cue\"\n\"c.cue\""},
  };
  for (const auto& c : cases) EXPECT_EQ(KeptCdImagesNote(c.images), c.note);
}

// GOPs every step bytes from 0 up to total.
std::vector<std::int64_t> EvenGops(std::int64_t total, std::int64_t step) {
  std::vector<std::int64_t> starts;
  for (std::int64_t position = 0; position < total; position += step) starts.push_back(position);
  return starts;
}

TEST(PlanCdParts, EveryPartFitsAndStartsAtAGopAndThePartsAreAboutEqual) {
  struct Case {
    std::int64_t total;
    std::int64_t gopBytes;
    std::int64_t capacity;
    int parts;
  };
  const Case cases[] = {
      {1000, 10, 1000, 1},  // fits exactly
      {1001, 10, 1000, 2}, {2500, 10, 1000, 3}, {9000, 100, 1000, 9}, {1000, 1, 100, 10 /* refused below */},
  };
  for (const Case& c : cases) {
    const auto gops = EvenGops(c.total, c.gopBytes);
    const auto plan = PlanCdParts(gops, c.total, c.capacity, kMaxCdCount);
    if (c.parts > kMaxCdCount) {
      EXPECT_FALSE(plan) << "more than nine CDs are refused: " << c.total;
      continue;
    }
    ASSERT_TRUE(plan) << c.total;
    ASSERT_EQ(plan->Count(), c.parts) << c.total;
    EXPECT_EQ(plan->firstGop.front(), 0u);
    std::int64_t covered = 0;
    for (std::size_t part = 0; part < plan->firstGop.size(); ++part) {
      const std::int64_t bytes = PartBytes(*plan, part, gops, c.total);
      EXPECT_LE(bytes, c.capacity) << "part " << part << " of " << c.total;
      EXPECT_GE(bytes, c.total / c.parts - c.gopBytes) << "even parts, not a remnant: part " << part;
      if (part > 0) {
        EXPECT_GT(plan->firstGop[part], plan->firstGop[part - 1]);
      }
      covered += bytes;
    }
    EXPECT_EQ(covered, c.total) << "the parts cover the stream exactly";
  }
}

TEST(PlanCdParts, UnevenGopsStillFitWhereAnEvenSplitWouldNot) {
  // One big GOP in the middle: cutting at half the size would overfill a part.
  const std::vector<std::int64_t> gops = {0, 100, 200, 300, 900, 1000};
  const auto plan = PlanCdParts(gops, 1100, 700, kMaxCdCount);
  ASSERT_TRUE(plan);
  for (std::size_t part = 0; part < plan->firstGop.size(); ++part) {
    EXPECT_LE(PartBytes(*plan, part, gops, 1100), 700) << part;
  }
}

TEST(PlanCdParts, AGopLargerThanACdOrNoCapacityCannotBePlanned) {
  EXPECT_FALSE(PlanCdParts({0, 10, 500}, 600, 100, kMaxCdCount)) << "a 490-byte GOP on 100-byte CDs";
  EXPECT_FALSE(PlanCdParts({0}, 600, 100, kMaxCdCount)) << "one GOP cannot be cut";
  EXPECT_FALSE(PlanCdParts({0, 10}, 20, 0, kMaxCdCount));
  const auto small = PlanCdParts({0}, 50, 100, kMaxCdCount);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Count(), 1);
}

TEST(CdSplitPlan, TheSuccessNoteNamesEveryImageAndItsFolder) {
  EXPECT_EQ(WrittenCdImagesNote({}, "/home/ann"), "");
  EXPECT_EQ(WrittenCdImagesNote({{1, "/home/ann/Documents/Video CD.cue"}}, "/home/ann"),
            "\n\nThe disc image:\n\"Video CD.cue/.bin\" in ~/Documents");
  EXPECT_EQ(WrittenCdImagesNote(
                {{1, "/srv/discs/Video CD - CD 1 of 2.cue"}, {2, "/srv/discs/Video CD - CD 2 of 2.cue"}}, "/home/ann"),
            "\n\nThe disc images:\n\"Video CD - CD 1 of 2.cue/.bin\" in /srv/discs\n"
            "\"Video CD - CD 2 of 2.cue/.bin\" in /srv/discs");
  EXPECT_EQ(WrittenCdImagesNote({{1, "/home/anna/Video CD.cue"}}, "/home/ann"),
            "\n\nThe disc image:\n\"Video CD.cue/.bin\" in /home/anna")
      << "only the home folder itself is shortened";
}

}  // namespace
