#include "convert/ffmpeg_error_lines.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> LinesOf(const std::vector<std::string>& pieces) {
  FfmpegErrorLines lines;
  for (const auto& piece : pieces) lines.Feed(piece);
  return lines.Lines();
}

TEST(FfmpegErrorLines, KeepsWhatFfmpegSaidWithoutStatusUpdates) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* what;
    std::vector<std::string> pieces;
    Lines lines;
  } cases[] = {
      {"nothing", {}, {}},
      {"status updates alone",
       {"frame=   12 fps=0.0 q=2.0 size=      0kB time=00:00:00.48 bitrate=N/A\r",
        "size=     256kB time=00:00:01.00 bitrate=2097.2kbits/s speed=2x\r",
        "\r\n<TEST INFO>: Child process ended\r\n"},
       {}},
      {"an error among status updates, split between pieces",
       {"frame=   12 fps=0.0 q=2.0 size=      0kB time=00:00:00.48\r[dvd @ 0x5] Error writ",
        "ing: No space left on dev", "ice\r\nav_interleaved_write_frame(): No space left on device\r\n  \n",
        "frame=   13 fps=0.0\r\n"},
       {"[dvd @ 0x5] Error writing: No space left on device", "av_interleaved_write_frame(): No space left on device"}},
      {"an unfinished last line",
       {"Conversion failed!\n", "  file:x.avi: Invalid data found"},
       {"Conversion failed!", "file:x.avi: Invalid data found"}},
  };
  for (const auto& c : cases) EXPECT_EQ(LinesOf(c.pieces), c.lines) << c.what;
}

TEST(FfmpegErrorLines, KeepsTheLastEightLinesEachCut) {
  FfmpegErrorLines lines;
  for (int i = 0; i < 20; ++i) lines.Feed("line " + std::to_string(i) + "\n");
  lines.Feed(std::string(100000, 'x'));
  const auto kept = lines.Lines();
  ASSERT_EQ(kept.size(), 8U);
  EXPECT_EQ(kept.front(), "line 13");
  EXPECT_EQ(kept.back(), std::string(300, 'x'));
}

TEST(FfmpegErrorLines, AnOutputFfmpegCouldNotFinishIsAFailureWhateverItsExitCode) {
  const struct {
    std::string output;
    bool unfinished;
  } cases[] = {
      {"Error writing trailer of file:/o.mpg: No space left on device\r\nframe=  101 Lsize= 256kB\r\n", true},
      {"Error closing file file:/o.mpg: No space left on device\n", true},
      {"video:173kB audio:111kB subtitle:0kB\n", false},
      {"[mp3 @ 0x1] Error writing trailer of something else, quoted\n", false},
  };
  for (const auto& c : cases) {
    FfmpegErrorLines lines;
    lines.Feed(c.output);
    EXPECT_EQ(lines.OutputUnfinished(), c.unfinished) << c.output;
  }
}

TEST(FfmpegErrorLines, FullDiskIsToldByTheSystemsText) {
  EXPECT_TRUE(ReportsFullDisk({"x", "Error writing trailer of file:/o.mpg: No space left on device"}));
  EXPECT_TRUE(ReportsFullDisk({"av_interleaved_write_frame(): Disk quota exceeded"}));
  EXPECT_FALSE(ReportsFullDisk({"file:/in.avi: Invalid data found when processing input"}));
  EXPECT_FALSE(ReportsFullDisk({}));
}

}  // namespace
