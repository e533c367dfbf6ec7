// orlenta: the program's entry. Everything else is CCastrel1App's.

#include <QApplication>
#include <string>

#include "app/widgets/castrel1_app.h"
#include "platform/dialogs/widgets/desktop_opener.h"
#include "platform/dialogs/widgets/qt_responder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Orlenta");
  QApplication::setDesktopFileName("orlenta");
  QtResponder responder;
  SetDialogResponder(&responder);
  InstallDesktopOpener();

  CCastrel1App app(argc > 1 ? argv[1] : "");
  app.InitInstance();
  const int exitCode = app.ExitInstance();
  SetDialogResponder(nullptr);
  return exitCode;
}
