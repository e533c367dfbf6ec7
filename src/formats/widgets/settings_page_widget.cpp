#include "formats/widgets/settings_page_widget.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "support/log.h"
#include "support/user_text.h"
#include "ui/control_id.h"
#include "ui/dialog_units.h"

SettingsPageWidget::SettingsPageWidget(SettingsPage& page, QWidget* parent) : QWidget(parent), m_page(page) {
  setFont(DialogFont());
  const PageTemplate& layout = page.Template();
  const DialogBaseUnits base = BaseUnitsOf(font());
  setFixedSize(MapDialogRect(QRect(0, 0, layout.width, layout.height), base).size());
  for (const PageItem& item : layout.items) AddItem(item);
  // Group boxes were made first; the controls inside them must stay on top.
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (qobject_cast<QGroupBox*>(child) == nullptr) child->raise();
  }
  m_page.AttachControls(this);
  m_page.OnInitDialog();
}

SettingsPageWidget::~SettingsPageWidget() {
  m_page.AttachControls(nullptr);
}

QWidget* SettingsPageWidget::GetDlgItem(int id) const {
  return ::GetDlgItem(this, id);
}

void SettingsPageWidget::AddItem(const PageItem& item) {
  const QRect rect = MapDialogRect(QRect(item.x, item.y, item.width, item.height), BaseUnitsOf(font()));
  const QString text = UserText::Lookup(item.text.c_str());
  QWidget* control = nullptr;
  switch (item.kind) {
    case PageItem::Kind::Group:
      control = new QGroupBox(text, this);
      break;
    case PageItem::Kind::Label:
    case PageItem::Kind::Text:
      control = new QLabel(text, this);
      break;
    case PageItem::Kind::DropDown: {
      auto* list = new QComboBox(this);
      m_lists.insert(item.id, list);
      // Only the user's choices reach the page, as a list's selection-change
      // notification does; the page's own filling and selecting do not.
      connect(list, &QComboBox::activated, this, [this, id = item.id] { m_page.OnSelChange(id); });
      control = list;
      break;
    }
    case PageItem::Kind::Radio: {
      auto* radio = new QRadioButton(text, this);
      QButtonGroup*& group = m_radioGroups[item.radioGroup];
      if (group == nullptr) group = new QButtonGroup(this);
      group->addButton(radio, item.radioValue);
      control = radio;
      break;
    }
    case PageItem::Kind::Button: {
      auto* button = new QPushButton(text, this);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id = item.id] { m_page.OnButton(id); });
      control = button;
      break;
    }
  }
  SetControlId(control, item.id);
  control->setGeometry(rect);
}

void SettingsPageWidget::SetRows(int id, const std::vector<std::string>& rows) {
  QComboBox* list = m_lists.value(id);
  if (list == nullptr) {
    Log("SettingsPageWidget::SetRows - the page has no list %d", id);
    return;
  }
  list->clear();
  // Rows that are words (not numbers or names) come in the user's language.
  for (const std::string& row : rows) list->addItem(UserText::Lookup(row.c_str()));
  list->setCurrentIndex(-1);
}

int SettingsPageWidget::Selection(int id) const {
  if (const QComboBox* list = m_lists.value(id)) return list->currentIndex();
  if (const QButtonGroup* group = m_radioGroups.value(id)) return group->checkedId();
  return -1;
}

void SettingsPageWidget::Select(int id, int value) {
  if (QComboBox* list = m_lists.value(id)) {
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
    return;
  }
  if (QButtonGroup* group = m_radioGroups.value(id)) {
    if (QAbstractButton* button = group->button(value)) {
      button->setChecked(true);
      return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
  }
}
