#include "convert/ffmpeg_status.h"

#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view kTimeKey = "time=";

bool IsTimeCharacter(char c) {
  return (c >= '0' && c <= '9') || c == ':' || c == '.' || c == '-';
}

// More than any real status line; the tail never grows beyond it.
constexpr std::size_t kMaxPending = 4096;

}  // namespace

std::optional<double> ParseFfmpegTime(std::string_view value) {
  bool negative = false;
  if (!value.empty() && value.front() == '-') {
    negative = true;
    value.remove_prefix(1);
  }
  double seconds = 0;
  int fields = 0;
  while (!value.empty()) {
    const auto colon = value.find(':');
    const std::string_view field = value.substr(0, colon);
    double number = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    if (error != std::errc() || end != field.data() + field.size() || field.empty() || ++fields > 3) {
      return std::nullopt;
    }
    seconds = seconds * 60 + number;
    if (colon == std::string_view::npos) break;
    value.remove_prefix(colon + 1);
    if (value.empty()) return std::nullopt;
  }
  if (fields == 0 || !std::isfinite(seconds)) return std::nullopt;
  return negative ? -seconds : seconds;
}

std::optional<double> FfmpegStatusReader::Feed(std::string_view piece) {
  m_pending.append(piece);
  std::optional<double> latest;
  std::size_t consumed = 0;
  for (;;) {
    const auto key = m_pending.find(kTimeKey, consumed);
    if (key == std::string::npos) {
      // Keep what could be the start of a key split by the pipe ("ti" + "me=").
      const std::size_t keep = std::min(m_pending.size() - consumed, kTimeKey.size() - 1);
      consumed = m_pending.size() - keep;
      break;
    }
    const std::size_t valueStart = key + kTimeKey.size();
    std::size_t valueEnd = valueStart;
    while (valueEnd < m_pending.size() && IsTimeCharacter(m_pending[valueEnd])) ++valueEnd;
    if (valueEnd == m_pending.size()) {
      consumed = key;  // the number may go on in the next piece
      break;
    }
    if (const auto value = ParseFfmpegTime(std::string_view(m_pending).substr(valueStart, valueEnd - valueStart))) {
      latest = value;
    }
    consumed = valueEnd;
  }
  m_pending.erase(0, consumed);
  if (m_pending.size() > kMaxPending) m_pending.erase(0, m_pending.size() - kMaxPending);
  return latest;
}
