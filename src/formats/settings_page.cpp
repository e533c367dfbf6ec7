#include "formats/settings_page.h"

bool SettingsPage::OnKillActive() {
  DoDataExchange(true);
  return true;
}

void SettingsPage::Exchange(bool save, int id, int& member) const {
  if (m_pControls == nullptr) return;
  if (save) {
    member = m_pControls->Selection(id);
  } else {
    m_pControls->Select(id, member);
  }
}
