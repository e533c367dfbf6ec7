#include "platform/video/widgets/player_sound.h"

#include <vector>

#include "platform/video/playback_feed.h"
#include "support/log.h"

#ifdef ORLENTA_HAVE_QT_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

struct PlayerSound::Device {
  std::unique_ptr<QAudioSink> sink;
  QIODevice* output = nullptr;
  int channels = 0;
  std::vector<std::int16_t> buffer;
};

PlayerSound::PlayerSound() = default;

PlayerSound::~PlayerSound() {
  Stop();
}

bool PlayerSound::DeviceAvailable() {
  return !QMediaDevices::audioOutputs().isEmpty();
}

bool PlayerSound::Start(int sampleRate, int channels) {
  Stop();
  if (sampleRate <= 0 || channels <= 0 || !DeviceAvailable()) return false;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  QAudioFormat format;
  format.setSampleRate(sampleRate);
  format.setChannelCount(channels);
  format.setSampleFormat(QAudioFormat::Int16);
  if (device.isNull() || !device.isFormatSupported(format)) {
    Log("Video library: the sound device does not play %d Hz with %d channels; playing without sound", sampleRate,
        channels);
    return false;
  }
  auto created = std::make_unique<Device>();
  created->sink = std::make_unique<QAudioSink>(device, format);
  // A short buffer keeps the sound close to the pictures' clock.
  created->sink->setBufferSize(sampleRate * channels * 2 / 5);
  created->output = created->sink->start();
  if (created->output == nullptr) return false;
  created->channels = channels;
  m_device = std::move(created);
  return true;
}

void PlayerSound::Feed(PlaybackFeed& feed) {
  if (!m_device) return;
  const qsizetype bytes = m_device->sink->bytesFree();
  const auto frames = static_cast<std::size_t>(bytes / (2 * m_device->channels));
  if (frames == 0) return;
  m_device->buffer.resize(frames * static_cast<std::size_t>(m_device->channels));
  const std::size_t taken = feed.TakeSound(m_device->buffer.data(), frames);
  if (taken > 0) {
    m_device->output->write(reinterpret_cast<const char*>(m_device->buffer.data()),
                            static_cast<qint64>(taken * static_cast<std::size_t>(m_device->channels) * 2));
  }
}

void PlayerSound::Stop() {
  if (m_device) m_device->sink->stop();
  m_device.reset();
}

bool PlayerSound::IsActive() const {
  return m_device != nullptr;
}

#else

struct PlayerSound::Device {};

PlayerSound::PlayerSound() = default;
PlayerSound::~PlayerSound() = default;
bool PlayerSound::DeviceAvailable() {
  return false;
}
bool PlayerSound::Start(int, int) {
  return false;
}
void PlayerSound::Feed(PlaybackFeed&) {}
void PlayerSound::Stop() {}
bool PlayerSound::IsActive() const {
  return false;
}

#endif
