// CCastrel1Dlg: the settings sheet of the output formats.

#include "app/main_window_core.h"
#include "support/log.h"

void CCastrel1Dlg::OnButtonSettings() {
  Log("CCastrel1Dlg::OnButtonSettings");
  // The sheet's pages arrive with their own dialog.
}
