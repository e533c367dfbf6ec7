#pragma once
// Encodes pictures and sound into a new file as an OutputPlan describes it.
// Pictures may come at any size (they are scaled) and at the frame rate the
// writer was told (they are repeated or skipped to the output's rate); sound
// comes as interleaved 16-bit samples and is resampled to what the encoder
// takes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/video/av_pointers.h"
#include "platform/video/frame_rate.h"
#include "platform/video/output_plan.h"
#include "platform/video/video_frame.h"

struct AVAudioFifo;

class MediaWriter {
 public:
  struct Input {
    AVRational frameRate{25, 1};
    int sampleRate = 44100;
    int channels = 2;
  };

  // Creates the file and writes its header. Throws video_exception (and
  // leaves no file behind) when an encoder or the file cannot be opened.
  MediaWriter(const std::string& path, const OutputPlan& plan, const Input& input);
  // A writer not closed finishes its file as far as it can, quietly.
  ~MediaWriter();
  MediaWriter(const MediaWriter&) = delete;
  MediaWriter& operator=(const MediaWriter&) = delete;

  void WriteVideo(const VideoFrame& frame);
  // count values, interleaved, a whole number of sample frames.
  void WriteAudio(const std::int16_t* samples, std::size_t count);
  // Flushes the encoders and completes the file.
  void Close();

  // Output frames encoded so far (after frame-rate conversion).
  std::int64_t VideoFramesOut() const noexcept { return m_videoPts; }

 private:
  struct OutputDeleter {
    void operator()(AVFormatContext* context) const;
  };
  struct FifoDeleter {
    void operator()(AVAudioFifo* fifo) const;
  };

  void OpenVideo();
  void OpenAudio();
  void ConvertPicture(const VideoFrame& frame);
  void PadSoundToVideo();
  void EncodeSound(bool final);
  void Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame);
  void Discard() noexcept;

  std::string m_path;
  OutputPlan m_plan;
  Input m_input;
  std::unique_ptr<AVFormatContext, OutputDeleter> m_output;
  PacketPtr m_packet;

  CodecContextPtr m_videoCodec;
  AVStream* m_videoStream = nullptr;
  FramePtr m_picture;
  SwsPtr m_toPicture;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
  FrameRateMapper m_mapper;
  std::int64_t m_videoPts = 0;

  CodecContextPtr m_audioCodec;
  AVStream* m_audioStream = nullptr;
  SwrPtr m_resampler;
  std::unique_ptr<AVAudioFifo, FifoDeleter> m_fifo;
  FramePtr m_resampled;
  FramePtr m_sound;
  int m_frameSize = 1024;
  bool m_smallLastFrame = false;
  std::int64_t m_audioPts = 0;

  bool m_closed = false;
};
