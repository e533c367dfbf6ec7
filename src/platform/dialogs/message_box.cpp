#include "platform/dialogs/message_box.h"

#include <atomic>
#include <mutex>
#include <string>

#include "support/log.h"

namespace {
std::atomic<DialogResponder*> g_responder{nullptr};
std::mutex g_attentionLock;
AttentionHandler g_attention;

void CallForAttention(const std::string& caption, const std::string& text) {
  AttentionHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_attentionLock);
    handler = g_attention;
  }
  if (handler) handler(caption, text);
}
}  // namespace

void SetAttentionHandler(AttentionHandler handler) {
  std::lock_guard<std::mutex> lock(g_attentionLock);
  g_attention = std::move(handler);
}

void SetDialogResponder(DialogResponder* responder) {
  g_responder.store(responder);
}

DialogResponder* GetDialogResponder() {
  return g_responder.load();
}

int DefaultAnswer(unsigned flags) {
  static constexpr int kButtons[][3] = {
      {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
      {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
  };
  const unsigned type = flags & MB_TYPEMASK;
  const unsigned index = (flags & MB_DEFMASK) >> 8;
  if (type >= std::size(kButtons) || index > 2) return IDOK;
  return kButtons[type][index];
}

int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned flags) {
  MessageBoxRequest request{std::string(text), std::string(caption), flags};
  CallForAttention(request.caption, request.text);
  if (DialogResponder* responder = g_responder.load()) return responder->ShowMessage(owner, request);
  Log("Message box without a window (%s): %s", request.caption.c_str(), request.text.c_str());
  return DefaultAnswer(flags);
}

DialogResult ShowModalDialog(WindowHandle owner, const DialogRequest& request) {
  CallForAttention(request.Name(), "");
  if (DialogResponder* responder = g_responder.load()) return responder->ShowDialog(owner, request);
  Log("Dialog without a window: %s", request.Name().c_str());
  return DialogResult{};
}

void LogMismatchedAnswer(const char* dialogName) {
  Log("The answer to %s is of another dialog's kind; taken as Cancel", dialogName);
}
