#include "platform/video/media_writer.h"

#include "platform/video/video_error.h"
#include "support/crash_handler.h"
#include "support/log.h"

namespace {

// Jobs waiting for the encoder thread; a few pictures are enough to keep
// both threads busy without holding many frames in memory.
constexpr std::size_t kMaxQueuedJobs = 6;

}  // namespace

MediaWriter::MediaWriter(const std::string& path, const OutputPlan& plan, const Input& input)
    : m_path(path), m_input(input) {
  MediaEncoder::Input encoderInput;
  encoderInput.sampleRate = input.sampleRate;
  encoderInput.channels = input.channels;
  m_encoder = std::make_unique<MediaEncoder>(path, plan, encoderInput);
  if (m_encoder->HasVideo()) {
    m_converter = std::make_unique<PictureConverter>(m_encoder->PictureFormat(), m_encoder->PictureWidth(),
                                                     m_encoder->PictureHeight());
    m_mapper = FrameRateMapper(input.frameRate, plan.video.frameRate);
  }
  m_worker = ThreadWithCrashStack([this] { Run(); });
}

MediaWriter::~MediaWriter() {
  if (m_closed) return;
  try {
    Close();
  } catch (const std::exception& error) {
    Log("Video library: finishing %s failed: %s", m_path.c_str(), error.what());
  }
}

void MediaWriter::ThrowIfFailed() {
  std::lock_guard lock(m_lock);
  if (!m_error.empty() && !m_errorRaised) {
    m_errorRaised = true;
    throw video_exception(m_error);
  }
}

void MediaWriter::Queue(Job job) {
  std::unique_lock lock(m_lock);
  m_changed.wait(lock, [this] { return m_jobs.size() < kMaxQueuedJobs || !m_error.empty(); });
  if (!m_error.empty()) {
    m_errorRaised = true;
    throw video_exception(m_error);
  }
  m_jobs.push_back(std::move(job));
  m_changed.notify_all();
}

void MediaWriter::WriteVideo(const VideoFrame& frame) {
  if (m_closed) throw video_exception("WriteVideo: the file is closed");
  if (!m_converter) throw video_exception("WriteVideo: the file has no video stream (video is disabled)");
  if (!frame.IsWellFormed()) {
    throw video_exception("WriteVideo: a frame of " + std::to_string(frame.width) + "x" + std::to_string(frame.height) +
                          " cannot hold " + std::to_string(frame.pixels.size()) + " bytes");
  }
  ThrowIfFailed();
  const int copies = m_mapper.Add();
  if (copies == 0) return;  // the output's rate is lower: this picture falls between its frames
  Job job;
  job.picture = m_converter->Convert(frame);
  job.copies = copies;
  Queue(std::move(job));
}

void MediaWriter::WriteAudio(const std::int16_t* samples, std::size_t count) {
  if (m_closed) throw video_exception("WriteAudio: the file is closed");
  if (!m_encoder->HasAudio()) throw video_exception("WriteAudio: the file has no audio stream (audio is disabled)");
  if (count % static_cast<std::size_t>(m_input.channels) != 0) {
    throw video_exception("WriteAudio: " + std::to_string(count) + " samples are no whole number of " +
                          std::to_string(m_input.channels) + "-channel frames");
  }
  ThrowIfFailed();
  if (count == 0) return;
  Job job;
  job.samples.assign(samples, samples + count);
  Queue(std::move(job));
}

void MediaWriter::Run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_lock);
      m_changed.wait(lock, [this] { return !m_jobs.empty() || m_finishing; });
      if (m_jobs.empty()) return;
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
      m_changed.notify_all();
    }
    try {
      if (job.picture) m_encoder->EncodePicture(job.picture.get(), job.copies);
      if (!job.samples.empty()) m_encoder->EncodeSound(job.samples.data(), job.samples.size());
    } catch (const std::exception& error) {
      std::lock_guard lock(m_lock);
      m_error = error.what();
      m_jobs.clear();
      m_changed.notify_all();
      return;
    }
  }
}

void MediaWriter::StopWorker() {
  if (!m_worker.joinable()) return;
  {
    std::lock_guard lock(m_lock);
    m_finishing = true;
  }
  m_changed.notify_all();
  m_worker.join();
}

void MediaWriter::Close() {
  if (m_closed) return;
  m_closed = true;
  StopWorker();
  if (!m_error.empty()) {
    // The file is finished as far as it got; the failure is reported once.
    try {
      m_encoder->Close();
    } catch (const std::exception& error) {
      Log("Video library: finishing %s failed: %s", m_path.c_str(), error.what());
    }
    if (!m_errorRaised) {
      m_errorRaised = true;
      throw video_exception(m_error);
    }
    return;
  }
  m_encoder->Close();
}
