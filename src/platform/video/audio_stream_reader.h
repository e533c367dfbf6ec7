#pragma once
// Reads the sound of an audio stream as interleaved signed 16-bit samples at
// the stream's own rate and channel count. The sound is placed on the time
// line of the file's video: sound that starts after the first picture is
// preceded by silence, sound from before it is dropped, so audio read from 0
// stays in step with the video read from 0.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/video/av_pointers.h"
#include "platform/video/stream_decoder.h"

class AudioStreamReader {
 public:
  AudioStreamReader(std::unique_ptr<StreamDecoder> decoder, int sampleRate, int channels);
  ~AudioStreamReader();
  AudioStreamReader(const AudioStreamReader&) = delete;
  AudioStreamReader& operator=(const AudioStreamReader&) = delete;

  // Decodes the first sound ahead; false when the stream yields none.
  bool Prime();

  // Up to frames sample frames (frames x channels values); fewer only at the
  // end of the stream, none after it.
  void Read(int frames, std::vector<std::int16_t>& samples);

  // Continues at that time (seconds on the video's time line).
  void Seek(double seconds);

  int SampleRate() const noexcept { return m_sampleRate; }
  int Channels() const noexcept { return m_channels; }
  // Sample frames given so far, counted from the time line's start.
  std::int64_t FramesRead() const noexcept { return m_framesRead; }
  double PositionSeconds() const noexcept { return static_cast<double>(m_framesRead) / m_sampleRate; }

 private:
  bool DecodeMore();
  void Convert(const AVFrame* frame);
  void Append(const std::int16_t* samples, std::int64_t frames);
  std::int64_t BufferedFrames() const noexcept;

  std::unique_ptr<StreamDecoder> m_decoder;
  int m_sampleRate;
  int m_channels;
  AVChannelLayout m_outputLayout{};

  SwrPtr m_resampler;
  int m_resamplerFormat = -1;
  int m_resamplerRate = 0;
  AVChannelLayout m_resamplerLayout{};
  std::vector<std::int16_t> m_converted;

  std::vector<std::int16_t> m_buffer;  // decoded, not yet given out
  std::size_t m_bufferStart = 0;       // values of m_buffer already given out
  std::int64_t m_framesRead = 0;
  std::int64_t m_framesDecoded = 0;  // the time line position of the buffer's end
  bool m_aligning = true;            // the next frame places the sound on the time line
  std::int64_t m_framesToDrop = 0;
  bool m_ended = false;
};
