// The window's texts in the user's language: German and French by the locale,
// English (the source, byte for byte) under C and for any other language.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/ping.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "support/event_wait.h"
#include "support/user_text.h"

namespace {

using namespace std::chrono_literals;

QCoreApplication& CoreApplication() {
  static int argc = 1;
  static char name[] = "test_user_texts";
  static char* argv[] = {name, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  return *app;
}

struct Language {
  const char* lang;
  bool translated;
  const char* noFiles;
  const char* cancelled;
  const char* message;  // the caption
  const char* status;
};

TEST(UserTexts, TheWindowsMessagesAndStatusAreInTheLocalesLanguage) {
  CoreApplication();
  testkit::TempDir dir;
  const std::string clip = testkit::MakeClip(dir.File("clip.avi"), {.seconds = 1});
  const Language languages[] = {
      {"C", false, "No input files added.\nPlease click 'Add File' to add files!", "Conversion canceled by user!",
       "Message", "Conversion canceled!"},
      {"de_DE.UTF-8", true,
       "Keine Eingabedateien hinzugefügt.\nBitte klicken Sie auf „Datei hinzufügen“, um Dateien hinzuzufügen!",
       "Umwandlung vom Benutzer abgebrochen!", "Meldung", "Umwandlung abgebrochen!"},
      {"fr_FR.UTF-8", true,
       "Aucun fichier d’entrée ajouté.\nCliquez sur « Ajouter un fichier » pour ajouter des fichiers !",
       "Conversion annulée par l’utilisateur !", "Message", "Conversion annulée !"},
      // No catalogue: English.
      {"sv_SE.UTF-8", false, "No input files added.\nPlease click 'Add File' to add files!",
       "Conversion canceled by user!", "Message", "Conversion canceled!"},
  };
  testkit::ScopedEnv all("LC_ALL", nullptr);
  testkit::ScopedEnv messages("LC_MESSAGES", nullptr);
  for (const Language& language : languages) {
    SCOPED_TRACE(language.lang);
    testkit::ScopedEnv lang("LANG", language.lang);
    EXPECT_EQ(InstallUserTextTranslations(ORLENTA_TRANSLATIONS), language.translated);
    ScopedRegistryFile registry;
    ScriptedResponder responder;
    RecordingView view;
    CCastrel1Dlg core;
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
    core.m_strOutputFolder = core.m_strChosenFolder = dir.File("");
    core.m_nOutputFormat = kFormatAvi;

    core.OnButtonConvert();
    ASSERT_EQ(responder.Messages().size(), 1u);
    EXPECT_EQ(responder.Messages()[0].text, language.noFiles);
    EXPECT_EQ(responder.Messages()[0].caption, "Orlenta");

    view.list = {clip};
    core.OnButtonConvert();
    core.OnButtonConvert();  // cancels
    ASSERT_EQ(responder.Messages().size(), 2u);
    EXPECT_EQ(responder.Messages()[1].text, language.cancelled);
    EXPECT_EQ(responder.Messages()[1].caption, language.message);
    EXPECT_EQ(view.status, language.status);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !core.m_bListRunning; }, 120s));
    // The log stays English.
    EXPECT_TRUE(registry.Logged("Cancelling conversion"));
    StopFlag::Set(false);
  }
  testkit::ScopedEnv lang("LANG", "C");
  InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
}

}  // namespace
