// The authoring helpers: the menu description, button images and the
// control files of spumux and dvdauthor.
#include <gtest/gtest.h>

#include <QImage>
#include <stdexcept>

#include "common/test_kit.h"
#include "platform/disc/authoring/dvdauthor_xml.h"
#include "platform/disc/authoring/ifo_video.h"
#include "platform/disc/authoring/menu_buttons.h"
#include "platform/disc/authoring/menu_description.h"
#include "platform/disc/authoring/png_writer.h"
#include "platform/disc/disc_test_support.h"

namespace {

using disctest::kAwkwardName;
using disctest::XmlAttributeValues;

TEST(MenuDescriptionFile, ReadsWhatTheMainWindowWrites) {
  const std::string text =
      "\xEF\xBB\xBF[Infos]\r\nSelections=2\r\nmenu=\"/out/foxdvdmenu.mpg\"\r\n\r\n"
      "[0]\r\nTopLeft=290,132\r\nRightBottom=430,180\r\nWidth=140\r\nHeight=49\r\n"
      "file=\"/work/a \"quoted\" name.mpg\"\r\nLineWidth=1\r\n\r\n"
      "[1]\r\nTopLeft=290,347\r\nRightBottom=430,395\r\nWidth=140\r\nHeight=49\r\nfile=\"/work/"
      "b\"\r\nLineWidth=3\r\n\r\n";
  std::string error;
  const auto menu = ParseMenuDescription(text, &error);
  ASSERT_TRUE(menu.has_value()) << error;
  EXPECT_EQ(menu->menuVideo, "/out/foxdvdmenu.mpg");
  ASSERT_EQ(menu->titles.size(), 2u);
  EXPECT_EQ(menu->titles[0].file, "/work/a \"quoted\" name.mpg");
  EXPECT_EQ(menu->titles[0].left, 290);
  EXPECT_EQ(menu->titles[0].top, 132);
  EXPECT_EQ(menu->titles[0].right, 430);
  EXPECT_EQ(menu->titles[0].bottom, 180);
  EXPECT_EQ(menu->titles[1].file, "/work/b");
  EXPECT_EQ(menu->titles[1].lineWidth, 3);
}

TEST(MenuDescriptionFile, RefusesIncompleteDescriptions) {
  const char* broken[] = {
      "",
      "[Infos]\r\nmenu=\"m.mpg\"\r\n",
      "[Infos]\r\nSelections=1\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=3,4\r\nfile=\"a\"\r\n",
      "[Infos]\r\nSelections=2\r\nmenu=\"m\"\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=30,40\r\nfile=\"a\"\r\n",
      "[Infos]\r\nSelections=1\r\nmenu=\"m\"\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=30,40\r\n",
      "[Infos]\r\nSelections=1\r\nmenu=\"m\"\r\n[0]\r\nTopLeft=50,2\r\nRightBottom=30,40\r\nfile=\"a\"\r\n",
      "[Infos]\r\nSelections=x\r\nmenu=\"m\"\r\n",
  };
  for (const char* text : broken) {
    std::string error;
    EXPECT_FALSE(ParseMenuDescription(text, &error).has_value()) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(MenuDescriptionFile, ALineBreakInANameIsRefusedWhereWrittenAndRead) {
  // Written by a writer that does not check: the name's line break cuts its line.
  const char* cut[] = {
      "[Infos]\r\nSelections=1\r\nmenu=\"/out/m.mpg\"\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=30,40\r\n"
      "file=\"/work/first\nsecond.mpg\"\r\n",
      "[Infos]\r\nSelections=1\r\nmenu=\"/out/m.mpg\"\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=30,40\r\n"
      "file=\"/work/first\r\nsecond.mpg\"\r\n",
      "[Infos]\r\nSelections=1\r\nmenu=\"/out/menu\nvideo.mpg\"\r\n[0]\r\nTopLeft=1,2\r\nRightBottom=30,40\r\n"
      "file=\"/work/a.mpg\"\r\n",
  };
  for (const char* text : cut) {
    std::string error;
    EXPECT_FALSE(ParseMenuDescription(text, &error).has_value()) << text;
    EXPECT_NE(error.find("line break"), std::string::npos) << error;
  }

  MenuDescription description;
  description.menuVideo = "/out/m.mpg";
  MenuTitle title;
  title.left = 290;
  title.top = 112;
  title.right = 430;
  title.bottom = 160;
  title.lineWidth = 2;
  title.file = "/films/Tom & Jerry's \"<best>\" — été\tnew.mpg";
  description.titles = {title};
  std::string error;
  const auto text = MenuDescriptionText(description, &error);
  ASSERT_TRUE(text.has_value()) << error;
  const auto read = ParseMenuDescription(*text, &error);
  ASSERT_TRUE(read.has_value()) << error;
  EXPECT_EQ(read->menuVideo, description.menuVideo);
  ASSERT_EQ(read->titles.size(), 1u);
  EXPECT_EQ(read->titles[0].file, title.file);
  EXPECT_EQ(read->titles[0].bottom, 160);
  EXPECT_EQ(read->titles[0].lineWidth, 2);

  description.titles[0].file = kAwkwardName;  // holds a line break
  EXPECT_FALSE(MenuDescriptionText(description, &error).has_value());
  EXPECT_NE(error.find("line break"), std::string::npos) << error;
}

TEST(MenuButtons, EvenCoordinatesInsideTheFrame) {
  const struct {
    int left, top, right, bottom;
    ButtonRect expected;
  } cases[] = {
      {290, 133, 431, 181, {290, 132, 432, 182}},
      {0, 0, 719, 575, {0, 0, 718, 574}},
      {-5, 571, 800, 600, {0, 570, 718, 574}},
  };
  for (const auto& c : cases) {
    const ButtonRect rect = EvenButtonRect(c.left, c.top, c.right, c.bottom, 720, 576);
    EXPECT_EQ(rect.x0, c.expected.x0);
    EXPECT_EQ(rect.y0, c.expected.y0);
    EXPECT_EQ(rect.x1, c.expected.x1);
    EXPECT_EQ(rect.y1, c.expected.y1);
  }
}

TEST(MenuButtons, OutlinePngHasFlatColoursOnly) {
  const std::vector<ButtonRect> buttons = {{100, 100, 300, 150}, {100, 250, 300, 300}};
  testkit::TempDir dir;
  const std::string path = dir.File("highlight.png");
  std::string error;
  ASSERT_TRUE(WritePngFile(path, DrawButtonOutlines(720, 576, buttons, {255, 255, 0, 255}, 1), &error)) << error;

  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 720);
  EXPECT_EQ(image.height(), 576);
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_LE(image.colorCount(), 4);
  EXPECT_EQ(image.pixel(100, 100), qRgba(255, 255, 0, 255));  // corner
  EXPECT_EQ(image.pixel(101, 125), qRgba(255, 255, 0, 255));  // two pixels wide
  EXPECT_EQ(qAlpha(image.pixel(102, 125)), 0);                // inside stays clear
  EXPECT_EQ(image.pixel(300, 300), qRgba(255, 255, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(301, 300)), 0);
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_THROW(EncodePng(PaletteImage(0, 10, {PaletteColor{}})), std::invalid_argument);
}

TEST(ControlFiles, NamesSurviveIntoSpumuxAndDvdauthorXml) {
  const auto spumux = SpumuxXml("/w/h & \"l\".png", "/w/s <x>.png", {{100, 100, 300, 150}, {100, 250, 300, 300}});
  ASSERT_TRUE(spumux.has_value());
  EXPECT_EQ(XmlAttributeValues(*spumux, "spu", "highlight"), std::vector<std::string>{"/w/h & \"l\".png"});
  EXPECT_EQ(XmlAttributeValues(*spumux, "button", "name"), (std::vector<std::string>{"b1", "b2"}));
  EXPECT_EQ(XmlAttributeValues(*spumux, "button", "y1"), (std::vector<std::string>{"150", "300"}));

  DvdauthorProject project;
  project.destination = "/out/My <DVD> & co";
  project.standard = VideoStandard::Ntsc;
  project.menuVideo = "/w/menu.mpg";
  project.titles = {kAwkwardName, "/films/second.mpg"};
  const auto xml = DvdauthorXml(project);
  ASSERT_TRUE(xml.has_value());
  EXPECT_EQ(XmlAttributeValues(*xml, "dvdauthor", "dest"), std::vector<std::string>{project.destination});
  EXPECT_EQ(XmlAttributeValues(*xml, "dvdauthor", "format"), std::vector<std::string>{"ntsc"});
  EXPECT_EQ(XmlAttributeValues(*xml, "vob", "file"),
            (std::vector<std::string>{"/w/menu.mpg", kAwkwardName, "/films/second.mpg"}));
  EXPECT_EQ(XmlAttributeValues(*xml, "titleset", "x").size(), 2u);  // one titleset per title

  project.titles.push_back("bad\x01name.mpg");
  EXPECT_FALSE(DvdauthorXml(project).has_value());
}

TEST(ControlFiles, ChapterMarksEveryIntervalBeforeEachTitlesEnd) {
  const struct {
    long long durationMs;
    int seconds;
    const char* marks;
  } cases[] = {
      {12 * 60 * 1000, 300, "0:00:00,0:05:00,0:10:00"},
      {10 * 60 * 1000, 300, "0:00:00,0:05:00"},  // no mark at the very end
      {2 * 3600 * 1000 + 1, 300 * 12, "0:00:00,1:00:00,2:00:00"},
      {4 * 60 * 1000, 300, "0:00:00"},
      {5000, 0, ""},  // no interval
      {0, 300, ""},   // duration unknown
  };
  for (const auto& c : cases) EXPECT_EQ(ChapterMarks(c.durationMs, c.seconds), c.marks) << c.durationMs;

  DvdauthorProject project;
  project.destination = "/out";
  project.titles = {"/t/a.mpg", "/t/b.mpg", "/t/c.mpg"};
  project.chapterSeconds = 300;
  project.titleDurationsMs = {11 * 60 * 1000, 60 * 1000};  // the third title's length is unknown
  const auto xml = DvdauthorXml(project);
  ASSERT_TRUE(xml.has_value());
  EXPECT_EQ(XmlAttributeValues(*xml, "vob", "chapters"),
            (std::vector<std::string>{"0:00:00,0:05:00,0:10:00", "0:00:00", ""}))
      << "no chapters= for the third";
}

}  // namespace

namespace {

// Each titleset says its stream's aspect, so dvdauthor need not guess it
// ("aspect ratio was not autodetected") and the IFO agrees with the stream.
TEST(DvdauthorXmlAspect, EachTitlesetCarriesItsStreamsAspect) {
  DvdauthorProject project;
  project.destination = "/out/DVD";
  project.titles = {"/w/wide.mpg", "/w/narrow.mpg", "/w/unknown.mpg"};
  project.titleAspects = {"16:9", "4:3", ""};
  const auto xml = DvdauthorXml(project);
  ASSERT_TRUE(xml.has_value());
  EXPECT_NE(
      xml->find(
          "<titles>\n      <video format=\"pal\" aspect=\"16:9\"/>\n      <pgc>\n        <vob file=\"/w/wide.mpg\""),
      std::string::npos);
  EXPECT_NE(
      xml->find(
          "<titles>\n      <video format=\"pal\" aspect=\"4:3\"/>\n      <pgc>\n        <vob file=\"/w/narrow.mpg\""),
      std::string::npos);
  EXPECT_NE(xml->find("<titles>\n      <pgc>\n        <vob file=\"/w/unknown.mpg\""), std::string::npos);
}

}  // namespace

namespace {

// A title set's IFO with only what the read-back looks at: its magic and the
// title's two bytes of video attributes.
void WriteTitleSetIfo(const std::string& path, unsigned char first, unsigned char second) {
  std::string bytes(0x400, '\0');
  bytes.replace(0, 12, "DVDVIDEO-VTS");
  bytes[0x200] = static_cast<char>(first);
  bytes[0x201] = static_cast<char>(second);
  testkit::WriteFile(path, bytes);
}

TEST(IfoReadBack, TheTitleVideoAttributesAsDvdauthorWritesThem) {
  struct Case {
    unsigned char first, second;
    bool pal;
    const char* aspect;
    int width, height;
  };
  // The first two are what dvdauthor wrote for ffmpeg's pal-dvd titles (lsdvd
  // shows them as 16/9 and 4/3); the last is a half-size NTSC title.
  const Case cases[] = {{0x5c, 0x00, true, "16:9", 720, 576},
                        {0x53, 0x00, true, "4:3", 720, 576},
                        {0x53, 0x18, true, "4:3", 352, 288},
                        {0x4c, 0x08, false, "16:9", 704, 480}};
  testkit::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aspect + std::string(" ") + std::to_string(c.width));
    WriteTitleSetIfo(dir.File("VTS_01_0.IFO"), c.first, c.second);
    std::string error;
    const auto video = ReadTitleSetVideo(dir.File("VTS_01_0.IFO"), &error);
    ASSERT_TRUE(video.has_value()) << error;
    EXPECT_TRUE(video->mpeg2);
    EXPECT_EQ(video->pal, c.pal);
    EXPECT_EQ(video->aspect, c.aspect);
    EXPECT_EQ(video->width, c.width);
    EXPECT_EQ(video->height, c.height);
  }
}

TEST(IfoReadBack, ADiscThatDisagreesWithItsStreamsIsNamedTitleByTitle) {
  testkit::TempDir dir;
  WriteTitleSetIfo(dir.File("VTS_01_0.IFO"), 0x5c, 0x00);  // 16:9
  WriteTitleSetIfo(dir.File("VTS_02_0.IFO"), 0x53, 0x00);  // 4:3
  const std::string folder = dir.path().string();
  EXPECT_EQ(TitleSetVideoProblem(folder, {{"16:9", 720, 576}, {"4:3", 720, 576}}), "");
  EXPECT_EQ(TitleSetVideoProblem(folder, {{"", 0, 0}, {"", 0, 0}}), "") << "nothing known, nothing compared";
  EXPECT_EQ(TitleSetVideoProblem(folder, {{"16:9", 720, 576}, {"16:9", 720, 576}}),
            "Title 2 of the DVD would play wrong: the disc says 4:3 720x576 but its video is 16:9 720x576");
  EXPECT_EQ(TitleSetVideoProblem(folder, {{"16:9", 720, 480}}),
            "Title 1 of the DVD would play wrong: the disc says 16:9 720x576 but its video is 16:9 720x480");
  const std::string missing = TitleSetVideoProblem(folder, {{"16:9", 720, 576}, {"4:3", 720, 576}, {"4:3", 720, 576}});
  EXPECT_NE(missing.find("Title 3 of the DVD cannot be checked"), std::string::npos) << missing;
  testkit::WriteFile(dir.File("VTS_01_0.IFO"), std::string(0x400, 'x'));
  EXPECT_NE(TitleSetVideoProblem(folder, {{"16:9", 720, 576}}).find("is not a DVD title set's IFO"), std::string::npos);
}

}  // namespace
