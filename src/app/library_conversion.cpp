// CCastrel1Dlg: the conversion through the video library, when ffmpeg fails.

#include "app/main_window_core.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"

void CCastrel1Dlg::ConvertUsingNCT() {
  Log("CCastrel1Dlg::ConvertUsingNCT");
  // The library engine's conversion arrives on its own; until then the job
  // ends with a clear message.
  MessageBox(Owner(), "The conversion failed and no second engine is available.", "Error", MB_OK | MB_ICONERROR);
  m_bBusy = false;
  EnableControls(true);
}
