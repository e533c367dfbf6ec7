#include "app/widgets/castrel1_app.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdlib>

#include "app/main_window_core.h"
#include "app/time_left_view.h"
#include "app/widgets/main_dialog.h"
#include "platform/dialogs/message_box.h"
#include "platform/skin/widgets/skin_component.h"
#include "support/crash_handler.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/product_version.h"
#include "support/system_info.h"
#include "support/user_text.h"
#include "support/widgets/display_facts.h"

CCastrel1App::CCastrel1App(std::vector<std::string> files) : m_arrCommandLineFiles(std::move(files)) {
  // The command line as text, for the log; the files keep their own bytes.
  for (const std::string& file : m_arrCommandLineFiles) {
    m_strCommandLine += (m_strCommandLine.empty() ? "" : " ") + file;
  }
}

CCastrel1App::~CCastrel1App() = default;

std::string CCastrel1App::DataFolder() {
  PathBuffer folder = UserDataFolderPath();
  folder.Append("Orlenta");
  return folder.str() + "/";
}

bool CCastrel1App::InitInstance() {
  const std::string dataFolder = DataFolder();
  QDir().mkpath(QString::fromStdString(dataFolder));
  LogOpen((dataFolder + "Orlenta_log.txt").c_str());
  LogSetTimestamps(true);
  Log("Product Version: %d.%d.%d.%d", kProductVersionMajor, kProductVersionMinor, kProductVersionPatch,
      kProductVersionTweak);
  LogSystemInfo(ReadDisplayFacts());
  // No COM here; the line marks the step.
  Log("CoInitialize... done");
  StartSkin();

  CCastrel1Dlg core;
  MainDialog dialog(core, m_pSkin.get());
  // The time a job has left shows in the title while it runs.
  TimeLeftView view(core, dialog, [&dialog](auto remaining) {
    dialog.setWindowTitle(QString::fromStdString(TimeLeftView::WindowTitle(remaining)));
  });
  core.SetView(&view);
  // The figure stands still while a question waits for the user.
  const QuestionPause pause(view);
  core.m_strCommandLine = m_strCommandLine;
  core.m_arrCommandLineFiles = m_arrCommandLineFiles;
  Log("Set default settings for the NCT Video Library");
  core.SetDefaultSettings();
  Log("Load settings from the registry for the NCT Video Library");
  core.LoadSettings();
  Log("Show main dialog");
  // The tests' crash, once the window runs.
  if (const char* how = std::getenv(kTestCrashVariable)) {
    QTimer::singleShot(0, &dialog, [how = std::string(how)] { CrashForTesting(how); });
  }
  dialog.DoModal();
  return false;
}

void CCastrel1App::StartSkin() {
  m_pSkin = std::make_unique<SkinComponent>();
  Log("Create skin dispathch... done");
  m_pSkin->SetUp();
  const std::string path = ModuleFolderFile("Orlenta.skf").str();
  // A file that is there but holds no style sheet is no skin either.
  if (QFile(QString::fromStdString(path)).open(QIODevice::ReadOnly) && m_pSkin->LoadSkin(path)) {
    Log("Loading skin... done");
    m_pSkin->ApplySkin();
    Log("Appling skin... done");
    return;
  }
  Log("Could not load a skin %s", path.c_str());
  MessageBox(nullptr, UserText::Fill(UserText::tr("Could not load a skin %1"), {path}), kApplicationTitle,
             MB_OK | MB_ICONERROR);
}

int CCastrel1App::ExitInstance() {
  Log("De-initialize the skin");
  if (m_pSkin) m_pSkin->Deinitialize();
  m_pSkin.reset();
  Log("Exit application");
  return 0;
}
