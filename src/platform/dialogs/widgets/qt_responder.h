#pragma once
// The responder of the running application: shows real Qt message boxes and
// dialogs on the window thread, blocking the asking thread until answered.

#include <QHash>
#include <QString>
#include <functional>
#include <mutex>

#include "platform/dialogs/message_box.h"

class QWidget;

class QtResponder : public DialogResponder {
 public:
  using DialogFunction = std::function<DialogResult(QWidget* owner, const DialogRequest& request)>;

  int ShowMessage(WindowHandle owner, const MessageBoxRequest& request) override;
  DialogResult ShowDialog(WindowHandle owner, const DialogRequest& request) override;

  // Dialog classes register how they are shown, by request name.
  void RegisterDialog(const QString& name, DialogFunction show);

 private:
  std::mutex m_lock;
  QHash<QString, DialogFunction> m_dialogs;
};
