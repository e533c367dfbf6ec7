#include "convert/ffmpeg_error_lines.h"

#include "support/text.h"

namespace {

constexpr std::size_t kKeptLines = 8;
constexpr std::size_t kMaxLineLength = 300;

// Status updates, and the marker our redirector adds when the output ends.
bool IsNoise(std::string_view line) {
  return line.empty() || line.starts_with("frame=") || line.starts_with("size=") || line.starts_with("<TEST INFO>");
}

}  // namespace

void FfmpegErrorLines::Feed(std::string_view piece) {
  for (char c : piece) {
    if (c == '\n' || c == '\r') {
      EndLine();
    } else if (m_current.size() < kMaxLineLength) {
      m_current += c;
    }
  }
}

void FfmpegErrorLines::EndLine() {
  const std::string_view line = TrimBlanks(m_current);
  if (line.starts_with("Error writing trailer of ") || line.starts_with("Error closing file ")) {
    m_bOutputUnfinished = true;
  }
  if (!IsNoise(line)) {
    m_lines.emplace_back(line);
    if (m_lines.size() > kKeptLines) m_lines.pop_front();
  }
  m_current.clear();
}

std::vector<std::string> FfmpegErrorLines::Lines() const {
  std::vector<std::string> lines(m_lines.begin(), m_lines.end());
  const std::string_view unfinished = TrimBlanks(m_current);
  if (!IsNoise(unfinished)) {
    lines.emplace_back(unfinished);
    if (lines.size() > kKeptLines) lines.erase(lines.begin());
  }
  return lines;
}

bool ReportsFullDisk(const std::vector<std::string>& lines) {
  // ffmpeg runs without a locale of its own: the C library's English texts
  // for ENOSPC and EDQUOT.
  for (const std::string& line : lines) {
    if (line.find("No space left on device") != std::string::npos ||
        line.find("Disk quota exceeded") != std::string::npos) {
      return true;
    }
  }
  return false;
}
