#pragma once
// CCastrel1App: the program's start-up and shutdown around the main window.
// It prepares the data folder and the log, writes the product version and the
// system report, starts the skin, and shows the main window modally.
//
// The caller owns the QApplication and installs the dialog responder first.

#include <memory>
#include <string>
#include <vector>

class SkinComponent;

class CCastrel1App {
 public:
  // files: the files the program was started with, in their order.
  explicit CCastrel1App(std::vector<std::string> files);
  ~CCastrel1App();
  CCastrel1App(const CCastrel1App&) = delete;
  CCastrel1App& operator=(const CCastrel1App&) = delete;

  // Runs the whole window; false: no message loop of the application follows.
  bool InitInstance();
  // Releases the skin; the process's exit code.
  int ExitInstance();

  // "<data folder>/Orlenta/": where the log lives.
  static std::string DataFolder();

  // The skin component, from start-up until ExitInstance.
  std::unique_ptr<SkinComponent> m_pSkin;

 private:
  void StartSkin();

  std::string m_strCommandLine;
  std::vector<std::string> m_arrCommandLineFiles;
};
