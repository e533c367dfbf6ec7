#include "app/widgets/player_host.h"

#include "app/main_window_core.h"
#include "platform/video/widgets/video_player.h"
#include "support/log.h"
#include "ui/control_id.h"

PlayerHost::PlayerHost(QWidget* window, CCastrel1Dlg& core) : m_pPlayer(new VideoPlayer(window)) {
  m_pPlayer->setObjectName("NCTVideoPlayer");
  SetControlId(m_pPlayer, kControlId);
  m_pPlayer->setGeometry(kPlace);
  m_pPlayer->show();
  // The player's events, as its event receiver hands them to the window.
  QObject::connect(m_pPlayer, &VideoPlayer::Stopped, m_pPlayer, [&core] { core.OnStopEvent(); });
  QObject::connect(m_pPlayer, &VideoPlayer::PositionChanged, m_pPlayer, [&core](int position) {
    Log("Start OnTimerEvent");
    core.OnTimerEvent(position);
  });
}

void PlayerHost::OpenFile(const std::string& path) {
  m_pPlayer->OpenFile(path);
}
void PlayerHost::CloseFile() {
  m_pPlayer->CloseFile();
}
void PlayerHost::Play() {
  m_pPlayer->Play();
}
void PlayerHost::Pause() {
  m_pPlayer->Pause();
}
void PlayerHost::Stop() {
  m_pPlayer->Stop();
}
void PlayerHost::Seek(int percent) {
  m_pPlayer->Seek(percent);
}
void PlayerHost::AfterOpen(int reserved) {
  m_pPlayer->AfterOpen(reserved);
}
void PlayerHost::AfterBlank() {
  m_pPlayer->AfterBlank();
}
void PlayerHost::AfterCreate(int reserved) {
  m_pPlayer->AfterCreate(reserved);
}
