#pragma once
// What an authored DVD's title set says of its video, read from the title
// set's IFO, so that a disc can be checked against the streams it was made of
// before it is called a success.

#include <optional>
#include <string>
#include <vector>

struct IfoVideo {
  bool mpeg2 = false;
  bool pal = false;
  std::string aspect;  // "4:3" or "16:9"; "" for a value a player does not know
  int width = 0;
  int height = 0;
};

// The title video attributes of a VTS_nn_0.IFO; nullopt (and *error) when the
// file cannot be read or is not a title set's IFO.
std::optional<IfoVideo> ReadTitleSetVideo(const std::string& ifoPath, std::string* error);

// What each title of a disc must show, from its stream.
struct TitleVideo {
  std::string aspect;  // "" when the stream's aspect was not known: not compared
  int width = 0;       // 0: not compared
  int height = 0;
};

// Compares title set n + 1 of videoTsFolder with titles[n]; the first
// disagreement as a sentence for the user, "" when the disc says what its
// streams are.
std::string TitleSetVideoProblem(const std::string& videoTsFolder, const std::vector<TitleVideo>& titles);
