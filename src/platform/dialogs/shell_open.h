#pragma once
// Opening a web address, a file or a folder with the desktop's own program
// (the shell's "open" verb on Windows). The application installs the desktop
// opener (widgets/desktop_opener.h); tests install their own to record what
// would have opened, or to fail.

#include <functional>
#include <string>
#include <string_view>

// Takes an address with a scheme ("https://...") or a local path; true when
// the desktop accepted it.
using ShellOpener = std::function<bool(const std::string& target)>;

// Installs the process-wide opener; returns the one it replaces.
ShellOpener SetShellOpener(ShellOpener opener);

// Opens target with the installed opener. Without one, or for an empty
// target, it is logged and false is returned.
bool ShellOpen(std::string_view target);

// Installs an opener for its lifetime (tests).
class ScopedShellOpener {
 public:
  explicit ScopedShellOpener(ShellOpener opener) : m_previous(SetShellOpener(std::move(opener))) {}
  ~ScopedShellOpener() { SetShellOpener(std::move(m_previous)); }
  ScopedShellOpener(const ScopedShellOpener&) = delete;
  ScopedShellOpener& operator=(const ScopedShellOpener&) = delete;

 private:
  ShellOpener m_previous;
};
