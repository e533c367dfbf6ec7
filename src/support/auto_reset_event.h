#pragma once
// A named auto-reset event: Set wakes one waiter (or the next one to wait)
// and clears itself as that waiter returns.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

class AutoResetEvent {
 public:
  explicit AutoResetEvent(std::string name) : m_name(std::move(name)) {}
  AutoResetEvent(const AutoResetEvent&) = delete;
  AutoResetEvent& operator=(const AutoResetEvent&) = delete;

  const std::string& Name() const { return m_name; }

  void SetEvent() {
    {
      std::lock_guard<std::mutex> lock(m_lock);
      m_signalled = true;
    }
    m_changed.notify_all();
  }
  void ResetEvent() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_signalled = false;
  }

  // Waits until the event is set (true, the event cleared again) or until
  // giveUp holds, asked every interval (false). A flag that another part of
  // the program sets without knowing of this event ends the wait this way.
  bool WaitUnless(const std::function<bool()>& giveUp, std::chrono::milliseconds interval) {
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
      if (m_changed.wait_for(lock, interval, [this] { return m_signalled; })) {
        m_signalled = false;
        return true;
      }
      if (giveUp()) return false;
    }
  }

 private:
  const std::string m_name;
  std::mutex m_lock;
  std::condition_variable m_changed;
  bool m_signalled = false;
};
