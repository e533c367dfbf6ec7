#pragma once
// The widget of one settings page while the sheet shows it: made from the
// page's template (dialog units of the small dialogs' font), every control
// carrying its id. It hands itself to the page as the page's controls, runs
// the page's OnInitDialog, and passes the user's list choices and button
// clicks to the page. Destroying it detaches the page.

#include <QHash>
#include <QWidget>

#include "formats/settings_page.h"

class QButtonGroup;
class QComboBox;

class SettingsPageWidget : public QWidget, public PageControls {
  Q_OBJECT

 public:
  SettingsPageWidget(SettingsPage& page, QWidget* parent);
  ~SettingsPageWidget() override;

  SettingsPage& Page() const { return m_page; }
  // The control with that id, or nullptr.
  QWidget* GetDlgItem(int id) const;

  // PageControls
  void SetRows(int id, const std::vector<std::string>& rows) override;
  int Selection(int id) const override;
  void Select(int id, int value) override;
  WindowHandle Owner() override { return static_cast<QWidget*>(this); }

 private:
  void AddItem(const PageItem& item);

  SettingsPage& m_page;
  QHash<int, QComboBox*> m_lists;
  QHash<int, QButtonGroup*> m_radioGroups;  // by the id of the group's first button
};
