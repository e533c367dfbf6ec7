#include "ui/find_codec_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "platform/dialogs/auxiliary_requests.h"
#include "support/log.h"
#include "support/maker_pages.h"
#include "ui/control_id.h"
#include "ui/static_link.h"

CFindCodec::CFindCodec(QWidget* parent)
    : UnitDialog(parent, QT_TRANSLATE_NOOP("UserText", "Codec Required"), 250, 110) {
  Log("CFindCodec Constructor");
  AddEndButton(IDOK, QT_TRANSLATE_NOOP("UserText", "Download Codec"), 7, 62, 70, 14, true);
  AddEndButton(IDCANCEL, QT_TRANSLATE_NOOP("UserText", "Cancel"), 173, 62, 70, 14);
  connect(AddButton(IDC_SEARCH, QT_TRANSLATE_NOOP("UserText", "Search Google"), 90, 62, 70, 14), &QPushButton::clicked,
          this, &CFindCodec::OnSearch);
  AddStatic(IDC_MESSAGE, QString(), 7, 7, 236, 34);
  AddStatic(
      IDC_STATIC,
      QT_TRANSLATE_NOOP("UserText", "If you need help finding and installing the codec, please contact us at our"), 7,
      81, 236, 9);
  AddStatic(IDC_LINK, QT_TRANSLATE_NOOP("UserText", "Support Center"), 7, 91, 80, 11);
}

void CFindCodec::OnInitDialog() {
  Log("CFindCodec::OnInitDialog");
  UnitDialog::OnInitDialog();
  m_pLink = new CStaticLink(SupportPageAddress(m_strFourCC), true);
  m_pLink->SubclassDlgItem(IDC_LINK, this);
}

void CFindCodec::DoDataExchange() {
  Log("CFindCodec::DoDataExchange");
  static_cast<QLabel*>(GetDlgItem(IDC_MESSAGE))->setText(QString::fromStdString(m_strMessage));
}

void CFindCodec::OnSearch() {
  Log(" CFindCodec::OnSearch");
  done(kFindCodecSearch);
}
