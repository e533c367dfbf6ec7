#pragma once
// The encoder settings of one conversion, as the format tables yield them.
// A plain value: texts point at the tables' constant strings (or are null),
// and every conversion task keeps its own copy.

#include <cstdint>

struct EncodingParameters {
  const char* format = nullptr;       // muxer (-f)
  const char* video_codec = nullptr;  // codec (-vcodec), or the target of a disc format (-target)
  const char* video_tag = nullptr;    // FourCC (-vtag)
  std::int32_t video_bitrate = 0;     // bit/s, 0 = none (-vb)
  std::int32_t frame_rate_num = 0;    // 0 = none (-r num/den)
  std::int32_t frame_rate_den = 0;
  bool no_video = false;   // -vn
  std::int32_t width = 0;  // 0 = source size (-s)
  std::int32_t height = 0;
  const char* aspect = nullptr;       // "4:3", "16:9" or null (-aspect)
  const char* audio_codec = nullptr;  // -acodec
  const char* audio_tag = nullptr;    // -atag
  std::int32_t audio_bitrate = 0;     // bit/s (-ab)
  std::int32_t audio_samplerate = 0;  // Hz, 0 = source rate (-ar)
  std::int32_t audio_channels = 0;    // -ac
  bool no_audio = false;              // -an
  std::int32_t qscale = 0;            // quantiser 1..31, 0 = none (-qscale)
  const char* target = nullptr;       // "dvd", "vcd", "svcd" or null: the disc form of the command line
  // DVD: a sound track of more than two channels stays multichannel (AC-3)
  // instead of being mixed down to audio_channels.
  bool keep_multichannel = false;
  // Set by the conversion list, never by the format tables: the encoder may
  // spend its effort as the target's rates make worth it, beyond the
  // record's own text (ffmpeg_arguments.cpp: a DVD title's rate and
  // quantiser, and every disc title's threads).
  bool tuned_for_target = false;
  // Set by the conversion list with tuned_for_target: the encoder's threads
  // (-threads), 0 = ffmpeg's own choice.
  std::int32_t encoder_threads = 0;
};
