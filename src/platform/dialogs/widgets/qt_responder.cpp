#include "platform/dialogs/widgets/qt_responder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "platform/dialogs/widgets/file_chooser_dialogs.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

// Runs work on the application's thread and waits for it.
template <typename Result, typename Work>
Result OnWindowThread(Work work) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return work();
  Result result{};
  QMetaObject::invokeMethod(
      app, [&] { result = work(); }, Qt::BlockingQueuedConnection);
  return result;
}

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

struct ButtonChoice {
  QMessageBox::StandardButton button;
  int id;
};

// The buttons' words as Qt gives them in English, in the user's language from
// our own catalogue, so that a system without Qt's catalogues still shows them
// translated.
const char* ButtonText(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return QT_TRANSLATE_NOOP("UserText", "OK");
    case QMessageBox::Cancel:
      return QT_TRANSLATE_NOOP("UserText", "Cancel");
    case QMessageBox::Yes:
      return QT_TRANSLATE_NOOP("UserText", "&Yes");
    case QMessageBox::No:
      return QT_TRANSLATE_NOOP("UserText", "&No");
    case QMessageBox::Abort:
      return QT_TRANSLATE_NOOP("UserText", "&Abort");
    case QMessageBox::Retry:
      return QT_TRANSLATE_NOOP("UserText", "&Retry");
    case QMessageBox::Ignore:
      return QT_TRANSLATE_NOOP("UserText", "&Ignore");
    default:
      return nullptr;
  }
}

std::vector<ButtonChoice> ButtonsOf(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
      return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
      return {{QMessageBox::Ok, IDOK}};
  }
}

}  // namespace

int QtResponder::ShowMessage(WindowHandle owner, const MessageBoxRequest& request) {
  return OnWindowThread<int>([&] {
    QMessageBox box(IconOf(request.flags), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, static_cast<QWidget*>(owner));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const auto buttons = ButtonsOf(request.flags);
    QMessageBox::StandardButtons all;
    for (const auto& choice : buttons) all |= choice.button;
    box.setStandardButtons(all);
    for (const auto& choice : buttons) {
      if (const char* text = ButtonText(choice.button)) {
        box.button(choice.button)->setText(UserText::Button(text));
      }
    }
    const std::size_t defaultIndex = std::min<std::size_t>((request.flags & MB_DEFMASK) >> 8, buttons.size() - 1);
    box.setDefaultButton(buttons[defaultIndex].button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& choice : buttons) {
      if (choice.button == pressed) return choice.id;
    }
    // Closing the box with Escape or the title bar answers like Cancel would.
    return buttons.size() == 1 ? IDOK : IDCANCEL;
  });
}

QtResponder::QtResponder() {
  Register<OpenFilesRequest>(ShowOpenFiles);
  Register<BrowseFolderRequest>(ShowBrowseFolder);
}

DialogResult QtResponder::ShowDialog(WindowHandle owner, const DialogRequest& request) {
  DialogFunction show;
  {
    std::lock_guard lock(m_lock);
    if (const auto found = m_dialogs.find(request.Type()); found != m_dialogs.end()) show = found->second;
  }
  if (!show) {
    Log("No dialog registered for %s", request.Name().c_str());
    return DialogResult{};
  }
  return OnWindowThread<DialogResult>([&] { return show(static_cast<QWidget*>(owner), request); });
}

void QtResponder::RegisterDialog(std::type_index type, DialogFunction show) {
  std::lock_guard lock(m_lock);
  m_dialogs[type] = std::move(show);
}
