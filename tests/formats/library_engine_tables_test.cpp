// The library engine's tables and rules, on their own.

#include "formats/library_engine_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryEngineTables, TheMpeg2SettingRoundsTheHeightToTheNearestMultipleOf32) {
  EXPECT_EQ(LibraryMpegHeight(1, 302), 288);
  EXPECT_EQ(LibraryMpegHeight(1, 304), 320);
  EXPECT_EQ(LibraryMpegHeight(1, 480), 480);
  EXPECT_EQ(LibraryMpegHeight(1, 32), 32) << "below 33 the height stays";
  EXPECT_EQ(LibraryMpegHeight(1, 33), 32);
  EXPECT_EQ(LibraryMpegHeight(0, 302), 302);
  EXPECT_EQ(LibraryMpegHeight(0, 304), 304);
}

TEST(LibraryEngineTables, DiscRowsByStandard) {
  const DiscFrameFormat ntscDvd = DiscFrameFormatFor(kFormatDvd, 0);
  EXPECT_EQ(ntscDvd.width, 720);
  EXPECT_EQ(ntscDvd.height, 480);
  EXPECT_DOUBLE_EQ(ntscDvd.frameRate, 29.97);
  EXPECT_EQ(ntscDvd.mpegVersion, 2);
  EXPECT_EQ(ntscDvd.audioHz, 48000);
  const DiscFrameFormat palVcd = DiscFrameFormatFor(kFormatVcd, 1);
  EXPECT_EQ(palVcd.width, 352);
  EXPECT_EQ(palVcd.height, 288);
  EXPECT_DOUBLE_EQ(palVcd.frameRate, 25.0);
  EXPECT_EQ(palVcd.mpegVersion, 1);
  EXPECT_EQ(palVcd.audioHz, 44100);
  const DiscFrameFormat svcd = DiscFrameFormatFor(kFormatSvcd, 7);  // any type but 0 is PAL
  EXPECT_EQ(svcd.width, 480);
  EXPECT_EQ(svcd.height, 576);
  EXPECT_EQ(svcd.mpegVersion, 2);
  EXPECT_EQ(DiscFrameFormatFor(kFormatVcd, 0).height, 240);
}

TEST(LibraryEngineTables, IndexesOutsideATableAreCorrectedToItsNearestEnd) {
  EXPECT_DOUBLE_EQ(AviFrameRateAt(4), 24.0);
  EXPECT_DOUBLE_EQ(AviFrameRateAt(-3), 10.0);
  EXPECT_DOUBLE_EQ(AviFrameRateAt(99), 30.0);
  EXPECT_EQ(MpegVideoKbpsAt(1), 1150);
  EXPECT_EQ(MpegVideoKbpsAt(9), 2376);
  EXPECT_DOUBLE_EQ(MpegFrameRateAt(3), 29.97);
  EXPECT_EQ(MpegVideoKbpsBySlider(8), 5100);
  EXPECT_DOUBLE_EQ(MpegFrameRateBySlider(6), 25.0);
  EXPECT_EQ(RealMediaProfileBySlider(0), 1);
  EXPECT_EQ(RealMediaProfileBySlider(1), 5);
  EXPECT_EQ(RealMediaProfileBySlider(12), 13);
}

TEST(LibraryEngineTables, EachCdPartLastsAShareOfTheMovieAndALittleMore) {
  EXPECT_EQ(SplitLengthMs(kFormatVcd, 3'600'000, 2), 1'801'000);
  EXPECT_EQ(SplitLengthMs(kFormatSvcd, 3'600'000, 2), 1'800'100);
  EXPECT_EQ(SplitLengthMs(kFormatVcd, 2'400'000, 1), 2'401'000);
  EXPECT_EQ(PartFileName("/tmp/tempVCD/movie_1.mpg", 2), "/tmp/tempVCD/movie_2.mpg");
  EXPECT_EQ(PartFileName("/tmp/tempVCD/movie(1)_1.mpg", 9), "/tmp/tempVCD/movie(1)_9.mpg");
}

TEST(LibraryEngineTables, ProgressCountsVideoAndSoundOverTheJobsTotal) {
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 5000, 5000, 20000, 10000, false), 25.0);
  EXPECT_DOUBLE_EQ(LibraryProgress(10000, 5000, 5000, 20000, 10000, false), 75.0);
  EXPECT_DOUBLE_EQ(LibraryProgress(10000, 5000, 5000, 20000, 10000, true), 56.25) << "discs use three quarters";
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 30000, 30000, 20000, 30000, false), 50.0) << "past 100 keeps the rest";
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 10000, 10000, 10000, 10000, false), 100.0);
}

TEST(LibraryEngineTables, AnUnknownTotalFallsBackToTheRunsOwnDurationsOrStaysAtZero) {
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 2000, 2000, 0, 8000, false), 25.0);
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 2000, 2000, 0, 0, false), 0.0);
  EXPECT_DOUBLE_EQ(LibraryProgress(0, 2000, 2000, -5, 0, true), 0.0);
}

}  // namespace
