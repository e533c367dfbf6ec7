#include "platform/disc/tools/cdrdao_output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/disc/disc_text.h"

BurnLine ParseCdrdaoLine(std::string_view raw) {
  BurnLine line;
  const std::string text(TrimBlanks(raw));
  if (text.empty()) return line;
  long written = 0, total = 0;
  int fifo = 0, buffer = 0;
  const int fields =
      std::sscanf(text.c_str(), "Wrote %ld of %ld MB (Buffers %d%% %d%%", &written, &total, &fifo, &buffer);
  if (fields >= 2) {
    line.kind = BurnLine::Kind::Progress;
    line.writtenMegabytes = static_cast<int>(written);
    line.totalMegabytes = static_cast<int>(total);
    line.percent =
        total > 0 ? std::clamp(100.0 * static_cast<double>(written) / static_cast<double>(total), 0.0, 100.0) : 0.0;
    if (fields == 4) {
      line.fifoPercent = fifo;
      line.bufferPercent = buffer;
    }
    return line;
  }
  if (Contains(text, "not empty and not appendable") || Contains(text, "Medium is not empty")) {
    line.kind = BurnLine::Kind::NotBlank;
    line.text = text;
  } else if (Contains(text, "No disk") || Contains(text, "No medium") || Contains(text, "Medium not present")) {
    line.kind = BurnLine::Kind::NoMedium;
    line.text = text;
  } else if (text.rfind("ERROR:", 0) == 0) {
    line.kind = BurnLine::Kind::Error;
    const auto message = text.find_first_not_of(' ', 6);
    line.text = message == std::string::npos ? std::string() : text.substr(message);
  } else if (text.rfind("WARNING:", 0) == 0) {
    line.kind = BurnLine::Kind::Warning;
    line.text = text;
  } else if (text.rfind("Writing lead-out", 0) == 0 || text.rfind("Flushing cache", 0) == 0) {
    line.kind = BurnLine::Kind::Finalizing;
    line.percent = 100;
  }
  return line;
}
