#include "support/widgets/display_facts.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

TEST(DisplayFacts, NoApplicationMeansNoScreen) {
  ASSERT_EQ(QGuiApplication::instance(), nullptr);
  EXPECT_EQ(ReadDisplayFacts().monitors, 0);
}

TEST(DisplayFacts, ReadsThePrimaryScreen) {
  int argc = 1;
  char name[] = "test_support_widgets";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  const DisplayFacts facts = ReadDisplayFacts();
  ASSERT_GE(facts.monitors, 1);
  EXPECT_GT(facts.width, 0);
  EXPECT_GT(facts.height, 0);
  EXPECT_GE(facts.virtualWidth, facts.width);
  EXPECT_GE(facts.virtualHeight, facts.height);
  EXPECT_GT(facts.bitsPerPixel, 0);
}

}  // namespace
