#pragma once
// "Successful conversion.": names the converted file, plays it or opens its
// folder; the dialog stays open until Close.

#include <string>

#include "ui/unit_dialog.h"

class CSuccessDlg : public UnitDialog {
  Q_OBJECT

 public:
  static constexpr int IDC_PLAY = 1040;
  static constexpr int IDC_FOLDER = 1046;
  static constexpr int IDC_MESSAGE = 1047;

  explicit CSuccessDlg(std::string filePath, QWidget* parent = nullptr);

  void OnPlay();
  void OnFolder();

 protected:
  void OnInitDialog() override;
  void DoDataExchange() override;

 private:
  std::string m_strFilePath;
};
