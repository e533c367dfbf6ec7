#pragma once
// Encodes pictures and sound into a new file as an OutputPlan describes it:
// the encoders and the muxer, used by one thread. Pictures come already in
// the encoder's format and size (PictureConverter); sound comes as
// interleaved 16-bit samples and is resampled to what the encoder takes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/video/av_pointers.h"
#include "platform/video/output_plan.h"

struct AVAudioFifo;

class MediaEncoder {
 public:
  struct Input {
    int sampleRate = 44100;
    int channels = 2;
  };

  // Creates the file and writes its header. Throws video_exception when an
  // encoder or the file cannot be opened, removing the file if it made it.
  MediaEncoder(const std::string& path, const OutputPlan& plan, const Input& input);
  // An encoder not closed finishes its file as far as it can, quietly.
  ~MediaEncoder();
  MediaEncoder(const MediaEncoder&) = delete;
  MediaEncoder& operator=(const MediaEncoder&) = delete;

  bool HasVideo() const noexcept { return m_videoCodec != nullptr; }
  bool HasAudio() const noexcept { return m_audioCodec != nullptr; }
  // The pictures EncodePicture takes (format, width, height of the encoder).
  AVPixelFormat PictureFormat() const noexcept { return m_pictureFormat; }
  int PictureWidth() const noexcept { return m_plan.video.width; }
  int PictureHeight() const noexcept { return m_plan.video.height; }

  // Encodes the picture as the next copies output frames.
  void EncodePicture(AVFrame* picture, int copies);
  // count values, interleaved, a whole number of input sample frames.
  void EncodeSound(const std::int16_t* samples, std::size_t count);
  // Flushes the encoders and completes the file.
  void Close();

 private:
  struct OutputDeleter {
    void operator()(AVFormatContext* context) const;
  };
  struct FifoDeleter {
    void operator()(AVAudioFifo* fifo) const;
  };

  void OpenVideo();
  void OpenAudio();
  // Makes m_resampled hold at least frames sample frames.
  void ReserveResampled(int frames);
  void PadSoundToVideo();
  void EncodeBufferedSound(bool final);
  void Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame);
  void Discard() noexcept;

  std::string m_path;
  OutputPlan m_plan;
  Input m_input;
  std::unique_ptr<AVFormatContext, OutputDeleter> m_output;
  PacketPtr m_packet;

  CodecContextPtr m_videoCodec;
  AVStream* m_videoStream = nullptr;
  AVPixelFormat m_pictureFormat = AV_PIX_FMT_NONE;
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

  bool m_createsFile = false;
  bool m_closed = false;
};
