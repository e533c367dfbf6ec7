#include "platform/skin/widgets/skin_component.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "common/test_kit.h"
#include "platform/skin/skin_test_support.h"

namespace {

// Draws Convert red and Cancel green, and names only Convert's tooltip.
constexpr const char* kTwoColourSkin =
    "QPushButton[skinElement=\"button_start\"] { background-color: #ff0000; border: none;"
    " qproperty-toolTip: \"Convert\"; }\n"
    "QPushButton[skinElement=\"button_cancel\"] { background-color: #00ff00; border: none; }\n";

class SkinComponentTest : public ::testing::Test {
 protected:
  SkinComponentTest() {
    m_dialog.resize(300, 100);
    m_convert = AddButton("&Convert", QRect(10, 10, 154, 45));
    m_add = AddButton("&Add File", QRect(200, 10, 73, 23));
    testkit::WriteFile(SkinPath(), kTwoColourSkin);
    testkit::WriteFile(m_dir.File("garbage.skf"), "\x89PNG\r\n\x1A\n not a style sheet {{");
  }
  ~SkinComponentTest() override { skintest::ResetApplicationLook(); }

  std::string SkinPath() const { return m_dir.File("Two Colours.skf"); }

  QPushButton* AddButton(const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, &m_dialog);
    button->setGeometry(geometry);
    return button;
  }

  void StartSkinned(SkinComponent& skin) {
    skin.SetUp();
    ASSERT_TRUE(skin.LoadSkin(SkinPath()));
    skin.ApplySkin();
    skin.IncludeWindow(&m_dialog);
  }

  // The look the window asks for: element, include, redraw.
  void Draw(SkinComponent& skin, QPushButton* button, const char* element) {
    skin.SetSkinElement(button, element);
    skin.IncludeWindow(button);
    skin.Redraw();
  }

  QColor ConvertColour() { return skintest::ColourAt(m_dialog, m_convert->geometry().center()); }

  testkit::TempDir m_dir;
  QDialog m_dialog;
  QPushButton* m_convert = nullptr;
  QPushButton* m_add = nullptr;
};

TEST_F(SkinComponentTest, WithoutAnAppliedSkinEveryCallLeavesTheWindowAlone) {
  const struct {
    const char* situation;
    std::function<void(SkinComponent&, const std::string& skin, const std::string& garbage)> prepare;
  } cases[] = {
      {"not set up", [](SkinComponent& c, const std::string& skin, const std::string&) { c.LoadSkin(skin); }},
      {"set up, nothing loaded", [](SkinComponent& c, const std::string&, const std::string&) { c.SetUp(); }},
      {"the skin file missing",
       [](SkinComponent& c, const std::string& skin, const std::string&) {
         c.SetUp();
         c.LoadSkin(skin + ".missing");
       }},
      {"the skin file garbage",
       [](SkinComponent& c, const std::string&, const std::string& garbage) {
         c.SetUp();
         c.LoadSkin(garbage);
       }},
      {"de-initialised before loading",
       [](SkinComponent& c, const std::string& skin, const std::string&) {
         c.SetUp();
         c.Deinitialize();
         c.SetUp();
         c.LoadSkin(skin);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.situation);
    SkinComponent skin;
    c.prepare(skin, SkinPath(), m_dir.File("garbage.skf"));
    skin.ApplySkin();
    skin.IncludeWindow(&m_dialog);
    Draw(skin, m_convert, "button_start");

    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_FALSE(skin.DrawsElement("button_start"));
    EXPECT_EQ(m_convert->text(), "&Convert");
    EXPECT_FALSE(m_convert->property("skinElement").isValid());
    EXPECT_TRUE(m_convert->toolTip().isEmpty());
  }
}

TEST_F(SkinComponentTest, LoadingReportsWhetherTheFileIsASkin) {
  SkinComponent skin;
  EXPECT_FALSE(skin.LoadSkin(SkinPath())) << "before set-up";
  skin.SetUp();
  EXPECT_FALSE(skin.LoadSkin(m_dir.File("missing.skf")));
  EXPECT_FALSE(skin.LoadSkin(m_dir.File("garbage.skf")));
  EXPECT_FALSE(skin.LoadSkin(m_dir.path().string()));
  EXPECT_TRUE(skin.LoadSkin(SkinPath()));
}

TEST_F(SkinComponentTest, ALoadedSkinShowsOnlyOnceApplied) {
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(SkinPath()));
  skin.SetSkinElement(m_convert, "button_start");
  EXPECT_FALSE(skin.DrawsElement("button_start"));
  EXPECT_EQ(m_convert->text(), "&Convert");

  skin.ApplySkin();
  EXPECT_TRUE(skin.DrawsElement("button_start"));
  EXPECT_FALSE(qApp->styleSheet().isEmpty());
}

TEST_F(SkinComponentTest, AFailedLoadKeepsTheSkinLoadedBefore) {
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(SkinPath()));
  EXPECT_FALSE(skin.LoadSkin(m_dir.File("garbage.skf")));
  skin.ApplySkin();
  EXPECT_TRUE(skin.DrawsElement("button_cancel"));
}

TEST_F(SkinComponentTest, TheLabelIsClearedOnlyForElementsTheSkinDraws) {
  SkinComponent skin;
  StartSkinned(skin);
  Draw(skin, m_convert, "button_start");
  Draw(skin, m_add, "button_add");

  EXPECT_TRUE(m_convert->text().isEmpty());
  EXPECT_EQ(m_convert->property("skinElement").toString(), "button_start");
  EXPECT_EQ(m_convert->toolTip(), "Convert") << "the skin's tooltip";
  EXPECT_EQ(m_convert->accessibleName(), "Convert");

  EXPECT_FALSE(skin.DrawsElement("button_add"));
  EXPECT_EQ(m_add->text(), "&Add File");
  EXPECT_EQ(m_add->property("skinElement").toString(), "button_add");
}

TEST_F(SkinComponentTest, AClearedLabelStaysReadableAsTooltipAndAccessibleName) {
  SkinComponent skin;
  StartSkinned(skin);
  QPushButton* cancel = AddButton("Can&cel && stop", QRect(10, 60, 154, 30));
  QPushButton* explained = AddButton("Cancel", QRect(170, 60, 100, 30));
  explained->setToolTip("Stops the conversion");
  explained->setAccessibleName("Stop converting");

  skin.SetSkinElement(cancel, "button_cancel");
  skin.SetSkinElement(explained, "button_cancel");

  EXPECT_TRUE(cancel->text().isEmpty());
  EXPECT_EQ(cancel->toolTip(), "Cancel & stop");
  EXPECT_EQ(cancel->accessibleName(), "Cancel & stop");
  EXPECT_TRUE(explained->text().isEmpty());
  EXPECT_EQ(explained->toolTip(), "Stops the conversion");
  EXPECT_EQ(explained->accessibleName(), "Stop converting");
}

TEST_F(SkinComponentTest, ANewElementShowsAtOnce) {
  SkinComponent skin;
  StartSkinned(skin);
  Draw(skin, m_convert, "button_start");
  EXPECT_EQ(ConvertColour(), QColor(0xff, 0, 0));

  // As the window does when a job starts and ends.
  Draw(skin, m_convert, "button_cancel");
  EXPECT_EQ(ConvertColour(), QColor(0, 0xff, 0));
  Draw(skin, m_convert, "button_start");
  EXPECT_EQ(ConvertColour(), QColor(0xff, 0, 0));
}

TEST_F(SkinComponentTest, ImagesAreFoundInTheSkinFileFolderWhereverTheProgramRuns) {
  const std::filesystem::path folder = m_dir.path() / "Bob's \"blue\" skin (v2) Über";
  std::filesystem::create_directories(folder / "pics");
  QImage blue(8, 8, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 0xff));
  ASSERT_TRUE(blue.save(QString::fromStdString((folder / "pics" / "blue.png").string())));
  testkit::WriteFile((folder / "Blue.skf").string(),
                     "QPushButton[skinElement=\"button_play\"] {\n"
                     "  image: url(pics/blue.png);\n"
                     "  background-color: #ffffff;\n"
                     "  border: none;\n"
                     "  padding: 0px;\n"
                     "}\n");
  QPushButton* play = AddButton("Play", QRect(10, 60, 8, 8));

  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  SkinComponent skin;
  skin.SetUp();
  const bool loaded = skin.LoadSkin((folder / "Blue.skf").string());
  std::filesystem::current_path(before);
  ASSERT_TRUE(loaded);
  skin.ApplySkin();
  Draw(skin, play, "button_play");

  EXPECT_EQ(skintest::ColourAt(m_dialog, play->geometry().center()), QColor(0, 0, 0xff));
}

TEST_F(SkinComponentTest, DeinitializeTakesTheSkinOffAndEndsTheWork) {
  SkinComponent skin;
  StartSkinned(skin);
  skin.Deinitialize();
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  EXPECT_FALSE(skin.DrawsElement("button_start"));

  skin.SetUp();
  EXPECT_FALSE(skin.LoadSkin(SkinPath()));
  skin.SetSkinElement(m_convert, "button_start");
  EXPECT_EQ(m_convert->text(), "&Convert");
}

TEST_F(SkinComponentTest, DeinitializeLeavesAStyleSheetSetSinceAlone) {
  SkinComponent skin;
  StartSkinned(skin);
  qApp->setStyleSheet("QLabel { color: red; }");
  skin.Deinitialize();
  EXPECT_EQ(qApp->styleSheet(), "QLabel { color: red; }");
}

TEST_F(SkinComponentTest, RedrawSkipsIncludedControlsThatAreGone) {
  SkinComponent skin;
  StartSkinned(skin);
  QPushButton* gone = AddButton("Stop", QRect(10, 60, 31, 20));
  Draw(skin, gone, "button_start");
  delete gone;
  skin.Redraw();
  Draw(skin, m_convert, "button_start");
  EXPECT_EQ(ConvertColour(), QColor(0xff, 0, 0));
}

}  // namespace
