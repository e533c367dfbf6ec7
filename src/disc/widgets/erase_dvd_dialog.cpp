#include "disc/widgets/erase_dvd_dialog.h"

#include <QPushButton>

#include "disc/disc_prompts.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "ui/control_id.h"

CEraseDVDDlg::CEraseDVDDlg(std::function<void()> erase, QWidget* parent)
    : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "Message"), 215, 66), m_erase(std::move(erase)) {
  Log("CEraseDVDDlg Constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "OK"), 13, 44, 50, 16, true);
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), 67, 44, 50, 16);
  AddStatic(IDC_STATIC, QString::fromUtf8(kEraseDvdPromptText), 9, 9, 200, 28);
  connect(AddButton(IDC_ERASE, QT_TRANSLATE_NOOP("UserText", "Erase Rewritable DVD"), 125, 44, 82, 16),
          &QPushButton::clicked, this, &CEraseDVDDlg::OnErase);
}

void CEraseDVDDlg::OnErase() {
  Log("CEraseDVDDlg::OnErase()");
  if (m_erase) m_erase();
  // Erased or not, the caller tries again: the burner says what it finds.
  done(IDOK);
}
