#pragma once
// The text of a crash report, built inside a signal handler: only
// async-signal-safe calls (write, no allocation, no locks, no stdio).
//
// Pieces are formatted into one static buffer; before each piece, once the
// buffer holds more than kFlushThreshold bytes, it is written to the file and
// starts over. Every piece is far shorter than the room left above the
// threshold, so nothing is ever cut.

#include <cstddef>
#include <cstdint>

namespace crash_detail {

class ReportBuffer {
 public:
  static constexpr std::size_t kCapacity = 82'036;
  static constexpr std::size_t kFlushThreshold = 80'896;

  // Starts a report written to fd (-1: keep the text only, for tests).
  void Begin(int fd) noexcept;
  // Writes what is buffered; the report's last step.
  void Finish() noexcept;

  void Text(const char* text) noexcept;
  void Text(const char* text, std::size_t length) noexcept;
  void Char(char c) noexcept;
  // Lower-case hexadecimal, zero-padded to at least digits.
  void Hex(std::uint64_t value, int digits) noexcept;
  void Decimal(std::int64_t value) noexcept;
  // Decimal, left-aligned and padded with blanks to width ("%-10d").
  void DecimalLeft(std::int64_t value, int width) noexcept;
  // Decimal, zero-padded to two digits ("%02d").
  void TwoDigits(int value) noexcept;

  // The buffered text (tests): what has not been written out yet.
  const char* Data() const noexcept { return m_text; }
  std::size_t Size() const noexcept { return m_position; }

 private:
  void BeforePiece() noexcept;

  int m_fd = -1;
  std::size_t m_position = 0;
  char m_text[kCapacity] = {};
};

// One row of the stack dump: "0x<address>: " then up to four 32-bit words as
// "%08x ", nine blanks for every word a short last row lacks, then the bytes
// of the words as characters (lowest byte first; outside 0x20..0x7E a dot).
void StackRow(ReportBuffer& out, std::uint64_t address, const std::uint32_t* words, int count) noexcept;

// A calendar time as "month/day/year hh:mm:ss", seconds in steps of two as the
// file-system date form has them. secondsSinceEpoch is already local time.
void DateTime(ReportBuffer& out, std::int64_t secondsSinceEpoch) noexcept;

// Bytes as megabytes, a remainder counting as one more.
std::int64_t MegabytesRoundedUp(std::uint64_t bytes) noexcept;

}  // namespace crash_detail
