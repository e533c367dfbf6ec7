#include "platform/disc/tools/genisoimage_output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/disc/disc_text.h"

namespace {

// The length of "genisoimage:" or "/usr/bin/genisoimage:" (it names itself by
// the path it was started by) at the start of text; 0 when neither is there.
std::size_t ProgramLeadLength(const std::string& text) {
  constexpr std::string_view kName = "genisoimage:";
  const auto colon = text.find(':');
  if (colon == std::string::npos || colon + 1 < kName.size()) return 0;
  const std::size_t start = colon + 1 - kName.size();
  if (std::string_view(text).substr(start, kName.size()) != kName) return 0;
  if (start > 0 && text[start - 1] != '/') return 0;  // "/usr/bin/mkgenisoimage:" is another program
  return colon + 1;
}

}  // namespace

BurnLine ParseGenisoimageLine(std::string_view raw) {
  BurnLine line;
  const std::string text(TrimBlanks(raw));
  if (text.empty()) return line;
  double percent = 0;
  long extents = 0;
  int megabytes = 0;
  if (std::sscanf(text.c_str(), "%lf%% done", &percent) == 1 && text.find("% done") != std::string::npos) {
    line.kind = BurnLine::Kind::Progress;
    line.percent = std::clamp(percent, 0.0, 100.0);
  } else if (std::sscanf(text.c_str(), "%ld extents written (%d MB)", &extents, &megabytes) == 2) {
    line.kind = BurnLine::Kind::Finalizing;
    line.percent = 100;
    line.writtenMegabytes = line.totalMegabytes = megabytes;
  } else if (const std::size_t lead = ProgramLeadLength(text); lead > 0) {
    std::string message = text.substr(lead);
    message.erase(0, message.find_first_not_of(' '));
    const bool warning = message.rfind("Warning", 0) == 0;
    line.kind = warning ? BurnLine::Kind::Warning : BurnLine::Kind::Error;
    line.text = message;
  } else if (text.rfind("Warning:", 0) == 0) {
    line.kind = BurnLine::Kind::Warning;
    line.text = text;
  }
  return line;
}
