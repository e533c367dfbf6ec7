#pragma once
// "Codec Required": an AVI input needs a codec this machine lacks. The caller
// sets the message and the codec's FourCC before showing it. Results: IDOK
// (Download Codec), IDCANCEL, kFindCodecSearch (Search Google).

#include <string>

#include "ui/unit_dialog.h"

class CStaticLink;

class CFindCodec : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_SEARCH = 3;
  static constexpr int IDC_LINK = 1043;
  static constexpr int IDC_MESSAGE = 1044;

  explicit CFindCodec(QWidget* parent = nullptr);

  void OnSearch();
  CStaticLink* Link() const { return m_pLink; }

  std::string m_strMessage;
  std::string m_strFourCC;

 protected:
  void OnInitDialog() override;
  void DoDataExchange() override;

 private:
  CStaticLink* m_pLink = nullptr;
};
