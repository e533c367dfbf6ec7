#pragma once
// The small dialogs around a conversion as typed requests, so the window's
// core asks for them without widgets (AskDialog) and tests answer them. The
// dialogs themselves are in ui/ and registered by RegisterAuxiliaryDialogs
// (ui/auxiliary_dialogs.h). Each answers with its result code alone.

#include <string>

#include "platform/dialogs/message_box.h"

// "<path>" created successfully, with Play File and Open Folder. Result IDOK (Close) or IDCANCEL.
struct SuccessDialogRequest {
  static constexpr const char* kName = "CSuccessDlg";
  using Answer = ButtonAnswer;
  std::string filePath;
};

// Codec Required. Results: IDOK (1) Download Codec, IDCANCEL (2), kFindCodecSearch (999) Search Google.
inline constexpr int kFindCodecSearch = 999;
struct FindCodecRequest {
  static constexpr const char* kName = "CFindCodec";
  using Answer = ButtonAnswer;
  std::string message;
  std::string fourcc;
};

// Quick Time not installed. Results: IDOK (1) Download the player, IDCANCEL (2).
struct MovWarningRequest {
  static constexpr const char* kName = "CMovWarningDialog";
  using Answer = ButtonAnswer;
};

// About MPEG-4. Result IDOK (CLOSE).
struct Mpeg4HelpRequest {
  static constexpr const char* kName = "CMPEG4Dlg";
  using Answer = ButtonAnswer;
};

// About Orlenta. Result IDOK.
struct AboutRequest {
  static constexpr const char* kName = "CAboutDlg";
  using Answer = ButtonAnswer;
};
