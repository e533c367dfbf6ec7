#include "support/log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

namespace {

std::int64_t MonotonicNanoseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct LogState {
  std::atomic<int> fd{-1};
  bool timestamps = false;
  std::int64_t startTicks = 0;
  std::int64_t ticksPerSecond = 0;
  log_detail::TickSource now = MonotonicNanoseconds;
  std::int64_t clockFrequency = 1'000'000'000;
  char path[4096] = {};
  std::mutex writeLock;
};

LogState& State() {
  static LogState state;
  return state;
}

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // a full disk loses the entry; the program goes on
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// Copies text to out, turning every bare LF into CR LF, and ends it with CR LF,
// so that every physical line of the file ends the same way.
std::size_t ToFileLines(const char* text, char* out) {
  std::size_t n = 0;
  char previous = '\0';
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n' && previous != '\r') out[n++] = '\r';
    out[n++] = *p;
    previous = *p;
  }
  out[n++] = '\r';
  out[n++] = '\n';
  return n;
}

}  // namespace

namespace log_detail {

std::uint64_t ElapsedMicroseconds(std::int64_t elapsedTicks, std::int64_t ticksPerSecond) {
  if (ticksPerSecond <= 0 || elapsedTicks <= 0) return 0;
  const auto ticks = static_cast<std::uint64_t>(elapsedTicks);
  const auto frequency = static_cast<std::uint64_t>(ticksPerSecond);
  // Split so that long runs cannot overflow the multiplication.
  return ticks / frequency * 1'000'000 + ticks % frequency * 1'000'000 / frequency;
}

int FormatTimestampPrefix(std::uint64_t microseconds, char* out, std::size_t size) {
  const std::uint64_t hours = microseconds / 3'600'000'000ULL;
  std::uint64_t rest = microseconds % 3'600'000'000ULL;
  const std::uint64_t minutes = rest / 60'000'000;
  rest %= 60'000'000;
  const std::uint64_t seconds = rest / 1'000'000;
  rest %= 1'000'000;
  const int written =
      std::snprintf(out, size, "%02d:%02d:%02d.%03d'%03d - ", static_cast<int>(hours), static_cast<int>(minutes),
                    static_cast<int>(seconds), static_cast<int>(rest / 1000), static_cast<int>(rest % 1000));
  return written < 0 ? 0 : std::min(written, static_cast<int>(size) - 1);
}

void SetClockForTesting(TickSource now, std::int64_t ticksPerSecond) {
  LogState& state = State();
  state.now = now != nullptr ? now : MonotonicNanoseconds;
  state.clockFrequency = now != nullptr ? ticksPerSecond : 1'000'000'000;
}

}  // namespace log_detail

bool LogOpen(const char* path) {
  LogState& state = State();
  LogClose();
  if (path == nullptr || std::strlen(path) >= sizeof state.path) return false;

  const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // The file is held exclusively: a second instance must not write into it.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }

  state.startTicks = state.now();
  state.ticksPerSecond = state.clockFrequency;
  std::snprintf(state.path, sizeof state.path, "%s", path);

  char when[64] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) std::strftime(when, sizeof when, "%d.%m.%Y %H:%M:%S", &local);
  char header[128];
  const int length = std::snprintf(header, sizeof header, " --------- Log Started - %s ----------\r\n", when);
  WriteAll(fd, header, static_cast<std::size_t>(length));

  state.fd.store(fd, std::memory_order_release);
  return true;
}

void LogSetTimestamps(bool on) {
  State().timestamps = on;
}

void Log(const char* format, ...) {
  LogState& state = State();
  if (state.fd.load(std::memory_order_acquire) < 0) return;

  const std::int64_t now = state.now();
  char line[log_detail::kLineBufferSize] = {};
  std::size_t used = 0;
  if (state.timestamps) {
    const auto micros = log_detail::ElapsedMicroseconds(now - state.startTicks, state.ticksPerSecond);
    used = static_cast<std::size_t>(log_detail::FormatTimestampPrefix(micros, line, sizeof line));
  }
  va_list args;
  va_start(args, format);
  std::vsnprintf(line + used, sizeof line - used, format, args);  // cuts what does not fit
  va_end(args);

  char out[log_detail::kLineBufferSize * 2 + 2];
  const std::size_t length = ToFileLines(line, out);

  std::lock_guard lock(state.writeLock);
  const int fd = state.fd.load(std::memory_order_relaxed);
  if (fd >= 0) WriteAll(fd, out, length);
}

std::string LogGetPath() {
  LogState& state = State();
  return state.fd.load(std::memory_order_acquire) < 0 ? std::string() : std::string(state.path);
}

void LogClose() {
  LogState& state = State();
  std::lock_guard lock(state.writeLock);
  const int fd = state.fd.exchange(-1);
  if (fd >= 0) ::close(fd);
  state.path[0] = '\0';
  state.timestamps = false;
}
