// orlenta: the program's entry. Everything else is CCastrel1App's.

#include <QApplication>
#include <string>

#include "app/widgets/castrel1_app.h"
#include "disc/widgets/disc_dialogs.h"
#include "platform/dialogs/widgets/desktop_opener.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "support/crash_handler.h"
#include "ui/auxiliary_dialogs.h"

int main(int argc, char* argv[]) {
  // First of all, so that a crash anywhere in the run leaves a report.
  InstallCrashHandler("Orlenta");
  QApplication application(argc, argv);
  QApplication::setApplicationName("Orlenta");
  QApplication::setDesktopFileName("orlenta");
  QtResponder responder;
  SetDialogResponder(&responder);
  InstallDesktopOpener();
  RegisterAuxiliaryDialogs(responder);
  RegisterDiscDialogs(responder);

  CCastrel1App app(argc > 1 ? argv[1] : "");
  app.InitInstance();
  const int exitCode = app.ExitInstance();
  SetDialogResponder(nullptr);
  return exitCode;
}
