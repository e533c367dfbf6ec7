#include "platform/video/widgets/video_player.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/video/video_error.h"
#include "support/log.h"

namespace {

// Often enough for 60 frames a second; the feed does the decoding.
constexpr int kTickMs = 10;
// Pictures are decoded no larger than this; the widget scales them.
constexpr int kMaxPictureWidth = 720;
constexpr int kMaxPictureHeight = 576;

}  // namespace

VideoPlayer::VideoPlayer(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_timer.setTimerType(Qt::PreciseTimer);
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &VideoPlayer::OnTick);
}

VideoPlayer::~VideoPlayer() {
  Halt();
}

void VideoPlayer::OpenFile(const std::string& path) {
  CloseFile();
  const bool withSound = PlayerSound::DeviceAvailable();
  const int maxWidth = std::clamp(width(), 160, kMaxPictureWidth);
  const int maxHeight = std::clamp(height(), 120, kMaxPictureHeight);
  m_feed.Open(path, maxWidth, maxHeight, withSound);
  ShowPictureAt(0);
}

void VideoPlayer::CloseFile() {
  Halt();
  m_feed.Close();
  m_positionMs = 0;
  m_lastPercent = -1;
  m_blank = false;
  m_picture = QImage();
  update();
}

void VideoPlayer::Play() {
  if (m_playing || !m_feed.IsOpen() || m_blank) return;
  if (m_positionMs >= m_feed.DurationMs()) m_positionMs = 0;
  m_startMs = m_positionMs;
  // Sound the device refuses is not decoded at all (see PlaybackFeed::Start).
  const bool withSound = m_feed.HasSound() && m_sound.Start(m_feed.SampleRate(), m_feed.Channels());
  m_feed.Start(m_startMs, withSound);
  m_clock.start();
  m_playing = true;
  m_timer.start();
}

void VideoPlayer::Pause() {
  if (!m_playing) return;
  m_positionMs = PositionMs();
  Halt();
}

void VideoPlayer::Stop() {
  Halt();
  m_positionMs = 0;
  m_lastPercent = -1;
  if (m_feed.IsOpen()) ShowPictureAt(0);
}

void VideoPlayer::Seek(int percent) {
  if (!m_feed.IsOpen()) return;
  const std::int64_t target = m_feed.DurationMs() * std::clamp(percent, 0, 100) / 100;
  const bool wasPlaying = m_playing;
  Halt();
  m_positionMs = target;
  if (wasPlaying) {
    Play();
  } else if (!m_blank) {
    ShowPictureAt(target);
  }
}

void VideoPlayer::AfterOpen(int) {
  if (!m_feed.IsOpen() || m_playing || m_blank) return;
  ShowPictureAt(m_positionMs);
}

void VideoPlayer::AfterBlank() {
  Halt();
  m_blank = true;
  m_picture = QImage();
  update();
}

void VideoPlayer::AfterCreate(int) {
  CloseFile();
}

std::int64_t VideoPlayer::PositionMs() const {
  if (!m_playing) return m_positionMs;
  return std::min<std::int64_t>(m_startMs + m_clock.elapsed(), m_feed.DurationMs());
}

int VideoPlayer::PositionPercent() const {
  const std::int64_t duration = m_feed.DurationMs();
  return duration > 0 ? static_cast<int>(PositionMs() * 100 / duration) : 0;
}

void VideoPlayer::Halt() {
  m_timer.stop();
  m_sound.Stop();
  m_feed.Stop();
  m_playing = false;
}

void VideoPlayer::OnTick() {
  if (!m_playing) return;
  const std::int64_t now = m_startMs + static_cast<std::int64_t>(m_clock.elapsed());
  PlaybackFeed::Picture picture;
  if (m_feed.TakeDuePicture(now, picture)) ShowPicture(picture.frame);
  m_sound.Feed(m_feed);

  const int percent = PositionPercent();
  if (percent != m_lastPercent) {
    m_lastPercent = percent;
    emit PositionChanged(percent);
    // A receiver may have paused, stopped or closed the player.
    if (!m_playing) return;
  }
  if (now >= m_feed.DurationMs() && m_feed.Drained()) {
    m_positionMs = m_feed.DurationMs();
    Halt();
    emit Stopped();
  }
}

void VideoPlayer::ShowPictureAt(std::int64_t positionMs) {
  VideoFrame frame;
  if (m_feed.PictureAt(positionMs, frame)) {
    ShowPicture(frame);
  } else {
    m_picture = QImage();
    update();
  }
}

void VideoPlayer::ShowPicture(const VideoFrame& frame) {
  if (!frame.IsWellFormed()) return;
  if (m_picture.width() != frame.width || m_picture.height() != frame.height) {
    m_picture = QImage(frame.width, frame.height, QImage::Format_RGB32);
  }
  // BGRA bottom-up rows become the image's top-down rows (RGB32 is BGRA in memory on little-endian machines).
  for (int y = 0; y < frame.height; ++y) {
    std::memcpy(m_picture.scanLine(y),
                frame.pixels.data() + static_cast<std::size_t>(frame.height - 1 - y) * frame.Stride(), frame.Stride());
  }
  update();
}

void VideoPlayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (m_picture.isNull()) return;
  const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, m_picture);
}
