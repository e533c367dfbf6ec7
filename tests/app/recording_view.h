#pragma once
// A MainWindowView without a screen: it keeps what the core shows and lets a
// test set what the user would have set on the controls.

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_window_view.h"

class RecordingView : public MainWindowView {
 public:
  WindowHandle Handle() override { return this; }
  void SetSkin() override { ++skinLayouts; }
  void AppendSystemCommand(unsigned id, const std::string& text) override { systemCommands[id] = text; }
  void SetIcon() override {}

  void ExchangeData(DialogData& data, bool save) override {
    if (save) {
      data = controls;
    } else {
      controls = data;
    }
  }

  void EnableControl(int id, bool enable) override { enabled[id] = enable; }
  void ShowControl(int id, bool show) override { visible[id] = show; }
  void SetButtonElement(int id, const char* element) override { elements[id] = element; }

  void SetStatusText(const std::string& text) override {
    status = text;
    if (onStatus) onStatus(text);
  }
  std::string StatusText() override { return status; }
  void SetProgress(int percent) override {
    progress = percent;
    progressPeak = std::max(progressPeak, percent);
  }
  void SetCompletedText(const std::string& text) override { completed = text; }
  void SetOutputFolderText(const std::string& path) override { outputFolder = path; }

  int ListCount() override { return static_cast<int>(list.size()); }
  std::string ListText(int index) override { return list.at(static_cast<std::size_t>(index)); }
  int ListSelection() override { return selection; }
  bool IsWindowActive() override { return active; }
  void ListAppend(const std::string& text) override { list.push_back(text); }
  void ListDelete(int index) override {
    list.erase(list.begin() + index);
    selection = -1;
  }
  void ListSelect(int index) override { selection = index; }

  void CloseWindow(int result) override { closedWith.push_back(result); }
  void ShowDiscPlan(const DiscPlan& plan) override { plans.push_back(plan); }
  void SetListTitle(int index, const std::string& title) override { titles[index] = title; }

  // The controls' values as the user left them.
  DialogData controls;

  int skinLayouts = 0;
  std::map<unsigned, std::string> systemCommands;
  std::map<int, bool> enabled;
  std::map<int, bool> visible;
  std::map<int, std::string> elements;
  std::string status;
  std::function<void(const std::string&)> onStatus;  // called with each status text
  int progress = -1;
  int progressPeak = -1;  // the highest the bar has shown
  std::string completed;
  std::string outputFolder;
  std::vector<std::string> list;
  int selection = -1;
  bool active = true;  // the window is the one the user works in
  std::vector<int> closedWith;
  std::vector<DiscPlan> plans;
  std::map<int, std::string>
      titles;  // the menu texts shown with the entries  // every plan the gauge showed, the last one last
};
