// The shipped skin: its file, its images, the build's copy next to the
// executable, and how it draws a window laid out like the main window. The
// drawn window is saved as PNG files into $ORLENTA_SKIN_SAMPLE_DIR when that
// is set (to look at), else into a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "common/test_kit.h"
#include "platform/skin/skin_sheet.h"
#include "platform/skin/skin_test_support.h"
#include "platform/skin/widgets/skin_component.h"

namespace {

const std::filesystem::path kSourceFolder = ORLENTA_SKIN_SOURCE_FOLDER;
const std::filesystem::path kExecutableFolder = ORLENTA_EXECUTABLE_FOLDER;

const char* const kElements[] = {"button_start",  "button_cancel", "button_help", "button_settings", "button_add",
                                 "button_remove", "button_folder", "button_play", "button_stop"};

SkinSheet ShippedSkin() {
  std::optional<SkinSheet> sheet = ReadSkinFile((kSourceFolder / "Orlenta.skf").string());
  EXPECT_TRUE(sheet.has_value()) << "Orlenta.skf is no style sheet";
  return sheet.value_or(SkinSheet{});
}

TEST(ShippedSkin, DrawsEveryNamedElement) {
  const SkinSheet sheet = ShippedSkin();
  for (const char* element : kElements) EXPECT_TRUE(sheet.elements.contains(element)) << element;
}

TEST(ShippedSkin, EveryImageItNamesExistsAndReads) {
  ASSERT_TRUE(QImageReader::supportedImageFormats().contains("svg"))
      << "Qt cannot read SVG images: the skin needs Qt's SVG plugin (Debian package libqt6svg6)";
  const SkinSheet sheet = ShippedSkin();
  ASSERT_FALSE(sheet.images.empty());
  for (const std::string& image : sheet.images) {
    const std::filesystem::path path = kSourceFolder / image;
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << image;
    QImageReader reader(QString::fromStdString(path.string()));
    EXPECT_FALSE(reader.read().isNull()) << image << ": " << reader.errorString().toStdString();
  }
}

TEST(ShippedSkin, TheBuildCopiesItNextToTheExecutable) {
  std::vector<std::string> files = ShippedSkin().images;
  files.emplace_back("Orlenta.skf");
  files.emplace_back("Orlenta.dark.skf");
  for (const std::string& file : files) {
    const std::filesystem::path copy = kExecutableFolder / file;
    ASSERT_TRUE(std::filesystem::is_regular_file(copy)) << copy;
    EXPECT_EQ(testkit::ReadFile(copy.string()), testkit::ReadFile((kSourceFolder / file).string())) << file;
  }
}

// A window with the main window's controls where the main window has them.
class SampleWindow {
 public:
  SampleWindow() {
    m_dialog.setWindowTitle("Orlenta");
    m_dialog.resize(746, 565);
    QFont small = m_dialog.font();
    small.setPixelSize(11);
    m_dialog.setFont(small);

    auto* banner = new QLabel("Orlenta", &m_dialog);
    banner->setGeometry(0, 0, 746, 40);
    banner->setStyleSheet("background-color: #23406e; color: white; font-size: 20px; padding-left: 18px;");

    Group("Select Input File ", QRect(8, 42, 562, 108));
    Group("Select Output Format ", QRect(8, 180, 402, 46));
    Group("Output Quality", QRect(4, 262, 566, 124));
    Group("Status", QRect(8, 444, 562, 66));

    auto* files = new QListWidget(&m_dialog);
    files->setGeometry(19, 60, 376, 35);
    files->addItems({"/home/ann/Videos/Holiday 2026.avi", "/home/ann/Videos/Birthday.mp4"});
    files->setCurrentRow(0);
    m_controls.push_back(files);

    Label("Codec Name:", QRect(20, 110, 100, 15));
    Label("MPEG-4 Part 2", QRect(100, 110, 150, 15));
    Label("Duration:", QRect(260, 110, 100, 15));
    Label("00:03:12", QRect(320, 110, 80, 15));
    Label("Frame rate:", QRect(20, 125, 100, 15));
    Label("25.00", QRect(100, 125, 100, 15));
    Label("Bit rate:", QRect(260, 125, 100, 15));
    Label("1200 kbps", QRect(320, 125, 80, 15));

    int x = 20;
    for (const char* format : {"DVD", "VCD", "SVCD"}) {
      auto* radio = new QRadioButton(format, &m_dialog);
      radio->setGeometry(x, 200, 50, 15);
      radio->setChecked(x == 20);
      x += 60;
    }

    auto* quality = new QSlider(Qt::Horizontal, &m_dialog);
    quality->setGeometry(10, 282, 385, 40);
    quality->setRange(0, 9);
    quality->setValue(6);
    m_controls.push_back(quality);

    Label("Folder:", QRect(18, 403, 35, 15));
    Label("/home/ann/Videos/Orlenta", QRect(53, 403, 340, 15));
    Label("Converting Holiday 2026.avi", QRect(18, 465, 390, 15));
    auto* progress = new QProgressBar(&m_dialog);
    progress->setGeometry(18, 482, 275, 15);
    progress->setValue(42);
    Label("Completed: 42.00%", QRect(300, 482, 105, 15));

    auto* player = new QLabel(&m_dialog);
    player->setGeometry(584, 17, 150, 110);
    player->setStyleSheet("background-color: black;");
    auto* position = new QSlider(Qt::Horizontal, &m_dialog);
    position->setGeometry(585, 165, 150, 20);
    position->setRange(0, 100);
    position->setValue(30);
    m_controls.push_back(position);

    auto* asSource = new QCheckBox("Set Output Format as the Source File", &m_dialog);
    asSource->setGeometry(18, 240, 380, 18);
    asSource->setChecked(true);

    m_buttons["button_add"] = Button("Add File", QRect(412, 62, 73, 23));
    m_buttons["button_remove"] = Button("Remove File", QRect(412, 90, 96, 23));
    m_buttons["button_settings"] = Button("Settings", QRect(412, 300, 144, 24));
    m_buttons["button_help"] = Button("Help", QRect(580, 215, 154, 45));
    m_buttons["button_start"] = Button("Convert", QRect(412, 456, 154, 45));
    m_buttons["button_folder"] = Button("Select Folder", QRect(412, 400, 139, 22));
    m_buttons["button_play"] = Button("Play", QRect(630, 145, 31, 20));
    m_buttons["button_stop"] = Button("Stop", QRect(667, 145, 31, 20));
    for (const auto& [element, button] : m_buttons) {
      if (element != "button_start" && element != "button_help") m_controls.push_back(button);
    }
  }

  // The window's calls: include it, give each button its element, redraw.
  void Skin(SkinComponent& skin) {
    skin.IncludeWindow(&m_dialog);
    for (const auto& [element, button] : m_buttons) {
      skin.SetSkinElement(button, element.c_str());
      skin.IncludeWindow(button);
    }
    skin.Redraw();
  }

  // As while a job runs: the controls disabled and Convert drawn as cancel.
  void Busy(SkinComponent& skin) {
    for (QWidget* control : m_controls) control->setEnabled(false);
    QPushButton* convert = m_buttons.at("button_start");
    skin.IncludeWindow(&m_dialog);
    skin.SetSkinElement(convert, "button_cancel");
    skin.IncludeWindow(convert);
    skin.Redraw();
  }

  QDialog& dialog() { return m_dialog; }
  const std::map<std::string, QPushButton*>& buttons() const { return m_buttons; }

 private:
  void Group(const char* title, QRect geometry) { (new QGroupBox(title, &m_dialog))->setGeometry(geometry); }
  void Label(const char* text, QRect geometry) { (new QLabel(text, &m_dialog))->setGeometry(geometry); }
  QPushButton* Button(const char* text, QRect geometry) {
    auto* button = new QPushButton(text, &m_dialog);
    button->setGeometry(geometry);
    return button;
  }

  QDialog m_dialog;
  std::map<std::string, QPushButton*> m_buttons;
  std::vector<QWidget*> m_controls;
};

class SampleTest : public ::testing::Test {
 protected:
  ~SampleTest() override { skintest::ResetApplicationLook(); }

  // Saves a picture; the folder is kept only when named by the caller.
  void Save(const QImage& picture, const char* name) {
    const char* wanted = std::getenv("ORLENTA_SKIN_SAMPLE_DIR");
    const std::filesystem::path folder = wanted && *wanted ? std::filesystem::path(wanted) : m_dir.path();
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string())));
  }

  testkit::TempDir m_dir;
};

TEST_F(SampleTest, TheShippedSkinDrawsEveryButtonWithItsLabel) {
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin((kExecutableFolder / "Orlenta.skf").string()));
  skin.ApplySkin();
  SampleWindow window;
  window.Skin(skin);
  Save(window.dialog().grab().toImage(), "skin-idle.png");

  for (const auto& [element, button] : window.buttons()) {
    SCOPED_TRACE(element);
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_FALSE(button->toolTip().isEmpty());
    // The element's image puts a label or symbol on the button.
    EXPECT_GT(skintest::InkedPixels(window.dialog(), button->geometry().adjusted(4, 4, -4, -4)), 20);
  }

  window.Busy(skin);
  Save(window.dialog().grab().toImage(), "skin-busy.png");
  const QRect convert = window.buttons().at("button_start")->geometry();
  const QColor cancelColour = skintest::ColourAt(window.dialog(), convert.topLeft() + QPoint(10, 8));
  EXPECT_GT(cancelColour.red(), cancelColour.blue()) << "Convert shows the cancel element";
  EXPECT_GT(skintest::InkedPixels(window.dialog(), convert.adjusted(4, 4, -4, -4)), 20);
}

// A button whose look can be drawn for any state, hovered included, which an
// offscreen window never is.
class LookButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  QImage Look(QStyle::State set, QStyle::State clear) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state = (option.state | set) & ~clear;
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xee, 0xf1, 0xf6));
    QPainter painter(&image);
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    return image;
  }
};

// Every element at its size in the main window, in its four looks.
TEST_F(SampleTest, EveryElementLooksDifferentHoveredPressedAndDisabled) {
  const struct {
    const char* element;
    QSize size;
  } elements[] = {
      {"button_start", {154, 45}},    {"button_cancel", {154, 45}}, {"button_help", {154, 45}},
      {"button_settings", {144, 24}}, {"button_add", {73, 23}},     {"button_remove", {96, 23}},
      {"button_folder", {139, 22}},   {"button_play", {31, 20}},    {"button_stop", {31, 20}},
  };
  enum Look { kNormal, kHovered, kPressed, kDisabled, kLooks };

  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin((kSourceFolder / "Orlenta.skf").string()));
  skin.ApplySkin();
  QDialog owner;
  QImage sheet(10 + kLooks * 164, 10 + 9 * 8 + 3 * 45 + 24 + 2 * 23 + 22 + 2 * 20, QImage::Format_ARGB32_Premultiplied);
  sheet.fill(QColor(0xee, 0xf1, 0xf6));
  QPainter painter(&sheet);
  int y = 10;
  for (const auto& e : elements) {
    SCOPED_TRACE(e.element);
    auto* button = new LookButton("label", &owner);
    button->resize(e.size);
    skin.SetSkinElement(button, e.element);
    const std::array<QImage, kLooks> looks = {
        button->Look({}, QStyle::State_MouseOver),
        button->Look(QStyle::State_MouseOver, {}),
        button->Look(QStyle::State_MouseOver | QStyle::State_Sunken, {}),
        button->Look({}, QStyle::State_Enabled | QStyle::State_MouseOver),
    };
    for (int look = kNormal; look < kLooks; ++look) painter.drawImage(10 + look * 164, y, looks[look]);
    y += e.size.height() + 8;

    EXPECT_NE(looks[kNormal], looks[kHovered]);
    EXPECT_NE(looks[kHovered], looks[kPressed]);
    EXPECT_NE(looks[kNormal], looks[kDisabled]);
  }
  painter.end();
  Save(sheet, "skin-states.png");
}

}  // namespace

namespace {

TEST(ShippedSkin, ADarkDesktopGetsTheDarkVariantAndALightOneTheLightSkin) {
  EXPECT_EQ(DarkCompanionOf("/opt/skin/Orlenta.skf"), "/opt/skin/Orlenta.dark.skf");
  EXPECT_EQ(DarkCompanionOf("/opt/my.skins/Orlenta"), "/opt/my.skins/Orlenta.dark.skf");
  ASSERT_TRUE(ReadSkinFile((kSourceFolder / "Orlenta.dark.skf").string()).has_value()) << "no style sheet";

  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  ASSERT_NE(application, nullptr);
  const QPalette desktop = QApplication::palette();
  QPalette dark = desktop;
  dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x24));
  dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
  const struct {
    QPalette palette;
    bool dark;
  } desktops[] = {{desktop, false}, {dark, true}};
  for (const auto& c : desktops) {
    QApplication::setPalette(c.palette);
    EXPECT_EQ(SkinComponent::IsDarkPalette(c.palette), c.dark);
    SkinComponent skin;
    skin.SetUp();
    ASSERT_TRUE(skin.LoadSkin((kSourceFolder / "Orlenta.skf").string()));
    skin.ApplySkin();
    EXPECT_EQ(skin.IsDark(), c.dark);
    {
      QDialog window;
      window.resize(200, 100);
      auto* frame = new QGroupBox("Status", &window);
      frame->setGeometry(10, 10, 180, 80);
      auto* label = new QLabel("Ready", frame);
      label->setGeometry(10, 30, 100, 20);
      window.show();
      const int background = skintest::ColourAt(window, QPoint(3, 3)).lightness();
      const int card = skintest::ColourAt(*frame, QPoint(90, 70)).lightness();
      EXPECT_EQ(background < 80, c.dark) << background;
      EXPECT_EQ(card < 80, c.dark) << card;
      EXPECT_EQ(label->palette().color(QPalette::WindowText).lightness() > 160, c.dark)
          << "the text stands out from its card";
    }
    skin.Deinitialize();
    EXPECT_TRUE(application->styleSheet().isEmpty()) << "the dark variant comes off with the skin";
  }
  QApplication::setPalette(desktop);
  skintest::ResetApplicationLook();
}

}  // namespace
