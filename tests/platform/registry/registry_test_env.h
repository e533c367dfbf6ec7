#pragma once
// Points the settings store at a file in a fresh folder and opens the log
// there, so that a test sees exactly what the store wrote and logged.

#include <cstdlib>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "support/log.h"

class ScopedRegistryFile {
 public:
  ScopedRegistryFile() {
    if (const char* previous = std::getenv("ORLENTA_REGISTRY")) m_previous = previous;
    ::setenv("ORLENTA_REGISTRY", m_path.c_str(), 1);
    LogOpen(m_logPath.c_str());
  }
  ~ScopedRegistryFile() {
    LogClose();
    if (m_previous.empty()) {
      ::unsetenv("ORLENTA_REGISTRY");
    } else {
      ::setenv("ORLENTA_REGISTRY", m_previous.c_str(), 1);
    }
  }
  ScopedRegistryFile(const ScopedRegistryFile&) = delete;
  ScopedRegistryFile& operator=(const ScopedRegistryFile&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_dir.File(name); }
  std::string Text() const { return testkit::ReadFile(m_path); }
  void Write(const std::string& text) const { testkit::WriteFile(m_path, text); }

  // The log's entries after its header line.
  std::vector<std::string> LogLines() const { return testkit::LogEntries(m_logPath); }
  bool Logged(const std::string& prefix) const {
    for (const auto& line : LogLines()) {
      if (line.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }

 private:
  testkit::TempDir m_dir;
  std::string m_path = m_dir.File("registry.reg");
  std::string m_logPath = m_dir.File("Orlenta_log.txt");
  std::string m_previous;
};
