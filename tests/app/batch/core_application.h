#pragma once
// The QCoreApplication of a batch test program, made before the first test
// and destroyed after the last one. Register it once per program:
//   [[maybe_unused]] const auto* const kEnvironment =
//       testing::AddGlobalTestEnvironment(new CoreApplication);

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

class CoreApplication : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "orlenta";
    static char* argv[] = {name, nullptr};
    m_application = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override { m_application.reset(); }

 private:
  std::unique_ptr<QCoreApplication> m_application;
};
