#pragma once
// The preview's player in the main window: the video library's player widget
// placed where the window keeps it (control 999), handed to the core as its
// PreviewPlayer, with the player's two events going to the core.

#include <QObject>
#include <QRect>

#include "app/preview_player.h"

class CCastrel1Dlg;
class QWidget;
class VideoPlayer;

class PlayerHost : public PreviewPlayer {
 public:
  // Client pixels 584, 17 to 734, 127 of the window, and the control's id.
  static constexpr QRect kPlace{584, 17, 150, 110};
  static constexpr int kControlId = 999;

  // The player becomes a child of window.
  PlayerHost(QWidget* window, CCastrel1Dlg& core);

  VideoPlayer* Widget() const { return m_pPlayer; }

  void OpenFile(const std::string& path) override;
  void CloseFile() override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  void Seek(int percent) override;
  void AfterOpen(int reserved) override;
  void AfterBlank() override;
  void AfterCreate(int reserved) override;

 private:
  VideoPlayer* m_pPlayer;  // owned by the window
};
