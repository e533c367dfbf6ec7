#include "ui/auxiliary_dialogs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>

#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "support/maker_pages.h"
#include "ui/about_dialog.h"
#include "ui/control_id.h"
#include "ui/dialog_units.h"
#include "ui/find_codec_dialog.h"
#include "ui/mov_warning_dialog.h"
#include "ui/mpeg4_dialog.h"
#include "ui/static_link.h"
#include "ui/success_dialog.h"
#include "ui_test_support.h"

namespace {

using uitest::App;

enum class Kind { DefaultButton, Button, Static, Picture };

struct Control {
  int id;
  Kind kind;
  const char* text;
  int x, y, width, height;  // dialog units
};

struct DialogCase {
  const char* name;
  std::function<std::unique_ptr<UnitDialog>()> make;
  const char* caption;
  int width, height;
  std::vector<Control> controls;
};

const std::string kMpeg4Address = Mpeg4PageAddress();

std::vector<DialogCase> Dialogs() {
  return {
      {"CSuccessDlg",
       [] { return std::make_unique<CSuccessDlg>("/videos/my film_new.avi"); },
       "Successful conversion.",
       274,
       76,
       {{1, Kind::DefaultButton, "Close", 183, 53, 53, 17},
        {1040, Kind::Button, "Play File", 43, 53, 53, 17},
        {1046, Kind::Button, "Open Folder", 113, 53, 53, 17},
        {1047, Kind::Static, "\"/videos/my film_new.avi\" created successfully.", 20, 14, 240, 35}}},
      {"CFindCodec",
       [] {
         auto dialog = std::make_unique<CFindCodec>();
         dialog->m_strMessage = "The message";
         dialog->m_strFourCC = "DX50";
         return dialog;
       },
       "Codec Required",
       250,
       110,
       {{1, Kind::DefaultButton, "Download Codec", 7, 62, 70, 14},
        {2, Kind::Button, "Cancel", 173, 62, 70, 14},
        {3, Kind::Button, "Search Google", 90, 62, 70, 14},
        {1044, Kind::Static, "The message", 7, 7, 236, 34},
        {IDC_STATIC, Kind::Static, "If you need help finding and installing the codec, please contact us at our", 7, 81,
         236, 9},
        {1043, Kind::Static, "Support Center", 7, 91, 80, 11}}},
      {"CMovWarningDialog",
       [] { return std::make_unique<CMovWarningDialog>(); },
       "Quick Time not installed",
       302,
       55,
       {{1, Kind::DefaultButton, "Download the player", 60, 29, 74, 17},
        {IDC_STATIC, Kind::Static,
         "To convert .mov files you need to install the free Quick Time player on your computer.", 9, 11, 279, 15},
        {2, Kind::Button, "Cancel", 166, 29, 74, 17}}},
      {"CMPEG4Dlg",
       [] { return std::make_unique<CMPEG4Dlg>(); },
       "About MPEG-4",
       305,
       135,
       {{1, Kind::DefaultButton, "CLOSE", 128, 107, 50, 14},
        {IDC_STATIC, Kind::Static,
         "Please note that MPEG-4 files are saved as AVI file format, i.e. MPEG-4 is a kind of AVI.\n\nSo in order to "
         "convert to MPEG-4 please click the \"Settings\" button and go to the \"AVI\" tab. Then select an MPEG-4 "
         "codec from the download list.",
         9, 9, 292, 34},
        {IDC_STATIC, Kind::Static,
         "If there is no MPEG-4 codec installed on your system please use the following link to download and install "
         "the XviD codec. It is one of the most popular free MPEG-4 codecs.",
         9, 49, 292, 17},
        {1043, Kind::Static, kMpeg4Address.c_str(), 9, 68, 287, 12},
        {IDC_STATIC, Kind::Static, "Then set \"Output Format\" to AVI on the main screen of the program. ", 9, 85, 284,
         14}}},
      {"CAboutDlg",
       [] { return std::make_unique<CAboutDlg>(); },
       "About Orlenta",
       235,
       55,
       {{IDC_STATIC, Kind::Picture, "", 11, 17, 20, 20},
        {IDC_STATIC, Kind::Static, "Orlenta", 40, 10, 134, 8},
        {1, Kind::DefaultButton, "OK", 178, 7, 50, 14}}},
  };
}

TEST(DialogUnits, MapWithTheBaseUnitsOfTheFont) {
  struct Case {
    DialogBaseUnits base;
    QRect units;
    QRect pixels;
  };
  for (const Case& c : {
           // MS Sans Serif 8: 6 x 13; 274.5 and 27.625 round half away from zero.
           Case{{6, 13}, {183, 53, 53, 17}, {275, 86, 80, 28}},
           Case{{6, 13}, {0, 0, 274, 76}, {0, 0, 411, 124}},
           Case{{7, 13}, {9, 68, 287, 12}, {16, 111, 502, 20}},
           Case{{8, 16}, {1, 1, -3, 0}, {2, 2, -6, 0}},
       }) {
    EXPECT_EQ(MapDialogRect(c.units, c.base), c.pixels) << c.base.x << "x" << c.base.y;
  }
  App();
  const DialogBaseUnits dialogFont = BaseUnitsOf(DialogFont());
  EXPECT_GE(dialogFont.x, 5);
  EXPECT_LE(dialogFont.x, 8);
  EXPECT_GE(dialogFont.y, 12);
  EXPECT_LE(dialogFont.y, 16);
}

TEST(AuxiliaryDialogs, EveryControlWithItsIdTextAndPlace) {
  App();
  for (const DialogCase& c : Dialogs()) {
    SCOPED_TRACE(c.name);
    auto dialog = c.make();
    dialog->show();
    EXPECT_EQ(dialog->windowTitle().toStdString(), c.caption);
    EXPECT_EQ(dialog->size(), dialog->DialogRect(0, 0, c.width, c.height).size());
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->property(kControlIdProperty).isValid()) controls.push_back(child);
    }
    ASSERT_EQ(controls.size(), c.controls.size()) << "no control more, none less";
    for (std::size_t i = 0; i < c.controls.size(); ++i) {
      const Control& expected = c.controls[i];
      QWidget* control = controls[i];
      SCOPED_TRACE(expected.text);
      EXPECT_EQ(GetControlId(control), expected.id);
      EXPECT_EQ(control->geometry(), dialog->DialogRect(expected.x, expected.y, expected.width, expected.height));
      // Every text fits its control in the dialog's font: nothing is cut off.
      if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
        const QRect needed = label->fontMetrics().boundingRect(control->rect(), Qt::TextWordWrap, label->text());
        EXPECT_LE(needed.height(), control->height()) << "text cut off at the bottom";
        EXPECT_LE(needed.width(), control->width()) << "text cut off at the side";
      }
      EXPECT_TRUE(control->isVisible());
      if (expected.id != IDC_STATIC) {
        EXPECT_EQ(dialog->GetDlgItem(expected.id), control);
      }
      if (expected.kind == Kind::DefaultButton || expected.kind == Kind::Button) {
        auto* button = qobject_cast<QPushButton*>(control);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), expected.text);
        EXPECT_EQ(button->isDefault(), expected.kind == Kind::DefaultButton);
      } else {
        auto* label = qobject_cast<QLabel*>(control);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text().toStdString(), expected.text);
        EXPECT_EQ(label->pixmap().isNull(), expected.kind != Kind::Picture);
      }
    }
  }
}

TEST(AuxiliaryDialogs, ButtonsEndWithTheirResultsAndEscapeCancels) {
  App();
  struct Case {
    const char* name;
    std::function<std::unique_ptr<UnitDialog>()> make;
    int id;  // 0: press Escape
    int result;
  };
  const Case cases[] = {
      {"success Close", [] { return std::make_unique<CSuccessDlg>("/a.avi"); }, IDOK, IDOK},
      {"success Escape", [] { return std::make_unique<CSuccessDlg>("/a.avi"); }, 0, IDCANCEL},
      {"codec Download", [] { return std::make_unique<CFindCodec>(); }, IDOK, IDOK},
      {"codec Cancel", [] { return std::make_unique<CFindCodec>(); }, IDCANCEL, IDCANCEL},
      {"codec Search", [] { return std::make_unique<CFindCodec>(); }, CFindCodec::IDC_SEARCH, kFindCodecSearch},
      {"mov Download", [] { return std::make_unique<CMovWarningDialog>(); }, IDOK, IDOK},
      {"mov Cancel", [] { return std::make_unique<CMovWarningDialog>(); }, IDCANCEL, IDCANCEL},
      {"mpeg4 CLOSE", [] { return std::make_unique<CMPEG4Dlg>(); }, IDOK, IDOK},
      {"about OK", [] { return std::make_unique<CAboutDlg>(); }, IDOK, IDOK},
      {"about Escape", [] { return std::make_unique<CAboutDlg>(); }, 0, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto dialog = c.make();
    dialog->open();
    ASSERT_TRUE(dialog->isVisible());
    if (c.id == 0) {
      dialog->reject();
    } else {
      static_cast<QPushButton*>(dialog->GetDlgItem(c.id))->click();
    }
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), c.result);
  }
}

TEST(CSuccessDlg, PlaysTheFileAndOpensItsFolderWhileStayingOpen) {
  App();
  uitest::TestLog log;
  uitest::RecordingOpener opener;
  {
    CSuccessDlg dialog("/videos/my film_new.avi");
    dialog.show();
    static_cast<QPushButton*>(dialog.GetDlgItem(CSuccessDlg::IDC_PLAY))->click();
    static_cast<QPushButton*>(dialog.GetDlgItem(CSuccessDlg::IDC_FOLDER))->click();
    EXPECT_TRUE(dialog.isVisible());
    CSuccessDlg atRoot("/film.avi");
    atRoot.OnFolder();
    CSuccessDlg bare("film.avi");
    bare.OnFolder();
  }
  EXPECT_EQ(opener.Opened(), (std::vector<std::string>{"/videos/my film_new.avi", "/videos", "/"}))
      << "a name without a folder opens nothing";
  const std::vector<std::string> expected = {
      "CSuccessDlg Constructor", "CSuccessDlg::OnInitDialog()", "CSuccessDlg::DoDataExchange",
      "CSuccessDlg::OnPlay()",   "CSuccessDlg::OnFolder()",     "CSuccessDlg Constructor",
      "CSuccessDlg::OnFolder()", "CSuccessDlg Constructor",     "CSuccessDlg::OnFolder()"};
  EXPECT_EQ(log.Entries(), expected);
}

TEST(CFindCodec, LinksToTheSupportPageOfItsCodecAndLogsItsSteps) {
  App();
  uitest::TestLog log;
  uitest::RecordingOpener opener;
  {
    CFindCodec dialog;
    dialog.m_strMessage = "needs a codec";
    dialog.m_strFourCC = "D&X 5";
    dialog.show();
    ASSERT_NE(dialog.Link(), nullptr);
    EXPECT_EQ(dialog.Link()->Control(), dialog.GetDlgItem(CFindCodec::IDC_LINK));
    EXPECT_EQ(dialog.Link()->Link().Address(), std::string(kMakerSite) + "support.htm?fourcc=D%26X%205")
        << "the code cannot add query keys of its own";
    uitest::LeftClick(dialog.GetDlgItem(CFindCodec::IDC_LINK));
    dialog.OnSearch();
    EXPECT_EQ(dialog.result(), kFindCodecSearch);
  }
  EXPECT_EQ(opener.Opened(), std::vector<std::string>{SupportPageAddress("D&X 5")});
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"CFindCodec Constructor", "CFindCodec::OnInitDialog",
                                                     "CFindCodec::DoDataExchange", " CFindCodec::OnSearch"}));
}

TEST(CMPEG4Dlg, LinkShowsAndOpensTheMpeg4PageAndGoesWithTheDialog) {
  App();
  uitest::TestLog log;
  uitest::RecordingOpener opener;
  QPointer<CStaticLink> link;
  {
    CMPEG4Dlg dialog;
    dialog.show();
    link = dialog.Link();
    ASSERT_FALSE(link.isNull());
    uitest::LeftClick(dialog.GetDlgItem(CMPEG4Dlg::IDC_LINK));
    EXPECT_EQ(link->Color(), CStaticLink::kVisitedColor);
  }
  EXPECT_TRUE(link.isNull()) << "the link is destroyed with its dialog";
  EXPECT_EQ(opener.Opened(), std::vector<std::string>{std::string(kMakerSite) + "downloads/mpeg4.htm"});
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"CMPEG4Dlg constructor", "CMPEG4Dlg::OnInitDialog",
                                                     "CMPEG4Dlg::DoDataExchange"}));
}

TEST(CMovWarningDialog, AndCAboutDlgLogTheirConstruction) {
  App();
  uitest::TestLog log;
  {
    CMovWarningDialog mov;
    CAboutDlg about;
  }
  EXPECT_EQ(log.Entries(), (std::vector<std::string>{"CMovWarningDialog constructor", "CAboutDlg Constructor"}));
}

TEST(MakerPages, AddressesOfTheCodecAndQuickTimePages) {
  EXPECT_EQ(CodecPageAddress("XVID", true), std::string(kMakerSite) + "downloadcodec.htm?c=XVID&a=d");
  EXPECT_EQ(CodecPageAddress("xv#d", false), std::string(kMakerSite) + "downloadcodec.htm?c=xv%23d&a=s");
  EXPECT_EQ(QuickTimePageAddress(), std::string(kMakerSite) + "downloadquicktime.htm");
  EXPECT_EQ(std::string(kMakerSite).substr(0, 8), "https://");
}

TEST(RegisterAuxiliaryDialogs, TheResponderShowsEveryKind) {
  App();
  QtResponder responder;
  RegisterAuxiliaryDialogs(responder);
  EXPECT_TRUE(responder.Handles<SuccessDialogRequest>());
  EXPECT_TRUE(responder.Handles<FindCodecRequest>());
  EXPECT_TRUE(responder.Handles<MovWarningRequest>());
  EXPECT_TRUE(responder.Handles<Mpeg4HelpRequest>());
  EXPECT_TRUE(responder.Handles<AboutRequest>());
}

TEST(AuxiliaryRequests, TheCoreAsksAndTestsAnswerWithoutWidgets) {
  ScriptedResponder responder;
  responder.QueueAnswer<FindCodecRequest>(kFindCodecSearch);
  EXPECT_EQ(AskDialog(nullptr, FindCodecRequest{"needs DX50", "DX50"}).code, kFindCodecSearch);
  EXPECT_EQ(AskDialog(nullptr, SuccessDialogRequest{"/v/a.avi"}).code, IDCANCEL);
  ASSERT_EQ(responder.Requests<FindCodecRequest>().size(), 1U);
  EXPECT_EQ(responder.Requests<FindCodecRequest>()[0].fourcc, "DX50");
  EXPECT_EQ(responder.Requests<SuccessDialogRequest>()[0].filePath, "/v/a.avi");
  EXPECT_EQ(responder.DialogNames(), (std::vector<std::string>{"CFindCodec", "CSuccessDlg"}));
}

}  // namespace
