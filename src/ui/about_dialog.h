#pragma once
// "About Orlenta": the application's icon and name. Result IDOK.

#include "ui/unit_dialog.h"

class CAboutDlg : public UnitDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

 protected:
  void DoDataExchange() override;
};
