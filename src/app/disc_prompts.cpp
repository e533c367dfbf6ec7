// CCastrel1Dlg: the disc prompts - the CD prompt of WM_SHOWDLG and the DVD
// erase prompt, whose Erase buttons open the burner's erase window.

#include "app/main_window_core.h"
#include "platform/disc/burning/burner.h"
#include "support/log.h"
#include "support/user_text.h"

int CCastrel1Dlg::ShowDlg(const std::string& text) {
  Log("CCastrel1Dlg::ShowDlg - show CCDCountDlg dialog");
  const DialogReply<CDCountDlgRequest> reply = AskDialog(Owner(), CDCountPrompt(text));
  return reply.code == IDOK ? IDOK : IDCANCEL;
}

int CCastrel1Dlg::SendShowDlg(const std::string& text) {
  return static_cast<int>(m_messages.Send([&] { return static_cast<std::intptr_t>(ShowDlg(text)); }));
}

CDCountDlgRequest CCastrel1Dlg::CDCountPrompt(const std::string& text) {
  CDCountDlgRequest request;
  request.text = text;
  request.erase = [this] { EraseRewritable(UserText::tr("Erase CD").c_str()); };
  return request;
}

EraseDVDDlgRequest CCastrel1Dlg::EraseDVDPrompt() {
  EraseDVDDlgRequest request;
  request.erase = [this] { EraseRewritable(UserText::tr("Erase DVD").c_str()); };
  return request;
}

void CCastrel1Dlg::EraseRewritable(const char* caption) {
  // The erase reports its progress through the burner's process callback,
  // which must not move the job's bar meanwhile.
  m_bErasing = true;
  burner::SetDialogOwner(Owner());
  const int result = burner::EraseDialog(caption);
  if (result != 0) Log("EraseDialog: %d %s", result, burner::GetLastErrorText());
  m_bErasing = false;
}
