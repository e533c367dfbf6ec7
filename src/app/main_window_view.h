#pragma once
// What the main window's core needs of a screen. The dialog widget implements
// it; tests record it; a console front end can print it. Every call comes
// from the core's thread.

#include <string>

#include "disc/disc_plan.h"
#include "platform/dialogs/message_box.h"

class PreviewPlayer;

// The values the dialog binds to members of the core (DoDataExchange).
struct DialogData {
  int nOutputFormat = -1;  // index of the checked format radio, -1 when none is checked
  int nSliderPos = 0;      // quality slider 1014
  bool bAsSource = false;  // check box 1016
  int nPlayerPos = 0;      // position slider 1039
  std::string strCodecName;
  std::string strBitRate;
  std::string strFrameRate;
  std::string strDuration;
  std::string strTracks;  // 1070: "Sound tracks: 2, subtitle tracks: 1"
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // The window as owner of message boxes and dialogs.
  virtual WindowHandle Handle() = 0;

  // The widget's part of initialising the window: laying out the controls
  // with the skin, the About command, the window's icon.
  virtual void SetSkin() = 0;
  virtual void AppendSystemCommand(unsigned id, const std::string& text) = 0;
  virtual void SetIcon() = 0;

  // Moves the bound values from the controls (save true) or to them.
  virtual void ExchangeData(DialogData& data, bool save) = 0;

  virtual void EnableControl(int id, bool enable) = 0;
  virtual void ShowControl(int id, bool show) = 0;
  // A button's look by skin element ("button_start", "button_cancel", ...).
  virtual void SetButtonElement(int id, const char* element) = 0;

  virtual void SetStatusText(const std::string& text) = 0;     // 1035
  virtual std::string StatusText() = 0;                        // 1035 as it shows now
  virtual void SetProgress(int percent) = 0;                   // 1010, 0..100
  virtual void SetCompletedText(const std::string& text) = 0;  // 1030
  // Shows the output folder in 1055, shortened to fit.
  virtual void SetOutputFolderText(const std::string& path) = 0;

  // The input list 1048.
  virtual int ListCount() = 0;
  virtual std::string ListText(int index) = 0;
  virtual int ListSelection() = 0;  // -1 when nothing is selected
  virtual void ListAppend(const std::string& text) = 0;
  virtual void ListDelete(int index) = 0;
  virtual void ListSelect(int index) = 0;

  // Ends the modal window with result (IDOK, IDCANCEL).
  virtual void CloseWindow(int result) = 0;

  // The preview's player, made in the window at its place (control 999);
  // the view keeps it. Null when this front end shows no pictures. A view
  // that wraps another passes both of these on.
  virtual PreviewPlayer* CreatePlayer() { return nullptr; }
  // The menu text of list entry index, shown with it.
  virtual void SetListTitle(int /*index*/, const std::string& /*title*/) {}
  // The disc the list will make: the gauge under the list.
  virtual void ShowDiscPlan(const DiscPlan& /*plan*/) {}
  // Says which dropped files wait for the running job to end ("" when none).
  virtual void SetDeferredDropsText(const std::string& /*text*/) {}
  // Whether the user works in the window now; a front end without a window
  // of its own (the console) counts as always in front.
  virtual bool IsWindowActive() { return true; }
};
