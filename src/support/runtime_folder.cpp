#include "support/runtime_folder.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/path_buffer.h"

namespace {
constexpr const char* kRuntimeVariable = "XDG_RUNTIME_DIR";
}

ScopedRuntimeFolder::ScopedRuntimeFolder() {
  const char* existing = std::getenv(kRuntimeVariable);
  if (existing != nullptr && *existing != '\0') return;
  std::string pattern = TempFolderPath().str() + "/orlenta-runtime-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // Without a folder Qt falls back to its own; nothing worse than before.
  if (::mkdtemp(name.data()) == nullptr) return;
  m_folder = name.data();
  ::setenv(kRuntimeVariable, m_folder.c_str(), 1);
}

ScopedRuntimeFolder::~ScopedRuntimeFolder() {
  if (m_folder.empty()) return;
  ::unsetenv(kRuntimeVariable);
  std::error_code ignored;
  std::filesystem::remove_all(m_folder, ignored);
}
