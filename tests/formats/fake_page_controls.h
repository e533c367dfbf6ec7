#pragma once
// PageControls without a screen: the rows and selections a page gave its
// controls, and what a test sets as the user's choice.

#include <map>
#include <string>
#include <vector>

#include "formats/settings_page.h"

class FakePageControls : public PageControls {
 public:
  explicit FakePageControls(SettingsPage& page) : m_page(page) { m_page.AttachControls(this); }
  ~FakePageControls() override { m_page.AttachControls(nullptr); }
  FakePageControls(const FakePageControls&) = delete;
  FakePageControls& operator=(const FakePageControls&) = delete;

  void SetRows(int id, const std::vector<std::string>& newRows) override {
    rows[id] = newRows;
    selection[id] = -1;
  }
  int Selection(int id) const override {
    const auto found = selection.find(id);
    return found != selection.end() ? found->second : -1;
  }
  void Select(int id, int value) override {
    // A list selects only a row it has; a radio group any value.
    const auto list = rows.find(id);
    const bool hasRow = list == rows.end() || (value >= 0 && value < static_cast<int>(list->second.size()));
    selection[id] = hasRow ? value : -1;
  }
  WindowHandle Owner() override { return this; }

  // The user picks a row, and the page hears of it.
  void Choose(int id, int row) {
    selection[id] = row;
    m_page.OnSelChange(id);
  }

  std::map<int, std::vector<std::string>> rows;
  std::map<int, int> selection;

 private:
  SettingsPage& m_page;
};
