#include "disc/widgets/erase_disc_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include "ui/control_id.h"

EraseDiscDialog::EraseDiscDialog(const EraseDiscRequest& request, QWidget* parent)
    : UnitDialog(parent, QString::fromStdString(request.caption), 215, 72), m_drives(request.drives) {
  AddStatic(IDC_STATIC, QT_TRANSLATE_NOOP("UserText", "Erase the rewritable disc in:"), 9, 8, 197, 10);
  m_pDrives = new QComboBox(this);
  SetControlId(m_pDrives, IDC_DRIVES);
  m_pDrives->setGeometry(DialogRect(9, 20, 197, 14));
  for (const EraseDrive& drive : m_drives) {
    m_pDrives->addItem(QString::fromStdString(drive.entry));
    if (drive.id == request.suggested) m_pDrives->setCurrentIndex(m_pDrives->count() - 1);
  }
  m_pFull =
      new QCheckBox(QCoreApplication::translate("UserText", "Full erase (slower: overwrites the whole disc)"), this);
  SetControlId(m_pFull, IDC_FULL);
  m_pFull->setGeometry(DialogRect(9, 37, 197, 10));
  QPushButton* erase = AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "Erase"), 101, 52, 50, 14, true);
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), 156, 52, 50, 14);
  erase->setEnabled(!m_drives.empty());
}

EraseDiscAnswer EraseDiscDialog::Answer() const {
  EraseDiscAnswer answer;
  const int index = m_pDrives->currentIndex();
  if (index >= 0 && index < static_cast<int>(m_drives.size()))
    answer.drive = m_drives[static_cast<std::size_t>(index)].id;
  answer.fullErase = m_pFull->isChecked();
  return answer;
}
