#include "convert/ffmpeg_arguments.h"

#include <gtest/gtest.h>

namespace {

EncodingParameters AviMpeg4() {
  EncodingParameters p;
  p.format = "avi";
  p.video_codec = "mpeg4";
  p.video_tag = "DIVX";
  p.video_bitrate = 800000;
  p.frame_rate_num = 25;
  p.frame_rate_den = 1;
  p.qscale = 16;
  p.audio_codec = "mp2";
  p.audio_channels = 2;
  p.audio_bitrate = 128000;
  return p;
}

EncodingParameters PalDvd() {
  EncodingParameters p;
  p.format = "dvd";
  p.video_codec = "pal-dvd";
  p.target = "dvd";
  p.width = 720;
  p.height = 576;
  p.qscale = 4;
  p.aspect = "16:9";
  p.audio_channels = 2;
  p.video_bitrate = 6000000;
  p.audio_codec = "ac3";
  p.audio_bitrate = 448000;
  return p;
}

TEST(FfmpegArguments, TextToTheCharacter) {
  struct Case {
    const char* name;
    EncodingParameters parameters;
    const char* text;
  };
  EncodingParameters vcd = PalDvd();
  vcd.target = "vcd";
  vcd.video_codec = "pal-vcd";
  vcd.aspect = nullptr;
  EncodingParameters noHeight = AviMpeg4();
  noHeight.width = 640;
  EncodingParameters sized = AviMpeg4();
  sized.width = 320;
  sized.height = 240;
  sized.audio_samplerate = 44100;
  sized.no_audio = true;
  sized.no_video = true;
  sized.audio_tag = "0055";
  EncodingParameters dvdSourceSize = PalDvd();
  dvdSourceSize.width = 0;
  dvdSourceSize.height = 0;
  dvdSourceSize.qscale = 0;
  dvdSourceSize.aspect = nullptr;

  const Case cases[] = {
      {"avi", AviMpeg4(),
       R"( -i        "/in/a b.avi" -f        avi -vcodec   mpeg4 -vtag     DIVX -vb       800000 -r        25/1)"
       R"( -qscale   16  -acodec   mp2 -ac       2 -ab       128000 -y        "/out/a b_new.avi")"},
      {"pal dvd", PalDvd(),
       R"( -i        "/in/a b.avi" -target   pal-dvd  -s        720x576  -qscale   4  -aspect   16:9  -ac       2 )"
       R"( -vb       6000000  -acodec   ac3  -ab       448000  -y        "/out/a b_new.avi")"},
      {"vcd never gets dvd rates", vcd,
       R"( -i        "/in/a b.avi" -target   pal-vcd  -s        720x576  -qscale   4  -ac       2  -y        "/out/a b_new.avi")"},
      {"width without height", noHeight,
       R"( -i        "/in/a b.avi" -f        avi -vcodec   mpeg4 -vtag     DIVX -vb       800000 -r        25/1)"
       R"( -qscale   16  -acodec   mp2 -ac       2 -ab       128000 -y        "/out/a b_new.avi")"},
      {"every plain option", sized,
       R"( -i        "/in/a b.avi" -f        avi -vcodec   mpeg4 -vtag     DIVX -vb       800000 -r        25/1 -vn       )"
       R"( -qscale   16  -acodec   mp2 -atag     0055 -ac       2 -ab       128000 -ar       44100 -an        -s        320x240)"
       R"( -y        "/out/a b_new.avi")"},
      // Without a quantiser the rate is -b:v: ffmpeg ignores -vb after -target.
      {"dvd at source size", dvdSourceSize,
       R"( -i        "/in/a b.avi" -target   pal-dvd  -ac       2  -b:v      6000000  -acodec   ac3  -ab       448000 )"
       R"( -y        "/out/a b_new.avi")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FfmpegArguments("/in/a b.avi", "/out/a b_new.avi", c.parameters).Text(), c.text);
  }
}

// A list's DVD title turns the slider's lowest quantisers into the floor of
// a rate held at the disc's peak, and spends more effort at a rate fitted to
// the disc; from quantiser 4 up, and for the format's own record and for
// CDs, the text stays as it was.
TEST(FfmpegArguments, AListsDvdTitleHoldsItsLowestQuantisersUnderThePeakRate) {
  struct Case {
    const char* target;
    std::int32_t qscale;  // 0: the rate fitted to the disc, 6000000
    bool tuned;
    const char* quantiser;  // the options where the record's -qscale stood
    const char* rate;       // and where its -vb stood
  };
  const Case cases[] = {
      {"dvd", 1, true, " -qmin     2 ", " -b:v      9000000 "},
      {"dvd", 3, true, " -qmin     3 ", " -b:v      9000000 "},
      {"dvd", 4, true, " -qscale   4 ", " -vb       6000000 "},
      {"dvd", 1, false, " -qscale   1 ", " -vb       6000000 "},
      {"vcd", 1, true, " -qscale   1 ", ""},
      {"dvd", 0, true, "",
       " -b:v      6000000  -trellis  1  -cmp      sse  -subcmp   sse  -mbcmp    sse  -last_pred 2 "},
      {"dvd", 0, false, "", " -b:v      6000000 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target) + " q" + std::to_string(c.qscale) + (c.tuned ? " tuned" : ""));
    EncodingParameters p = PalDvd();
    p.aspect = nullptr;
    p.target = c.target;
    p.qscale = c.qscale;
    p.tuned_for_target = c.tuned;
    const bool dvd = std::string(c.target) == "dvd";
    EXPECT_EQ(FfmpegArguments("/in.avi", "/o.mpg", p).Text(),
              std::string(R"( -i        "/in.avi" -target   pal-dvd  -s        720x576 )") + c.quantiser +
                  " -ac       2 " + c.rate + (dvd ? " -acodec   ac3  -ab       448000 " : "") +
                  R"( -y        "/o.mpg")");
  }
}

// The list's thread count goes to a disc title's encoder; a file format's
// text and a title outside a list stay as they were.
TEST(FfmpegArguments, TheListsEncoderThreadsGoToDiscTitlesOnly) {
  struct Case {
    const char* target;
    bool tuned;
    bool threads;
  };
  const Case cases[] = {{"dvd", true, true}, {"vcd", true, true}, {"dvd", false, false}, {nullptr, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target != nullptr ? c.target : "file") + (c.tuned ? " tuned" : ""));
    EncodingParameters p = PalDvd();
    p.target = c.target;
    p.tuned_for_target = c.tuned;
    p.encoder_threads = 3;
    const std::string text = FfmpegArguments("/in.avi", "/o.mpg", p).Text();
    EXPECT_EQ(text.find(" -threads  3 ") != std::string::npos, c.threads) << text;
    p.encoder_threads = 0;
    EXPECT_EQ(FfmpegArguments("/in.avi", "/o.mpg", p).Text().find("-threads"), std::string::npos);
  }
}

TEST(FfmpegArguments, VectorCarriesTheSameOptionsWithPathsAsFiles) {
  const std::vector<std::string> expected = {"-i",      "file:/in/\"q\" $(x);.avi",
                                             "-target", "pal-dvd",
                                             "-s",      "720x576",
                                             "-qscale", "4",
                                             "-aspect", "16:9",
                                             "-ac",     "2",
                                             "-vb",     "6000000",
                                             "-acodec", "ac3",
                                             "-ab",     "448000",
                                             "-y",      "file:-out.mpg"};
  EXPECT_EQ(FfmpegArguments("/in/\"q\" $(x);.avi", "-out.mpg", PalDvd()).Vector(), expected);
  // The text passes a quote inside a path unchanged.
  EXPECT_TRUE(FfmpegArguments("/in/\"q\".avi", "/o.mpg", PalDvd()).Text().starts_with(" -i        \"/in/\"q\".avi\""));
}

TEST(FfmpegArguments, ABlackStillIsASecondInputEndedByTheSound) {
  EncodingParameters ntscVcd;
  ntscVcd.video_codec = "ntsc-vcd";
  ntscVcd.target = "vcd";
  EXPECT_EQ(FfmpegArguments("/in/song.mp3", "/o.mpg", ntscVcd, OutputPicture::BlackStill).Vector(),
            (std::vector<std::string>{"-i", "file:/in/song.mp3", "-f", "lavfi", "-i",
                                      "color=c=black:s=720x480:r=30000/1001,setdar=4/3", "-map", "1:v", "-map", "0:a",
                                      "-shortest", "-target", "ntsc-vcd", "-y", "file:/o.mpg"}));
  EXPECT_EQ(
      FfmpegArguments("/in/song.mp3", "/o.mpg", PalDvd(), OutputPicture::BlackStill).Text(),
      " -i        \"/in/song.mp3\" -f        lavfi  -i        color=c=black:s=720x576:r=25,setdar=4/3  -map      1:v "
      " -map      0:a  -shortest  -target   pal-dvd  -s        720x576  -qscale   4  -aspect   16:9  -ac       2 "
      " -vb       6000000  -acodec   ac3  -ab       448000  -y        \"/o.mpg\"");
}

// A source of the disc's shape keeps the plain target text; any other shape
// is scaled to fit the frame, padded with black, and flagged with the frame's
// aspect, which for a DVD follows the source and for a CD is always 4:3.
TEST(FfmpegArguments, DiscTitlesFitTheirSourceIntoTheFrame) {
  EncodingParameters ntscDvd;
  ntscDvd.video_codec = "ntsc-dvd";
  ntscDvd.target = "dvd";
  EncodingParameters palVcd;
  palVcd.video_codec = "pal-vcd";
  palVcd.target = "vcd";
  EncodingParameters palSvcd43 = palVcd;
  palSvcd43.video_codec = "pal-svcd";
  palSvcd43.target = "svcd";
  palSvcd43.aspect = "16:9";
  EncodingParameters dvd43 = ntscDvd;
  dvd43.aspect = "4:3";
  struct Case {
    const char* name;
    EncodingParameters parameters;
    SourceShape source;
    const char* middle;  // between the input and the output
  };
  const Case cases[] = {
      {"widescreen dvd stays", ntscDvd, {1920, 1080, 1, 1, 0}, " -target   ntsc-dvd "},
      {"4:3 dvd stays", ntscDvd, {640, 480, 1, 1, 0}, " -target   ntsc-dvd "},
      {"4:3 vcd stays", palVcd, {640, 480, 1, 1, 0}, " -target   pal-vcd "},
      {"portrait dvd",
       ntscDvd,
       {1080, 1920, 1, 1, 0},
       " -target   ntsc-dvd  -vf       scale=304:480,pad=720:480:208:0:black,setdar=4/3  -aspect   4:3 "},
      {"turned dvd",
       ntscDvd,
       {1920, 1080, 1, 1, 90},
       " -target   ntsc-dvd  -vf       scale=304:480,pad=720:480:208:0:black,setdar=4/3  -aspect   4:3 "},
      {"scope dvd",
       ntscDvd,
       {1920, 804, 1, 1, 0},
       " -target   ntsc-dvd  -vf       scale=720:358,pad=720:480:0:60:black,setdar=16/9  -aspect   16:9 "},
      {"widescreen asked 4:3 on dvd",
       dvd43,
       {1920, 1080, 1, 1, 0},
       " -target   ntsc-dvd  -vf       scale=720:360,pad=720:480:0:60:black,setdar=4/3  -aspect   4:3 "},
      {"widescreen vcd",
       palVcd,
       {1920, 1080, 1, 1, 0},
       " -target   pal-vcd  -vf       scale=352:216,pad=352:288:0:36:black,setdar=4/3  -aspect   4:3 "},
      {"16:9 asked on svcd",
       palSvcd43,
       {640, 480, 1, 1, 0},
       " -target   pal-svcd  -vf       scale=480:576,pad=480:576:0:0:black,setdar=4/3  -aspect   4:3 "},
      {"16:11 samples",
       ntscDvd,
       {720, 576, 16, 11, 0},
       " -target   ntsc-dvd  -vf       scale=720:470,pad=720:480:0:4:black,setdar=16/9  -aspect   16:9 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FfmpegArguments("/in.mp4", "/o.mpg", c.parameters, OutputPicture::FromInput, c.source).Text(),
              std::string(" -i        \"/in.mp4\"") + c.middle + " -y        \"/o.mpg\"");
  }
}

}  // namespace
