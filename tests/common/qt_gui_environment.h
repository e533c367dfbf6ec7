#pragma once
// The QGuiApplication of a test program that draws text without widgets
// (fonts need one), for the whole run. Register it once per program:
//   [[maybe_unused]] const auto* const kGuiEnvironment =
//       ::testing::AddGlobalTestEnvironment(new QtGuiTestEnvironment("test_name"));

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

class QtGuiTestEnvironment : public ::testing::Environment {
 public:
  explicit QtGuiTestEnvironment(const char* programName) : m_programName(programName) {}

  void SetUp() override {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(m_programName), nullptr};
    m_application = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { m_application.reset(); }

 private:
  const char* m_programName;
  std::unique_ptr<QGuiApplication> m_application;
};
