#include "platform/video/media_reader.h"

#include <cctype>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/video/container_probe.h"
#include "platform/video/local_input.h"
#include "platform/video/stream_ends.h"
#include "platform/video/stream_shape.h"
#include "platform/video/turn_upright.h"
#include "platform/video/video_error.h"
#include "support/log.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

namespace {

// The first stream of that kind; cover pictures of music files are not video.
int FindStream(const AVFormatContext& input, AVMediaType type) {
  for (unsigned i = 0; i < input.nb_streams; ++i) {
    const AVStream* stream = input.streams[i];
    if (stream->codecpar->codec_type != type) continue;
    if ((stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0) continue;
    return static_cast<int>(i);
  }
  return -1;
}

double FileStartSeconds(const AVFormatContext& input) {
  return input.start_time != AV_NOPTS_VALUE ? input.start_time / static_cast<double>(AV_TIME_BASE) : 0.0;
}

std::optional<double> StreamStartSeconds(const AVStream& stream) {
  if (stream.start_time == AV_NOPTS_VALUE) return std::nullopt;
  return stream.start_time * av_q2d(stream.time_base);
}

// Where a stream ends, in seconds after origin.
double StreamEndSeconds(const AVFormatContext& input, const AVStream& stream, double origin) {
  const double timeBase = av_q2d(stream.time_base);
  if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0) {
    return StreamStartSeconds(stream).value_or(origin) - origin + stream.duration * timeBase;
  }
  if (input.duration != AV_NOPTS_VALUE && input.duration > 0) {
    return FileStartSeconds(input) - origin + input.duration / static_cast<double>(AV_TIME_BASE);
  }
  return 0.0;
}

// The codec's name for people, or "" when this build cannot decode it.
std::string DecoderName(AVCodecID id) {
  if (avcodec_find_decoder(id) == nullptr) return "";
  const AVCodecDescriptor* descriptor = avcodec_descriptor_get(id);
  if (descriptor == nullptr) return "";
  return descriptor->long_name != nullptr ? descriptor->long_name : descriptor->name;
}

int Kbps(std::int64_t bitsPerSecond) {
  return bitsPerSecond > 0 ? static_cast<int>((bitsPerSecond + 500) / 1000) : 0;
}

std::int64_t Milliseconds(double seconds) {
  return seconds > 0.0 ? std::llround(seconds * 1000.0) : 0;
}

int WaveFormatTag(const std::string& formatName, const AVCodecParameters& audio) {
  // Containers that store the WAVE tag itself report it as found.
  if ((formatName == "avi" || formatName == "asf" || formatName == "wav") && audio.codec_tag != 0) {
    return static_cast<int>(audio.codec_tag);
  }
  const AVCodecTag* const tables[] = {avformat_get_riff_audio_tags(), nullptr};
  return static_cast<int>(av_codec_get_tag(tables, audio.codec_id));
}

// Why a video stream has no decoder: a code no codec answers to (an AVI's
// four-character code), or a codec this build was made without.
std::string NoDecoderReason(const AVCodecParameters& video) {
  if (video.codec_id != AV_CODEC_ID_NONE) {
    return std::string("this program has no decoder for its codec (") + avcodec_get_name(video.codec_id) + ")";
  }
  std::string code;
  for (int shift = 0; shift < 32 && video.codec_tag != 0; shift += 8) {
    const auto byte = static_cast<unsigned char>(video.codec_tag >> shift);
    if (byte == 0) break;
    code += std::isprint(byte) != 0 ? static_cast<char>(byte) : '?';
  }
  return code.empty() ? "its codec is unknown" : "its codec \"" + code + "\" is unknown";
}

}  // namespace

MediaReader::MediaReader(const std::string& path, const ProgressFunction& progress) : m_path(path) {
  auto report = [&progress](int percent) {
    if (progress) progress(percent);
  };
  report(0);
  InputContextPtr input = OpenInput(true);
  report(50);
  ReadFacts(*input);

  const bool both = m_videoIndex >= 0 && m_audioIndex >= 0;
  if (m_videoIndex >= 0) OpenVideo(std::move(input));
  report(75);
  if (m_audioIndex >= 0) OpenAudio(both ? OpenInput(true) : std::move(input));
  report(100);
  if (!m_video && !m_audio) {
    throw video_exception("\"" + path + "\" holds no video or audio stream that can be decoded");
  }
}

MediaReader::~MediaReader() = default;

InputContextPtr MediaReader::OpenInput(bool findStreamInfo) const {
  int opened = 0;
  InputContextPtr input = OpenLocalInput(m_path, &opened);
  if (!input) throw video_exception("Could not open \"" + m_path + "\": " + AvErrorText(opened));
  if (findStreamInfo) {
    const int found = avformat_find_stream_info(input.get(), nullptr);
    if (found < 0) throw video_exception("Could not read the streams of \"" + m_path + "\": " + AvErrorText(found));
  }
  return input;
}

void MediaReader::ReadFacts(const AVFormatContext& input) {
  m_facts.formatName = input.iformat->name;
  m_facts.containerClass = ClassOfContainer(m_facts.formatName);
  m_videoIndex = FindStream(input, AVMEDIA_TYPE_VIDEO);
  m_audioIndex = FindStream(input, AVMEDIA_TYPE_AUDIO);
  // Both streams are read on the clock of the first picture (of the sound
  // when there is no picture), so a file's video always starts at 0.
  const int timeLine = m_videoIndex >= 0 ? m_videoIndex : m_audioIndex;
  m_origin = FileStartSeconds(input);
  if (timeLine >= 0) m_origin = StreamStartSeconds(*input.streams[timeLine]).value_or(m_origin);

  if (m_videoIndex >= 0) {
    m_frameRate = av_guess_frame_rate(const_cast<AVFormatContext*>(&input), input.streams[m_videoIndex], nullptr);
    // Time bases passed off as rates (1000 for FLV, 90000 for raw streams) are no frame rate.
    if (m_frameRate.num <= 0 || m_frameRate.den <= 0 || av_q2d(m_frameRate) > 240.0) m_frameRate = AVRational{25, 1};
  }
  const bool videoEstimated = m_videoIndex >= 0 && StreamLengthIsEstimate(*input.streams[m_videoIndex]);
  const bool audioEstimated = m_audioIndex >= 0 && StreamLengthIsEstimate(*input.streams[m_audioIndex]);
  StreamEnds measured;
  if (videoEstimated || audioEstimated) {
    measured = MeasureStreamEnds(m_path, m_videoIndex, m_audioIndex, 1.0 / av_q2d(m_frameRate));
  }

  if (m_audioIndex >= 0) {
    const AVStream& stream = *input.streams[m_audioIndex];
    const AVCodecParameters& audio = *stream.codecpar;
    m_facts.hasAudio = true;
    m_facts.audioCodecName = DecoderName(audio.codec_id);
    const double end = measured.audio ? *measured.audio - m_origin : StreamEndSeconds(input, stream, m_origin);
    m_facts.audioDurationMs = Milliseconds(end);
    m_facts.audioBitrateKbps = Kbps(audio.bit_rate);
    m_facts.frequency = audio.sample_rate;
    m_facts.channels = audio.ch_layout.nb_channels;
    m_facts.samplesCount = std::llround(end * audio.sample_rate);
    m_facts.audioFormatTag = WaveFormatTag(m_facts.formatName, audio);
  }
  if (m_videoIndex >= 0) {
    const AVStream* stream = input.streams[m_videoIndex];
    const AVCodecParameters& video = *stream->codecpar;
    m_facts.hasVideo = true;
    m_facts.videoCodecName = DecoderName(video.codec_id);
    const double end = measured.video ? *measured.video - m_origin : StreamEndSeconds(input, *stream, m_origin);
    m_facts.videoDurationMs = Milliseconds(end);
    m_facts.frameRate = av_q2d(m_frameRate);
    m_facts.framesCount = std::llround(end * m_facts.frameRate);
    const SourceShape shape = StreamShape(const_cast<AVFormatContext*>(&input), const_cast<AVStream*>(stream));
    m_facts.rotationDegrees = shape.rotationDegrees;
    m_facts.displayAspect = DisplayAspect(shape);
    const bool sideways = TurnsSideways(shape.rotationDegrees);
    m_facts.width = sideways ? video.height : video.width;
    m_facts.height = sideways ? video.width : video.height;
    std::int64_t bitRate = video.bit_rate;
    // Without a figure of its own the video gets what the file's rate leaves beside the sound.
    if (bitRate <= 0 && input.bit_rate > 0)
      bitRate = input.bit_rate - (m_audioIndex >= 0 ? m_facts.audioBitrateKbps * 1000LL : 0);
    m_facts.videoBitrateKbps = Kbps(bitRate);
  }
}

void MediaReader::OpenVideo(InputContextPtr input) {
  const AVCodecParameters& video = *input->streams[m_videoIndex]->codecpar;
  try {
    if (avcodec_find_decoder(video.codec_id) == nullptr) {
      m_facts.videoProblem = NoDecoderReason(video);
      Log("Video library: the video of %s cannot be decoded: %s", m_path.c_str(), m_facts.videoProblem.c_str());
    } else {
      auto reader = std::make_unique<VideoStreamReader>(
          std::make_unique<StreamDecoder>(std::move(input), m_videoIndex, m_origin), m_frameRate);
      if (reader->Prime()) {
        m_video = std::move(reader);
        return;
      }
      Log("Video library: no picture could be decoded from %s", m_path.c_str());
      m_facts.videoProblem = "not a single picture could be decoded from it";
    }
  } catch (const video_exception& error) {
    Log("Video library: the video of %s cannot be decoded: %s", m_path.c_str(), error.what());
    m_facts.videoProblem = std::string("its decoder failed (") + error.what() + ")";
  }
  m_facts.videoCodecName.clear();
}

void MediaReader::OpenAudio(InputContextPtr input) {
  // A second demuxer of the same file finds the same streams; check anyway.
  int index = m_audioIndex;
  if (index >= static_cast<int>(input->nb_streams) ||
      input->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) {
    index = FindStream(*input, AVMEDIA_TYPE_AUDIO);
  }
  try {
    if (index < 0) throw video_exception("the audio stream went missing");
    auto reader = std::make_unique<AudioStreamReader>(
        std::make_unique<StreamDecoder>(std::move(input), index, m_origin), m_facts.frequency, m_facts.channels);
    if (reader->Prime()) {
      m_audio = std::move(reader);
      return;
    }
    Log("Video library: no sound could be decoded from %s", m_path.c_str());
  } catch (const video_exception& error) {
    Log("Video library: the audio of %s cannot be decoded: %s", m_path.c_str(), error.what());
  }
  m_facts.audioCodecName.clear();
}

bool MediaReader::ReadVideo(VideoFrame& frame) {
  if (!m_video) return false;
  // Phones store the picture as the sensor saw it and say in the display
  // matrix how to turn it: every reader of the library gets it upright.
  if (m_facts.rotationDegrees == 0) return m_video->Read(frame);
  if (!m_video->Read(m_stored)) return false;
  TurnUpright(m_stored, m_facts.rotationDegrees, frame);
  return true;
}

void MediaReader::ReadAudio(int frames, std::vector<std::int16_t>& samples) {
  if (m_audio) {
    m_audio->Read(frames, samples);
  } else {
    samples.clear();
  }
}

std::int64_t MediaReader::VideoPositionMs() const noexcept {
  return m_video ? Milliseconds(m_video->PositionSeconds()) : 0;
}

std::int64_t MediaReader::AudioPositionMs() const noexcept {
  return m_audio ? Milliseconds(m_audio->PositionSeconds()) : 0;
}

void MediaReader::Seek(std::int64_t positionMs) {
  const double seconds = positionMs > 0 ? positionMs / 1000.0 : 0.0;
  if (m_video) m_video->Seek(seconds);
  if (m_audio) m_audio->Seek(seconds);
}

void MediaReader::SetVideoOutputSize(int width, int height) {
  // The size is the upright picture's; the stored one is scaled before it is turned.
  if (m_video) {
    if (TurnsSideways(m_facts.rotationDegrees)) std::swap(width, height);
    m_video->SetOutputSize(width, height);
  }
}

std::string PictureProblem(const std::string& path) {
  try {
    const MediaReader reader(path);
    if (!reader.Facts().hasVideo) return "it holds no video";
    return reader.Facts().videoProblem;
  } catch (const video_exception& error) {
    return error.what();
  }
}
