#pragma once
// ffmpeg's arguments for one conversion, built once from an EncodingParameters
// record and rendered two ways: the text that the log and people read, and
// the argument vector that actually runs. Rendering both from one list keeps
// them from drifting apart.

#include <optional>
#include <string>
#include <vector>

#include "convert/disc_tracks.h"
#include "formats/encoding_parameters.h"
#include "support/picture_shape.h"

// Where the output's picture comes from. A disc needs a picture: an input
// with sound alone (music) gets a black one, as long as its sound.
enum class OutputPicture { FromInput, BlackStill };

// The streams of a disc title: the source's picture stream and the tracks
// the title carries (DVD bitmap subtitles are muxed by ffmpeg; text ones are
// rendered and muxed in afterwards).
struct TitleStreams {
  int videoStream = -1;  // -1: ffmpeg picks
  DiscTracks tracks;
};

class FfmpegArguments {
 public:
  // source: the input picture's shape when known. A disc title whose source
  // does not fill the disc frame at its aspect gets a filter that scales it
  // to fit and pads it with black, and the frame's -aspect; a source of the
  // frame's shape (or an unknown one) keeps the plain target text.
  FfmpegArguments(const std::string& inputPath, const std::string& outputPath, const EncodingParameters& parameters,
                  OutputPicture picture = OutputPicture::FromInput,
                  const std::optional<SourceShape>& source = std::nullopt,
                  const std::optional<TitleStreams>& streams = std::nullopt);

  // " -i        \"in\" -target   pal-dvd ... -y        \"out\"": every option
  // padded to 11 characters, paths in double quotes (not escaped).
  std::string Text() const;
  // {"-i", "file:in", "-target", "pal-dvd", ..., "-y", "file:out"}
  std::vector<std::string> Vector() const;

 private:
  struct Option {
    const char* keyword;
    std::string value;
    bool hasValue;
    bool blankAfter;      // the text puts one blank behind the value
    bool quoted;          // paths
    std::string streams;  // a stream specifier behind the keyword (":a:1")
  };

  void Add(const char* keyword, std::string value, bool blankAfter, bool quoted = false);
  void AddSwitch(const char* keyword);
  void AddBlackStill(const EncodingParameters& p, bool mapsSound);
  // -map for each carried stream when ffmpeg's own choice would not give them.
  bool MapsStreams(const std::optional<TitleStreams>& streams) const;
  void AddStreamMaps(const TitleStreams& streams, OutputPicture picture);
  void AddTrackCodecs(const EncodingParameters& p, const TitleStreams& streams);
  void AddTargetForm(const EncodingParameters& p, const std::optional<SourceShape>& source);
  void AddPlainForm(const EncodingParameters& p);

  std::vector<Option> m_options;
};
