#include "convert/ffmpeg_status.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseFfmpegTime, BothForms) {
  struct Case {
    const char* text;
    std::optional<double> seconds;
  };
  const Case cases[] = {
      {"10.00", 10.0},       {"00:00:10.01", 10.01},  {"01:02:03.50", 3723.5},
      {"02:03.5", 123.5},    {"0.00", 0.0},           {"-00:00:00.02", -0.02},
      {"N/A", std::nullopt}, {"", std::nullopt},      {"1:2:3:4", std::nullopt},
      {"12:", std::nullopt}, {"1e999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto seconds = ParseFfmpegTime(c.text);
    ASSERT_EQ(seconds.has_value(), c.seconds.has_value());
    if (seconds) {
      EXPECT_DOUBLE_EQ(*seconds, *c.seconds);
    }
  }
}

TEST(FfmpegStatusReader, ReadsAStatusLine) {
  FfmpegStatusReader reader;
  EXPECT_EQ(reader.Feed("frame=  252 fps=0.0 q=4.0 size=    1396kB time=00:00:10.01 bitrate=1142.4kbits/s speed=37x\r"),
            10.01);
  EXPECT_EQ(reader.Feed("frame= 1 fps=0.0 q=0.0 size=       0kB time=10.00 bitrate=N/A\r"), 10.0);
  EXPECT_EQ(reader.Feed("Input #0, avi, from 'x.avi':\n  Duration: 00:00:40.00\n"), std::nullopt);
}

TEST(FfmpegStatusReader, LatestOfSeveralValuesInOnePiece) {
  // A reader that fell behind gets several updates at once: the last one counts.
  FfmpegStatusReader reader;
  EXPECT_EQ(reader.Feed("time=00:00:01.00 bitrate=1\rframe=2 time=00:00:02.00 bitrate=1\r"), 2.0);
  EXPECT_EQ(reader.Feed("frame=3 time=00:00:03.00 \rframe=4 time=N/A \r"), 3.0);
  EXPECT_EQ(reader.Feed("frame=5 time=00:00:05.00 \rframe=6 time=00:00:0"), 5.0);
  EXPECT_EQ(reader.Feed("6.00 \r"), 6.0);
}

TEST(FfmpegStatusReader, NumberSplitBetweenPiecesIsReadWhole) {
  // Every split point of a status line must give the whole value exactly once.
  const std::string line = "frame=  10 q=2.0 size=  12kB time=00:00:12.48 bitrate= 7.9kbits/s\r";
  for (std::size_t split = 1; split < line.size(); ++split) {
    SCOPED_TRACE(split);
    FfmpegStatusReader reader;
    std::vector<double> seen;
    for (const auto& piece : {line.substr(0, split), line.substr(split)}) {
      if (const auto value = reader.Feed(piece)) seen.push_back(*value);
    }
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_DOUBLE_EQ(seen[0], 12.48);
  }
}

TEST(FfmpegStatusReader, EndOfOutputCompletesANumber) {
  FfmpegStatusReader reader;
  EXPECT_EQ(reader.Feed("time=00:00:05"), std::nullopt);
  EXPECT_EQ(reader.Feed("\r\n<TEST INFO>: Child process ended\r\n"), 5.0);
}

TEST(FfmpegStatusReader, EndlessOutputWithoutKeyStaysSmall) {
  FfmpegStatusReader reader;
  const std::string noise(100000, 'x');
  EXPECT_EQ(reader.Feed(noise), std::nullopt);
  EXPECT_EQ(reader.Feed("time=7.5 "), 7.5);
}

}  // namespace
