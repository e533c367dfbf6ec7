#pragma once
// A page of the settings sheet without its widget. A page describes its
// controls (a template in dialog units, as a dialog resource would) and moves
// its members to and from them; the sheet makes the page's widget from the
// template only while it shows the page and hands the page the controls
// through PageControls. So every page's behaviour runs and is tested without
// a screen, and one widget class draws every page.

#include <string>
#include <vector>

#include "platform/dialogs/message_box.h"

// One control of a page, placed in dialog units.
struct PageItem {
  enum class Kind { Group, Label, DropDown, Radio, Button, Text };
  Kind kind = Kind::Label;
  int id = -1;  // -1 for a text nobody addresses
  std::string text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // Radio buttons: the group is named by the id of its first button; the
  // group's selection is the value of the checked button.
  int radioGroup = 0;
  int radioValue = 0;
};

struct PageTemplate {
  int id = 0;  // the dialog template's number
  int width = 0;
  int height = 0;
  std::vector<PageItem> items;
};

// The controls of a shown page, by id.
class PageControls {
 public:
  virtual ~PageControls() = default;
  // Replaces a drop-down list's rows; nothing is selected afterwards.
  virtual void SetRows(int id, const std::vector<std::string>& rows) = 0;
  // The selected row of a drop-down list, or the value of a radio group's
  // checked button; -1 when nothing is selected.
  virtual int Selection(int id) const = 0;
  // Selects a row or checks the button of that value; a value without a row
  // or button selects nothing.
  virtual void Select(int id, int value) = 0;
  // The page as owner of the dialogs it opens.
  virtual WindowHandle Owner() = 0;
};

class SettingsPage {
 public:
  SettingsPage() = default;
  virtual ~SettingsPage() = default;
  SettingsPage(const SettingsPage&) = delete;
  SettingsPage& operator=(const SettingsPage&) = delete;

  // The page's name in the sheet's navigation list.
  virtual std::string Title() const = 0;
  virtual const PageTemplate& Template() const = 0;

  // The page's widget exists (controls) or is going away (nullptr).
  void AttachControls(PageControls* controls) { m_pControls = controls; }
  PageControls* Controls() const { return m_pControls; }

  // Once, right after the widget was made: fills the lists and shows the members.
  virtual bool OnInitDialog() = 0;
  // The user picked another row of a drop-down list.
  virtual void OnSelChange(int /*id*/) {}
  virtual void OnButton(int /*id*/) {}
  // The user leaves the page, or confirms the sheet on it: the controls'
  // values become the members'.
  virtual bool OnKillActive();
  // Moves the members to the controls (save false) or the controls' values
  // into the members (save true). Does nothing without controls.
  virtual void DoDataExchange(bool save) = 0;

 protected:
  // One member bound to one control by its selection index.
  void Exchange(bool save, int id, int& member) const;

 private:
  PageControls* m_pControls = nullptr;
};
