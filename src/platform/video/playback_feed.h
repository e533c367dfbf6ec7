#pragma once
// Decodes a file ahead of its playback on a thread of its own: pictures into
// a short queue, sound into a buffer of about a second. The player takes them
// as their time comes, so the window thread never waits on decoding.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/video/video_frame.h"

class MediaReader;

class PlaybackFeed {
 public:
  struct Picture {
    VideoFrame frame;
    std::int64_t timeMs = 0;
  };

  PlaybackFeed();
  ~PlaybackFeed();
  PlaybackFeed(const PlaybackFeed&) = delete;
  PlaybackFeed& operator=(const PlaybackFeed&) = delete;

  // Opens the file on the calling thread; pictures are made no larger than
  // maxWidth x maxHeight (proportions kept); sound is decoded only when
  // withSound. Throws video_exception.
  void Open(const std::string& path, int maxWidth, int maxHeight, bool withSound);
  void Close();
  bool IsOpen() const noexcept { return m_reader != nullptr; }

  std::int64_t DurationMs() const noexcept { return m_durationMs; }
  bool HasVideo() const noexcept { return m_hasVideo; }
  bool HasSound() const noexcept { return m_hasSound; }
  int SampleRate() const noexcept { return m_sampleRate; }
  int Channels() const noexcept { return m_channels; }

  // The picture at that time, decoded on the calling thread (only while
  // stopped). False when there is none.
  bool PictureAt(std::int64_t positionMs, VideoFrame& frame);

  // Decodes from that time on the feed's thread; Stop ends the thread. Sound
  // is decoded only withSound (and when opened with it): sound nobody takes
  // would hold the feed from ever draining.
  void Start(std::int64_t fromMs, bool withSound);
  void Stop();

  // The latest queued picture whose time has come (older ones are dropped).
  bool TakeDuePicture(std::int64_t nowMs, Picture& picture);
  // Up to maxFrames sample frames of the decoded sound; returns the frames given.
  std::size_t TakeSound(std::int16_t* samples, std::size_t maxFrames);
  // Everything was decoded and taken.
  bool Drained() const;

 private:
  void Run();
  bool WantsPicture() const;
  bool WantsSound() const;

  std::unique_ptr<MediaReader> m_reader;
  std::int64_t m_durationMs = 0;
  bool m_hasVideo = false;
  bool m_hasSound = false;
  int m_sampleRate = 0;
  int m_channels = 0;

  std::thread m_worker;
  std::atomic<bool> m_stop{false};
  mutable std::mutex m_lock;
  std::condition_variable m_wake;
  std::deque<Picture> m_pictures;
  std::deque<std::int16_t> m_sound;
  bool m_videoEnded = true;
  bool m_soundEnded = true;
};
