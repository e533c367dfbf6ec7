// CCastrel1Dlg: the Convert command - checks, planning, the task list and the
// end of the list.

#include "app/main_window_core.h"
#include "support/log.h"

void CCastrel1Dlg::AdjustOutFile(std::string& /*outFile*/) {
  Log("AdjustOutFile(CString & sOutFile)");
  // The Convert command brings the fallback folders.
}
