// The window and the settings sheet in the locale's language: the controls'
// captions, the gauge, the tracks line and messages that name a file, in
// German and French, and byte for byte the English source under C.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/widgets/main_dialog.h"
#include "common/test_kit.h"
#include "disc/disc_plan.h"
#include "formats/ffmpeg_page_layout.h"
#include "formats/format_pages.h"
#include "formats/library_pages.h"
#include "formats/widgets/settings_page_widget.h"
#include "formats/widgets/settings_sheet_dialog.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "platform/skin/widgets/skin_component.h"
#include "support/user_text.h"
#include "ui/control_id.h"

namespace {

using namespace control_id;

struct Language {
  const char* lang;
  // The main window.
  const char* addFile;
  const char* convert;
  const char* codecLabel;
  const char* completed;
  const char* status;
  const char* qualityGroup;
  const char* smallerFiles;
  const char* tracks;
  const char* notLocal;  // the message for a dropped web address, after the address
  const char* emptyGauge;
  const char* allVideoFiles;  // the Add File chooser's first type
  // The settings sheet.
  const char* sheetCaption;
  const char* videoBitRate;
  const char* aspectAuto;
  const char* cancel;
  const char* dvdDevice;
  const char* imageWriter;
};

const Language kLanguages[] = {
    {"C", "Add File", "Convert", "Codec Name:", "Completed: 0.00%", "Ready", "Output Quality", "Smaller files",
     "Sound tracks: 1, subtitle tracks: 0",
     "\n\nis not a file on this computer and was not added. Copy it into a local folder first, then add it from "
     "there.",
     "No video listed yet: add files to see how full the disc will be.", "All Video Files",
     "Output file format settings", "Video Bit Rate:", "Auto", "Cancel", "DVD device",
     "Image file in the output folder"},
    {"de_DE.UTF-8", "Hinzufügen", "Umwandeln", "Codec:", "Erledigt: 0.00 %", "Fertig", "Ausgabequalität",
     "Kleinere Dateien", "Tonspuren: 1, Untertitelspuren: 0",
     "\n\nist keine Datei auf diesem Computer und wurde nicht hinzugefügt. Kopieren Sie sie zuerst in einen lokalen "
     "Ordner und fügen Sie sie von dort hinzu.",
     "Noch kein Video in der Liste: Fügen Sie Dateien hinzu, um zu sehen, wie voll die Disc wird.", "Alle Videodateien",
     "Einstellungen des Ausgabeformats", "Video-Bitrate:", "Automatisch", "Abbrechen", "DVD-Laufwerk",
     "Abbilddatei im Ausgabeordner"},
    {"fr_FR.UTF-8", "Ajouter", "Convertir", "Codec :", "Terminé : 0.00 %", "Prêt", "Qualité de sortie",
     "Fichiers plus petits", "Pistes son : 1, pistes de sous-titres : 0",
     "\n\nn’est pas un fichier de cet ordinateur et n’a pas été ajouté. Copiez-le d’abord dans un dossier local, "
     "puis ajoutez-le depuis celui-ci.",
     "Aucune vidéo dans la liste : ajoutez des fichiers pour voir le remplissage du disque.", "Tous les fichiers vidéo",
     "Réglages du format de sortie", "Débit vidéo :", "Auto", "Annuler", "Graveur de DVD",
     "Fichier image dans le dossier de sortie"},
};

QString TextOf(const QWidget* control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  return {};
}

QStringList TextsOf(const QWidget& parent) {
  QStringList texts;
  for (const QLabel* label : parent.findChildren<QLabel*>()) texts << label->text();
  for (const QGroupBox* group : parent.findChildren<QGroupBox*>()) texts << group->title();
  for (const QAbstractButton* button : parent.findChildren<QAbstractButton*>()) texts << button->text();
  return texts;
}

class WindowTexts : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::ScopedEnv lang("LANG", "C");
    InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
  }
  QApplication& application = TestApplication();
  testkit::ScopedEnv all{"LC_ALL", nullptr};
  testkit::ScopedEnv messages{"LC_MESSAGES", nullptr};
};

TEST_F(WindowTexts, TheWindowsControlsGaugeAndMessagesAreInTheLocalesLanguage) {
  testkit::TempDir dir;
  const std::string clip = testkit::MakeClip(dir.File("clip.avi"), {.seconds = 1});
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.lang);
    testkit::ScopedEnv lang("LANG", language.lang);
    InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
    ScopedRegistryFile registry;
    ScriptedResponder responder;
    CCastrel1Dlg core;
    MainDialog dialog(core, nullptr);
    core.SetDefaultSettings();
    core.OnInitDialog();

    EXPECT_EQ(TextOf(dialog.GetDlgItem(kAddFile)).toStdString(), language.addFile);
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kConvert)).toStdString(), language.convert);
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kCodecLabel)).toStdString(), language.codecLabel);
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kCompleted)).toStdString(), language.completed);
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kStatus)).toStdString(), language.status);
    const QStringList texts = TextsOf(dialog);
    EXPECT_TRUE(texts.contains(QString::fromUtf8(language.qualityGroup))) << texts.join("|").toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8(language.smallerFiles))) << texts.join("|").toStdString();
    EXPECT_EQ(DiscPlanLines(core.MakeDiscPlan(), PlanWords::UsersLanguage),
              std::vector<std::string>{language.emptyGauge});
    // The command line's --plan stays English for the scripts that read it.
    EXPECT_EQ(DiscPlanLines(core.MakeDiscPlan()), std::vector<std::string>{kLanguages[0].emptyGauge});

    core.OnButtonBrowseSource();
    const auto choosers = responder.Requests<OpenFilesRequest>();
    ASSERT_EQ(choosers.size(), 1u);
    EXPECT_EQ(choosers[0].filters.at(0).description, language.allVideoFiles);
    EXPECT_EQ(choosers[0].filters.at(0).patterns.at(0), "*.avi") << "the patterns stay as they are";

    core.OnDropFiles({clip});
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kTracks)).toStdString(), language.tracks);
    core.OnDropUriList("https://example.com/film.avi\r\n");
    ASSERT_FALSE(responder.Messages().empty());
    EXPECT_EQ(responder.Messages().back().text, std::string("https://example.com/film.avi") + language.notLocal);
    // The log stays English.
    EXPECT_TRUE(registry.Logged("OnDropFiles - not a local file: https://example.com/film.avi"));
  }
}

TEST_F(WindowTexts, TheSettingsSheetsLabelsChoicesAndButtonsAreInTheLocalesLanguage) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.lang);
    testkit::ScopedEnv lang("LANG", language.lang);
    InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
    std::vector<std::unique_ptr<OutputFormat>> formats = CreateFfmpegFormatPages();
    CPageDVD library;
    SettingsSheetRequest request;
    request.caption = kSettingsSheetCaption;
    request.pages = {formats[kFormatDvd].get(), &library};
    SettingsSheetDialog sheet(request, nullptr);
    sheet.show();
    EXPECT_EQ(sheet.windowTitle().toStdString(), language.sheetCaption);
    const QStringList page = TextsOf(*sheet.PageWidget(0));
    EXPECT_TRUE(page.contains(QString::fromUtf8(language.videoBitRate))) << page.join("|").toStdString();
    const auto* aspect =
        qobject_cast<QComboBox*>(sheet.PageWidget(0)->GetDlgItem(FfmpegPageControls(kFormatDvd).videoAspect));
    ASSERT_NE(aspect, nullptr);
    EXPECT_EQ(aspect->itemText(0).toStdString(), language.aspectAuto);
    EXPECT_EQ(TextOf(GetDlgItem(&sheet, IDCANCEL)).toStdString(), language.cancel);
    // The stored choices stay indices: the words do not reach them.
    sheet.Navigation()->setCurrentRow(1);
    const QStringList devices = TextsOf(*sheet.PageWidget(1));
    EXPECT_TRUE(devices.contains(QString::fromUtf8(language.dvdDevice))) << devices.join("|").toStdString();
    const auto* list = qobject_cast<QComboBox*>(sheet.PageWidget(1)->GetDlgItem(CDiscLibraryPage::kDeviceList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->itemText(list->count() - 1).toStdString(),
              std::string(1, static_cast<char>('A' + list->count() - 1)) + ": " + language.imageWriter);
    sheet.reject();
  }
}

// The skin's button pictures carry English words: in another language the
// buttons show their own labels on the skin's colours; the player's signs
// stay pictures.
TEST_F(WindowTexts, SkinnedButtonsShowTheirLabelsInOtherLanguages) {
  SkinComponent skin;
  skin.SetUp();
  ASSERT_TRUE(skin.LoadSkin(ORLENTA_SKIN_FILE));
  skin.ApplySkin();
  struct Case {
    const char* lang;
    const char* convert;  // "" where the skin's picture says it
  };
  for (const Case& c : {Case{"C", ""}, Case{"de_DE.UTF-8", "Umwandeln"}, Case{"fr_FR.UTF-8", "Convertir"}}) {
    SCOPED_TRACE(c.lang);
    testkit::ScopedEnv lang("LANG", c.lang);
    InstallUserTextTranslations(ORLENTA_TRANSLATIONS);
    ScopedRegistryFile registry;
    ScriptedResponder responder;
    CCastrel1Dlg core;
    MainDialog dialog(core, &skin);
    core.SetDefaultSettings();
    core.OnInitDialog();
    dialog.SetSkin();
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kConvert)).toStdString(), c.convert);
    EXPECT_EQ(dialog.GetDlgItem(kConvert)->property("skinOwnLabel").toBool(), *c.convert != '\0');
    EXPECT_EQ(TextOf(dialog.GetDlgItem(kPlay)), QString()) << "a sign, in every language";
    dialog.show();
    EXPECT_EQ(dialog.GetDlgItem(kConvert)->toolTip().toStdString(), *c.convert != '\0' ? c.convert : "Convert");
  }
  skin.Deinitialize();
}

}  // namespace
