#pragma once
// The settings sheet on screen: "Output file format settings" with the list of
// page titles on its left, the shown page beside it, and OK and Cancel (no
// Help, no Apply). A page's widget is made when the page is first shown and
// destroyed when the sheet ends. Leaving a page, and OK, take the page's
// choices into its members first. Ends with IDOK or IDCANCEL.

#include <vector>

#include "formats/settings_sheet_request.h"
#include "ui/unit_dialog.h"

class QListWidget;
class QStackedWidget;
class QtResponder;
class SettingsPageWidget;

class SettingsSheetDialog : public UnitDialog {
  Q_OBJECT

 public:
  SettingsSheetDialog(const SettingsSheetRequest& request, QWidget* parent);
  ~SettingsSheetDialog() override;

  QListWidget* Navigation() const { return m_pNavigation; }
  int ActivePage() const { return m_nActive; }
  // The widget of a page while it exists, else nullptr.
  SettingsPageWidget* PageWidget(int index) const;
  // Leaves the active page (which may refuse) and shows that one.
  bool SetActivePage(int index);

  void done(int result) override;

 protected:
  void OnInitDialog() override;

 private:
  void OnOK();
  void DestroyPageWidgets();

  std::vector<SettingsPage*> m_pages;
  std::vector<SettingsPageWidget*> m_pageWidgets;
  int m_nStartPage;
  int m_nActive = -1;
  QListWidget* m_pNavigation = nullptr;
  QStackedWidget* m_pStack = nullptr;
};

// Shows the sheet for SettingsSheetRequest.
void RegisterSettingsSheet(QtResponder& responder);
