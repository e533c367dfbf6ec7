#pragma once
// The display facts of the system report, read from Qt's screens. Lives on
// the widget side because the engine links no QtGui; the application calls
// it after creating its QApplication and passes the result to LogSystemInfo.

#include "support/system_info.h"

// DisplayFacts{} (no screen) when there is no QGuiApplication or no screen.
DisplayFacts ReadDisplayFacts();
