// OutputFormat::UpdateRegistryData: the 56 values of the seven formats.

#include <gtest/gtest.h>

#include <algorithm>

#include "formats/format_pages.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_data.h"
#include "platform/registry/registry_test_env.h"

namespace {

constexpr const char* kOrlenta = "Software\\Peravel\\Orlenta";
constexpr const char* kSuffixes[] = {" Video Bit Rate", " Video Frame Size",   " Video Frame Rate",
                                     " Video Codec Id", " Video Aspect Ratio", " Audio Codec Id",
                                     " Audio Bit Rate", " Audio Channels"};

std::vector<std::int32_t*> Choices(OutputFormat& f) {
  return {&f.video_bitrate_id, &f.video_framesize_id, &f.video_framerate_id, &f.video_codec_id,
          &f.video_aspect_id,  &f.audio_codec_id,     &f.audio_bitrate_id,   &f.audio_channels_id};
}

// As the main window does it: one store, the formats in its order.
bool UpdateAll(std::vector<std::unique_ptr<OutputFormat>>& formats, bool saving) {
  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), saving);
  if (!store.IsOpen()) return false;
  for (OutputFormatId id : {kFormatAvi, kFormatDvd, kFormatVcd, kFormatSvcd, kFormatWmv, kFormatMpeg, kFormatRm}) {
    formats[id]->UpdateRegistryData(store);
  }
  return store.Close();
}

std::vector<std::string> ValueLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    if (text[start] == '"') lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(FormatSettings, AllFiftySixValuesAndTheDvdMultichannelChoiceRoundTripIntoFreshObjects) {
  ScopedRegistryFile file;
  auto saved = CreateFfmpegFormatPages();
  for (OutputFormatId id = 0; id < kOutputFormatCount; ++id) {
    int k = 0;
    for (std::int32_t* choice : Choices(*saved[id])) *choice = id * 10 + k++;
  }
  saved[kFormatVcd]->audio_bitrate_id = -1;  // a page left without selection stores -1
  saved[kFormatDvd]->audio_multichannel_id = 1;
  ASSERT_TRUE(UpdateAll(saved, true));

  const auto lines = ValueLines(file.Text());
  ASSERT_EQ(lines.size(), 57U) << file.Text();
  EXPECT_TRUE(std::all_of(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("\"=dword:") != std::string::npos; }));
  const std::vector<std::string> dvd(lines.begin() + 8, lines.begin() + 17);
  EXPECT_EQ(dvd, (std::vector<std::string>{
                     "\"DVD Video Bit Rate\"=dword:00000028", "\"DVD Video Frame Size\"=dword:00000029",
                     "\"DVD Video Frame Rate\"=dword:0000002a", "\"DVD Video Codec Id\"=dword:0000002b",
                     "\"DVD Video Aspect Ratio\"=dword:0000002c", "\"DVD Audio Codec Id\"=dword:0000002d",
                     "\"DVD Audio Bit Rate\"=dword:0000002e", "\"DVD Audio Channels\"=dword:0000002f",
                     "\"DVD Audio Multichannel\"=dword:00000001"}))
      << "written in the main window's order, five video values, three audio values, then the DVD's own";
  EXPECT_NE(file.Text().find("\"VCD Audio Bit Rate\"=dword:ffffffff\n"), std::string::npos);
  RegistryData parsed;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(file.Text(), parsed, error)) << error;
  EXPECT_EQ(FormatRegistryText(parsed), file.Text()) << "the file goes through the parser unchanged";

  auto loaded = CreateFfmpegFormatPages();
  ASSERT_TRUE(UpdateAll(loaded, false));
  for (OutputFormatId id = 0; id < kOutputFormatCount; ++id) {
    EXPECT_EQ(loaded[kFormatDvd]->audio_multichannel_id, 1);

    const auto expected = Choices(*saved[id]);
    const auto actual = Choices(*loaded[id]);
    for (std::size_t k = 0; k < expected.size(); ++k) {
      EXPECT_EQ(*actual[k], *expected[k]) << loaded[id]->GetOutputFormat() << kSuffixes[k];
    }
  }
}

TEST(FormatSettings, AbsentOrUnreadableValuesKeepTheDefaults) {
  ScopedRegistryFile file;
  std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Peravel\\Orlenta]\n";
  for (const char* type : {"MPEG", "DVD"}) {
    for (const char* suffix : kSuffixes) {
      const std::string name = std::string(type) + suffix;
      if (name == "MPEG Audio Bit Rate") continue;  // absent
      if (name == "DVD Video Bit Rate") {
        text += "\"" + name + "\"=\"12\"\n";  // a number as text loads
      } else if (name == "DVD Audio Codec Id") {
        text += "\"" + name + "\"=\"ac3\"\n";
      } else if (name == "DVD Audio Bit Rate") {
        text += "\"" + name + "\"=\"\"\n";
      } else if (name == "DVD Audio Channels") {
        text += "\"" + name + "\"=hex:00,00,00,00\n";
      } else {
        text += "\"" + name + "\"=dword:00000001\n";
      }
    }
  }
  file.Write(text + "\n");

  auto formats = CreateFfmpegFormatPages();
  ASSERT_TRUE(UpdateAll(formats, false));
  const OutputFormat& mpeg = *formats[kFormatMpeg];
  EXPECT_EQ(mpeg.audio_bitrate_id, 8) << "absent: the default stays";
  EXPECT_EQ(mpeg.video_bitrate_id, 1);
  EXPECT_EQ(mpeg.audio_channels_id, 1);
  const OutputFormat& dvd = *formats[kFormatDvd];
  EXPECT_EQ(dvd.video_bitrate_id, 12);
  EXPECT_EQ(dvd.video_codec_id, 1);
  EXPECT_EQ(dvd.audio_codec_id, 1) << "letters: the default stays";
  EXPECT_EQ(dvd.audio_bitrate_id, 0) << "empty text: the default stays";
  EXPECT_EQ(dvd.audio_channels_id, 1) << "binary: the default stays";
  EXPECT_EQ(formats[kFormatAvi]->video_bitrate_id, 6) << "formats without values keep their defaults";
}

TEST(FormatSettings, AStoreThatDidNotOpenChangesNothing) {
  ScopedRegistryFile file;
  auto formats = CreateFfmpegFormatPages();
  CRegistry store(kOrlenta, RegistryKey::CurrentUser(), false);
  ASSERT_FALSE(store.IsOpen());
  OutputFormat& vcd = *formats[kFormatVcd];
  vcd.video_codec_id = 2;
  vcd.audio_channels_id = 0;
  const auto linesBefore = file.LogLines().size();
  vcd.UpdateRegistryData(store);
  EXPECT_EQ(vcd.video_codec_id, 2);
  EXPECT_EQ(vcd.audio_channels_id, 0);
  const auto lines = file.LogLines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + linesBefore, lines.end()),
            (std::vector<std::string>{"OutputFormat::UpdateRegistryData", "CRegistry::IsOpen"}));
}

TEST(FormatSettings, AnAudioOnlyFormatKeepsOnlyItsAudioValues) {
  ScopedRegistryFile file;
  AudioOutputFormat audio(0, kFormatWmv);
  {
    CRegistry store(kOrlenta, RegistryKey::CurrentUser(), true);
    audio.UpdateRegistryData(store);
  }
  EXPECT_EQ(ValueLines(file.Text()),
            (std::vector<std::string>{"\"WMV Audio Codec Id\"=dword:00000000", "\"WMV Audio Bit Rate\"=dword:00000008",
                                      "\"WMV Audio Channels\"=dword:00000001"}));
}

}  // namespace
