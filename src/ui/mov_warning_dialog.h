#pragma once
// "Quick Time not installed": .mov input needs a player this machine lacks.
// Results: IDOK (Download the player) or IDCANCEL.

#include "ui/unit_dialog.h"

class CMovWarningDialog : public UnitDialog {
  Q_OBJECT

 public:
  explicit CMovWarningDialog(QWidget* parent = nullptr);

 protected:
  void DoDataExchange() override;
};
