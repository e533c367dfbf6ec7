#pragma once
// The settings sheet as a typed request (AskDialog): the pages it shows, in
// order, and the one it opens on. The pages are borrowed: the sheet makes
// their widgets while it is shown and writes the user's choices into them.
// It ends with IDOK or IDCANCEL.

#include <QtGlobal>
#include <string>
#include <vector>

#include "formats/settings_page.h"
#include "platform/dialogs/message_box.h"

struct SettingsSheetRequest {
  static constexpr const char* kName = "CMFCPropertySheet";
  using Answer = ButtonAnswer;

  std::string caption;
  std::vector<SettingsPage*> pages;
  int startPage = 0;          // an index outside the pages opens the first
  int navigationWidth = 100;  // the list of page titles on the left, dialog units
};

inline constexpr const char* kSettingsSheetCaption = QT_TRANSLATE_NOOP("UserText", "Output file format settings");
