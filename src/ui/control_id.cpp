#include "ui/control_id.h"

#include <QVariant>
#include <QWidget>

void SetControlId(QWidget* control, int id) {
  control->setProperty(kControlIdProperty, id);
}

int GetControlId(const QWidget* control) {
  const QVariant id = control->property(kControlIdProperty);
  return id.isValid() ? id.toInt() : IDC_STATIC;
}

QWidget* GetDlgItem(const QWidget* dialog, int id) {
  for (QWidget* child : dialog->findChildren<QWidget*>()) {
    if (child->property(kControlIdProperty).isValid() && GetControlId(child) == id) return child;
  }
  return nullptr;
}
