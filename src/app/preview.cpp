// CCastrel1Dlg: the preview - the file in the player, Play / Pause, Stop,
// the position slider and the player's events. Without a player (a front end
// that shows no pictures) every command does nothing.

#include <QCoreApplication>
#include <exception>

#include "app/main_window_core.h"
#include "app/preview_player.h"
#include "support/log.h"
#include "support/path_buffer.h"

void CCastrel1Dlg::ShowFileInPlayer(const std::string& path, bool blank) {
  Log("m_pIVideoPlayer->OpenFile %s", path.c_str());
  if (m_pIVideoPlayer == nullptr) return;
  try {
    m_pIVideoPlayer->OpenFile(path);
    m_pIVideoPlayer->AfterOpen(0);
    m_pIVideoPlayer->Seek(0);
    if (blank) m_pIVideoPlayer->AfterBlank();
  } catch (const std::exception& error) {
    // The list keeps the file; the player stays empty, which shows the same
    // black as the blank file.
    Log("The player could not open %s: %s", path.c_str(), error.what());
  }
}

void CCastrel1Dlg::ClosePlayer() {
  Log("m_pIVideoPlayer->CloseFile()");
  if (m_pIVideoPlayer != nullptr) m_pIVideoPlayer->CloseFile();
}

void CCastrel1Dlg::ShowBlankFile() {
  ClosePlayer();
  ShowFileInPlayer(ModuleFolderFile("blank.avi").str(), true);
}

void CCastrel1Dlg::OnPlay() {
  Log("CCastrel1Dlg::OnPlay");
  if (m_pIVideoPlayer == nullptr) return;
  if (m_bPlaying) {
    m_pIVideoPlayer->Pause();
    m_bPlaying = false;
    return;
  }
  const int selected = m_pView->ListSelection();
  const std::string path = selected >= 0 ? m_pView->ListText(selected) : std::string();
  if (path.empty()) return;
  m_pIVideoPlayer->Play();
  m_bPlaying = true;
}

void CCastrel1Dlg::OnPlayerStop() {
  Log("CCastrel1Dlg::OnPlayerStop");
  if (m_pIVideoPlayer == nullptr) return;
  m_pIVideoPlayer->Stop();
  m_bPlaying = false;
}

void CCastrel1Dlg::OnReleasedcaptureSlider2() {
  Log("CCastrel1Dlg::OnReleasedcaptureSlider2");
  UpdateData(true);
  if (m_pIVideoPlayer != nullptr) m_pIVideoPlayer->Seek(m_nPlayerPos);
  m_bSeeking = false;
}

void CCastrel1Dlg::OnStopEvent() {
  Log("CCastrel1Dlg::OnStopEvent");
  UpdateData(true);
  m_nPlayerPos = 0;
  UpdateData(false);
  if (m_pIVideoPlayer != nullptr) m_pIVideoPlayer->Seek(0);
  m_bPlaying = false;
}

void CCastrel1Dlg::OnTimerEvent(int position) {
  UpdateData(true);
  if (!m_bSeeking) m_nPlayerPos = position;
  UpdateData(false);
}

void CCastrel1Dlg::OnReaderEvent(int value, short /*stage*/) {
  // Only the window's own openings (adding, inspecting, summing durations)
  // show here and let the window draw meanwhile: a job, or the library
  // conversion reading on this thread, owns the bar and must not have its
  // messages run in the middle of a read.
  if (m_pView == nullptr || m_bBusy || !m_bReaderInUse) return;
  m_pView->SetProgress(value);
  m_bBarShowsReading = true;
  // The window goes on drawing while a file opens; what the user does
  // meanwhile waits until the file is open.
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
