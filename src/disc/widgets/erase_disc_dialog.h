#pragma once
// The burner's erase window (burner::EraseDialog asks for it with an
// EraseDiscRequest): the erasable drives, the one the burner chose in advance
// selected, and a full instead of a quick erase. Erase answers IDOK with the
// choice, Cancel IDCANCEL.

#include "platform/disc/burning/erase_request.h"
#include "ui/unit_dialog.h"

class QCheckBox;
class QComboBox;

class EraseDiscDialog : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_DRIVES = 1100;
  static constexpr int IDC_FULL = 1101;

  explicit EraseDiscDialog(const EraseDiscRequest& request, QWidget* parent = nullptr);

  EraseDiscAnswer Answer() const;

 private:
  QComboBox* m_pDrives = nullptr;
  QCheckBox* m_pFull = nullptr;
  std::vector<EraseDrive> m_drives;
};
