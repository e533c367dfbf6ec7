#pragma once
// Everything the writer is told before it creates a file, as its setters
// left it. A setter only records; CreateFile turns the record into a plan.

#include <map>

// The container numbers of CreateFile.
enum class OutputContainer { Avi = 1, Mpeg = 2, WindowsMedia = 3, RealMedia = 4 };

// The sound formats an AVI file can be written with.
enum class AviAudioFormat { Pcm, Mp3, Adpcm, ALaw, ULaw, Gsm };

// The user's settings of one AVI video codec (its settings dialog).
struct VideoCodecSettings {
  int quality = 0;           // on the codec's QualityScale; 0 keeps the codec's default
  int bitrateKbps = 0;       // > 0 encodes at this rate instead of a quality
  int keyframeInterval = 0;  // frames between key frames; 0 is five seconds' worth
};

struct WriterSettings {
  bool videoEnabled = true;
  bool audioEnabled = true;

  // What WriteVideo and WriteAudio will be given.
  int inputSampleRate = 44100;
  int inputChannels = 2;
  int frameWidth = 0;
  int frameHeight = 0;
  double frameRate = 25.0;

  // MPEG-1/2 output.
  int mpegVersion = 2;
  int mpegVideoKbps = 5000;
  int mpegWidth = 0;
  int mpegHeight = 0;
  double mpegFrameRate = 0.0;  // 0: the frame format's rate
  int mpegAudioKbps = 224;
  int mpegAudioHz = 48000;
  int mpegAudioChannels = 2;
  // A disc stream shown at 16:9 rather than 4:3; SetMPEGVideo clears it.
  bool mpegWidescreen = false;
  // The rate was lowered to fit a list onto a disc: under a DVD's peak the
  // encoder spends time on the scarce bits. SetMPEGVideo clears it.
  bool mpegRateFitted = false;

  // AVI output.
  int aviCodec = 1;  // 1-based into AviVideoCodecs()
  std::map<int, VideoCodecSettings> aviCodecSettings;
  int aviWidth = 0;
  int aviHeight = 0;
  double aviFrameRate = 0.0;
  AviAudioFormat aviAudio = AviAudioFormat::Pcm;
  int aviAudioBits = 16;     // PCM: 8 or 16
  int aviAudioHz = 0;        // 0: the input's rate
  int aviAudioChannels = 0;  // 0: the input's channels
  int aviAudioKbps = 128;

  int windowsMediaProfile = 1;
  int realMediaProfile = 1;
};
