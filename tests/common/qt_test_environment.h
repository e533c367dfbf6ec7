#pragma once
// The QApplication of a widget test program for the whole run: made before
// the first test and destroyed after the last one. Register it once per
// program:
//   [[maybe_unused]] const auto* const kQtEnvironment =
//       ::testing::AddGlobalTestEnvironment(new QtTestEnvironment("test_name"));

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

class QtTestEnvironment : public ::testing::Environment {
 public:
  explicit QtTestEnvironment(const char* programName) : m_programName(programName) {}

  void SetUp() override {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(m_programName), nullptr};
    m_application = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { m_application.reset(); }

 private:
  const char* m_programName;
  std::unique_ptr<QApplication> m_application;
};
