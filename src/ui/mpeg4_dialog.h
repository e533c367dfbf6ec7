#pragma once
// "About MPEG-4": how to get MPEG-4 output (an AVI with an MPEG-4 codec),
// with a link to the maker's MPEG-4 download page. Result IDOK.

#include "ui/unit_dialog.h"

class CStaticLink;

class CMPEG4Dlg : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_LINK = 1043;

  explicit CMPEG4Dlg(QWidget* parent = nullptr);

  CStaticLink* Link() const { return m_pLink; }

 protected:
  void OnInitDialog() override;
  void DoDataExchange() override;

 private:
  CStaticLink* m_pLink = nullptr;  // owned by its control, gone with the dialog
};
