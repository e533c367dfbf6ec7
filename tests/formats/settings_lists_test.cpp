#include "formats/settings_lists.h"

#include <gtest/gtest.h>

#include "formats/format_pages.h"

namespace {

using Rows = std::vector<std::string>;

TEST(SettingsLists, RowsAsThePagesShowThem) {
  CPageDVD_Ffmpeg dvd;
  FormatSettingsLists lists = MakeSettingsLists(dvd);
  EXPECT_EQ(lists.video_codecs, (Rows{"NTSC", "PAL"}));
  EXPECT_EQ(lists.video_bitrates, (Rows{"6000 kbps", "7000 kbps", "8000 kbps", "9000 kbps"}));
  EXPECT_EQ(lists.video_framerates, (Rows{"29.97 fps"}));
  EXPECT_EQ(lists.video_framesizes, (Rows{"Original Size", "720 x 480"}));
  EXPECT_EQ(lists.video_aspects, (Rows{"Auto", "4:3", "16:9"}));
  EXPECT_EQ(lists.audio_codecs, (Rows{"ac3", "mp2"}));
  EXPECT_EQ(lists.audio_bitrates, (Rows{"224 kbps"}));
  EXPECT_EQ(lists.audio_channels, (Rows{"Mono", "Stereo"}));

  dvd.video_codec_id = 1;  // PAL
  lists = MakeSettingsLists(dvd);
  EXPECT_EQ(lists.video_framesizes, (Rows{"Original Size", "720 x 576"}));
  EXPECT_EQ(lists.video_framerates, (Rows{"25.00 fps"}));

  CPageMPEG_Ffmpeg mpeg;
  lists = MakeSettingsLists(mpeg);
  EXPECT_EQ(lists.video_framerates, (Rows{"23.98 fps", "24.00 fps", "25.00 fps", "29.97 fps", "30.00 fps"}));
  EXPECT_TRUE(lists.video_aspects.empty()) << "file formats have no aspect list";
}

// A choice survives a refresh when the new list still has its row, and
// otherwise falls back to the last row.
TEST(SettingsLists, ChoicesFollowARefresh) {
  CPageAVI_Ffmpeg avi;
  avi.video_bitrate_id = 9;  // 9000 kbps
  avi.video_codec_id = 2;    // MJPEG
  FitChoicesToLists(avi, MakeSettingsLists(avi));
  EXPECT_EQ(avi.video_bitrate_id, 6);
  EXPECT_EQ(MakeSettingsLists(avi).video_bitrates[6], "2500 kbps");
  EXPECT_EQ(avi.video_aspect_id, -1) << "a list without rows gives -1";
  EXPECT_EQ(avi.video_codec_id, 2);

  CPageVCD_Ffmpeg vcd;
  vcd.video_codec_id = 1;
  vcd.video_framesize_id = 2;  // 704 x 576 while PAL
  vcd.video_codec_id = 0;      // then NTSC
  FitChoicesToLists(vcd, MakeSettingsLists(vcd));
  EXPECT_EQ(vcd.video_framesize_id, 2);
  EXPECT_EQ(MakeSettingsLists(vcd).video_framesizes[2], "704 x 480");

  CPageDVD_Ffmpeg dvd;
  dvd.audio_codec_id = 0;
  dvd.audio_bitrate_id = 1;  // 448 kbps while ac3
  dvd.audio_codec_id = 1;    // then mp2
  dvd.video_aspect_id = 2;
  dvd.audio_channels_id = -1;  // nothing selected stays so
  FitChoicesToLists(dvd, MakeSettingsLists(dvd));
  EXPECT_EQ(dvd.audio_bitrate_id, 0);
  EXPECT_EQ(dvd.video_aspect_id, 2);
  EXPECT_EQ(dvd.audio_channels_id, -1);
}

}  // namespace
