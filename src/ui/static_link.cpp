#include "ui/static_link.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "ui/control_id.h"

CStaticLink::CStaticLink(const std::string& address, bool deleteOnDestroy)
    : m_link(address), m_bDeleteOnDestroy(deleteOnDestroy), m_beep([] { QApplication::beep(); }) {}

bool CStaticLink::SubclassDlgItem(int id, QWidget* parent) {
  return Attach(qobject_cast<QLabel*>(GetDlgItem(parent, id)));
}

bool CStaticLink::Attach(QLabel* control) {
  if (control == nullptr) return false;
  m_pControl = control;
  if (m_bDeleteOnDestroy) setParent(control);
  control->installEventFilter(this);
  // One hand cursor for every link.
  static const QCursor hand(Qt::PointingHandCursor);
  control->setCursor(hand);
  ApplyLook();
  return true;
}

bool CStaticLink::eventFilter(QObject* watched, QEvent* event) {
  // The event's type first: a label being destroyed still sends events, and is no longer a QLabel to compare.
  if (event->type() == QEvent::MouseButtonPress && watched == m_pControl &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OnLButtonDown();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void CStaticLink::OnLButtonDown() {
  CHyperlink target = m_link;
  // This program has no string table; a link without an address opens its own text.
  if (target.IsEmpty() && m_pControl) target.SetAddress(m_pControl->text().trimmed().toStdString());
  if (target.IsEmpty()) return;
  if (!target.Open()) {
    m_beep();
    return;
  }
  m_color = kVisitedColor;
  ApplyLook();
}

void CStaticLink::ApplyLook() {
  QLabel* control = m_pControl;
  // Pictures and other kinds of static keep their look.
  if (control == nullptr || control->textFormat() == Qt::RichText || !control->pixmap().isNull()) return;
  if (!m_font) {
    m_font = control->font();
    m_font->setUnderline(true);
  }
  control->setFont(*m_font);
  QPalette palette = control->palette();
  palette.setColor(QPalette::WindowText, m_color);
  control->setPalette(palette);
  // A skin (an application style sheet) gives every text its own ink, which
  // overrules the palette: the link's own sheet overrules the skin's.
  control->setStyleSheet(QStringLiteral("color: %1;").arg(m_color.name()));
  control->setAutoFillBackground(false);
  control->update();
}
