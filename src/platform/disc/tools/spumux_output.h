#pragma once
// What spumux prints while it muxes button subpictures into a menu video:
//   STAT: 0:00:00.000          position reached
//   INFO: PNG had 2 colors
//   WARN: ... / ERR: ...
//   spumux: ... Assertion `s->numpal < 16' failed.   (too many colours; it aborts)

#include <string>
#include <string_view>

struct SpumuxLine {
  enum class Kind { Other, Position, Colors, Warning, Error };
  Kind kind = Kind::Other;
  int colors = 0;    // Colors
  std::string text;  // Position, Warning, Error
};

SpumuxLine ParseSpumuxLine(std::string_view line);
