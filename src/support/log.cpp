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

constexpr std::size_t kMaxLogPath = 4096;  // terminating zero included

// Every field is read by Log on any thread without the lock, and by a signal
// handler through LogCopyPath: atomics only, and no lock on the reading side.
// Opening and closing hold writeLock, so there is one writer at a time.
struct LogState {
  std::atomic<int> fd{-1};
  std::atomic<bool> timestamps{false};
  std::atomic<std::int64_t> startTicks{0};
  std::atomic<std::int64_t> ticksPerSecond{0};
  std::atomic<log_detail::TickSource> now{MonotonicNanoseconds};
  std::atomic<std::int64_t> clockFrequency{1'000'000'000};
  // The path is a sequence lock: pathVersion is odd while it is rewritten,
  // and a reader that sees the version change while copying tries again.
  std::atomic<unsigned> pathVersion{0};
  std::atomic<char> path[kMaxLogPath] = {};
  std::mutex writeLock;
};

LogState& State() {
  static LogState state;
  return state;
}

// Caller holds writeLock. Every access of the sequence lock is sequentially
// consistent, which keeps it simple to reason about (and visible to
// ThreadSanitizer, which does not follow fences); the path is short and rarely
// written.
void StorePath(LogState& state, const char* text) {
  const unsigned version = state.pathVersion.load();
  state.pathVersion.store(version + 1);
  std::size_t i = 0;
  for (; text[i] != '\0' && i + 1 < kMaxLogPath; ++i) state.path[i].store(text[i]);
  state.path[i].store('\0');
  state.pathVersion.store(version + 2);
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
  state.now.store(now != nullptr ? now : MonotonicNanoseconds);
  state.clockFrequency.store(now != nullptr ? ticksPerSecond : 1'000'000'000);
}

}  // namespace log_detail

bool LogOpen(const char* path) {
  LogState& state = State();
  LogClose();
  if (path == nullptr || std::strlen(path) >= kMaxLogPath) return false;

  const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // The file is held exclusively: a second instance must not write into it.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }

  state.startTicks.store(state.now.load()());
  state.ticksPerSecond.store(state.clockFrequency.load());

  char when[64] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) std::strftime(when, sizeof when, "%d.%m.%Y %H:%M:%S", &local);
  char header[128];
  const int length = std::snprintf(header, sizeof header, " --------- Log Started - %s ----------\r\n", when);
  WriteAll(fd, header, static_cast<std::size_t>(length));

  std::lock_guard lock(state.writeLock);
  StorePath(state, path);
  state.fd.store(fd, std::memory_order_release);
  return true;
}

void LogSetTimestamps(bool on) {
  State().timestamps.store(on, std::memory_order_relaxed);
}

void Log(const char* format, ...) {
  LogState& state = State();
  if (state.fd.load(std::memory_order_acquire) < 0) return;

  const std::int64_t now = state.now.load(std::memory_order_relaxed)();
  char line[log_detail::kLineBufferSize] = {};
  std::size_t used = 0;
  if (state.timestamps.load(std::memory_order_relaxed)) {
    const auto micros = log_detail::ElapsedMicroseconds(now - state.startTicks.load(std::memory_order_relaxed),
                                                        state.ticksPerSecond.load(std::memory_order_relaxed));
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

bool LogCopyPath(char* out, std::size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  LogState& state = State();
  // A few tries: a handler that interrupted the writer itself would wait forever.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const unsigned version = state.pathVersion.load();
    if (version % 2 != 0) continue;
    std::size_t i = 0;
    bool fits = true;
    for (char c; (c = state.path[i].load()) != '\0'; ++i) {
      if (i + 1 >= size) {
        fits = false;
        break;
      }
      out[i] = c;
    }
    out[i] = '\0';
    if (state.pathVersion.load() != version) continue;
    if (!fits) out[0] = '\0';
    return fits;
  }
  out[0] = '\0';
  return false;
}

std::string LogGetPath() {
  char path[kMaxLogPath];
  LogCopyPath(path, sizeof path);
  return path;
}

void LogClose() {
  LogState& state = State();
  std::lock_guard lock(state.writeLock);
  const int fd = state.fd.exchange(-1);
  if (fd >= 0) ::close(fd);
  StorePath(state, "");
  state.timestamps.store(false, std::memory_order_relaxed);
}
