#pragma once
// The program's log: one text file per run, one entry per call, any thread.
//
// Every entry carries the time elapsed since the log was opened
// ("00:00:02.017'351 - message"), ends with CR LF and is flushed at once, so
// the file is complete up to the last entry even if the process dies.

#include <cstddef>
#include <cstdint>
#include <string>

// Creates or truncates the log file and writes its header. Returns false when
// the file cannot be created or another running instance holds it; the log
// then stays closed and every Log call does nothing.
bool LogOpen(const char* path);

void LogSetTimestamps(bool on);

// printf-style; one entry. A message longer than the line buffer is cut.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Full path of the open log file, or "" while the log is closed. Safe while
// another thread opens or closes the log.
std::string LogGetPath();

// The same path copied into out (size bytes with the terminating zero);
// false, with out empty, when it does not fit or is being changed right now.
// Safe in a signal handler: no lock, no allocation.
bool LogCopyPath(char* out, std::size_t size);

// The system's text for an error code (errno), cut at its first line break;
// "Unknown error: %08x (%d)" when the system has none.
std::string GetErrorText(int code);

// Closes the log (tests, and the end of the process).
void LogClose();

namespace log_detail {

// Size of the per-entry buffer on the caller's stack: prefix plus message.
inline constexpr std::size_t kLineBufferSize = 1040;

// Elapsed ticks to microseconds; 0 when the frequency is 0.
std::uint64_t ElapsedMicroseconds(std::int64_t elapsedTicks, std::int64_t ticksPerSecond);

// Writes "HH:MM:SS.mmm'uuu - " into out (at least 32 bytes); returns its length.
int FormatTimestampPrefix(std::uint64_t microseconds, char* out, std::size_t size);

// Replaces the clock the log reads (tests). Pass nullptr to restore the
// monotonic clock. Takes effect at the next LogOpen.
using TickSource = std::int64_t (*)();
void SetClockForTesting(TickSource now, std::int64_t ticksPerSecond);

}  // namespace log_detail
