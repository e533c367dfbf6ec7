#pragma once
// The screen the app benchmarks give the window's core: a list of files and
// the status line's text, nothing else, so that what is timed is the core's
// work, not drawing.

#include <string>
#include <vector>

#include "app/main_window_view.h"

class ListOnlyView : public MainWindowView {
 public:
  WindowHandle Handle() override { return this; }
  void SetSkin() override {}
  void AppendSystemCommand(unsigned, const std::string&) override {}
  void SetIcon() override {}
  // The controls keep their defaults.
  void ExchangeData(DialogData&, bool) override {}
  void EnableControl(int, bool) override {}
  void ShowControl(int, bool) override {}
  void SetButtonElement(int, const char*) override {}
  void SetStatusText(const std::string& text) override { m_status = text; }
  std::string StatusText() override { return m_status; }
  void SetProgress(int) override {}
  void SetCompletedText(const std::string&) override {}
  void SetOutputFolderText(const std::string&) override {}
  int ListCount() override { return static_cast<int>(m_list.size()); }
  std::string ListText(int index) override { return m_list.at(static_cast<std::size_t>(index)); }
  int ListSelection() override { return -1; }
  void ListAppend(const std::string& text) override { m_list.push_back(text); }
  void ListDelete(int index) override { m_list.erase(m_list.begin() + index); }
  void ListSelect(int) override {}
  void CloseWindow(int) override {}

 private:
  std::vector<std::string> m_list;
  std::string m_status;
};
