#pragma once
// Progress signals of the conversion engine. A ping is one integer sent by a
// Pinger to its receiver (the main window), which tells the kinds apart by the
// sender's class first and the value second.

#include <atomic>
#include <cstddef>
#include <cstdint>

class Pinger;

// Ping values of a file task; a list ends with 0, progress runs 0..100.
enum PingValue : std::int32_t {
  end_of_list = 0,
  begin_converting = 2,
  end_converting = 3,
};

class PingReceiver {
 public:
  virtual ~PingReceiver() = default;
  virtual std::int32_t OnPing(std::int32_t value, const Pinger& sender) = 0;
};

class Pinger {
 public:
  explicit Pinger(PingReceiver* receiver) : m_pReceiver(receiver) {}
  virtual ~Pinger() = default;

  // Hands value to the receiver and returns its answer; 0 without a receiver.
  virtual std::int32_t Ping(std::int32_t value);

  PingReceiver* Receiver() const noexcept { return m_pReceiver; }

 protected:
  Pinger(const Pinger&) = default;
  Pinger& operator=(const Pinger&) = default;

 private:
  PingReceiver* m_pReceiver;
};

// Sends progress of the current file in percent; receivers recognise it by class.
class ProgressPinger : public Pinger {
 public:
  using Pinger::Pinger;
};

// The sender of a file's progress when the task list relays it. The value is
// still the percent of that one file, so a receiver that maps it into the
// file's share of the bar works as before while files convert one at a time.
// Files of a list may convert side by side: a receiver that knows this reads
// which file the ping is about and the progress of the whole list from here.
class FileProgressPinger : public ProgressPinger {
 public:
  FileProgressPinger(PingReceiver* receiver, std::size_t fileIndex) : ProgressPinger(receiver), m_nFile(fileIndex) {}

  // The file's position in the list, from 0.
  std::size_t FileIndex() const noexcept { return m_nFile; }
  // The whole list's progress in percent (0..100, never falling): the shares
  // of the ended files plus the converted parts of the running ones.
  double ListPercent() const noexcept { return m_dListPercent; }
  void SetListPercent(double percent) noexcept { m_dListPercent = percent; }

 private:
  std::size_t m_nFile;
  double m_dListPercent = 0;
};

// Pings begin now and end when the scope is left, by return or by exception.
class ScopedPing {
 public:
  ScopedPing(Pinger& pinger, std::int32_t begin, std::int32_t end);
  ~ScopedPing();
  ScopedPing(const ScopedPing&) = delete;
  ScopedPing& operator=(const ScopedPing&) = delete;

 private:
  Pinger& m_pinger;
  std::int32_t m_nEnd;
};

// The process-wide request to stop converting: written by the window thread,
// read by the conversion thread.
class StopFlag {
 public:
  StopFlag() = delete;
  static void Set(bool value);
  static bool IsSet() noexcept { return s_flag.load(std::memory_order_relaxed); }
  // For the runners of other programs, which end their program when it is set.
  static const std::atomic<bool>* Flag() noexcept { return &s_flag; }

 private:
  static inline std::atomic<bool> s_flag{false};
};
