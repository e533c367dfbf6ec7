#include "platform/video/video_file.h"

#include <QMetaObject>
#include <QThread>
#include <filesystem>

#include "platform/video/codec_settings_request.h"
#include "platform/video/frame_rate.h"
#include "platform/video/media_reader.h"
#include "platform/video/media_writer.h"
#include "platform/video/output_plan.h"
#include "platform/video/video_error.h"
#include "platform/video/writer_profiles.h"
#include "support/log.h"

VideoFile::VideoFile() = default;

VideoFile::~VideoFile() = default;

void VideoFile::SetEventHandler(EventHandler handler, QObject* context) {
  m_handler = std::move(handler);
  m_context = context;
  m_hasContext = context != nullptr;
}

void VideoFile::Emit(int value, short stage) {
  if (!m_handler) return;
  if (!m_hasContext || m_context.isNull() || QThread::currentThread() == m_context->thread()) {
    m_handler(value, stage);
    return;
  }
  QMetaObject::invokeMethod(
      m_context.data(), [handler = m_handler, value, stage] { handler(value, stage); }, Qt::QueuedConnection);
}

// ---- reading

void VideoFile::CloseQuietly() {
  if (!IsOpen()) return;
  Log("Video library: the file still open is closed first");
  try {
    CloseFile();
  } catch (const video_exception& error) {
    Log("Video library: %s", error.what());
  }
}

void VideoFile::OpenFile(const std::string& path) {
  std::unique_ptr<MediaReader> checked = std::move(m_checked);
  CloseQuietly();
  if (checked && path == m_checkedPath && FileStamp(path) == m_checkedStamp) {
    Emit(0, 0);
    m_reader = std::move(checked);
  } else {
    checked.reset();
    m_reader = std::make_unique<MediaReader>(path, [this](int percent) { Emit(percent, 0); });
  }
  Emit(100, 1);
}

void VideoFile::CloseFile() {
  m_checked.reset();
  m_reader.reset();
  if (m_writer) {
    // Drop the writer even when finishing it fails, so the object can be used again.
    std::unique_ptr<MediaWriter> writer = std::move(m_writer);
    writer->Close();
  }
}

bool VideoFile::IsOpen() const noexcept {
  return m_reader != nullptr || m_writer != nullptr;
}

std::pair<std::int64_t, std::int64_t> VideoFile::FileStamp(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  const std::int64_t bytes = error ? -1 : static_cast<std::int64_t>(size);
  const auto time = std::filesystem::last_write_time(path, error);
  return {bytes, error ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count())};
}

const ContainerProbe& VideoFile::Probe(const std::string& path) {
  const auto [bytes, stamp] = FileStamp(path);
  if (path != m_probePath || bytes != m_probeSize || stamp != m_probeTime || bytes < 0) {
    m_probe = ProbeContainer(path);
    m_probePath = path;
    m_probeSize = bytes;
    m_probeTime = stamp;
  }
  return m_probe;
}

bool VideoFile::IsFileOfType(const std::string& path, int type) {
  if (path.empty() || type < 0 || type > 4) return false;
  return ClassOfContainer(Probe(path).formatName) == type;
}

bool VideoFile::IsSupportedFile(const std::string& path) {
  m_checked.reset();
  if (path.empty() || ClassOfContainer(Probe(path).formatName) < 0) return false;
  try {
    const auto stamp = FileStamp(path);
    auto reader = std::make_unique<MediaReader>(path);
    if (stamp.first >= 0) {
      m_checked = std::move(reader);
      m_checkedPath = path;
      m_checkedStamp = stamp;
    }
    return true;
  } catch (const video_exception& error) {
    Log("Video library: %s", error.what());
    return false;
  }
}

const MediaReader& VideoFile::Reader(const char* call) const {
  if (!m_reader) throw video_exception(std::string(call) + ": no file is open for reading");
  return *m_reader;
}

MediaReader& VideoFile::Reader(const char* call) {
  if (!m_reader) throw video_exception(std::string(call) + ": no file is open for reading");
  return *m_reader;
}

bool VideoFile::HasVideo() const {
  return Reader("HasVideo").Facts().hasVideo;
}
bool VideoFile::HasAudio() const {
  return Reader("HasAudio").Facts().hasAudio;
}

std::string VideoFile::VideoCodecName() const {
  if (m_reader) return m_reader->Facts().videoCodecName;
  return VideoCodecName(m_settings.aviCodec);
}

std::string VideoFile::AudioCodecName() const {
  return Reader("AudioCodecName").Facts().audioCodecName;
}
std::string VideoFile::VideoProblem() const {
  return Reader("VideoProblem").Facts().videoProblem;
}
int VideoFile::VideoDuration() const {
  return static_cast<int>(Reader("VideoDuration").Facts().videoDurationMs);
}
int VideoFile::AudioDuration() const {
  return static_cast<int>(Reader("AudioDuration").Facts().audioDurationMs);
}
int VideoFile::PlayingDuration() const {
  const MediaFacts& facts = Reader("PlayingDuration").Facts();
  return static_cast<int>(facts.hasVideo ? facts.videoDurationMs : facts.audioDurationMs);
}
int VideoFile::VideoBitrate() const {
  return Reader("VideoBitrate").Facts().videoBitrateKbps;
}
int VideoFile::AudioBitrate() const {
  return Reader("AudioBitrate").Facts().audioBitrateKbps;
}
double VideoFile::FrameRate() const {
  return Reader("FrameRate").Facts().frameRate;
}
int VideoFile::FramesCount() const {
  return static_cast<int>(Reader("FramesCount").Facts().framesCount);
}
int VideoFile::Width() const {
  return Reader("Width").Facts().width;
}
int VideoFile::Height() const {
  return Reader("Height").Facts().height;
}
double VideoFile::DisplayAspect() const {
  return Reader("DisplayAspect").Facts().displayAspect;
}
int VideoFile::Frequency() const {
  return Reader("Frequency").Facts().frequency;
}
int VideoFile::Channels() const {
  return Reader("Channels").Facts().channels;
}
std::int64_t VideoFile::SamplesCount() const {
  return Reader("SamplesCount").Facts().samplesCount;
}
int VideoFile::AudioFormatTag() const {
  return Reader("AudioFormatTag").Facts().audioFormatTag;
}
int VideoFile::VideoPosition() const {
  return static_cast<int>(Reader("VideoPosition").VideoPositionMs());
}
int VideoFile::AudioPosition() const {
  return static_cast<int>(Reader("AudioPosition").AudioPositionMs());
}

VideoFrame VideoFile::ReadVideo() {
  VideoFrame frame;
  if (!ReadVideo(frame)) frame = VideoFrame();
  return frame;
}

bool VideoFile::ReadVideo(VideoFrame& frame) {
  return Reader("ReadVideo").ReadVideo(frame);
}

std::vector<std::int16_t> VideoFile::ReadAudio(int frames) {
  std::vector<std::int16_t> samples;
  ReadAudio(frames, samples);
  return samples;
}

void VideoFile::ReadAudio(int frames, std::vector<std::int16_t>& samples) {
  Reader("ReadAudio").ReadAudio(frames, samples);
}

void VideoFile::Seek(int positionMs) {
  Reader("Seek").Seek(positionMs);
}

void VideoFile::SetVideoOutputSize(int width, int height) {
  Reader("SetVideoOutputSize").SetVideoOutputSize(width, height);
}

// ---- writing

void VideoFile::SetVideoEnabled(bool enabled) {
  m_settings.videoEnabled = enabled;
}
void VideoFile::SetAudioEnabled(bool enabled) {
  m_settings.audioEnabled = enabled;
}

void VideoFile::SetAudioInput(int frequency, int channels) {
  if (frequency <= 0 || channels <= 0 || channels > 8) {
    throw video_exception("SetAudioInput: " + std::to_string(frequency) + " Hz with " + std::to_string(channels) +
                          " channels is not valid");
  }
  m_settings.inputSampleRate = frequency;
  m_settings.inputChannels = channels;
}

void VideoFile::SetFrameFormat(int width, int height, double frameRate) {
  if (width <= 0 || height <= 0 || !(frameRate > 0.0)) {
    throw video_exception("SetFrameFormat: " + std::to_string(width) + "x" + std::to_string(height) + " at " +
                          std::to_string(frameRate) + " fps is not valid");
  }
  m_settings.frameWidth = width;
  m_settings.frameHeight = height;
  m_settings.frameRate = frameRate;
}

void VideoFile::SetMPEGVideo(int version, int kbps, int width, int height, double frameRate) {
  if (kbps <= 0 || width <= 0 || height <= 0 || !(frameRate > 0.0)) {
    throw video_exception("SetMPEGVideo: " + std::to_string(kbps) + " kbit/s, " + std::to_string(width) + "x" +
                          std::to_string(height) + " at " + std::to_string(frameRate) + " fps is not valid");
  }
  m_settings.mpegVersion = version <= 1 ? 1 : 2;
  m_settings.mpegVideoKbps = kbps;
  m_settings.mpegWidth = width;
  m_settings.mpegHeight = height;
  m_settings.mpegFrameRate = frameRate;
  m_settings.mpegWidescreen = false;
  m_settings.mpegRateFitted = false;
}

void VideoFile::SetMPEGWidescreen(bool widescreen) {
  m_settings.mpegWidescreen = widescreen;
}

void VideoFile::SetMPEGRateFitted(bool fitted) {
  m_settings.mpegRateFitted = fitted;
}

void VideoFile::SetMPEGAudio(int kbps, int frequency, int channels) {
  m_settings.mpegAudioKbps = kbps;
  m_settings.mpegAudioHz = frequency;
  m_settings.mpegAudioChannels = channels;
}

int VideoFile::VideoCodecCount() const {
  return static_cast<int>(AviVideoCodecs().size());
}

void VideoFile::SelectVideoCodec(int number) {
  m_settings.aviCodec = number;
}

std::string VideoFile::VideoCodecName(int number) {
  const auto& codecs = AviVideoCodecs();
  if (number < 1 || number > static_cast<int>(codecs.size())) return "";
  return codecs[static_cast<std::size_t>(number - 1)].name;
}

int VideoFile::ShowVideoCodecSettings(WindowHandle owner) {
  const auto& codecs = AviVideoCodecs();
  if (codecs.empty()) throw video_exception("ShowVideoCodecSettings: no AVI video codec is available");
  const bool listed = m_settings.aviCodec >= 1 && m_settings.aviCodec <= static_cast<int>(codecs.size());
  const int number = listed ? m_settings.aviCodec : 1;
  const AviVideoCodec& codec = codecs[static_cast<std::size_t>(number - 1)];
  VideoCodecSettings& settings = m_settings.aviCodecSettings[number];
  const auto reply = AskDialog(owner, MakeCodecSettingsRequest(codec, settings));
  ApplyCodecSettingsAnswer(codec, reply, settings);
  return reply.code;
}

void VideoFile::SetAVIVideo(int width, int height, double frameRate) {
  m_settings.aviWidth = width;
  m_settings.aviHeight = height;
  m_settings.aviFrameRate = frameRate;
}

void VideoFile::SetAudioPCM(int frequency, int channels, int bits) {
  m_settings.aviAudio = AviAudioFormat::Pcm;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = channels;
  m_settings.aviAudioBits = bits == 8 ? 8 : 16;
}

void VideoFile::SetAudioMP3(int kbps, int frequency, int channels) {
  m_settings.aviAudio = AviAudioFormat::Mp3;
  m_settings.aviAudioKbps = kbps;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = channels;
}

void VideoFile::SetAudioADPCM(int frequency, int channels) {
  m_settings.aviAudio = AviAudioFormat::Adpcm;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = channels;
}

void VideoFile::SetAudioALaw(int frequency, int channels) {
  m_settings.aviAudio = AviAudioFormat::ALaw;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = channels;
}

void VideoFile::SetAudioULaw(int frequency, int channels) {
  m_settings.aviAudio = AviAudioFormat::ULaw;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = channels;
}

void VideoFile::SetAudioGSM(int frequency) {
  m_settings.aviAudio = AviAudioFormat::Gsm;
  m_settings.aviAudioHz = frequency;
  m_settings.aviAudioChannels = 1;
}

void VideoFile::SetWMVProfile(int number) {
  m_settings.windowsMediaProfile = number;
}
void VideoFile::SetRMProfile(int number) {
  m_settings.realMediaProfile = number;
}

int VideoFile::WMVProfileCount() {
  return static_cast<int>(WindowsMediaProfiles().size());
}
int VideoFile::RMProfileCount() {
  return static_cast<int>(RealMediaProfiles().size());
}

std::string VideoFile::WMVProfileName(int number) {
  if (number < 1 || number > WMVProfileCount()) return "";
  return ProfileByNumber(WindowsMediaProfiles(), number).name;
}

std::string VideoFile::RMProfileName(int number) {
  if (number < 1 || number > RMProfileCount()) return "";
  return ProfileByNumber(RealMediaProfiles(), number).name;
}

void VideoFile::CreateFile(const std::string& path, int container) {
  if (container < 1 || container > 4) {
    throw video_exception("CreateFile: container " + std::to_string(container) +
                          " is not 1 (AVI), 2 (MPEG), "
                          "3 (Windows Media) or 4 (Real Media)");
  }
  // An earlier file left open (after a failed conversion) is finished first,
  // so that one failure does not make every later CreateFile fail.
  CloseQuietly();
  const OutputPlan plan = MakeOutputPlan(m_settings, static_cast<OutputContainer>(container));
  MediaWriter::Input input;
  input.frameRate = FrameRateFromDouble(m_settings.frameRate);
  input.sampleRate = m_settings.inputSampleRate;
  input.channels = m_settings.inputChannels;
  m_writer = std::make_unique<MediaWriter>(path, plan, input);
}

void VideoFile::WriteVideo(const VideoFrame& frame) {
  if (!m_writer) throw video_exception("WriteVideo: no file is open for writing");
  m_writer->WriteVideo(frame);
}

void VideoFile::WriteAudio(const std::vector<std::int16_t>& samples) {
  WriteAudio(samples.data(), samples.size());
}

void VideoFile::WriteAudio(const std::int16_t* samples, std::size_t count) {
  if (!m_writer) throw video_exception("WriteAudio: no file is open for writing");
  m_writer->WriteAudio(samples, count);
}
