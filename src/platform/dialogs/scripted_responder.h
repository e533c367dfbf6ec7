#pragma once
// A responder without a user: records every message and dialog and answers
// from a script. Tests install it; a command-line front end could too.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/dialogs/message_box.h"

class ScriptedResponder : public DialogResponder {
 public:
  // Installs itself for its lifetime, restoring the previous responder after.
  ScriptedResponder();
  ~ScriptedResponder() override;
  ScriptedResponder(const ScriptedResponder&) = delete;
  ScriptedResponder& operator=(const ScriptedResponder&) = delete;

  int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) override;
  DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) override;

  // Answers, used in order; when none are queued a message box gets its
  // default button and a dialog IDCANCEL.
  void QueueMessageAnswer(int answer);
  void QueueDialogAnswer(DialogResult answer);
  // Called for every dialog before the queue is consulted, if set.
  void SetDialogHandler(std::function<DialogResult(const DialogRequest&)> handler);

  // A typed answer to the next dialog: QueueAnswer<EraseDiscRequest>(IDOK, {'B', true}).
  template <typename Request>
  void QueueAnswer(int code, typename Request::Answer answer = {}) {
    QueueDialogAnswer(MakeDialogResult<Request>(code, std::move(answer)));
  }

  std::vector<MessageBoxRequest> Messages() const;
  std::vector<DialogRequest> Dialogs() const;
  std::vector<std::string> MessageTexts() const;
  std::vector<std::string> DialogNames() const;

  // The requests of one kind, in the order asked.
  template <typename Request>
  std::vector<Request> Requests() const {
    std::vector<Request> found;
    for (const DialogRequest& dialog : Dialogs()) {
      if (const Request* request = dialog.As<Request>()) found.push_back(*request);
    }
    return found;
  }

  // Waits until at least count messages have been shown; false on time-out.
  bool WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  DialogResponder* m_pPrevious;
  mutable std::mutex m_lock;
  mutable std::condition_variable m_changed;
  std::deque<int> m_messageAnswers;
  std::deque<DialogResult> m_dialogAnswers;
  std::function<DialogResult(const DialogRequest&)> m_dialogHandler;
  std::vector<MessageBoxRequest> m_messages;
  std::vector<DialogRequest> m_dialogs;
};
