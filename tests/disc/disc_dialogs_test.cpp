// The disc prompts' widgets (offscreen): ids, texts and places, what their
// buttons end with, and the Erase buttons; the burner's erase window.

#include "disc/widgets/disc_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "common/qt_test_environment.h"
#include "disc/disc_prompts.h"
#include "disc/widgets/cd_count_dialog.h"
#include "disc/widgets/erase_disc_dialog.h"
#include "disc/widgets/erase_dvd_dialog.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "ui/control_id.h"

namespace {

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment("test_disc_dialogs"));

struct Place {
  int id;
  const char* text;
  int x, y, width, height;  // dialog units
};

void ExpectControls(UnitDialog& dialog, const std::vector<Place>& places) {
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Message");
  EXPECT_EQ(dialog.size(), dialog.DialogRect(0, 0, 215, 66).size());
  for (const Place& place : places) {
    SCOPED_TRACE(place.text);
    QWidget* control = nullptr;
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
      if (GetControlId(child) == place.id) {
        const auto* label = qobject_cast<QLabel*>(child);
        const auto* button = qobject_cast<QPushButton*>(child);
        const QString text = label != nullptr ? label->text() : button != nullptr ? button->text() : QString();
        if (text == QString::fromUtf8(place.text)) control = child;
      }
    }
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), dialog.DialogRect(place.x, place.y, place.width, place.height));
    if (const auto* label = qobject_cast<QLabel*>(control)) {
      const QRect needed = label->fontMetrics().boundingRect(control->rect(), Qt::TextWordWrap, label->text());
      EXPECT_LE(needed.height(), control->height()) << "the text fits";
    }
  }
}

TEST(CdCountPrompt, ShowsTheTextAndItsEraseButtonKeepsItOpen) {
  int erased = 0;
  CCDCountDlg dialog("Please insert a blank CD (2 of 3)", [&] { ++erased; });
  ExpectControls(dialog, {{IDOK, "Continue", 13, 44, 50, 16},
                          {IDCANCEL, "Cancel", 67, 44, 50, 16},
                          {1041, "Please insert a blank CD (2 of 3)", 14, 9, 189, 28},
                          {1036, "Erase Rewritable CD", 125, 44, 82, 16}});
  EXPECT_TRUE(static_cast<QPushButton*>(dialog.GetDlgItem(IDOK))->isDefault());
  static_cast<QPushButton*>(dialog.GetDlgItem(1036))->click();
  EXPECT_EQ(erased, 1);
  EXPECT_TRUE(dialog.isVisible()) << "the prompt stays for the next answer";
  static_cast<QPushButton*>(dialog.GetDlgItem(IDOK))->click();
  EXPECT_EQ(dialog.result(), IDOK);
}

TEST(EraseDvdPrompt, ItsEraseButtonErasesAndClosesWithOk) {
  int erased = 0;
  CEraseDVDDlg dialog([&] { ++erased; });
  ExpectControls(dialog, {{IDOK, "OK", 13, 44, 50, 16},
                          {IDCANCEL, "Cancel", 67, 44, 50, 16},
                          {IDC_STATIC, kEraseDvdPromptText, 9, 9, 200, 28},
                          {1036, "Erase Rewritable DVD", 125, 44, 82, 16}});
  static_cast<QPushButton*>(dialog.GetDlgItem(1036))->click();
  EXPECT_EQ(erased, 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), IDOK);

  CEraseDVDDlg cancelled({});
  cancelled.show();
  cancelled.reject();  // Escape and the close box
  EXPECT_EQ(cancelled.result(), IDCANCEL);
}

TEST(EraseDiscWindow, OffersTheErasableDrivesWithTheSuggestedOneChosen) {
  EraseDiscRequest request;
  request.caption = "Erase DVD";
  request.drives = {{'A', "A: HL-DT-ST DVDRAM (/dev/sr0)"}, {'B', "B: File drive disc.img"}};
  request.suggested = 'B';
  EraseDiscDialog dialog(request);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Erase DVD");
  auto* drives = static_cast<QComboBox*>(dialog.GetDlgItem(EraseDiscDialog::IDC_DRIVES));
  ASSERT_EQ(drives->count(), 2);
  EXPECT_EQ(drives->currentText(), "B: File drive disc.img");
  EXPECT_EQ(dialog.Answer().drive, 'B');
  EXPECT_FALSE(dialog.Answer().fullErase);
  drives->setCurrentIndex(0);
  static_cast<QCheckBox*>(dialog.GetDlgItem(EraseDiscDialog::IDC_FULL))->setChecked(true);
  EXPECT_EQ(dialog.Answer().drive, 'A');
  EXPECT_TRUE(dialog.Answer().fullErase);

  EraseDiscDialog none(EraseDiscRequest{"Erase CD", {}, 0});
  EXPECT_FALSE(static_cast<QPushButton*>(none.GetDlgItem(IDOK))->isEnabled()) << "nothing to erase";
}

TEST(DiscDialogs, AreRegisteredWithTheApplicationsResponder) {
  QtResponder responder;
  RegisterDiscDialogs(responder);
  EXPECT_TRUE(responder.Handles<CDCountDlgRequest>());
  EXPECT_TRUE(responder.Handles<EraseDVDDlgRequest>());
  EXPECT_TRUE(responder.Handles<EraseDiscRequest>());
}

}  // namespace
