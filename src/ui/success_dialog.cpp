#include "ui/success_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "platform/dialogs/message_box.h"
#include "platform/dialogs/shell_open.h"
#include "support/log.h"

CSuccessDlg::CSuccessDlg(std::string filePath, QWidget* parent)
    : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "Successful conversion."), 274, 76),
      m_strFilePath(std::move(filePath)) {
  Log("CSuccessDlg Constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "Close"), 183, 53, 53, 17, true);
  connect(AddButton(IDC_PLAY, QT_TRANSLATE_NOOP("UserText", "Play File"), 43, 53, 53, 17), &QPushButton::clicked, this,
          &CSuccessDlg::OnPlay);
  connect(AddButton(IDC_FOLDER, QT_TRANSLATE_NOOP("UserText", "Open Folder"), 113, 53, 53, 17), &QPushButton::clicked,
          this, &CSuccessDlg::OnFolder);
  AddStatic(IDC_MESSAGE, QString(), 20, 14, 240, 35);
}

void CSuccessDlg::OnInitDialog() {
  Log("CSuccessDlg::OnInitDialog()");
  UnitDialog::OnInitDialog();
  const std::string message = "\"" + m_strFilePath + "\" created successfully.";
  static_cast<QLabel*>(GetDlgItem(IDC_MESSAGE))->setText(QString::fromStdString(message));
}

void CSuccessDlg::DoDataExchange() {
  Log("CSuccessDlg::DoDataExchange");
}

void CSuccessDlg::OnPlay() {
  Log("CSuccessDlg::OnPlay()");
  ShellOpen(m_strFilePath);
}

void CSuccessDlg::OnFolder() {
  Log("CSuccessDlg::OnFolder()");
  // The file manager shows the folder that holds the file; a bare name has none to show.
  const auto slash = m_strFilePath.rfind('/');
  if (slash == std::string::npos) return;
  ShellOpen(slash == 0 ? "/" : m_strFilePath.substr(0, slash));
}
