// CCastrel1Dlg: the CD job - one VCD or SVCD movie over as many CDs as it needs.

#include "app/main_window_core.h"
#include "support/log.h"

void CCastrel1Dlg::StartBurnCD() {
  Log("Start burning CD actions:");
  // The CD job arrives with its own worker; until then the job ends here.
  m_bBusy = false;
  EnableControls(true);
}
