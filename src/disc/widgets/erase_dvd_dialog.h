#pragma once
// "Message": the DVD in the drive is not blank. Results: IDOK (OK, or after
// an erase) to try the burn again, IDCANCEL (Cancel, Escape, the close box).

#include <functional>

#include "ui/unit_dialog.h"

class CEraseDVDDlg : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_ERASE = 1036;

  explicit CEraseDVDDlg(std::function<void()> erase, QWidget* parent = nullptr);

  void OnErase();

 private:
  std::function<void()> m_erase;
};
