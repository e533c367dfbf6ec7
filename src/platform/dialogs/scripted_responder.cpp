#include "platform/dialogs/scripted_responder.h"

#include "support/log.h"

ScriptedResponder::ScriptedResponder() : m_pPrevious(GetDialogResponder()) {
  SetDialogResponder(this);
}

ScriptedResponder::~ScriptedResponder() {
  SetDialogResponder(m_pPrevious);
}

int ScriptedResponder::ShowMessage(WindowHandle, const MessageBoxRequest& request) {
  Log("Message box (%s): %s", request.caption.c_str(), request.text.c_str());
  std::lock_guard lock(m_lock);
  m_messages.push_back(request);
  int answer = DefaultAnswer(request.flags);
  if (!m_messageAnswers.empty()) {
    answer = m_messageAnswers.front();
    m_messageAnswers.pop_front();
  }
  m_changed.notify_all();
  return answer;
}

DialogResult ScriptedResponder::ShowDialog(WindowHandle, const DialogRequest& request) {
  Log("Dialog: %s", request.Name().c_str());
  std::function<DialogResult(const DialogRequest&)> handler;
  {
    std::lock_guard lock(m_lock);
    m_dialogs.push_back(request);
    m_changed.notify_all();
    handler = m_dialogHandler;
    if (!handler) {
      if (m_dialogAnswers.empty()) return DialogResult{};
      DialogResult answer = m_dialogAnswers.front();
      m_dialogAnswers.pop_front();
      return answer;
    }
  }
  return handler(request);
}

void ScriptedResponder::QueueMessageAnswer(int answer) {
  std::lock_guard lock(m_lock);
  m_messageAnswers.push_back(answer);
}

void ScriptedResponder::QueueDialogAnswer(DialogResult answer) {
  std::lock_guard lock(m_lock);
  m_dialogAnswers.push_back(std::move(answer));
}

void ScriptedResponder::SetDialogHandler(std::function<DialogResult(const DialogRequest&)> handler) {
  std::lock_guard lock(m_lock);
  m_dialogHandler = std::move(handler);
}

std::vector<MessageBoxRequest> ScriptedResponder::Messages() const {
  std::lock_guard lock(m_lock);
  return m_messages;
}

std::vector<DialogRequest> ScriptedResponder::Dialogs() const {
  std::lock_guard lock(m_lock);
  return m_dialogs;
}

std::vector<std::string> ScriptedResponder::MessageTexts() const {
  std::lock_guard lock(m_lock);
  std::vector<std::string> texts;
  for (const auto& message : m_messages) texts.push_back(message.text);
  return texts;
}

bool ScriptedResponder::WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(m_lock);
  return m_changed.wait_for(lock, timeout, [&] { return m_messages.size() >= count; });
}

std::vector<std::string> ScriptedResponder::DialogNames() const {
  std::lock_guard lock(m_lock);
  std::vector<std::string> names;
  for (const auto& dialog : m_dialogs) names.push_back(dialog.Name());
  return names;
}
