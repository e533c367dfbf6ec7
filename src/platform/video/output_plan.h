#pragma once
// What a file will be made of: container, encoders and their parameters,
// worked out from the writer's settings. Kept apart from the encoding so the
// choices (which muxer a DVD-size MPEG-2 gets, what a profile means) can be
// checked on their own.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/video/writer_settings.h"

extern "C" {
#include <libavutil/rational.h>
}

using OptionList = std::vector<std::pair<std::string, std::string>>;

struct VideoPlan {
  std::string encoder;
  std::string pixelFormat;  // "" chooses the format closest to BGRA
  int width = 0;
  int height = 0;
  AVRational frameRate{25, 1};
  AVRational sampleAspect{1, 1};
  std::int64_t bitRate = 0;  // bit/s; 0 encodes at a fixed quality
  int quantizer = 0;         // fixed quantizer 1..31 when bitRate is 0
  std::int64_t maxRate = 0;
  std::int64_t minRate = 0;
  int bufferSize = 0;  // video buffer verifier, bits
  int gopSize = 0;     // 0 keeps the encoder's
  std::string fourcc;
  OptionList options;  // options of the encoder (its own and FFmpeg's common ones)
};

struct AudioPlan {
  std::string encoder;
  int sampleRate = 44100;
  int channels = 2;
  std::int64_t bitRate = 0;
};

struct OutputPlan {
  std::string muxer;
  OptionList muxerOptions;
  bool hasVideo = false;
  bool hasAudio = false;
  VideoPlan video;
  AudioPlan audio;
};

// Throws video_exception when the settings cannot make a file (no frame size, nothing enabled).
OutputPlan MakeOutputPlan(const WriterSettings& settings, OutputContainer container);

// Disc frame sizes: the MPEG streams that dvdauthor and vcdimager take.
bool IsDvdFrameSize(int width, int height);
bool IsVcdFrameSize(int width, int height);
bool IsSvcdFrameSize(int width, int height);
