#include "platform/dialogs/widgets/desktop_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/dialogs/shell_open.h"

bool OpenOnDesktop(const std::string& target) {
  const QString text = QString::fromStdString(target);
  // A path is never read as an address, even one with a colon in its name.
  const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::StrictMode);
  if (!url.isValid() || url.scheme().isEmpty()) return false;
  return QDesktopServices::openUrl(url);
}

void InstallDesktopOpener() {
  SetShellOpener(OpenOnDesktop);
}
