#pragma once
// The preview's player as the window's core sees it: the video library's
// player control, without its widget. The dialog places the real player on
// screen and hands the core this side of it; a front end without a screen
// has none. Its two events (stopped, playing position) reach the core as
// CCastrel1Dlg::OnStopEvent and OnTimerEvent.

#include <string>

class PreviewPlayer {
 public:
  virtual ~PreviewPlayer() = default;

  // Loads a file at position 0, stopped; throws video_exception when it
  // cannot be played (the player is then empty).
  virtual void OpenFile(const std::string& path) = 0;
  virtual void CloseFile() = 0;
  virtual void Play() = 0;
  virtual void Pause() = 0;
  // Ends playback and rewinds.
  virtual void Stop() = 0;
  // Moves to percent (0..100) of the file.
  virtual void Seek(int percent) = 0;
  // After every OpenFile (shows the picture); after opening the blank file;
  // once after the player was made.
  virtual void AfterOpen(int reserved) = 0;
  virtual void AfterBlank() = 0;
  virtual void AfterCreate(int reserved) = 0;
};
