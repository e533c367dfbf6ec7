#include "ui/hyperlink.h"

#include "platform/dialogs/shell_open.h"

bool CHyperlink::Open() const {
  if (m_strAddress.empty()) return false;
  return ShellOpen(m_strAddress);
}
