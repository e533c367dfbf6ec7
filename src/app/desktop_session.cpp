// CCastrel1Dlg: the desktop around the window. A job runs for long stretches
// while the user does something else: the desktop is told when it needs the
// user, the computer stays awake while it runs (a suspended burn spoils the
// disc), and drives that come and go are noticed.

#include "app/main_window_core.h"
#include "platform/desktop/desktop_services.h"
#include "platform/disc/burning/burner_devices.h"
#include "support/log.h"
#include "support/user_text.h"

void CCastrel1Dlg::ConnectToDesktop() {
  // Messages come from any thread; the view is asked on the core's.
  SetAttentionHandler([this](const std::string& caption, const std::string& text) {
    if (m_messages.OnCoreThread()) {
      CallUserBack(caption, text);
    } else {
      m_messages.Post([this, caption, text] { CallUserBack(caption, text); });
    }
  });
  m_pDriveWatch = std::make_unique<desktop::OpticalDriveWatch>([this] { OnDrivesChanged(); });
}

void CCastrel1Dlg::CallUserBack(const std::string& caption, const std::string& text) {
  if (m_pView == nullptr || m_pView->IsWindowActive()) return;
  // A dialog (no text of its own) is a question waiting for an answer.
  const bool question = text.empty();
  const std::string summary = question ? std::string(kApplicationTitle) : caption;
  const std::string body = question ? UserText::tr("Orlenta is waiting for your answer.") : text;
  if (desktop::Notify(summary, body))
    Log("The window is not active: the desktop is notified of the %s", question ? "question" : "message");
}

void CCastrel1Dlg::OnDrivesChanged() {
  Log("CCastrel1Dlg::OnDrivesChanged");
  ListBurnerDevices();
  // Only the pages on screen have a list to refresh.
  for (CDiscLibraryPage* page : {static_cast<CDiscLibraryPage*>(&m_pageDVD), static_cast<CDiscLibraryPage*>(&m_pageVCD),
                                 static_cast<CDiscLibraryPage*>(&m_pageSVCD)}) {
    page->OnDevicesChanged();
  }
}

void CCastrel1Dlg::HoldOffSleep(bool hold) {
  if (!hold) {
    m_pSleepLock.reset();
  } else if (!m_pSleepLock) {
    m_pSleepLock = desktop::InhibitSleep(UserText::tr("A disc or video is being converted and written"));
  }
}
