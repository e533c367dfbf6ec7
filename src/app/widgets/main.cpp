// orlenta: the program's entry. The window is CCastrel1App's; options (see
// orlenta --help) run the same core without a window instead.

#include <QApplication>
#include <QGuiApplication>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"
#include "app/batch/batch_run.h"
#include "app/main_window_core.h"
#include "app/widgets/castrel1_app.h"
#include "disc/widgets/disc_dialogs.h"
#include "formats/widgets/settings_sheet_dialog.h"
#include "platform/dialogs/widgets/desktop_opener.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "platform/video/video_error.h"
#include "platform/video/widgets/codec_settings_dialog.h"
#include "support/crash_handler.h"
#include "support/runtime_folder.h"
#include "support/user_text.h"
#include "ui/auxiliary_dialogs.h"

namespace {

int RunWithoutWindow(std::vector<std::string> arguments) {
  // No display is needed, whatever DISPLAY or QT_QPA_PLATFORM say: the
  // offscreen platform still gives Qt's fonts and images (the DVD menu's
  // picture is painted), and it is chosen here rather than in the
  // environment, which the job's programs inherit.
  char name[] = "orlenta";  // how the help names the program
  char platformOption[] = "-platform";
  char offscreen[] = "offscreen";
  int guiArgc = 3;
  char* guiArgv[] = {name, platformOption, offscreen, nullptr};
  SendQtMessagesToLog();
  QGuiApplication application(guiArgc, guiArgv);
  QGuiApplication::setApplicationName("Orlenta");
  InstallUserTextTranslations();
  // The arguments as bytes: a file name need not be UTF-8.
  arguments.front() = name;
  return RunCommandLine(arguments, [](CCastrel1Dlg& core) { PressConvertButton(core); });
}

}  // namespace

int main(int argc, char* argv[]) {
  // First of all, so that a crash anywhere in the run leaves a report.
  InstallCrashHandler("Orlenta");
  PrintOnlyLibraryErrors();
  const ScopedRuntimeFolder runtimeFolder;
  const std::vector<std::string> arguments(argv, argv + argc);
  if (WantsCommandLine(arguments)) return RunWithoutWindow(arguments);

  QApplication application(argc, argv);
  QApplication::setApplicationName("Orlenta");
  QApplication::setDesktopFileName("orlenta");
  InstallUserTextTranslations();
  QtResponder responder;
  SetDialogResponder(&responder);
  InstallDesktopOpener();
  RegisterAuxiliaryDialogs(responder);
  RegisterDiscDialogs(responder);
  RegisterSettingsSheet(responder);
  RegisterCodecSettingsDialog(responder);

  // Every file given (the desktop entry passes all the chosen ones), as bytes.
  CCastrel1App app(WindowCommandLineFiles(arguments));
  app.InitInstance();
  const int exitCode = app.ExitInstance();
  SetDialogResponder(nullptr);
  return exitCode;
}
