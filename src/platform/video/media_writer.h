#pragma once
// Writes a new file: takes pictures and sound on the caller's thread, turns
// pictures into the encoder's format there, and encodes and multiplexes on a
// thread of its own, so conversion and encoding run side by side. An error
// on that thread is raised by the next call.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/video/frame_rate.h"
#include "platform/video/media_encoder.h"
#include "platform/video/picture_converter.h"
#include "platform/video/video_frame.h"

class MediaWriter {
 public:
  struct Input {
    AVRational frameRate{25, 1};  // of the pictures WriteVideo is given
    int sampleRate = 44100;
    int channels = 2;
  };

  // Creates the file (see MediaEncoder). Throws video_exception.
  MediaWriter(const std::string& path, const OutputPlan& plan, const Input& input);
  // A writer not closed finishes its file as far as it can, quietly.
  ~MediaWriter();
  MediaWriter(const MediaWriter&) = delete;
  MediaWriter& operator=(const MediaWriter&) = delete;

  void WriteVideo(const VideoFrame& frame);
  // count values, interleaved, a whole number of sample frames.
  void WriteAudio(const std::int16_t* samples, std::size_t count);
  // Encodes what is queued, flushes the encoders and completes the file.
  void Close();

 private:
  struct Job {
    FramePtr picture;
    int copies = 0;
    std::vector<std::int16_t> samples;
  };

  void Queue(Job job);
  void Run();
  void StopWorker();
  void ThrowIfFailed();

  std::string m_path;
  Input m_input;
  std::unique_ptr<MediaEncoder> m_encoder;
  std::unique_ptr<PictureConverter> m_converter;
  FrameRateMapper m_mapper;
  bool m_closed = false;

  std::thread m_worker;
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::deque<Job> m_jobs;
  bool m_finishing = false;
  std::string m_error;  // the worker's failure, once raised to the caller
  bool m_errorRaised = false;
};
