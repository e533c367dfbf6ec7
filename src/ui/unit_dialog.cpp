#include "ui/unit_dialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "platform/dialogs/message_box.h"
#include "support/user_text.h"
#include "ui/control_id.h"

namespace {

// The dialogs' texts are marked for the catalogues where they are written
// (QT_TRANSLATE_NOOP, context UserText) and looked up here.
QString Translated(const QString& english) {
  return QCoreApplication::translate("UserText", english.toUtf8().constData());
}

}  // namespace

UnitDialog::UnitDialog(QWidget* parent, const QString& caption, int width, int height) : QDialog(parent) {
  setWindowTitle(Translated(caption));
  setFont(DialogFont());
  m_base = BaseUnitsOf(font());
  setFixedSize(DialogRect(0, 0, width, height).size());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QWidget* UnitDialog::GetDlgItem(int id) const {
  return ::GetDlgItem(this, id);
}

QRect UnitDialog::DialogRect(int x, int y, int width, int height) const {
  return MapDialogRect(QRect(x, y, width, height), m_base);
}

void UnitDialog::reject() {
  done(IDCANCEL);
}

QPushButton* UnitDialog::AddButton(int id, const QString& text, int x, int y, int width, int height, bool isDefault) {
  auto* button = new QPushButton(UserText::Button(text.toUtf8().constData()), this);
  SetControlId(button, id);
  button->setGeometry(DialogRect(x, y, width, height));
  button->setAutoDefault(false);
  button->setDefault(isDefault);
  return button;
}

QPushButton* UnitDialog::AddEndButton(int id, const QString& text, int x, int y, int width, int height,
                                      bool isDefault) {
  QPushButton* button = AddButton(id, text, x, y, width, height, isDefault);
  connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
  return button;
}

QLabel* UnitDialog::AddStatic(int id, const QString& text, int x, int y, int width, int height) {
  auto* label = new QLabel(Translated(text), this);
  SetControlId(label, id);
  label->setGeometry(DialogRect(x, y, width, height));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void UnitDialog::showEvent(QShowEvent* event) {
  if (!m_bInitialised) {
    m_bInitialised = true;
    OnInitDialog();
  }
  QDialog::showEvent(event);
}
