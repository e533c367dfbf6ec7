#include "ui/mpeg4_dialog.h"

#include "platform/dialogs/message_box.h"
#include "support/log.h"
#include "support/maker_pages.h"
#include "ui/control_id.h"
#include "ui/static_link.h"

CMPEG4Dlg::CMPEG4Dlg(QWidget* parent) : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "About MPEG-4"), 305, 135) {
  Log("CMPEG4Dlg constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "CLOSE"), 128, 107, 50, 14, true);
  AddStatic(IDC_STATIC,
            QT_TRANSLATE_NOOP("UserText",
                              "Please note that MPEG-4 files are saved as AVI file format, i.e. MPEG-4 is a kind of "
                              "AVI.\n\nSo in order to convert to MPEG-4 please click the \"Settings\" button and go to "
                              "the \"AVI\" tab. Then select an MPEG-4 codec from the download list."),
            9, 9, 292, 34);
  AddStatic(IDC_STATIC,
            QT_TRANSLATE_NOOP("UserText",
                              "If there is no MPEG-4 codec installed on your system please use the following link to "
                              "download and install the XviD codec. It is one of the most popular free MPEG-4 codecs."),
            9, 49, 292, 17);
  AddStatic(IDC_LINK, QString::fromStdString(Mpeg4PageAddress()), 9, 68, 287, 12);
  AddStatic(IDC_STATIC,
            QT_TRANSLATE_NOOP("UserText", "Then set \"Output Format\" to AVI on the main screen of the program. "), 9,
            85, 284, 14);
}

void CMPEG4Dlg::OnInitDialog() {
  Log("CMPEG4Dlg::OnInitDialog");
  UnitDialog::OnInitDialog();
  m_pLink = new CStaticLink(Mpeg4PageAddress(), true);
  m_pLink->SubclassDlgItem(IDC_LINK, this);
}

void CMPEG4Dlg::DoDataExchange() {
  Log("CMPEG4Dlg::DoDataExchange");
}
