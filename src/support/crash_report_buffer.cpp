#include "support/crash_report_buffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace crash_detail {

namespace {

void WriteAll(int fd, const char* data, std::size_t size) noexcept {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a full disk: the rest of the report is lost, nothing else can be done here
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t days, std::int64_t& year, int& month, int& day) noexcept {
  days += 719'468;
  const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
  const std::int64_t dayOfEra = days - era * 146'097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

void ReportBuffer::Begin(int fd) noexcept {
  m_fd = fd;
  m_position = 0;
}

void ReportBuffer::Finish() noexcept {
  if (m_fd >= 0) {
    WriteAll(m_fd, m_text, m_position);
    m_position = 0;
  }
}

void ReportBuffer::BeforePiece() noexcept {
  if (m_position > kFlushThreshold && m_fd >= 0) {
    WriteAll(m_fd, m_text, m_position);
    m_position = 0;
  }
}

void ReportBuffer::Text(const char* text, std::size_t length) noexcept {
  BeforePiece();
  // A piece longer than the room left (a path near PATH_MAX after the
  // threshold was just missed) is written out in parts instead of being cut.
  while (length > 0) {
    if (m_position == kCapacity) {
      if (m_fd < 0) return;
      WriteAll(m_fd, m_text, m_position);
      m_position = 0;
    }
    const std::size_t room = kCapacity - m_position;
    const std::size_t part = length < room ? length : room;
    std::memcpy(m_text + m_position, text, part);
    m_position += part;
    text += part;
    length -= part;
  }
}

void ReportBuffer::Text(const char* text) noexcept {
  Text(text, text != nullptr ? std::strlen(text) : 0);
}

void ReportBuffer::Char(char c) noexcept {
  Text(&c, 1);
}

void ReportBuffer::Hex(std::uint64_t value, int digits) noexcept {
  char text[16];
  int length = 0;
  do {
    text[sizeof text - 1 - length] = "0123456789abcdef"[value & 0xF];
    value >>= 4;
    ++length;
  } while (value != 0 && length < 16);
  while (length < digits && length < 16) {
    text[sizeof text - 1 - length] = '0';
    ++length;
  }
  Text(text + sizeof text - length, static_cast<std::size_t>(length));
}

void ReportBuffer::Decimal(std::int64_t value) noexcept {
  char text[24];
  int length = 0;
  const bool negative = value < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    text[sizeof text - 1 - length] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++length;
  } while (magnitude != 0);
  if (negative) {
    text[sizeof text - 1 - length] = '-';
    ++length;
  }
  Text(text + sizeof text - length, static_cast<std::size_t>(length));
}

void ReportBuffer::DecimalLeft(std::int64_t value, int width) noexcept {
  int length = value < 0 ? 2 : 1;
  for (std::int64_t rest = value / 10; rest != 0; rest /= 10) ++length;
  Decimal(value);
  for (; length < width; ++length) Char(' ');
}

void ReportBuffer::TwoDigits(int value) noexcept {
  if (value >= 0 && value < 10) Char('0');
  Decimal(value);
}

void StackRow(ReportBuffer& out, std::uint64_t address, const std::uint32_t* words, int count) noexcept {
  out.Text("0x");
  out.Hex(address, 16);
  out.Text(": ");
  for (int i = 0; i < count; ++i) {
    out.Hex(words[i], 8);
    out.Char(' ');
  }
  for (int i = count; i < 4; ++i) out.Text("         ");
  for (int i = 0; i < count; ++i) {
    for (int byte = 0; byte < 4; ++byte) {
      const auto c = static_cast<unsigned char>(words[i] >> (8 * byte));
      out.Char(c >= 0x20 && c <= 0x7E ? static_cast<char>(c) : '.');
    }
  }
  out.Text("\r\n");
}

void DateTime(ReportBuffer& out, std::int64_t secondsSinceEpoch) noexcept {
  std::int64_t days = secondsSinceEpoch / 86'400;
  std::int64_t rest = secondsSinceEpoch % 86'400;
  if (rest < 0) {
    rest += 86'400;
    --days;
  }
  std::int64_t year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(days, year, month, day);
  out.Decimal(month);
  out.Char('/');
  out.Decimal(day);
  out.Char('/');
  out.Decimal(year);
  out.Char(' ');
  out.TwoDigits(static_cast<int>(rest / 3600));
  out.Char(':');
  out.TwoDigits(static_cast<int>(rest / 60 % 60));
  out.Char(':');
  out.TwoDigits(static_cast<int>(rest % 60 / 2 * 2));
}

std::int64_t MegabytesRoundedUp(std::uint64_t bytes) noexcept {
  constexpr std::uint64_t kMegabyte = 1'048'576;
  return static_cast<std::int64_t>(bytes / kMegabyte + (bytes % kMegabyte != 0 ? 1 : 0));
}

}  // namespace crash_detail
