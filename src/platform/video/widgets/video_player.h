#pragma once
// The preview player: a widget that shows a file's pictures and plays its
// sound. Decoding runs on a feed thread; a timer on the window thread shows
// each picture when its time comes and reports the position. Its events are
// Qt signals, emitted on the window thread:
//   event 1, Stopped(): playback reached the end of the file;
//   event 2, PositionChanged(percent): the playing position, 0..100.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/video/playback_feed.h"
#include "platform/video/widgets/player_sound.h"

class VideoPlayer : public QWidget {
  Q_OBJECT

 public:
  explicit VideoPlayer(QWidget* parent = nullptr);
  ~VideoPlayer() override;

  // Loads a file at position 0 (stopped) and shows its first picture; a
  // file loaded before is closed. Throws video_exception when the file
  // cannot be played; the player is then empty.
  void OpenFile(const std::string& path);
  void CloseFile();
  // Plays from the current position (from the start when at the end).
  void Play();
  // Holds the position; Play goes on from there.
  void Pause();
  // Ends playback and goes back to the start.
  void Stop();
  // Moves to percent (0..100) of the file; playing goes on from there.
  void Seek(int percent);

  // Shows the loaded file's picture at the current position (the argument is
  // reserved, 0).
  void AfterOpen(int reserved);
  // Marks the loaded file as the empty picture: it shows black and does not play.
  void AfterBlank();
  // Resets the player to empty and black (the argument is reserved, 0).
  void AfterCreate(int reserved);

  bool IsOpen() const noexcept { return m_feed.IsOpen(); }
  bool IsPlaying() const noexcept { return m_playing; }
  bool IsBlank() const noexcept { return m_blank; }
  bool HasSound() const noexcept { return m_sound.IsActive(); }
  std::int64_t PositionMs() const;
  int PositionPercent() const;
  std::int64_t DurationMs() const noexcept { return m_feed.DurationMs(); }

 signals:
  void Stopped();
  void PositionChanged(int percent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnTick();
  void ShowPicture(const VideoFrame& frame);
  void ShowPictureAt(std::int64_t positionMs);
  void Halt();

  PlaybackFeed m_feed;
  PlayerSound m_sound;
  QTimer m_timer;
  QElapsedTimer m_clock;
  QImage m_picture;
  std::int64_t m_startMs = 0;     // position where the clock started
  std::int64_t m_positionMs = 0;  // position while not playing
  int m_lastPercent = -1;
  bool m_playing = false;
  bool m_blank = false;
};
