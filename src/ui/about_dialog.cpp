#include "ui/about_dialog.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QStyle>

#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "ui/control_id.h"

CAboutDlg::CAboutDlg(QWidget* parent) : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "About Orlenta"), 235, 55) {
  Log("CAboutDlg Constructor");
  auto* icon = new QLabel(this);
  SetControlId(icon, IDC_STATIC);
  const QRect place = DialogRect(11, 17, 20, 20);
  icon->setGeometry(place);
  QIcon picture = QApplication::windowIcon();
  if (picture.isNull()) picture = style()->standardIcon(QStyle::SP_ComputerIcon);
  icon->setPixmap(picture.pixmap(place.size()));
  AddStatic(IDC_STATIC, QT_TRANSLATE_NOOP("UserText", "Orlenta"), 40, 10, 134, 8);
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "OK"), 178, 7, 50, 14, true);
}

void CAboutDlg::DoDataExchange() {
  Log("CAboutDlg::DoDataExchange");
}
