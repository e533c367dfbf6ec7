#include "platform/dialogs/shell_open.h"

#include <mutex>

#include "support/log.h"

namespace {

std::mutex g_lock;
ShellOpener g_opener;

}  // namespace

ShellOpener SetShellOpener(ShellOpener opener) {
  std::lock_guard lock(g_lock);
  std::swap(g_opener, opener);
  return opener;
}

bool ShellOpen(std::string_view target) {
  const std::string text(target);
  ShellOpener opener;
  {
    std::lock_guard lock(g_lock);
    opener = g_opener;
  }
  if (text.empty() || !opener) {
    Log("Nothing to open %s with", text.empty() ? "an empty address" : text.c_str());
    return false;
  }
  const bool opened = opener(text);
  if (!opened) Log("The desktop could not open %s", text.c_str());
  return opened;
}
