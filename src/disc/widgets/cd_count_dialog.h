#pragma once
// "Message": asks for the next CD with the caller's text. Results: IDOK
// (Continue) or IDCANCEL (Cancel, Escape, the close box). Its "Erase
// Rewritable CD" button opens the burner's erase window and leaves the prompt
// open.

#include <functional>
#include <string>

#include "ui/unit_dialog.h"

class CCDCountDlg : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_TEXT = 1041;
  static constexpr int IDC_ERASE = 1036;

  // erase runs the erase window; it may be empty (the button then does nothing).
  CCDCountDlg(std::string text, std::function<void()> erase, QWidget* parent = nullptr);

  void OnErase();

 protected:
  void OnInitDialog() override;

 private:
  std::string m_strText;
  std::function<void()> m_erase;
};
