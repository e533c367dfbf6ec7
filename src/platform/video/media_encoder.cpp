#include "platform/video/media_encoder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/video/local_input.h"
#include "platform/video/video_error.h"
#include "support/log.h"
#include "support/processor_count.h"

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace {

AVDictionary* ToDictionary(const OptionList& options) {
  AVDictionary* dictionary = nullptr;
  for (const auto& [key, value] : options) av_dict_set(&dictionary, key.c_str(), value.c_str(), 0);
  return dictionary;
}

void LogUnused(AVDictionary* options, const char* what) {
  const AVDictionaryEntry* entry = nullptr;
  while ((entry = av_dict_get(options, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
    Log("Video library: %s ignored option %s=%s", what, entry->key, entry->value);
  }
}

const AVCodec* FindEncoder(const std::string& name) {
  const AVCodec* encoder = avcodec_find_encoder_by_name(name.c_str());
  if (encoder == nullptr) throw video_exception("This FFmpeg build has no " + name + " encoder");
  return encoder;
}

AVPixelFormat ChoosePixelFormat(const AVCodec& encoder, const std::string& wanted) {
  if (!wanted.empty()) {
    const AVPixelFormat format = av_get_pix_fmt(wanted.c_str());
    if (encoder.pix_fmts == nullptr) return format;
    for (const AVPixelFormat* p = encoder.pix_fmts; *p != AV_PIX_FMT_NONE; ++p) {
      if (*p == format) return format;
    }
  }
  if (encoder.pix_fmts == nullptr) return AV_PIX_FMT_YUV420P;
  // The format that loses least of a BGRA picture (lossless codecs keep RGB).
  return avcodec_find_best_pix_fmt_of_list(encoder.pix_fmts, AV_PIX_FMT_BGRA, 0, nullptr);
}

int NearestSampleRate(const AVCodec& encoder, int wanted) {
  if (encoder.supported_samplerates == nullptr) return wanted;
  int best = encoder.supported_samplerates[0];
  for (const int* rate = encoder.supported_samplerates; *rate != 0; ++rate) {
    if (std::abs(*rate - wanted) < std::abs(best - wanted)) best = *rate;
  }
  return best;
}

AVSampleFormat ChooseSampleFormat(const AVCodec& encoder) {
  if (encoder.sample_fmts == nullptr) return AV_SAMPLE_FMT_S16;
  for (const AVSampleFormat* f = encoder.sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f) {
    if (*f == AV_SAMPLE_FMT_S16) return *f;
  }
  return encoder.sample_fmts[0];
}

void ChooseChannelLayout(const AVCodec& encoder, int channels, AVChannelLayout& layout) {
  av_channel_layout_default(&layout, channels);
  if (encoder.ch_layouts == nullptr) return;
  const AVChannelLayout* sameCount = nullptr;
  for (const AVChannelLayout* l = encoder.ch_layouts; l->nb_channels != 0; ++l) {
    if (av_channel_layout_compare(l, &layout) == 0) return;
    if (sameCount == nullptr && l->nb_channels == channels) sameCount = l;
  }
  av_channel_layout_uninit(&layout);
  av_channel_layout_copy(&layout, sameCount != nullptr ? sameCount : &encoder.ch_layouts[0]);
}

bool IsFullRange(AVPixelFormat format) {
  return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P;
}

}  // namespace

void MediaEncoder::OutputDeleter::operator()(AVFormatContext* context) const {
  if (context->pb != nullptr && (context->oformat->flags & AVFMT_NOFILE) == 0) avio_closep(&context->pb);
  avformat_free_context(context);
}

void MediaEncoder::FifoDeleter::operator()(AVAudioFifo* fifo) const {
  av_audio_fifo_free(fifo);
}

MediaEncoder::MediaEncoder(const std::string& path, const OutputPlan& plan, const Input& input)
    : m_path(path), m_plan(plan), m_input(input), m_packet(AllocPacket()) {
  AVFormatContext* raw = nullptr;
  CheckAv(avformat_alloc_output_context2(&raw, nullptr, plan.muxer.c_str(), FileUrl(path).c_str()),
          "No " + plan.muxer + " muxer");
  m_output.reset(raw);
  try {
    if (plan.hasVideo) OpenVideo();
    if (plan.hasAudio) OpenAudio();
    AVDictionary* ioOptions = nullptr;
    RestrictToLocalFiles(&ioOptions);
    // Only a file this call makes is removed again on failure; whatever was
    // there before (a device, a file the caller chose) is left alone.
    struct stat existing {};
    m_createsFile = ::stat(path.c_str(), &existing) != 0 && errno == ENOENT;
    const int opened = avio_open2(&m_output->pb, FileUrl(path).c_str(), AVIO_FLAG_WRITE, nullptr, &ioOptions);
    av_dict_free(&ioOptions);
    if (opened < 0) throw video_exception("Could not create \"" + path + "\": " + AvErrorText(opened));
    AVDictionary* muxerOptions = ToDictionary(plan.muxerOptions);
    const int written = avformat_write_header(m_output.get(), &muxerOptions);
    LogUnused(muxerOptions, plan.muxer.c_str());
    av_dict_free(&muxerOptions);
    if (written < 0) {
      throw video_exception("Could not start the " + plan.muxer + " file \"" + path + "\": " + AvErrorText(written));
    }
  } catch (...) {
    Discard();
    throw;
  }
}

MediaEncoder::~MediaEncoder() {
  if (m_closed) return;
  try {
    Close();
  } catch (const std::exception& error) {
    Log("Video library: finishing %s failed: %s", m_path.c_str(), error.what());
  }
}

void MediaEncoder::Discard() noexcept {
  const bool created = m_createsFile && m_output && m_output->pb != nullptr;
  m_videoCodec.reset();
  m_audioCodec.reset();
  m_output.reset();
  if (created) ::unlink(m_path.c_str());
  m_closed = true;
}

void MediaEncoder::OpenVideo() {
  const VideoPlan& plan = m_plan.video;
  const AVCodec* encoder = FindEncoder(plan.encoder);
  m_videoCodec.reset(avcodec_alloc_context3(encoder));
  if (!m_videoCodec) throw video_exception("Out of memory for an encoder");
  AVCodecContext* codec = m_videoCodec.get();
  codec->width = plan.width;
  codec->height = plan.height;
  codec->framerate = plan.frameRate;
  codec->time_base = av_inv_q(plan.frameRate);
  codec->sample_aspect_ratio = plan.sampleAspect;
  codec->pix_fmt = ChoosePixelFormat(*encoder, plan.pixelFormat);
  codec->bit_rate = plan.bitRate;
  if (plan.bitRate == 0 && plan.quantizer > 0) {
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * plan.quantizer;
  }
  codec->rc_max_rate = plan.maxRate;
  codec->rc_min_rate = plan.minRate;
  codec->rc_buffer_size = plan.bufferSize;
  if (plan.gopSize > 0) codec->gop_size = plan.gopSize;
  const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(codec->pix_fmt);
  const bool yuv = format != nullptr && (format->flags & AV_PIX_FMT_FLAG_RGB) == 0;
  if (yuv) {
    codec->colorspace = AVCOL_SPC_SMPTE170M;
    codec->color_range = IsFullRange(codec->pix_fmt) ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
  }
  if (!plan.fourcc.empty() && plan.fourcc.size() == 4) {
    codec->codec_tag = MKTAG(plan.fourcc[0], plan.fourcc[1], plan.fourcc[2], plan.fourcc[3]);
  }
  if ((m_output->oformat->flags & AVFMT_GLOBALHEADER) != 0) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  // The MPEG-1/2 encoders split each picture into one slice per thread and
  // wait for the last: their own count, one more than the processors, leaves
  // slices waiting (a PAL DVD title on two processors took 0.8 x the time
  // with 2 threads that it took with 3).
  const bool slicesPerThread = plan.encoder == "mpeg1video" || plan.encoder == "mpeg2video";
  codec->thread_count = slicesPerThread ? UsableProcessorCount() : 0;  // 0: as many as the codec can use

  AVDictionary* options = ToDictionary(plan.options);
  const int opened = avcodec_open2(codec, encoder, &options);
  LogUnused(options, encoder->name);
  av_dict_free(&options);
  if (opened < 0) {
    throw video_exception("Could not start the " + std::string(encoder->name) + " encoder at " +
                          std::to_string(plan.width) + "x" + std::to_string(plan.height) + ", " +
                          std::to_string(av_q2d(plan.frameRate)) + " fps: " + AvErrorText(opened));
  }
  m_videoStream = avformat_new_stream(m_output.get(), nullptr);
  if (m_videoStream == nullptr) throw video_exception("Out of memory for a stream");
  m_videoStream->time_base = codec->time_base;
  m_videoStream->avg_frame_rate = plan.frameRate;
  m_videoStream->r_frame_rate = plan.frameRate;
  m_videoStream->sample_aspect_ratio = plan.sampleAspect;
  CheckAv(avcodec_parameters_from_context(m_videoStream->codecpar, codec), "Video stream parameters");
  // The encoder's buffer figures (VBV size, peak rate) tell the MPEG muxers
  // how to pace the stream; without them they assume sizes no disc standard has.
  for (int i = 0; i < codec->nb_coded_side_data; ++i) {
    const AVPacketSideData& data = codec->coded_side_data[i];
    uint8_t* copy = av_stream_new_side_data(m_videoStream, data.type, data.size);
    if (copy == nullptr) throw video_exception("Out of memory for stream side data");
    std::memcpy(copy, data.data, data.size);
  }
  m_pictureFormat = codec->pix_fmt;
}

void MediaEncoder::OpenAudio() {
  const AudioPlan& plan = m_plan.audio;
  const AVCodec* encoder = FindEncoder(plan.encoder);
  m_audioCodec.reset(avcodec_alloc_context3(encoder));
  if (!m_audioCodec) throw video_exception("Out of memory for an encoder");
  AVCodecContext* codec = m_audioCodec.get();
  codec->sample_fmt = ChooseSampleFormat(*encoder);
  codec->sample_rate = NearestSampleRate(*encoder, plan.sampleRate);
  ChooseChannelLayout(*encoder, plan.channels, codec->ch_layout);
  codec->bit_rate = plan.bitRate;
  codec->time_base = AVRational{1, codec->sample_rate};
  if ((m_output->oformat->flags & AVFMT_GLOBALHEADER) != 0) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = avcodec_open2(codec, encoder, nullptr);
  if (opened < 0) {
    throw video_exception("Could not start the " + std::string(encoder->name) + " encoder at " +
                          std::to_string(codec->sample_rate) + " Hz, " + std::to_string(codec->ch_layout.nb_channels) +
                          " channels, " + std::to_string(plan.bitRate / 1000) + " kbit/s: " + AvErrorText(opened));
  }
  m_audioStream = avformat_new_stream(m_output.get(), nullptr);
  if (m_audioStream == nullptr) throw video_exception("Out of memory for a stream");
  m_audioStream->time_base = codec->time_base;
  CheckAv(avcodec_parameters_from_context(m_audioStream->codecpar, codec), "Audio stream parameters");

  const bool anySize = (encoder->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) != 0 || codec->frame_size <= 0;
  m_frameSize = anySize ? 1024 : codec->frame_size;
  m_smallLastFrame = anySize || (encoder->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;

  AVChannelLayout inputLayout{};
  av_channel_layout_default(&inputLayout, m_input.channels);
  SwrContext* resampler = nullptr;
  const int made = swr_alloc_set_opts2(&resampler, &codec->ch_layout, codec->sample_fmt, codec->sample_rate,
                                       &inputLayout, AV_SAMPLE_FMT_S16, m_input.sampleRate, 0, nullptr);
  av_channel_layout_uninit(&inputLayout);
  m_resampler.reset(resampler);
  if (made < 0 || swr_init(resampler) < 0) {
    throw video_exception("Cannot convert sound of " + std::to_string(m_input.sampleRate) + " Hz, " +
                          std::to_string(m_input.channels) + " channels for the " + encoder->name + " encoder");
  }
  m_fifo.reset(av_audio_fifo_alloc(codec->sample_fmt, codec->ch_layout.nb_channels, m_frameSize));
  if (!m_fifo) throw video_exception("Out of memory for sound");
  m_resampled = AllocFrame();
  m_sound = AllocFrame();
  m_sound->format = codec->sample_fmt;
  m_sound->sample_rate = codec->sample_rate;
  m_sound->nb_samples = m_frameSize;
  CheckAv(av_channel_layout_copy(&m_sound->ch_layout, &codec->ch_layout), "Sound layout");
  CheckAv(av_frame_get_buffer(m_sound.get(), 0), "Sound buffer");
}

void MediaEncoder::EncodePicture(AVFrame* picture, int copies) {
  for (int i = 0; i < copies; ++i) {
    picture->pts = m_videoPts++;
    Send(m_videoCodec.get(), m_videoStream, picture);
  }
}

void MediaEncoder::ReserveResampled(int frames) {
  if (frames <= m_resampled->nb_samples) return;
  av_frame_unref(m_resampled.get());
  m_resampled->format = m_audioCodec->sample_fmt;
  m_resampled->nb_samples = frames;
  CheckAv(av_channel_layout_copy(&m_resampled->ch_layout, &m_audioCodec->ch_layout), "Sound layout");
  CheckAv(av_frame_get_buffer(m_resampled.get(), 0), "Sound buffer");
}

void MediaEncoder::EncodeSound(const std::int16_t* samples, std::size_t count) {
  const int frames = static_cast<int>(count / static_cast<std::size_t>(m_input.channels));
  if (frames == 0) return;
  const int capacity = swr_get_out_samples(m_resampler.get(), frames);
  ReserveResampled(capacity);
  const uint8_t* input[1] = {reinterpret_cast<const uint8_t*>(samples)};
  const int made =
      CheckAv(swr_convert(m_resampler.get(), m_resampled->extended_data, capacity, input, frames), "Resampling sound");
  CheckAv(av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(m_resampled->extended_data), made),
          "Buffering sound");
  EncodeBufferedSound(false);
}

void MediaEncoder::EncodeBufferedSound(bool final) {
  while (av_audio_fifo_size(m_fifo.get()) >= m_frameSize || (final && av_audio_fifo_size(m_fifo.get()) > 0)) {
    CheckAv(av_frame_make_writable(m_sound.get()), "Sound buffer");
    const int taken = av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(m_sound->extended_data), m_frameSize);
    if (taken < m_frameSize) {
      if (m_smallLastFrame) {
        m_sound->nb_samples = taken;
      } else {
        // Encoders of fixed frame sizes get the last frame filled with silence.
        av_samples_set_silence(m_sound->extended_data, taken, m_frameSize - taken, m_sound->ch_layout.nb_channels,
                               static_cast<AVSampleFormat>(m_sound->format));
      }
    }
    m_sound->pts = m_audioPts;
    m_audioPts += m_sound->nb_samples;
    Send(m_audioCodec.get(), m_audioStream, m_sound.get());
    m_sound->nb_samples = m_frameSize;
  }
}

void MediaEncoder::PadSoundToVideo() {
  if (!m_videoCodec || m_videoPts == 0) return;
  const auto videoEnd =
      static_cast<std::int64_t>(std::llround(m_videoPts / av_q2d(m_plan.video.frameRate) * m_audioCodec->sample_rate));
  std::int64_t missing = videoEnd - m_audioPts - av_audio_fifo_size(m_fifo.get());
  // Silence where the sound stopped short of the picture, so players and
  // disc authoring see both streams end together.
  while (missing > 0) {
    const int chunk = static_cast<int>(std::min<std::int64_t>(missing, m_frameSize));
    CheckAv(av_frame_make_writable(m_sound.get()), "Sound buffer");
    av_samples_set_silence(m_sound->extended_data, 0, chunk, m_sound->ch_layout.nb_channels,
                           static_cast<AVSampleFormat>(m_sound->format));
    CheckAv(av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(m_sound->extended_data), chunk),
            "Buffering sound");
    missing -= chunk;
  }
}

void MediaEncoder::Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
  int result = avcodec_send_frame(codec, frame);
  if (result < 0 && result != AVERROR_EOF) {
    throw video_exception(std::string("Encoding with ") + codec->codec->name + " failed: " + AvErrorText(result));
  }
  while ((result = avcodec_receive_packet(codec, m_packet.get())) == 0) {
    av_packet_rescale_ts(m_packet.get(), codec->time_base, stream->time_base);
    m_packet->stream_index = stream->index;
    const int written = av_interleaved_write_frame(m_output.get(), m_packet.get());
    if (written < 0) throw video_exception("Writing \"" + m_path + "\" failed: " + AvErrorText(written));
  }
  if (result != AVERROR(EAGAIN) && result != AVERROR_EOF) {
    throw video_exception(std::string("Encoding with ") + codec->codec->name + " failed: " + AvErrorText(result));
  }
}

void MediaEncoder::Close() {
  if (m_closed) return;
  m_closed = true;
  if (m_videoCodec) Send(m_videoCodec.get(), m_videoStream, nullptr);
  if (m_audioCodec) {
    // What the resampler still holds, then the rest of the fifo.
    for (;;) {
      const int capacity = std::max(m_frameSize, swr_get_out_samples(m_resampler.get(), 0));
      ReserveResampled(capacity);
      const int made = swr_convert(m_resampler.get(), m_resampled->extended_data, capacity, nullptr, 0);
      if (made <= 0) break;
      CheckAv(av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(m_resampled->extended_data), made),
              "Buffering sound");
    }
    PadSoundToVideo();
    EncodeBufferedSound(true);
    Send(m_audioCodec.get(), m_audioStream, nullptr);
  }
  const int trailer = av_write_trailer(m_output.get());
  const int closed = avio_closep(&m_output->pb);
  m_output.reset();
  m_videoCodec.reset();
  m_audioCodec.reset();
  if (trailer < 0) throw video_exception("Could not finish \"" + m_path + "\": " + AvErrorText(trailer));
  if (closed < 0) throw video_exception("Could not close \"" + m_path + "\": " + AvErrorText(closed));
}
