#pragma once
// The one entry for message boxes and modal dialogs. The engine asks through
// it without knowing widgets; the application installs a responder that shows
// the real dialogs on the window thread, tests install a scripted one.

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs/dialog_request.h"

// An owner window as the responder knows it (a QWidget* in the Qt one).
using WindowHandle = void*;

// Buttons
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_TYPEMASK = 0xF;
// Icons
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
inline constexpr unsigned MB_ICONHAND = MB_ICONERROR;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONASTERISK = MB_ICONINFORMATION;
inline constexpr unsigned MB_ICONMASK = 0xF0;
// Default button
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;
// Modality and placement (kept for callers; the Qt responder is always modal)
inline constexpr unsigned MB_APPLMODAL = 0x0;
inline constexpr unsigned MB_SYSTEMMODAL = 0x1000;
inline constexpr unsigned MB_TASKMODAL = 0x2000;
inline constexpr unsigned MB_SETFOREGROUND = 0x10000;
inline constexpr unsigned MB_TOPMOST = 0x40000;

// Answers
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned flags = MB_OK;
};

// What a modal dialog or chooser answered: the button that closed it
// (IDOK, IDCANCEL, or a dialog's own result) and, when the dialog has one,
// its typed answer (the request's Answer type). Built by MakeDialogResult.
struct DialogResult {
  int code = IDCANCEL;
  std::any answer;
};

class DialogResponder {
 public:
  virtual ~DialogResponder() = default;
  // Both may be called from any thread and block until answered.
  virtual int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) = 0;
  virtual DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) = 0;
};

// Installs the process-wide responder (not owned); nullptr removes it.
void SetDialogResponder(DialogResponder* responder);
DialogResponder* GetDialogResponder();

// Told of every message box and dialog before it is shown, on the thread
// that asks (any): the window uses it to call the user back to a window that
// is not active. caption and text are the message's; a dialog's caption is
// its name and its text is empty. nullptr removes it.
using AttentionHandler = std::function<void(const std::string& caption, const std::string& text)>;
void SetAttentionHandler(AttentionHandler handler);

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
// With no responder installed the message is logged and the default button
// is returned, so a headless run never blocks.
int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned flags);

void LogMismatchedAnswer(const char* dialogName);

// Shows a dialog through the responder; without one it is logged and
// answered IDCANCEL. Callers use the typed AskDialog below.
DialogResult ShowModalDialog(WindowHandle owner, const DialogRequest& request);

template <typename Request>
struct DialogReply {
  int code = IDCANCEL;
  // The dialog's answer; empty when it gave none (cancelled, or a responder
  // that answered with the code alone).
  std::optional<typename Request::Answer> answer;
};

// The one place where typed requests and answers meet the responder. An
// answer of another dialog's kind is a responder's mistake: it is logged and
// the reply is IDCANCEL.
template <typename Request>
DialogReply<Request> AskDialog(WindowHandle owner, const Request& request) {
  const DialogResult result = ShowModalDialog(owner, DialogRequest(request));
  DialogReply<Request> reply;
  reply.code = result.code;
  if (const auto* answer = std::any_cast<typename Request::Answer>(&result.answer)) {
    reply.answer = *answer;
  } else if (result.answer.has_value()) {
    LogMismatchedAnswer(Request::kName);
    reply.code = IDCANCEL;
  }
  return reply;
}

// A responder's answer to a request of that kind.
template <typename Request>
DialogResult MakeDialogResult(int code, typename Request::Answer answer = {}) {
  return DialogResult{code, std::move(answer)};
}
template <typename Request>
DialogResult MakeDialogResult(const DialogReply<Request>& reply) {
  DialogResult result{reply.code, {}};
  if (reply.answer) result.answer = *reply.answer;
  return result;
}

// The answer a box gives without a user: its default button.
int DefaultAnswer(unsigned flags);

// The application's title, the caption of most message boxes.
inline constexpr const char* kApplicationTitle = "Orlenta";
