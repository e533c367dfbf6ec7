// The window's texts in the user's language: German and French by the locale,
// English (the source, byte for byte) under C and for any other language.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "convert/disc_tracks.h"
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

// A button's word: its own where a language needs one ("Cancel" the command,
// not the status line's "cancelled"), else the plain one; Qt's own texts
// follow the language where the system has Qt's catalogues.
TEST(UserTexts, ButtonsHaveTheirOwnWordsAndQtsTextsFollowTheLanguage) {
  CoreApplication();
  testkit::ScopedEnv all("LC_ALL", nullptr);
  testkit::ScopedEnv messages("LC_MESSAGES", nullptr);
  {
    testkit::ScopedEnv lang("LANG", "de_DE.UTF-8");
    ASSERT_TRUE(InstallUserTextTranslations(ORLENTA_TRANSLATIONS));
    EXPECT_EQ(UserText::Button("Cancel"), "Abbrechen");
    EXPECT_EQ(UserText::tr("Cancel"), "Abgebrochen");
    EXPECT_EQ(UserText::Button("Convert"), "Umwandeln") << "the plain word where the button has none of its own";
    const QString qtCatalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    if (QFile::exists(qtCatalogue)) {
      EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    }
  }
  testkit::ScopedEnv lang("LANG", "C");
  EXPECT_FALSE(InstallUserTextTranslations(ORLENTA_TRANSLATIONS));
  EXPECT_EQ(UserText::Button("Cancel"), "Cancel");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

// The question about tracks a disc cannot carry: in the user's language for
// the question, in English for the log.
TEST(UserTexts, TheLeftOutTracksQuestionIsInTheLocalesLanguage) {
  CoreApplication();
  testkit::ScopedEnv all("LC_ALL", nullptr);
  testkit::ScopedEnv messages("LC_MESSAGES", nullptr);
  SourceTracks source;
  source.sounds = {{1, "eng", "", 2}, {2, "ger", "", 2}, {3, "", "", 2}};
  const DiscTracks tracks = PlanDiscTracks(source, DiscKind::Dvd, TrackWriter::Library);
  const struct {
    const char* lang;
    const char* question;
  } cases[] = {
      {"C",
       "A DVD made by the video library holds one sound track: 'German' and 'sound track 3' of 'a.mkv' will be "
       "left out. Go on?"},
      {"de_DE.UTF-8",
       "Eine DVD aus der Videobibliothek fasst nur eine Tonspur – aus „a.mkv“ wird weggelassen: "
       "'German' und 'Tonspur 3'. Fortfahren?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lang);
    testkit::ScopedEnv lang("LANG", c.lang);
    InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
    const std::string sentence =
        LeftOutSentence(tracks, DiscKind::Dvd, TrackWriter::Library, "a.mkv", TrackWords::UsersLanguage);
    EXPECT_EQ(LeftOutQuestion({sentence}, TrackWords::UsersLanguage), c.question);
    EXPECT_EQ(LeftOutQuestion({LeftOutSentence(tracks, DiscKind::Dvd, TrackWriter::Library, "a.mkv")}),
              cases[0].question);
  }
  testkit::ScopedEnv lang("LANG", "C");
  InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
}

// A pattern is filled after its translation, in one pass, with the values'
// bytes as they are.
TEST(UserTexts, APatternIsFilledOncePerPlaceholder) {
  struct Case {
    const char* pattern;
    std::vector<std::string> values;
    std::string filled;
  };
  const std::vector<Case> cases = {
      {"%1 is not a video file", {"a%2b.avi"}, "a%2b.avi is not a video file"},
      {"%2 then %1", {"one", "two"}, "two then one"},
      {"Completed: %1%", {"37.25"}, "Completed: 37.25%"},
      {"%1 of %2, %3 % full", {"4.70 GB", "DVD-5", "93"}, "4.70 GB of DVD-5, 93 % full"},
      {"%3 has no value", {"x"}, "%3 has no value"},
      {"%1", {std::string("caf\xe9.avi")}, std::string("caf\xe9.avi")},  // not UTF-8
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    std::string filled;
    switch (c.values.size()) {
      case 1:
        filled = UserText::Fill(c.pattern, {c.values[0]});
        break;
      case 2:
        filled = UserText::Fill(c.pattern, {c.values[0], c.values[1]});
        break;
      default:
        filled = UserText::Fill(c.pattern, {c.values[0], c.values[1], c.values[2]});
        break;
    }
    EXPECT_EQ(filled, c.filled);
  }
}

// Every translation keeps its source's placeholders, and the status lines a
// job's time estimate reads ("Converting to ...") keep their common start.
TEST(UserTexts, TranslationsKeepTheirSourcesPlaceholders) {
  const QRegularExpression placeholder("%[1-9]");
  for (const char* language : {"de", "fr"}) {
    SCOPED_TRACE(language);
    QFile file(QString(ORLENTA_CATALOGUES) + "/orlenta_" + language + ".ts");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    QString convertingTo;
    std::vector<std::pair<QString, QString>> converting;
    int messages = 0;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
      if (!xml.isStartElement()) continue;
      if (xml.name() == QLatin1String("source")) source = xml.readElementText();
      if (xml.name() != QLatin1String("translation")) continue;
      const QString translation = xml.readElementText();
      ++messages;
      QStringList wanted;
      QStringList found;
      for (const auto& match : placeholder.globalMatch(source)) wanted << match.captured();
      for (const auto& match : placeholder.globalMatch(translation)) found << match.captured();
      wanted.sort();
      found.sort();
      EXPECT_EQ(found, wanted) << source.toStdString() << " -> " << translation.toStdString();
      if (source == "Converting to") convertingTo = translation;
      if (source.startsWith("Converting to ")) converting.emplace_back(source, translation);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 200);
    ASSERT_FALSE(convertingTo.isEmpty());
    for (const auto& [english, translation] : converting) {
      EXPECT_TRUE(translation.startsWith(convertingTo)) << english.toStdString();
    }
  }
}

}  // namespace
