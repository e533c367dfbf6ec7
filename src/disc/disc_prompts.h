#pragma once
// The disc flows' two small prompts as typed requests (AskDialog), so the
// window's core asks without widgets and tests answer them. Their widgets are
// in disc/widgets/. Each prompt's Erase button runs erase while the prompt is
// open: the burner's own erase window (burner::EraseDialog).

#include <functional>
#include <string>

#include "platform/dialogs/message_box.h"

// "Continue" (IDOK) or "Cancel" (IDCANCEL) for the next CD, with the
// caller's text; its "Erase Rewritable CD" button leaves it open.
struct CDCountDlgRequest {
  static constexpr const char* kName = "CCDCountDlg";
  using Answer = ButtonAnswer;
  std::string text;
  std::function<void()> erase;
};

// A DVD that is not blank: "OK" (IDOK) to try again, "Cancel" (IDCANCEL);
// its "Erase Rewritable DVD" button erases and then closes it with IDOK.
struct EraseDVDDlgRequest {
  static constexpr const char* kName = "CEraseDVDDlg";
  using Answer = ButtonAnswer;
  std::function<void()> erase;
};

inline constexpr const char* kEraseDvdPromptText =
    "The DVD inserted is not blank. Please insert a blank DVD, or erase a rewritable one and select OK to continue "
    "burning. You can also click 'Cancel' to stop the process.";

// The text a DVD title shows on the menu: "OK" with the text typed, or
// "Cancel". An empty text gives the title its file's name again.
struct TitleTextRequest {
  static constexpr const char* kName = "TitleText";
  struct Answer {
    std::string text;
  };
  std::string fileName;  // the listed file, for the dialog's question
  std::string text;      // the title's text now
};
