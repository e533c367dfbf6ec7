#include "platform/disc/tools/spumux_output.h"

#include <cstdio>
#include <string>

SpumuxLine ParseSpumuxLine(std::string_view raw) {
  SpumuxLine line;
  const auto first = raw.find_first_not_of(" \t");
  if (first == std::string_view::npos) return line;
  const std::string_view text = raw.substr(first);
  auto rest = [&](std::size_t prefix) {
    const std::string_view tail = text.substr(prefix);
    const auto start = tail.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string() : std::string(tail.substr(start));
  };
  int colors = 0;
  if (text.substr(0, 4) == "ERR:") {
    line.kind = SpumuxLine::Kind::Error;
    line.text = rest(4);
  } else if (text.substr(0, 5) == "WARN:") {
    line.kind = SpumuxLine::Kind::Warning;
    line.text = rest(5);
  } else if (text.substr(0, 5) == "STAT:") {
    line.kind = SpumuxLine::Kind::Position;
    line.text = rest(5);
  } else if (std::sscanf(std::string(text).c_str(), "INFO: PNG had %d color", &colors) == 1) {
    line.kind = SpumuxLine::Kind::Colors;
    line.colors = colors;
  } else if (text.find("Assertion") != std::string_view::npos && text.find("failed") != std::string_view::npos) {
    line.kind = SpumuxLine::Kind::Error;
    line.text = std::string(text);
  }
  return line;
}
