// The disc layer's helpers: escaping, names, record fields, the menu
// description, button images, control files and the program runner.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/test_kit.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/dvdauthor_xml.h"
#include "platform/disc/menu_buttons.h"
#include "platform/disc/menu_description.h"
#include "platform/disc/png_writer.h"
#include "platform/disc/tool_run.h"
#include "platform/process/find_program.h"

namespace fs = std::filesystem;

namespace {

const std::string kAwkwardName = "/films/Tom & Jerry's \"<best>\" — été\tnew\nline.mpg";

// Attribute values of every element named element, in document order.
std::vector<std::string> AttributeValues(const std::string& xml, const char* element, const char* attribute) {
  std::vector<std::string> values;
  QXmlStreamReader reader(QByteArray::fromStdString(xml));
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String(element)) {
      values.push_back(reader.attributes().value(QLatin1String(attribute)).toString().toStdString());
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return values;
}

TEST(DiscText, XmlEscapingSurvivesAParser) {
  const auto escaped = XmlEscaped(kAwkwardName);
  ASSERT_TRUE(escaped.has_value());
  const std::string xml = "<a v=\"" + *escaped + "\"/>";
  EXPECT_EQ(AttributeValues(xml, "a", "v"), std::vector<std::string>{kAwkwardName});
  EXPECT_FALSE(XmlEscaped(std::string("bell\x07.mpg")).has_value());
  EXPECT_FALSE(XmlEscaped(std::string("nul\0.mpg", 8)).has_value());
}

TEST(DiscText, LabelsAndNames) {
  const struct {
    const char* label;
    const char* iso;
    const char* vcd;
    const char* file;
  } cases[] = {
      {"Video DVD", "Video DVD", "VIDEO_DVD", "Video DVD"},
      {"", "DVD_VIDEO", "VIDEOCD", "disc"},
      {"été 2024/\"best\"", "été 2024/\"best\"", "_T__2024__BEST_", "été 2024__best_"},
      {"-rf .hidden", "-rf .hidden", "_RF__HIDDEN", "rf .hidden"},
      {"A label much longer than thirty-two characters", "A label much longer than thirty-",
       "A_LABEL_MUCH_LONGER_THAN_THIRTY_", "A label much longer than thirty-two characters"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsoVolumeId(c.label), c.iso) << c.label;
    EXPECT_EQ(VcdVolumeLabel(c.label), c.vcd) << c.label;
    EXPECT_EQ(ImageBaseName(c.label), c.file) << c.label;
  }
  // A cut never splits a character: "é" is two bytes.
  EXPECT_EQ(Utf8Prefix("aé", 2), "a");
  EXPECT_EQ(IsoVolumeId(std::string(31, 'x') + "é"), std::string(31, 'x'));
}

TEST(DiscText, RecordFields) {
  char field[8];
  WriteTextField(field, sizeof field, "abcdefghij");
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdefg"));
  WriteTextField(field, sizeof field, "abcdeé");  // 7 bytes: fits with its NUL
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdeé"));
  WriteTextField(field, sizeof field, "abcdefé");  // é would not fit whole
  EXPECT_EQ(ReadTextField(field, sizeof field), std::optional<std::string>("abcdef"));
  std::memset(field, 'x', sizeof field);
  EXPECT_EQ(ReadTextField(field, sizeof field), std::nullopt);
}

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
  EXPECT_EQ(AttributeValues(*spumux, "spu", "highlight"), std::vector<std::string>{"/w/h & \"l\".png"});
  EXPECT_EQ(AttributeValues(*spumux, "button", "name"), (std::vector<std::string>{"b1", "b2"}));
  EXPECT_EQ(AttributeValues(*spumux, "button", "y1"), (std::vector<std::string>{"150", "300"}));

  DvdauthorProject project;
  project.destination = "/out/My <DVD> & co";
  project.standard = VideoStandard::Ntsc;
  project.menuVideo = "/w/menu.mpg";
  project.titles = {kAwkwardName, "/films/second.mpg"};
  const auto xml = DvdauthorXml(project);
  ASSERT_TRUE(xml.has_value());
  EXPECT_EQ(AttributeValues(*xml, "dvdauthor", "dest"), std::vector<std::string>{project.destination});
  EXPECT_EQ(AttributeValues(*xml, "dvdauthor", "format"), std::vector<std::string>{"ntsc"});
  EXPECT_EQ(AttributeValues(*xml, "vob", "file"),
            (std::vector<std::string>{"/w/menu.mpg", kAwkwardName, "/films/second.mpg"}));
  EXPECT_EQ(AttributeValues(*xml, "titleset", "x").size(), 2u);  // one titleset per title

  project.titles.push_back("bad\x01name.mpg");
  EXPECT_FALSE(DvdauthorXml(project).has_value());
}

TEST(DiscFiles, OutputNamesNeverReplaceAFile) {
  testkit::TempDir dir;
  const std::string folder = dir.path().string();
  testkit::WriteFile(dir.File("Video CD.bin"), "taken");
  std::string error;
  const auto pair = ReserveOutputFiles(folder, "Video CD", {".cue", ".bin"}, &error);
  ASSERT_EQ(pair.size(), 2u) << error;
  EXPECT_EQ(pair[0], dir.File("Video CD(1).cue"));
  EXPECT_EQ(pair[1], dir.File("Video CD(1).bin"));
  EXPECT_FALSE(fs::exists(dir.File("Video CD.cue")));  // not left half-reserved
  EXPECT_EQ(testkit::ReadFile(dir.File("Video CD.bin")), "taken");
  EXPECT_TRUE(ReserveOutputFiles(dir.File("missing"), "x", {".iso"}, &error).empty());
  EXPECT_FALSE(error.empty());
}

TEST(DiscFiles, WindowsStyleNamesAreFoundWhateverTheirCase) {
  testkit::TempDir dir;
  fs::create_directories(dir.path() / "DVD" / "VIDEO_TS");
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/Video_Ts")), dir.File("DVD/VIDEO_TS"));
  EXPECT_EQ(FindPathIgnoringCase(dir.File("dvd/video_ts")), dir.File("DVD/VIDEO_TS"));
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/AUDIO_TS")), "");
  fs::create_directories(dir.path() / "DVD" / "video_ts");  // two candidates: no guessing
  EXPECT_EQ(FindPathIgnoringCase(dir.File("DVD/Video_TS")), "");
}

TEST(ToolRun, LinesStopAndStragglers) {
  std::vector<std::string> lines;
  const ToolRunResult printed =
      RunTool({FindProgram("printf"), "one\rtwo\nthree"}, {}, [&](const std::string& line) { lines.push_back(line); });
  EXPECT_TRUE(printed.Succeeded());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));

  const ToolRunResult missing = RunTool({"/nonexistent/program"}, {}, nullptr);
  EXPECT_NE(missing.startError, 0);
  EXPECT_FALSE(missing.Succeeded());

  // A stop set from another thread ends the program at once.
  testkit::TempDir dir;
  const std::string marker = dir.File("marker");
  std::atomic<bool> stop{false};
  std::thread stopper([&] {
    testkit::WaitUntil([&] { return !testkit::ProcessesMatching(marker).empty(); });
    stop = true;
  });
  const auto start = std::chrono::steady_clock::now();
  // The marker names the shell as its $0; the shell's sleep is in its process group.
  const ToolRunResult stopped = RunTool({FindProgram("sh"), "-c", "sleep 30; true", marker}, {}, nullptr, &stop);
  stopper.join();
  EXPECT_TRUE(stopped.stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // The shell is reaped at once; a child it forked was killed with its group
  // and may take a moment to vanish.
  EXPECT_TRUE(testkit::WaitUntil([&] { return testkit::ProcessesMatching(marker).empty(); }, std::chrono::seconds(5)));
  EXPECT_TRUE(
      testkit::WaitUntil([] { return testkit::ProcessesMatching("sleep 30; true").empty(); }, std::chrono::seconds(5)));

  // A program that leaves a helper holding its output does not keep us waiting.
  const auto before = std::chrono::steady_clock::now();
  const ToolRunResult quick = RunTool({FindProgram("sh"), "-c", "sleep 3 & echo started"}, {}, nullptr);
  EXPECT_TRUE(quick.Succeeded());
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
}

}  // namespace
