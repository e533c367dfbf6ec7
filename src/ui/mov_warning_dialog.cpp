#include "ui/mov_warning_dialog.h"

#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "ui/control_id.h"

CMovWarningDialog::CMovWarningDialog(QWidget* parent)
    : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "Quick Time not installed"), 302, 55) {
  Log("CMovWarningDialog constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "Download the player"), 60, 29, 74, 17, true);
  AddStatic(IDC_STATIC,
            QT_TRANSLATE_NOOP("UserText",
                              "To convert .mov files you need to install the free Quick Time player on your computer."),
            9, 11, 279, 15);
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), 166, 29, 74, 17);
}

void CMovWarningDialog::DoDataExchange() {
  Log("CMovWarningDialog::DoDataExchange");
}
