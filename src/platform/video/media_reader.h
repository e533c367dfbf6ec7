#pragma once
// An opened input file: its facts, and its pictures and sound read from the
// start (or from a seek position) as the video library hands them out.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/video/audio_stream_reader.h"
#include "platform/video/av_pointers.h"
#include "platform/video/video_frame.h"
#include "platform/video/video_stream_reader.h"

struct MediaFacts {
  std::string formatName;   // FFmpeg's demuxer
  int containerClass = -1;  // see ContainerClass
  bool hasVideo = false;
  bool hasAudio = false;
  std::string videoCodecName;  // "" when no decoder of this build knows it
  // Why the video stream cannot be decoded, in plain words ("its codec
  // \"XVIX\" is unknown"); "" when it can, or when there is none.
  std::string videoProblem;
  std::string audioCodecName;
  std::int64_t videoDurationMs = 0;
  std::int64_t audioDurationMs = 0;
  int videoBitrateKbps = 0;
  int audioBitrateKbps = 0;
  double frameRate = 0.0;
  std::int64_t framesCount = 0;
  int width = 0;  // of the upright picture, as ReadVideo gives it
  int height = 0;
  int rotationDegrees = 0;   // clockwise turn ReadVideo applies to stored pictures
  double displayAspect = 0;  // width over height as seen; 0 without video
  int frequency = 0;
  int channels = 0;
  std::int64_t samplesCount = 0;
  int audioFormatTag = 0;  // WAVE format tag (1 PCM, 0x55 MP3, 0x2000 AC-3, ...), 0 if none
};

class MediaReader {
 public:
  // Called while opening with the share done, 0..100.
  using ProgressFunction = std::function<void(int percent)>;

  // Opens the file, reads its facts and decodes its first picture and sound
  // to be sure they can be read. Throws video_exception when the file cannot
  // be opened or holds no video or audio stream this build can decode.
  explicit MediaReader(const std::string& path, const ProgressFunction& progress = {});
  ~MediaReader();
  MediaReader(const MediaReader&) = delete;
  MediaReader& operator=(const MediaReader&) = delete;

  const MediaFacts& Facts() const noexcept { return m_facts; }

  // The next picture; false at the end (or when there is no readable video).
  bool ReadVideo(VideoFrame& frame);
  // Up to frames sample frames; empty at the end (or without readable audio).
  void ReadAudio(int frames, std::vector<std::int16_t>& samples);

  std::int64_t VideoPositionMs() const noexcept;
  std::int64_t AudioPositionMs() const noexcept;

  // Continues both streams at that time (milliseconds from the start).
  void Seek(std::int64_t positionMs);
  // Size of the pictures ReadVideo gives; 0 x 0 keeps the file's size.
  void SetVideoOutputSize(int width, int height);

 private:
  InputContextPtr OpenInput(bool findStreamInfo) const;
  void ReadFacts(const AVFormatContext& input);
  void OpenVideo(InputContextPtr input);
  void OpenAudio(InputContextPtr input);

  std::string m_path;
  MediaFacts m_facts;
  int m_videoIndex = -1;
  int m_audioIndex = -1;
  AVRational m_frameRate{25, 1};
  double m_origin = 0.0;  // seconds on the file's clock where reading starts
  std::unique_ptr<VideoStreamReader> m_video;
  std::unique_ptr<AudioStreamReader> m_audio;
  VideoFrame m_stored;  // a picture before it is turned upright
};

// Why not a single picture of the file at path can be decoded, in plain
// words; "" when one can. Reads a converted file back before it counts.
std::string PictureProblem(const std::string& path);
