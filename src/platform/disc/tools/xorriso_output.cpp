#include "platform/disc/tools/xorriso_output.h"

#include <algorithm>
#include <cstdio>

#include "platform/disc/disc_text.h"

namespace {

// The text after "FAILURE : " or "SORRY : " in "xorriso : FAILURE : ..." and "libburn : SORRY : ...".
std::optional<std::string> ProblemText(std::string_view line) {
  for (const std::string_view marker : {" : FAILURE : ", " : SORRY : ", " : FATAL : "}) {
    const auto at = line.find(marker);
    if (at == std::string_view::npos) continue;
    std::string_view text = line.substr(at + marker.size());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
  }
  return std::nullopt;
}

// The next single-quoted word at or after from; from moves past it.
std::optional<std::string> NextQuoted(std::string_view line, std::size_t& from) {
  const auto open = line.find('\'', from);
  if (open == std::string_view::npos) return std::nullopt;
  const auto close = line.find('\'', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  from = close + 1;
  return std::string(line.substr(open + 1, close - open - 1));
}

}  // namespace

std::optional<XorrisoDrive> ParseXorrisoDeviceLine(std::string_view line) {
  const auto dev = line.find("-dev '");
  if (dev == std::string_view::npos) return std::nullopt;
  // Only lines that start with the drive's index.
  const auto first = line.find_first_not_of(' ');
  if (first == std::string_view::npos || first >= dev || line[first] < '0' || line[first] > '9') return std::nullopt;
  std::size_t at = dev + 5;
  XorrisoDrive drive;
  auto path = NextQuoted(line, at);
  if (!path) return std::nullopt;
  drive.path = *path;
  const auto colon = line.find(':', at);
  if (colon != std::string_view::npos) {
    std::string_view permissions = line.substr(at, colon - at);
    const auto start = permissions.find_first_not_of(' ');
    const auto end = permissions.find_last_not_of(' ');
    if (start != std::string_view::npos) drive.permissions = std::string(permissions.substr(start, end - start + 1));
    at = colon + 1;
  }
  if (auto vendor = NextQuoted(line, at)) drive.vendor = *vendor;
  if (auto model = NextQuoted(line, at)) drive.model = *model;
  auto trim = [](std::string& text) {
    const auto end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
  };
  trim(drive.vendor);
  trim(drive.model);
  return drive;
}

MediaState ParseXorrisoMediaLine(std::string_view line) {
  if (Contains(line, "No media detected") || (Contains(line, "Media ") && Contains(line, "is not present"))) {
    return MediaState::NoMedium;
  }
  if (line.substr(0, 14) != "Media status :") return MediaState::Unknown;
  if (Contains(line, "is blank")) return MediaState::Blank;
  if (Contains(line, "is closed")) return MediaState::Closed;
  if (Contains(line, "is appendable") || Contains(line, "is written")) return MediaState::Appendable;
  return MediaState::Unknown;
}

BurnLine ParseXorrisoLine(std::string_view raw) {
  BurnLine line;
  const std::string text(raw);
  if (ParseXorrisoMediaLine(raw) == MediaState::NoMedium) {
    line.kind = BurnLine::Kind::NoMedium;
    line.text = text;
    return line;
  }
  if (const auto problem = ProblemText(raw)) {
    line.text = *problem;
    if (Contains(*problem, "not blank") || Contains(*problem, "Disc status unsuitable") ||
        Contains(*problem, "not appendable")) {
      line.kind = BurnLine::Kind::NotBlank;
    } else if (Contains(*problem, "No media") || Contains(*problem, "no media")) {
      line.kind = BurnLine::Kind::NoMedium;
    } else {
      line.kind = BurnLine::Kind::Error;
    }
    return line;
  }
  const auto update = raw.find(" : UPDATE : ");
  if (update != std::string_view::npos) {
    const std::string message(raw.substr(update + 12));
    double percent = 0, speed = 0;
    long sectors = 0;
    int written = 0, total = 0, fifo = 0, buffer = 0;
    if (std::sscanf(message.c_str(), " Writing: %lds %lf%% fifo %d%% buf %d%%", &sectors, &percent, &fifo, &buffer) >=
        2) {
      line.kind = BurnLine::Kind::Progress;
      line.percent = std::clamp(percent, 0.0, 100.0);
      line.fifoPercent = fifo;
      line.bufferPercent = buffer;
    } else if (std::sscanf(message.c_str(), " %d of %d MB written (fifo %d%%) [buf %d%%] %lfx", &written, &total, &fifo,
                           &buffer, &speed) >= 2) {
      line.kind = BurnLine::Kind::Progress;
      line.writtenMegabytes = written;
      line.totalMegabytes = total;
      line.percent = total > 0 ? std::clamp(100.0 * written / total, 0.0, 100.0) : 0.0;
      line.fifoPercent = fifo;
      line.bufferPercent = buffer;
    } else if (std::sscanf(message.c_str(), " Blanking ( %lf%%", &percent) == 1 ||
               std::sscanf(message.c_str(), " Formatting ( %lf%%", &percent) == 1) {
      line.kind = BurnLine::Kind::Progress;
      line.percent = std::clamp(percent, 0.0, 100.0);
    } else if (Contains(message, "Closing track") || Contains(message, "Closing session") ||
               Contains(message, "Fixating")) {
      line.kind = BurnLine::Kind::Finalizing;
      line.percent = 100;
    }
    return line;
  }
  if (Contains(raw, "Fixating") || (Contains(raw, "Writing to '") && Contains(raw, "completed successfully"))) {
    line.kind = BurnLine::Kind::Finalizing;
    line.percent = 100;
  }
  return line;
}

XorrisoToc SummarizeXorrisoToc(const std::vector<std::string>& lines) {
  XorrisoToc toc;
  for (const auto& line : lines) {
    const MediaState state = ParseXorrisoMediaLine(line);
    if (state != MediaState::Unknown) toc.state = state;
    if (toc.failure.empty()) {
      if (const auto problem = ProblemText(line)) toc.failure = *problem;
    }
  }
  return toc;
}
