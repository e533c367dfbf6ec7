#include "ui/static_link.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "platform/skin/widgets/skin_component.h"
#include "ui/control_id.h"
#include "ui/hyperlink.h"
#include "ui_test_support.h"

namespace {

using uitest::App;

// A dialog-like parent with one static text, id 1043.
struct Host {
  Host(const QString& text = "Support Center") : label(new QLabel(text, &parent)) {
    SetControlId(label, 1043);
    parent.show();
  }
  QWidget parent;
  QLabel* label;
};

TEST(CStaticLink, LooksLikeALinkOnceAttached) {
  App();
  Host host;
  CStaticLink link("https://www.example.org/", false);
  EXPECT_FALSE(link.SubclassDlgItem(999, &host.parent)) << "no control with that id";
  ASSERT_TRUE(link.SubclassDlgItem(1043, &host.parent));
  EXPECT_TRUE(host.label->font().underline());
  EXPECT_EQ(host.label->palette().color(QPalette::WindowText), CStaticLink::kUnvisitedColor);
  EXPECT_EQ(host.label->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(host.label->autoFillBackground());
}

TEST(CStaticLink, OpensItsAddressAndTurnsPurple) {
  App();
  Host host;
  uitest::RecordingOpener opener;
  CStaticLink link("https://www.example.org/page", false);
  link.SubclassDlgItem(1043, &host.parent);
  uitest::LeftClick(host.label);
  EXPECT_EQ(opener.Opened(), std::vector<std::string>{"https://www.example.org/page"});
  EXPECT_EQ(link.Color(), CStaticLink::kVisitedColor);
  EXPECT_EQ(host.label->palette().color(QPalette::WindowText), CStaticLink::kVisitedColor);
}

TEST(CStaticLink, AnAddressThatCannotBeOpenedBeepsAndStaysBlue) {
  App();
  Host host;
  uitest::RecordingOpener opener(false);
  CStaticLink link("https://unreachable.example/", false);
  int beeps = 0;
  link.SetBeep([&] { ++beeps; });
  link.SubclassDlgItem(1043, &host.parent);
  uitest::LeftClick(host.label);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(opener.Opened().size(), 1U);
  EXPECT_EQ(link.Color(), CStaticLink::kUnvisitedColor);
  EXPECT_EQ(host.label->palette().color(QPalette::WindowText), CStaticLink::kUnvisitedColor);
}

TEST(CStaticLink, AnEmptyAddressOpensTheControlsOwnText) {
  App();
  Host host("https://www.example.org/from-text");
  uitest::RecordingOpener opener;
  CStaticLink link;
  link.SubclassDlgItem(1043, &host.parent);
  uitest::LeftClick(host.label);
  EXPECT_EQ(opener.Opened(), std::vector<std::string>{"https://www.example.org/from-text"});
  EXPECT_TRUE(link.Link().IsEmpty()) << "the link keeps no address of its own";

  Host blank("");
  CStaticLink empty;
  int beeps = 0;
  empty.SetBeep([&] { ++beeps; });
  empty.SubclassDlgItem(1043, &blank.parent);
  uitest::LeftClick(blank.label);
  EXPECT_EQ(opener.Opened().size(), 1U) << "no address and no text: nothing happens";
  EXPECT_EQ(beeps, 0);
}

TEST(CStaticLink, OnlyTheLeftButtonOpens) {
  App();
  Host host;
  uitest::RecordingOpener opener;
  CStaticLink link("https://www.example.org/", false);
  link.SubclassDlgItem(1043, &host.parent);
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(2, 2), host.label->mapToGlobal(QPointF(2, 2)), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QCoreApplication::sendEvent(host.label, &right);
  EXPECT_TRUE(opener.Opened().empty());
}

TEST(CStaticLink, DeletedWithItsControlWhenAskedTo) {
  App();
  Host host;
  QPointer<CStaticLink> owned = new CStaticLink("https://www.example.org/", true);
  owned->SubclassDlgItem(1043, &host.parent);
  CStaticLink kept("https://www.example.org/", false);
  kept.SubclassDlgItem(1043, &host.parent);
  delete host.label;
  EXPECT_TRUE(owned.isNull());
  EXPECT_EQ(kept.Control(), nullptr) << "the other link forgets its control";
}

TEST(CStaticLink, APictureKeepsItsLook) {
  App();
  Host host;
  QPixmap picture(8, 8);
  picture.fill(Qt::red);
  host.label->setPixmap(picture);
  const QFont before = host.label->font();
  CStaticLink link("https://www.example.org/", false);
  ASSERT_TRUE(link.SubclassDlgItem(1043, &host.parent));
  EXPECT_FALSE(host.label->font().underline());
  EXPECT_EQ(host.label->font(), before);
}

// How many of the pixels drawn are near colour (text is drawn smoothed).
int PixelsNear(const QImage& picture, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor pixel = picture.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
              std::abs(pixel.blue() - colour.blue()) <
          40) {
        ++count;
      }
    }
  }
  return count;
}

TEST(CStaticLink, IsDrawnBlueAndThenPurpleUnderTheSkin) {
  App();
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(ORLENTA_SKIN_FILE));
  skin.ApplySkin();
  {
    Host host("Support Center Support Center");
    host.label->resize(host.label->sizeHint());
    uitest::RecordingOpener opener;
    CStaticLink link("https://www.example.org/", false);
    ASSERT_TRUE(link.SubclassDlgItem(1043, &host.parent));
    const QColor ink(0x1f, 0x2a, 0x3d);  // the skin's text colour
    QImage picture = host.label->grab().toImage();
    EXPECT_GT(PixelsNear(picture, CStaticLink::kUnvisitedColor), 20);
    EXPECT_EQ(PixelsNear(picture, ink), 0);
    uitest::LeftClick(host.label);
    picture = host.label->grab().toImage();
    EXPECT_GT(PixelsNear(picture, CStaticLink::kVisitedColor), 20);
    EXPECT_EQ(PixelsNear(picture, CStaticLink::kUnvisitedColor), 0);
    EXPECT_TRUE(host.label->font().underline()) << "the skin keeps the link's underline";
  }
  skin.Deinitialize();
}

TEST(CHyperlink, EmptyOpensNothing) {
  uitest::RecordingOpener opener;
  EXPECT_FALSE(CHyperlink().Open());
  EXPECT_TRUE(CHyperlink("https://www.example.org/").Open());
  EXPECT_EQ(opener.Opened(), std::vector<std::string>{"https://www.example.org/"});
}

}  // namespace
