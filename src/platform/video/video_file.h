#pragma once
// The video library's file object. One object either reads a file (OpenFile,
// the facts, ReadVideo, ReadAudio) or writes one (the setters, CreateFile,
// WriteVideo, WriteAudio); CloseFile ends either. Every failing call throws a
// video_exception whose text says what failed.
//
// Frames are BGRA, 4 bytes a pixel, bottom row first (VideoFrame); sound is
// interleaved signed 16-bit samples. Durations and positions are in
// milliseconds, bit rates in kbit/s. One thread at a time may use an object.

#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs/message_box.h"
#include "platform/video/container_probe.h"
#include "platform/video/video_frame.h"
#include "platform/video/writer_settings.h"

class MediaReader;
class MediaWriter;

class VideoFile {
 public:
  // Event 1: progress while a file opens (value 0..100; stage 0 while
  // opening, 1 with the last event of an open).
  using EventHandler = std::function<void(int value, short stage)>;

  VideoFile();
  ~VideoFile();
  VideoFile(const VideoFile&) = delete;
  VideoFile& operator=(const VideoFile&) = delete;

  // Events go to handler on the calling thread or, with a context, on the
  // context's thread (queued when that is another thread).
  void SetEventHandler(EventHandler handler, QObject* context = nullptr);

  // ---- reading
  // An open file (read or written) is closed first.
  void OpenFile(const std::string& path);
  void CloseFile();
  bool IsOpen() const noexcept;

  // type: 0 AVI, 1 MPEG program/transport/elementary stream, 2 Windows Media
  // (ASF), 3 QuickTime/MP4, 4 any other container FFmpeg reads. Judged by the
  // content, not the name. Never throws; an unreadable file is of no type.
  bool IsFileOfType(const std::string& path, int type);
  // FFmpeg opens the file and can decode its video or its audio.
  bool IsSupportedFile(const std::string& path);

  bool HasVideo() const;
  bool HasAudio() const;
  // The codec's name, or the empty text when this build cannot decode it.
  // With no file open for reading: the name of the selected AVI codec.
  std::string VideoCodecName() const;
  std::string AudioCodecName() const;
  // Why the file's video cannot be decoded, in plain words; "" when it can
  // (or when the file has no video).
  std::string VideoProblem() const;
  int VideoDuration() const;
  int AudioDuration() const;
  // How long the file plays: its video's duration, or its sound's when it has
  // no video.
  int PlayingDuration() const;
  int VideoBitrate() const;
  int AudioBitrate() const;
  double FrameRate() const;
  int FramesCount() const;
  int Width() const;
  int Height() const;
  // Width over height as the picture is seen (sample aspect and display
  // matrix applied); Width and Height are already those of the upright picture.
  double DisplayAspect() const;
  int Frequency() const;
  int Channels() const;
  std::int64_t SamplesCount() const;
  int AudioFormatTag() const;
  int VideoPosition() const;
  int AudioPosition() const;

  // The next frame (Width x Height unless SetVideoOutputSize says otherwise);
  // an empty frame at the end of the video.
  VideoFrame ReadVideo();
  // The same into a frame the caller keeps (no allocation per frame); false at the end.
  bool ReadVideo(VideoFrame& frame);
  // Up to frames sample frames (frames x Channels values) at Frequency;
  // empty at the end of the audio.
  std::vector<std::int16_t> ReadAudio(int frames);
  void ReadAudio(int frames, std::vector<std::int16_t>& samples);

  // Continues reading both streams at that position.
  void Seek(int positionMs);
  // Pictures of that size from ReadVideo (0 x 0: the file's own size).
  void SetVideoOutputSize(int width, int height);

  // ---- writing; the setters apply to the next CreateFile
  void SetVideoEnabled(bool enabled);
  void SetAudioEnabled(bool enabled);
  // What WriteAudio and WriteVideo will be given.
  void SetAudioInput(int frequency, int channels);
  void SetFrameFormat(int width, int height, double frameRate);
  void SetMPEGVideo(int version, int kbps, int width, int height, double frameRate);
  // The MPEG-2 stream of a DVD title is flagged 16:9 instead of 4:3; set
  // after SetMPEGVideo, which returns to 4:3.
  void SetMPEGWidescreen(bool widescreen);
  // The video rate was lowered to fit a list onto the disc (a DVD title then
  // gets the encoder choices for scarce bits); set after SetMPEGVideo.
  void SetMPEGRateFitted(bool fitted);
  void SetMPEGAudio(int kbps, int frequency, int channels);

  int VideoCodecCount() const;
  int SelectedVideoCodec() const noexcept { return m_settings.aviCodec; }
  void SelectVideoCodec(int number);  // 1-based
  // The name of AVI codec number (1-based), "" outside the list.
  static std::string VideoCodecName(int number);
  // Shows the settings dialog of the selected AVI codec; returns its answer (IDOK, IDCANCEL).
  int ShowVideoCodecSettings(WindowHandle owner = nullptr);
  void SetAVIVideo(int width, int height, double frameRate);
  void SetAudioPCM(int frequency, int channels, int bits);
  void SetAudioMP3(int kbps, int frequency, int channels);
  void SetAudioADPCM(int frequency, int channels);
  void SetAudioALaw(int frequency, int channels);
  void SetAudioULaw(int frequency, int channels);
  void SetAudioGSM(int frequency);

  void SetWMVProfile(int number);  // 1-based; outside the list, its nearest end
  void SetRMProfile(int number);
  static int WMVProfileCount();
  static std::string WMVProfileName(int number);
  static int RMProfileCount();
  static std::string RMProfileName(int number);

  // container: 1 AVI, 2 MPEG, 3 Windows Media, 4 Real Media.
  void CreateFile(const std::string& path, int container);
  void WriteVideo(const VideoFrame& frame);
  void WriteAudio(const std::vector<std::int16_t>& samples);
  void WriteAudio(const std::int16_t* samples, std::size_t count);

  const WriterSettings& Settings() const noexcept { return m_settings; }

 private:
  const MediaReader& Reader(const char* call) const;
  MediaReader& Reader(const char* call);
  const ContainerProbe& Probe(const std::string& path);
  // A file's size and modification time; size -1 when it cannot be read.
  static std::pair<std::int64_t, std::int64_t> FileStamp(const std::string& path);
  void Emit(int value, short stage);
  void CloseQuietly();

  std::unique_ptr<MediaReader> m_reader;
  std::unique_ptr<MediaWriter> m_writer;
  WriterSettings m_settings;
  EventHandler m_handler;
  QPointer<QObject> m_context;
  bool m_hasContext = false;

  // The last probe, reused while the file is unchanged (the type is asked five times in a row).
  std::string m_probePath;
  std::int64_t m_probeSize = -1;
  std::int64_t m_probeTime = 0;
  ContainerProbe m_probe;

  // The reader IsSupportedFile opened, kept for an OpenFile of the same
  // unchanged file that usually follows (opening a long film reads its whole
  // index); dropped by CloseFile.
  std::unique_ptr<MediaReader> m_checked;
  std::string m_checkedPath;
  std::pair<std::int64_t, std::int64_t> m_checkedStamp{-1, 0};
};
