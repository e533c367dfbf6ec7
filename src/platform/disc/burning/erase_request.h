#pragma once
// The erase window as a typed request (AskDialog): the erasable drives and
// the one chosen in advance go out; the answer may pick another drive and a
// full instead of a quick erase.

#include <string>
#include <vector>

#include "platform/dialogs/message_box.h"

struct EraseDrive {
  char id = 0;        // the burner's device id ('A', 'B', ...)
  std::string entry;  // as the device list shows it: "B: File drive ..."

  bool operator==(const EraseDrive&) const = default;
};

struct EraseDiscAnswer {
  char drive = 0;  // 0 keeps the drive chosen in advance
  bool fullErase = false;
};

// Answered IDOK to erase, anything else to leave the disc alone.
struct EraseDiscRequest {
  static constexpr const char* kName = "EraseDialog";
  using Answer = EraseDiscAnswer;

  std::string caption;
  std::vector<EraseDrive> drives;  // the erasable drives, in list order
  char suggested = 0;              // the current device when erasable, else the first erasable; 0 for none
};
