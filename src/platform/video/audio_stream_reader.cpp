#include "platform/video/audio_stream_reader.h"

#include <algorithm>
#include <cmath>

#include "platform/video/video_error.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

namespace {

// Silence put before a late-starting stream is limited, so that a broken
// time stamp cannot make minutes of it.
constexpr double kMaxLeadingSilenceSeconds = 30.0;

}  // namespace

AudioStreamReader::AudioStreamReader(std::unique_ptr<StreamDecoder> decoder, int sampleRate, int channels)
    : m_decoder(std::move(decoder)),
      m_sampleRate(sampleRate > 0 ? sampleRate : 44100),
      m_channels(channels > 0 ? channels : 2) {
  av_channel_layout_default(&m_outputLayout, m_channels);
}

AudioStreamReader::~AudioStreamReader() {
  av_channel_layout_uninit(&m_outputLayout);
  av_channel_layout_uninit(&m_resamplerLayout);
}

std::int64_t AudioStreamReader::BufferedFrames() const noexcept {
  return static_cast<std::int64_t>((m_buffer.size() - m_bufferStart) / m_channels);
}

bool AudioStreamReader::Prime() {
  while (BufferedFrames() == 0 && !m_ended) {
    if (!DecodeMore()) m_ended = true;
  }
  return BufferedFrames() > 0;
}

void AudioStreamReader::Read(int frames, std::vector<std::int16_t>& samples) {
  samples.clear();
  if (frames <= 0) return;
  while (BufferedFrames() < frames && !m_ended) {
    if (!DecodeMore()) m_ended = true;
  }
  const std::int64_t count = std::min<std::int64_t>(frames, BufferedFrames());
  const auto values = static_cast<std::size_t>(count * m_channels);
  samples.assign(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_bufferStart),
                 m_buffer.begin() + static_cast<std::ptrdiff_t>(m_bufferStart + values));
  m_bufferStart += values;
  m_framesRead += count;
  // Compact now and then rather than on every read.
  if (m_bufferStart > m_buffer.size() / 2) {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_bufferStart));
    m_bufferStart = 0;
  }
}

bool AudioStreamReader::DecodeMore() {
  AVFrame* frame = m_decoder->NextFrame();
  if (frame == nullptr) {
    // What the resampler still holds.
    Convert(nullptr);
    return false;
  }
  if (m_aligning) {
    m_aligning = false;
    if (const auto seconds = m_decoder->FrameSeconds(*frame)) {
      const std::int64_t start = std::llround(*seconds * m_sampleRate);
      if (start > m_framesDecoded) {
        const auto limit = static_cast<std::int64_t>(kMaxLeadingSilenceSeconds * m_sampleRate);
        const std::int64_t silence = std::min(start - m_framesDecoded, limit);
        m_buffer.resize(m_buffer.size() + static_cast<std::size_t>(silence * m_channels), 0);
        m_framesDecoded += silence;
      } else {
        m_framesToDrop = m_framesDecoded - start;
      }
    }
  }
  Convert(frame);
  return true;
}

void AudioStreamReader::Convert(const AVFrame* frame) {
  if (frame != nullptr) {
    AVChannelLayout inputLayout{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels == 0) {
      av_channel_layout_default(&inputLayout, frame->ch_layout.nb_channels > 0 ? frame->ch_layout.nb_channels : 1);
    } else {
      av_channel_layout_copy(&inputLayout, &frame->ch_layout);
    }
    if (!m_resampler || m_resamplerFormat != frame->format || m_resamplerRate != frame->sample_rate ||
        av_channel_layout_compare(&m_resamplerLayout, &inputLayout) != 0) {
      SwrContext* resampler = nullptr;
      const int made = swr_alloc_set_opts2(&resampler, &m_outputLayout, AV_SAMPLE_FMT_S16, m_sampleRate, &inputLayout,
                                           static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
      m_resampler.reset(resampler);
      if (made < 0 || swr_init(resampler) < 0) {
        av_channel_layout_uninit(&inputLayout);
        throw video_exception("Cannot convert the sound of this file");
      }
      m_resamplerFormat = frame->format;
      m_resamplerRate = frame->sample_rate;
      av_channel_layout_uninit(&m_resamplerLayout);
      av_channel_layout_copy(&m_resamplerLayout, &inputLayout);
    }
    av_channel_layout_uninit(&inputLayout);
  }
  if (!m_resampler) return;
  const int capacity = swr_get_out_samples(m_resampler.get(), frame != nullptr ? frame->nb_samples : 0);
  if (capacity <= 0) return;
  m_converted.resize(static_cast<std::size_t>(capacity) * m_channels);
  uint8_t* output[1] = {reinterpret_cast<uint8_t*>(m_converted.data())};
  const int made = swr_convert(m_resampler.get(), output, capacity,
                               frame != nullptr ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                               frame != nullptr ? frame->nb_samples : 0);
  if (made > 0) Append(m_converted.data(), made);
}

void AudioStreamReader::Append(const std::int16_t* samples, std::int64_t frames) {
  const std::int64_t dropped = std::min(frames, m_framesToDrop);
  m_framesToDrop -= dropped;
  frames -= dropped;
  samples += dropped * m_channels;
  m_buffer.insert(m_buffer.end(), samples, samples + frames * m_channels);
  m_framesDecoded += frames;
}

void AudioStreamReader::Seek(double seconds) {
  if (seconds < 0.0) seconds = 0.0;
  m_decoder->Seek(seconds);
  if (m_resampler) swr_init(m_resampler.get());  // forget what it held
  m_buffer.clear();
  m_bufferStart = 0;
  m_framesRead = std::llround(seconds * m_sampleRate);
  m_framesDecoded = m_framesRead;
  m_framesToDrop = 0;
  m_aligning = true;
  m_ended = false;
}
