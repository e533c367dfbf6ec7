#include "disc/widgets/cd_count_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "platform/dialogs/message_box.h"
#include "support/log.h"

CCDCountDlg::CCDCountDlg(std::string text, std::function<void()> erase, QWidget* parent)
    : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "Message"), 215, 66),
      m_strText(std::move(text)),
      m_erase(std::move(erase)) {
  Log("CCDCountDlg Constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "Continue"), 13, 44, 50, 16, true);
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), 67, 44, 50, 16);
  AddStatic(IDC_TEXT, QString(), 14, 9, 189, 28);
  connect(AddButton(IDC_ERASE, QT_TRANSLATE_NOOP("UserText", "Erase Rewritable CD"), 125, 44, 82, 16),
          &QPushButton::clicked, this, &CCDCountDlg::OnErase);
}

void CCDCountDlg::OnInitDialog() {
  Log("CCDCountDlg::OnInitDialog");
  UnitDialog::OnInitDialog();
  static_cast<QLabel*>(GetDlgItem(IDC_TEXT))->setText(QString::fromStdString(m_strText));
}

void CCDCountDlg::OnErase() {
  Log("CCDCountDlg::OnErase");
  if (m_erase) m_erase();
}
