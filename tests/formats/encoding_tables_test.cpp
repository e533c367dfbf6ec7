#include "formats/encoding_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "formats/display_texts.h"

namespace {

std::string Rows(const CodecTable& table) {
  std::string text;
  for (const CodecEntry& row : table) {
    if (!text.empty()) text += "; ";
    text += std::string(row.display_name) + "/" + row.ffmpeg_name + "/" + (row.tag != nullptr ? row.tag : "-");
  }
  return text;
}

std::string Rows(const BitRateTable& table) {
  std::string text;
  for (std::int32_t rate : table) text += (text.empty() ? "" : " ") + std::to_string(rate);
  return text;
}

std::string Rows(const FrameRateTable& table) {
  std::string text;
  for (const auto& rate : table) {
    text += (text.empty() ? "" : " ") + std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator);
  }
  return text;
}

std::string Rows(const FrameSizeTable& table) {
  std::string text;
  for (const auto& size : table) {
    text += (text.empty() ? "" : " ") + std::to_string(size.width) + "x" + std::to_string(size.height);
  }
  return text;
}

TEST(EncodingTables, CodecRowsPerFormat) {
  const struct {
    OutputFormatId format;
    const char* video;
    const char* audio;
  } cases[] = {
      {kFormatAvi,
       "MS MPEG4 V2/msmpeg4v2/MP42; DIVX/mpeg4/DIVX; MJPEG/mjpeg/-; Windows Media 7/wmv1/-; Windows Media 8/wmv2/-",
       "mp2/mp2/-; mp3/libmp3lame/-"},
      {kFormatMpeg, "MPEG1/mpeg1video/-; MPEG2/mpeg2video/-", "mp2/mp2/-; ac3/ac3/-"},
      {kFormatWmv, "Windows Media 7/wmv1/-; Windows Media 8/wmv2/-", "wma1/wmav1/-; wma2/wmav2/-; mp3/libmp3lame/-"},
      {kFormatRm, "RealVideo 1.0/rv10/-; RealVideo 2.0/rv20/-", "ATSC A/52A (AC-3)/ac3/-"},
      {kFormatDvd, "NTSC/ntsc-dvd/-; PAL/pal-dvd/-", "ac3/ac3/-; mp2/mp2/-"},
      {kFormatVcd, "NTSC/ntsc-vcd/-; PAL/pal-vcd/-; SECAM/pal-vcd/-", "mp2/mp2/-"},
      {kFormatSvcd, "NTSC/ntsc-svcd/-; PAL/pal-svcd/-", "mp2/mp2/-"},
      {-1, "", ""},
      {7, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rows(VideoCodecTableOf(c.format)), c.video) << "format " << c.format;
    EXPECT_EQ(Rows(AudioCodecTableOf(c.format)), c.audio) << "format " << c.format;
  }
}

// The tables that depend on another choice, for every selection rule.
TEST(EncodingTables, SelectedRows) {
  const std::string general = "100000 200000 450000 600000 1000000 1600000 2500000 5000000 8000000 9000000";
  const std::string mjpeg = "100000 200000 450000 600000 1000000 1600000 2500000";
  const std::string generalRates = "10/1 15/1 20/1 24000/1001 24/1 25/1 30000/1001 30/1";
  const std::string generalSizes =
      "0x0 160x120 176x144 192x168 240x180 320x200 320x240 352x288 640x480 720x480 720x576 800x400 800x600 "
      "1024x600 1024x768 1280x720";
  const std::string generalAudio =
      "32000 40000 48000 56000 64000 80000 96000 112000 128000 160000 192000 224000 256000 320000";
  const struct {
    OutputFormatId format;
    std::int32_t codec;  // video codec or TV standard
    std::int32_t audioCodec;
    std::string bitRates, frameRates, frameSizes, audioBitRates;
  } cases[] = {
      {kFormatAvi, 1, 1, general, generalRates, generalSizes, generalAudio},
      {kFormatAvi, 2, 0, mjpeg, generalRates, generalSizes, generalAudio},
      {kFormatMpeg, 2, 1, general, "24000/1001 24/1 25/1 30000/1001 30/1", generalSizes, generalAudio},
      {kFormatWmv, 2, 2, general, generalRates, generalSizes, generalAudio},
      {kFormatRm, 1, 0, "100000 200000 450000 600000 1000000", generalRates, "0x0 320x240 640x480", generalAudio},
      {kFormatDvd, 0, 0, "6000000 7000000 8000000 9000000", "30000/1001", "0x0 720x480", "224000 448000"},
      {kFormatDvd, 1, 1, "6000000 7000000 8000000 9000000", "25/1", "0x0 720x576", "224000"},
      // Other TV standard or audio codec indices fall to the general rows,
      // except that standard 2 still means 25 fps.
      {kFormatDvd, 2, 2, "6000000 7000000 8000000 9000000", "25/1", generalSizes, generalAudio},
      {kFormatDvd, -1, -1, "6000000 7000000 8000000 9000000", generalRates, generalSizes, generalAudio},
      {kFormatVcd, 0, 0, "1150000", "30000/1001", "0x0 352x240 704x480", "224000"},
      {kFormatVcd, 1, 0, "1150000", "25/1", "0x0 352x288 704x576", "224000"},
      {kFormatVcd, 2, 0, "1150000", "25/1", "0x0 352x288 704x576", "224000"},
      {kFormatVcd, 3, 0, "1150000", generalRates, generalSizes, "224000"},
      {kFormatSvcd, 0, 0, "2500000", "30000/1001", "0x0 480x480", "224000"},
      {kFormatSvcd, 1, 0, "2500000", "25/1", "0x0 480x576", "224000"},
      {7, 2, 0, general, generalRates, generalSizes, generalAudio},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("format " + std::to_string(c.format) + " codec " + std::to_string(c.codec) + " audio codec " +
                 std::to_string(c.audioCodec));
    EXPECT_EQ(Rows(VideoBitRateTableOf(c.format, c.codec)), c.bitRates);
    EXPECT_EQ(Rows(VideoFrameRateTableOf(c.format, c.codec)), c.frameRates);
    EXPECT_EQ(Rows(VideoFrameSizeTableOf(c.format, c.codec)), c.frameSizes);
    EXPECT_EQ(Rows(AudioBitRateTableOf(c.format, c.audioCodec)), c.audioBitRates);
  }
}

TEST(EncodingTables, BuiltOnceAndShared) {
  EXPECT_EQ(&VideoCodecTableOf(kFormatDvd), &VideoCodecTableOf(kFormatDvd));
  EXPECT_EQ(&VideoFrameSizeTableOf(kFormatVcd, 1), &VideoFrameSizeTableOf(kFormatVcd, 2));
  EXPECT_EQ(&AudioBitRateTableOf(kFormatVcd, 0), &AudioBitRateTableOf(kFormatDvd, 1));
  EXPECT_NE(&VideoBitRateTableOf(kFormatAvi, 2), &VideoBitRateTableOf(kFormatAvi, 1));
}

TEST(EncodingTables, StoredIndicesFitTheirTable) {
  const struct {
    std::int32_t stored;
    std::size_t count;
    std::int32_t fitted;
  } cases[] = {
      {0, 3, 0}, {2, 3, 2}, {3, 3, 2}, {9, 7, 6}, {INT_MAX, 4, 3}, {-1, 3, 0}, {INT_MIN, 3, 0}, {0, 0, -1}, {-1, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitIndexToTable(c.stored, c.count), c.fitted) << c.stored << " in " << c.count << " rows";
  }
}

TEST(EncodingTables, SliderPositionToQuantiser) {
  const std::int32_t expected[] = {31, 27, 23, 19, 16, 13, 10, 7, 4, 1};
  for (std::int32_t position = 0; position < 10; ++position) {
    EXPECT_EQ(QuantiserForSliderPosition(position), expected[position]) << position;
  }
  EXPECT_EQ(QuantiserForSliderPosition(10), 0);
  EXPECT_EQ(QuantiserForSliderPosition(-1), 0);
  EXPECT_EQ(QuantiserForSliderPosition(INT_MAX), 0);
}

TEST(DisplayTexts, AsThePagesShowThem) {
  EXPECT_EQ(BitRateText(2500000), "2500 kbps");
  EXPECT_EQ(BitRateText(224000), "224 kbps");
  EXPECT_EQ(BitRateText(1999), "1 kbps") << "whole kilobits, cut";
  EXPECT_EQ(FrameRateText({30000, 1001}), "29.97 fps");
  EXPECT_EQ(FrameRateText({24000, 1001}), "23.98 fps");
  EXPECT_EQ(FrameRateText({25, 1}), "25.00 fps");
  EXPECT_EQ(FrameRateText({25, 0}), "0.00 fps");
  EXPECT_EQ(FrameSizeText({0, 0}), "Original Size");
  EXPECT_EQ(FrameSizeText({720, 576}), "720 x 576");
}

}  // namespace
