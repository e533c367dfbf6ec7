#pragma once
// ffmpeg's arguments for one conversion, built once from an EncodingParameters
// record and rendered two ways: the text that the log and people read, and
// the argument vector that actually runs. Rendering both from one list keeps
// them from drifting apart.

#include <string>
#include <vector>

#include "formats/encoding_parameters.h"

// Where the output's picture comes from. A disc needs a picture: an input
// with sound alone (music) gets a black one, as long as its sound.
enum class OutputPicture { FromInput, BlackStill };

class FfmpegArguments {
 public:
  FfmpegArguments(const std::string& inputPath, const std::string& outputPath, const EncodingParameters& parameters,
                  OutputPicture picture = OutputPicture::FromInput);

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
    bool blankAfter;  // the text puts one blank behind the value
    bool quoted;      // paths
  };

  void Add(const char* keyword, std::string value, bool blankAfter, bool quoted = false);
  void AddSwitch(const char* keyword);
  void AddBlackStill(const EncodingParameters& p);
  void AddTargetForm(const EncodingParameters& p);
  void AddPlainForm(const EncodingParameters& p);

  std::vector<Option> m_options;
};
