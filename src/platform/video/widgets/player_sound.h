#pragma once
// The player's sound output through Qt Multimedia. It is used only when the
// system reports an audio output device: without one, Qt's media back ends
// are not to be relied on (some crash), and a preview without sound is fine.
// Without Qt Multimedia in the build there is never a device.

#include <memory>

class PlaybackFeed;
class QObject;

class PlayerSound {
 public:
  PlayerSound();
  ~PlayerSound();
  PlayerSound(const PlayerSound&) = delete;
  PlayerSound& operator=(const PlayerSound&) = delete;

  // True when an audio output device exists.
  static bool DeviceAvailable();

  // Opens the device for 16-bit sound of that rate and channel count; false
  // when there is no device or it refuses the format.
  bool Start(int sampleRate, int channels);
  // Hands the device as much decoded sound as it takes now.
  void Feed(PlaybackFeed& feed);
  void Stop();
  bool IsActive() const;

 private:
  struct Device;
  std::unique_ptr<Device> m_device;
};
