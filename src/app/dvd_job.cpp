// CCastrel1Dlg: the DVD job - the menu, authoring, the image and the burn.

#include "app/main_window_core.h"
#include "support/log.h"

void CCastrel1Dlg::StartBurnDVD() {
  Log("CCastrel1Dlg::StartBurnDVD");
  // The DVD job arrives with the Convert command; until then the job ends here.
  m_bBusy = false;
  EnableControls(true);
}

void CCastrel1Dlg::CleanTempFiles() {
  Log("CCastrel1Dlg::CleanTempFiles");
}
