#pragma once
// The responder of the running application: shows real Qt message boxes and
// dialogs on the window thread, blocking the asking thread until answered.
// The open-file and folder choosers are registered from the start; dialog
// classes register how they are shown, by request type.

#include <functional>
#include <map>
#include <mutex>
#include <typeindex>

#include "platform/dialogs/message_box.h"

class QWidget;

class QtResponder : public DialogResponder {
 public:
  using DialogFunction = std::function<DialogResult(QWidget* owner, const DialogRequest& request)>;

  QtResponder();

  int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) override;
  DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) override;

  // show(owner, request) runs on the window thread; a later registration replaces an earlier one.
  template <typename Request>
  void Register(std::function<DialogReply<Request>(QWidget* owner, const Request& request)> show) {
    RegisterDialog(typeid(Request), [show = std::move(show)](QWidget* owner, const DialogRequest& request) {
      return MakeDialogResult<Request>(show(owner, *request.As<Request>()));
    });
  }

  template <typename Request>
  bool Handles() const {
    std::lock_guard lock(m_lock);
    return m_dialogs.count(typeid(Request)) != 0;
  }

 private:
  void RegisterDialog(std::type_index type, DialogFunction show);

  mutable std::mutex m_lock;
  std::map<std::type_index, DialogFunction> m_dialogs;
};
