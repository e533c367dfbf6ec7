// Which sound tracks and subtitles a disc title carries, the question that
// names what is left out, the languages for the IFO, side subtitle files and
// the ffmpeg arguments that map the carried streams.

#include "convert/disc_tracks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "convert/ffmpeg_arguments.h"
#include "platform/disc/authoring/dvdauthor_xml.h"
#include "support/languages.h"

namespace {

SourceTracks Source(const std::vector<std::string>& soundLanguages, const std::vector<std::string>& subtitleCodecs,
                    int channels = 2) {
  SourceTracks source;
  int index = 1;
  for (const auto& language : soundLanguages) source.sounds.push_back({index++, language, "", channels});
  for (const auto& codec : subtitleCodecs) {
    source.subtitles.push_back({index++, "", "eng", codec, SubtitleFormOf(codec)});
  }
  return source;
}

TEST(DiscTracks, EachDiscCarriesWhatItHoldsAndTheQuestionNamesTheRest) {
  std::vector<std::string> nine;
  for (int i = 0; i < 9; ++i) nine.push_back(i == 8 ? "" : "eng");
  const struct {
    SourceTracks source;
    DiscKind disc;
    TrackWriter writer;
    std::size_t sounds;
    std::size_t subtitles;
    const char* sentence;
  } cases[] = {
      {Source({"eng", "fre"}, {"subrip"}), DiscKind::Vcd, TrackWriter::Ffmpeg, 1, 0,
       "Video CD holds one sound track: 'French' and 1 subtitle track of 'holiday.mkv' will be left out."},
      {Source({"eng"}, {"subrip", "ass"}), DiscKind::Svcd, TrackWriter::Ffmpeg, 1, 0,
       "Super Video CD holds no subtitles: 2 subtitle tracks of 'holiday.mkv' will be left out."},
      {Source({"eng", "fre"}, {"subrip", "mov_text", "webvtt", "ass"}), DiscKind::Dvd, TrackWriter::Ffmpeg, 2, 4, ""},
      {Source(nine, {}), DiscKind::Dvd, TrackWriter::Ffmpeg, 8, 0,
       "A DVD holds 8 sound tracks: 'sound track 9' of 'holiday.mkv' will be left out."},
      {Source({"eng"}, {"dvd_subtitle", "hdmv_pgs_subtitle"}), DiscKind::Dvd, TrackWriter::Ffmpeg, 1, 1,
       "A DVD cannot carry PGS subtitles: 1 subtitle track of 'holiday.mkv' will be left out."},
      {Source({"eng", "ger", "spa"}, {"subrip"}), DiscKind::Dvd, TrackWriter::Library, 1, 0,
       "A DVD made by the video library holds one sound track: 'German', 'Spanish' and 1 subtitle track of "
       "'holiday.mkv' will be left out."},
      {Source({}, {}), DiscKind::Vcd, TrackWriter::Ffmpeg, 0, 0, ""},
  };
  for (const auto& c : cases) {
    const DiscTracks tracks = PlanDiscTracks(c.source, c.disc, c.writer);
    EXPECT_EQ(tracks.sounds.size(), c.sounds) << c.sentence;
    EXPECT_EQ(tracks.subtitles.size(), c.subtitles) << c.sentence;
    EXPECT_EQ(LeftOutSentence(tracks, c.disc, c.writer, "holiday.mkv"), c.sentence);
  }
  // 33 text subtitles: one too many.
  const DiscTracks many = PlanDiscTracks(Source({"eng"}, std::vector<std::string>(33, "subrip")), DiscKind::Dvd);
  EXPECT_EQ(many.subtitles.size(), 32u);
  EXPECT_EQ(LeftOutSentence(many, DiscKind::Dvd, TrackWriter::Ffmpeg, "a.mkv"),
            "A DVD holds 32 subtitle tracks: 1 subtitle track of 'a.mkv' will be left out.");
  EXPECT_EQ(LeftOutQuestion({"One.", "", "Two."}), "One.\nTwo. Go on?");
  EXPECT_EQ(LeftOutQuestion({""}), "");
}

TEST(DiscTracks, DvdBitmapsComeFirstAndLanguagesBecomeTwoLetterCodes) {
  SourceTracks source = Source({"eng", "fra", "", "xx"}, {"subrip", "dvd_subtitle"});
  source.subtitles[0].language = "ger";
  const DiscTracks tracks = PlanDiscTracks(source, DiscKind::Dvd);
  ASSERT_EQ(tracks.subtitles.size(), 2u);
  EXPECT_EQ(tracks.subtitles[0].codec, "dvd_subtitle");
  EXPECT_EQ(DvdLanguageCodes(tracks.sounds), "en,fr,,");
  EXPECT_EQ(DvdLanguageCodes(tracks.subtitles), "en,de");
  EXPECT_EQ(TwoLetterLanguage("FRE"), "fr");
  EXPECT_EQ(LanguageName("deu"), "German");
  EXPECT_EQ(LanguageName("und"), "");
}

TEST(DiscTracks, TheRatePlannedCountsEveryTrack) {
  SourceTracks source = Source({"eng", "fre"}, {"subrip"});
  source.sounds.push_back({9, "", "", 6});
  const DiscTracks tracks = PlanDiscTracks(source, DiscKind::Dvd);
  EXPECT_EQ(DvdTrackKbps(tracks, 224, true), 224 + 224 + kDvdMultichannelKbps + kDvdSubtitleKbps);
  EXPECT_EQ(DvdTrackKbps(tracks, 224, false), 3 * 224 + kDvdSubtitleKbps);
}

TEST(DiscTracks, SideFilesWithTheVideosBaseNameAreFoundWithTheirLanguage) {
  testkit::TempDir dir;
  for (const char* name : {"holiday.srt", "holiday.fr.srt", "holiday.ass", "holiday.eng.VTT", "holiday.part2.srt",
                           "holiday2.srt", "other.srt", "holiday.txt", "holiday.mkv"}) {
    testkit::WriteFile(dir.File(name), "");
  }
  const auto found = SideSubtitleFiles(dir.File("holiday.mkv"));
  std::vector<std::string> names;
  std::vector<std::string> languages;
  for (const auto& side : found) {
    names.push_back(std::filesystem::path(side.sideFile).filename().string());
    languages.push_back(side.language);
    EXPECT_EQ(side.form, SubtitleForm::Text);
    EXPECT_EQ(side.streamIndex, -1);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"holiday.ass", "holiday.eng.VTT", "holiday.fr.srt", "holiday.srt"}));
  EXPECT_EQ(languages, (std::vector<std::string>{"", "eng", "fr", ""}));
}

TEST(DiscTracks, TheTitlesetNamesEachStreamsLanguage) {
  DvdauthorProject project;
  project.destination = "/d";
  project.titles = {"/t1.mpg", "/t2.mpg"};
  project.titleSoundLanguages = {{"en", "", "fr"}, {"", ""}};
  project.titleSubtitleLanguages = {{"de", "x\""}, {}};
  const std::string xml = *DvdauthorXml(project);
  EXPECT_NE(
      xml.find("<audio lang=\"en\"/>\n      <audio/>\n      <audio lang=\"fr\"/>\n"
               "      <subpicture lang=\"de\"/>\n      <subpicture/>\n      <pgc>\n        <vob file=\"/t1.mpg\""),
      std::string::npos)
      << xml;
  EXPECT_EQ(xml.find("<audio", xml.find("/t1.mpg")), std::string::npos) << "untagged streams need no element";
}

TEST(DiscTracks, TheArgumentsMapTheCarriedTracksInOrderAndKeepMultichannelAsAc3) {
  EncodingParameters p;
  p.target = "dvd";
  p.video_codec = "pal-dvd";
  p.audio_channels = 2;
  p.audio_codec = "mp2";
  p.audio_bitrate = 224000;
  p.keep_multichannel = true;
  SourceTracks source = Source({"eng", "fre"}, {"dvd_subtitle", "subrip"});
  source.sounds[1].channels = 6;
  const TitleStreams streams{0, PlanDiscTracks(source, DiscKind::Dvd)};
  const std::string text = FfmpegArguments("in.mkv", "out", p, OutputPicture::FromInput, std::nullopt, streams).Text();
  EXPECT_EQ(text,
            " -i        \"in.mkv\" -map      0:0  -map      0:1  -map      0:2  -map      0:3  -target   pal-dvd "
            " -ac       2  -acodec   mp2  -ab       224000  -c:a:1    ac3  -ac:a:1   6  -b:a:1    448000 "
            " -c:s      copy  -y        \"out\"");
  // Stereo chosen: no per-track codec. A VCD maps its one track when the source has more.
  p.keep_multichannel = false;
  EXPECT_EQ(FfmpegArguments("in.mkv", "out", p, OutputPicture::FromInput, std::nullopt, streams).Text().find("ac3"),
            std::string::npos);
  p.target = "vcd";
  p.video_codec = "pal-vcd";
  const TitleStreams cd{0, PlanDiscTracks(source, DiscKind::Vcd)};
  EXPECT_EQ(FfmpegArguments("in.mkv", "out", p, OutputPicture::FromInput, std::nullopt, cd).Text(),
            " -i        \"in.mkv\" -map      0:0  -map      0:1  -target   pal-vcd  -ac       2  -y        \"out\"");
  // One sound track and no bitmaps: the text ffmpeg always had.
  const TitleStreams plain{0, PlanDiscTracks(Source({"eng"}, {"subrip"}), DiscKind::Vcd)};
  EXPECT_EQ(FfmpegArguments("in.mkv", "out", p, OutputPicture::FromInput, std::nullopt, plain).Text(),
            " -i        \"in.mkv\" -target   pal-vcd  -ac       2  -y        \"out\"");
}

}  // namespace
