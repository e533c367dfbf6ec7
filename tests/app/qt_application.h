#pragma once
// The one QApplication of a widget test program, made on first use. It is
// never destroyed: at exit, Qt's own statics (the input devices an event
// registered) may already be gone.

#include <QApplication>

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "orlenta-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
