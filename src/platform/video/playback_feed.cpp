#include "platform/video/playback_feed.h"

#include <algorithm>
#include <cmath>

#include "platform/video/media_reader.h"
#include "platform/video/video_error.h"
#include "support/crash_handler.h"
#include "support/log.h"

namespace {

constexpr std::size_t kPicturesAhead = 8;
constexpr int kSoundBlockFrames = 2048;

}  // namespace

PlaybackFeed::PlaybackFeed() = default;

PlaybackFeed::~PlaybackFeed() {
  Close();
}

void PlaybackFeed::Open(const std::string& path, int maxWidth, int maxHeight, bool withSound) {
  Close();
  auto reader = std::make_unique<MediaReader>(path);
  const MediaFacts& facts = reader->Facts();
  m_hasVideo = facts.hasVideo && !facts.videoCodecName.empty();
  m_hasSound = withSound && facts.hasAudio && !facts.audioCodecName.empty();
  m_sampleRate = facts.frequency;
  m_channels = facts.channels;
  m_durationMs = std::max(m_hasVideo ? facts.videoDurationMs : 0, facts.hasAudio ? facts.audioDurationMs : 0);
  if (m_hasVideo && facts.width > 0 && facts.height > 0) {
    // Pictures come in the shape a screen shows them: a source whose pixels
    // are not square (a DVD's, an anamorphic camera's) gets square ones here,
    // at its own height; the reader has turned it upright already.
    const double seen = facts.displayAspect > 0 ? facts.displayAspect : static_cast<double>(facts.width) / facts.height;
    double width = facts.height * seen;
    double height = facts.height;
    if (maxWidth > 0 && maxHeight > 0 && (width > maxWidth || height > maxHeight)) {
      const double scale = std::min(maxWidth / width, maxHeight / height);
      width *= scale;
      height *= scale;
    }
    const int outputWidth = std::max(2, static_cast<int>(std::lround(width)));
    const int outputHeight = std::max(2, static_cast<int>(std::lround(height)));
    if (outputWidth != facts.width || outputHeight != facts.height)
      reader->SetVideoOutputSize(outputWidth, outputHeight);
  }
  m_reader = std::move(reader);
}

void PlaybackFeed::Close() {
  Stop();
  m_reader.reset();
  m_hasVideo = m_hasSound = false;
  m_durationMs = 0;
}

bool PlaybackFeed::PictureAt(std::int64_t positionMs, VideoFrame& frame) {
  if (!m_reader || !m_hasVideo || m_worker.joinable()) return false;
  m_reader->Seek(std::clamp<std::int64_t>(positionMs, 0, m_durationMs));
  return m_reader->ReadVideo(frame);
}

void PlaybackFeed::Start(std::int64_t fromMs, bool withSound) {
  Stop();
  if (!m_reader) return;
  m_reader->Seek(std::clamp<std::int64_t>(fromMs, 0, m_durationMs));
  {
    std::lock_guard lock(m_lock);
    m_pictures.clear();
    m_sound.clear();
    m_videoEnded = !m_hasVideo;
    m_soundEnded = !(m_hasSound && withSound);
  }
  m_stop = false;
  m_worker = ThreadWithCrashStack([this] { Run(); });
}

void PlaybackFeed::Stop() {
  if (!m_worker.joinable()) return;
  {
    // Set under the lock: set between the thread's last look at it and its
    // wait, the wake-up would be lost and the join below would never return.
    std::lock_guard lock(m_lock);
    m_stop = true;
  }
  m_wake.notify_all();
  m_worker.join();
}

bool PlaybackFeed::WantsPicture() const {
  return !m_videoEnded && m_pictures.size() < kPicturesAhead;
}

bool PlaybackFeed::WantsSound() const {
  return !m_soundEnded && m_sound.size() < static_cast<std::size_t>(m_sampleRate) * m_channels;
}

void PlaybackFeed::Run() {
  std::vector<std::int16_t> block;
  try {
    while (!m_stop) {
      bool picture = false;
      bool sound = false;
      {
        std::unique_lock lock(m_lock);
        m_wake.wait(lock,
                    [this] { return m_stop || WantsPicture() || WantsSound() || (m_videoEnded && m_soundEnded); });
        if (m_stop || (m_videoEnded && m_soundEnded)) break;
        picture = WantsPicture();
        sound = WantsSound();
      }
      if (picture) {
        Picture next;
        next.timeMs = m_reader->VideoPositionMs();
        const bool read = m_reader->ReadVideo(next.frame);
        std::lock_guard lock(m_lock);
        if (read) {
          m_pictures.push_back(std::move(next));
        } else {
          m_videoEnded = true;
        }
      }
      if (sound) {
        m_reader->ReadAudio(kSoundBlockFrames, block);
        std::lock_guard lock(m_lock);
        if (block.empty()) {
          m_soundEnded = true;
        } else {
          m_sound.insert(m_sound.end(), block.begin(), block.end());
        }
      }
    }
  } catch (const std::exception& error) {
    Log("Video library: playback stopped: %s", error.what());
    std::lock_guard lock(m_lock);
    m_videoEnded = m_soundEnded = true;
  }
}

bool PlaybackFeed::TakeDuePicture(std::int64_t nowMs, Picture& picture) {
  bool taken = false;
  {
    std::lock_guard lock(m_lock);
    while (!m_pictures.empty() && m_pictures.front().timeMs <= nowMs) {
      picture = std::move(m_pictures.front());
      m_pictures.pop_front();
      taken = true;
    }
  }
  if (taken) m_wake.notify_all();
  return taken;
}

std::size_t PlaybackFeed::TakeSound(std::int16_t* samples, std::size_t maxFrames) {
  if (m_channels <= 0) return 0;
  std::size_t frames = 0;
  {
    std::lock_guard lock(m_lock);
    frames = std::min(maxFrames, m_sound.size() / static_cast<std::size_t>(m_channels));
    const auto values = static_cast<std::ptrdiff_t>(frames * static_cast<std::size_t>(m_channels));
    std::copy(m_sound.begin(), m_sound.begin() + values, samples);
    m_sound.erase(m_sound.begin(), m_sound.begin() + values);
  }
  if (frames > 0) m_wake.notify_all();
  return frames;
}

bool PlaybackFeed::Drained() const {
  std::lock_guard lock(m_lock);
  return m_videoEnded && m_soundEnded && m_pictures.empty() &&
         m_sound.size() < static_cast<std::size_t>(std::max(1, m_channels));
}
