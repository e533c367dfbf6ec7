#pragma once
// Converts one input file into one output file. ExternalConverter does it
// with the ffmpeg program and hands the file to the fallback when ffmpeg fails.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/disc_tracks.h"
#include "convert/ffmpeg_arguments.h"
#include "convert/ping.h"
#include "formats/encoding_parameters.h"
#include "support/path_buffer.h"

class Converter : public ProgressPinger {
 public:
  Converter(std::string_view inputPath, std::string_view outputPath, const EncodingParameters& parameters,
            PingReceiver* receiver);
  ~Converter() override = default;

  virtual void Convert() = 0;

  // The input's duration in whole seconds; 0 when it could not be probed.
  double Duration() const noexcept { return m_dDuration; }

 protected:
  PathBuffer m_inputPath;
  PathBuffer m_outputPath;
  EncodingParameters m_parameters;
  double m_dDuration = 0;
};

class ExternalConverter : public Converter {
 public:
  ExternalConverter(std::string_view inputPath, std::string_view outputPath, const EncodingParameters& parameters,
                    PingReceiver* receiver);

  // ffmpeg's arguments as text, without the program.
  std::string GetCommandLine() const;
  // The same arguments as the vector that runs.
  std::vector<std::string> GetArgumentVector() const;

  // Runs ffmpeg to its end and reads the output back. On failure (also an
  // output whose picture cannot be decoded) removes what ffmpeg wrote, tells
  // the user (and why, where that helps) and calls the fallback; a stop
  // passes through as stop_by_user_exception.
  void Convert() override;

 private:
  // A DVD title's text subtitles, rendered and muxed into the converted title.
  void AddTextSubtitles();

  OutputPicture m_picture = OutputPicture::FromInput;
  std::optional<SourceShape> m_sourceShape;
  // A disc title's streams; nullopt for file formats or a source whose streams are unknown.
  std::optional<TitleStreams> m_streams;
  // The output must show a picture: the input has one, or gets a black one.
  bool m_bPictureExpected = false;
};

// The kind of disc of a target ("dvd", "vcd", "svcd"); nullopt for file formats.
std::optional<DiscKind> DiscKindOfTarget(const char* target);

// What the input holds, as far as libavformat can tell.
struct InputProbe {
  bool streamsKnown = false;   // the file opened and its streams were found
  double durationSeconds = 0;  // whole seconds (fractions dropped); 0 when unknown
  bool hasVideo = false;       // a moving picture, not just a cover picture
  bool hasAudio = false;
  std::optional<SourceShape> videoShape;  // the picture's shape, when it has one
  int videoStream = -1;                   // the picture stream ffmpeg would pick; -1 without one
  SourceTracks tracks;                    // sound and subtitle streams, and subtitle files beside it
};
InputProbe ProbeInput(const char* path);
