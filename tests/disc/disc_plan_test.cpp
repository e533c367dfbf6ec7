// The disc plan: fill, CD count, rate and fit for lists and disc sizes, and
// the lines the gauge and --plan show.

#include "disc/disc_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::HasSubstr;

constexpr std::int64_t kMinute = 60'000;

TEST(DiscPlan, FiguresForListsAndDiscSizes) {
  struct Case {
    const char* name;
    OutputFormatId format;
    std::vector<std::int64_t> durationsMs;
    int discSize;
    int videoKbps;
    int fillPercent;
    int cdCount;
    bool fits;
  };
  const Case cases[] = {
      // 30 min at the 5000 kbit/s setting: 30 x 60 x 5224 / 8 = 1,175,400,000 bytes of
      // streams, 2.5 % more in the program stream, of 4,700,372,992.
      {"half an hour on a DVD-5", kFormatDvd, {10 * kMinute, 20 * kMinute}, 0, 5000, 26, 0, true},
      // 2 h are fitted to fill 97 %: 4,700,372,992 x 8 x 0.97 / 1.025 / 7,200,000 - 224 = 4718 kbit/s.
      {"two hours fill a DVD-5", kFormatDvd, {120 * kMinute}, 0, 4718, 97, 0, true},
      // The same on a DVD-9 would take 8,5xx kbit/s: capped by the setting at 5000.
      {"two hours on a DVD-9 keep the setting", kFormatDvd, {120 * kMinute}, 1, 5000, 56, 0, true},
      // Eight files of an hour and a quarter: 35,585,262,846 / 36,000,000 = 988 - 224 = 764 kbit/s.
      {"ten hours squeezed onto a DVD-5", kFormatDvd, std::vector<std::int64_t>(8, 75 * kMinute), 0, 764, 97, 0, true},
      // 48 h: 35e9 / 172,800,000 = 202 < 224: not even the sound fits.
      {"two days do not fit a DVD-5", kFormatDvd, {48 * 60 * kMinute}, 0, 0, 103, 0, false},
      // VCD 74 min: 1374 x 4,440,000 / 8 = 762,570,000 bytes over 600 MB: 2 CDs, the last 27 % full.
      {"74 minutes of VCD on 650 MB CDs", kFormatVcd, {74 * kMinute}, 0, 1150, 27, 2, true},
      // 700 MB CDs take 646,153,846 bytes each: still 2, the last 18 % full.
      {"74 minutes of VCD on 700 MB CDs", kFormatVcd, {74 * kMinute}, 1, 1150, 18, 2, true},
      // 800 MB: 738,461,538 bytes: 2, the last 3 % full.
      {"74 minutes of VCD on 800 MB CDs", kFormatVcd, {74 * kMinute}, 2, 1150, 3, 2, true},
      // 30 min of SVCD: 1800 x 2724 / 8 = 612,900,000 bytes of 646,153,846.
      {"half an hour of SVCD takes one CD", kFormatSvcd, {30 * kMinute}, 1, 2500, 95, 1, true},
      // 10 h of SVCD at 2500: 12,258,000,000 bytes over 646 MB: 19 CDs, more than 9.
      {"ten hours of SVCD do not fit", kFormatSvcd, {600 * kMinute}, 1, 2500, 97, 19, false},
  };
  for (const Case& c : cases) {
    DiscPlanRequest request;
    request.format = c.format;
    request.durationsMs = c.durationsMs;
    request.dvdDiscSize = request.cdDiscSize = c.discSize;
    request.cdVideoKbps = c.format == kFormatSvcd ? 2500 : 1150;
    const DiscPlan plan = PlanDisc(request);
    EXPECT_TRUE(plan.isDisc) << c.name;
    EXPECT_EQ(plan.videoKbps, c.videoKbps) << c.name;
    EXPECT_EQ(plan.fillPercent, c.fillPercent) << c.name;
    EXPECT_EQ(plan.cdCount, c.cdCount) << c.name;
    EXPECT_EQ(plan.fits, c.fits) << c.name;
    EXPECT_EQ(plan.problem.empty(), c.fits) << c.name;
  }
}

TEST(DiscPlan, LinesSayTheFillTheRateAndTheTimeAndWhyAListDoesNotFit) {
  DiscPlanRequest request;
  request.format = kFormatDvd;
  request.durationsMs = {30 * kMinute};
  request.convertSpeed = 6.0;  // 1800 s / 6 = 300 s, plus the image at 150 MB/s
  const std::vector<std::string> lines = DiscPlanLines(PlanDisc(request));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "1.20 GB of DVD-5 (4.7 GB), 26 % full");
  EXPECT_EQ(lines[1], "Video 5000 kbit/s, sound 224 kbit/s, 30:00 of video in 1 file");
  EXPECT_EQ(lines[2], "Job time: about 5 min on this machine");

  request.durationsMs = {48 * 60 * kMinute};
  const std::vector<std::string> tooLong = DiscPlanLines(PlanDisc(request));
  ASSERT_EQ(tooLong.size(), 4u);
  EXPECT_THAT(tooLong[3], HasSubstr("The list does not fit: its 48:00:00 of video need more than one DVD-5"));
  EXPECT_THAT(tooLong[3], HasSubstr("choose DVD-9"));

  request.format = kFormatVcd;
  request.cdVideoKbps = 1150;
  request.durationsMs = {74 * kMinute};
  EXPECT_EQ(DiscPlanLines(PlanDisc(request))[0], "2 CDs of 650 MB (0.76 GB; the last CD 27 % full)");
  request.durationsMs = {60'000};
  EXPECT_EQ(DiscPlanLines(PlanDisc(request))[2], "Job time: under a minute on this machine");

  request.durationsMs = {};
  EXPECT_EQ(DiscPlanLines(PlanDisc(request)),
            std::vector<std::string>{"No video listed yet: add files to see how full the disc will be."});
  request.format = kFormatAvi;
  EXPECT_TRUE(DiscPlanLines(PlanDisc(request)).empty()) << "a file format makes no disc";
}

TEST(DiscPlan, MoreTitlesThanAMenuHoldsDoNotFit) {
  DiscPlanRequest request;
  request.format = kFormatDvd;
  request.durationsMs = std::vector<std::int64_t>(kDvdMaxTitles + 1, kMinute);
  const DiscPlan plan = PlanDisc(request);
  EXPECT_FALSE(plan.fits);
  EXPECT_THAT(plan.problem, HasSubstr("at most 36 titles and the list holds 37 files"));
}

TEST(DiscPlan, DiscCapacities) {
  EXPECT_EQ(DvdPlanCapacityBits(0), kDvdCapacityBits);
  EXPECT_EQ(DvdPlanCapacityBits(1), 63'297'872'340);
  EXPECT_EQ(CdStreamCapacityBytes(0), 600'000'000);
  EXPECT_EQ(CdStreamCapacityBytes(2), 738'461'538);
  EXPECT_EQ(DvdMediumBytes(7), DvdMediumBytes(0)) << "a size out of range counts as DVD-5";
}

}  // namespace
