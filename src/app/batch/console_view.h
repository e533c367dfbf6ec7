#pragma once
// The main window's core on a console: the status line and the bar become
// the batch mode's progress; the input list and the bound values are kept
// for the core to read back, as the window's controls would keep them.

#include <string>
#include <vector>

#include "app/main_window_view.h"

class ConsoleProgress;

class ConsoleView : public MainWindowView {
 public:
  explicit ConsoleView(ConsoleProgress& out) : m_out(out) {}

  WindowHandle Handle() override { return this; }
  void SetSkin() override {}
  void AppendSystemCommand(unsigned /*id*/, const std::string& /*text*/) override {}
  void SetIcon() override {}
  void ExchangeData(DialogData& data, bool save) override;
  void EnableControl(int /*id*/, bool /*enable*/) override {}
  void ShowControl(int /*id*/, bool /*show*/) override {}
  void SetButtonElement(int /*id*/, const char* /*element*/) override {}
  void SetStatusText(const std::string& text) override;
  std::string StatusText() override { return m_strStatus; }
  void SetProgress(int percent) override;
  void SetCompletedText(const std::string& /*text*/) override {}
  void SetOutputFolderText(const std::string& /*path*/) override {}
  int ListCount() override { return static_cast<int>(m_list.size()); }
  std::string ListText(int index) override;
  int ListSelection() override { return m_nSelection; }
  void ListAppend(const std::string& text) override { m_list.push_back(text); }
  void ListDelete(int index) override;
  void ListSelect(int index) override { m_nSelection = index; }
  void CloseWindow(int /*result*/) override {}

 private:
  ConsoleProgress& m_out;
  DialogData m_data;
  std::string m_strStatus;
  std::vector<std::string> m_list;
  int m_nSelection = -1;
};
