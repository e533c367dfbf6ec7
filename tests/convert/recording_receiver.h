#pragma once
// A ping receiver that records what arrives, from any thread.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "convert/convert_task_list.h"
#include "convert/ping.h"

class RecordingReceiver : public PingReceiver {
 public:
  struct Received {
    std::int32_t value;
    bool progress;                                   // sent by a ProgressPinger
    std::optional<std::size_t> file = std::nullopt;  // the task's Index, or the relayed progress' FileIndex
    double listPercent = -1;                         // a relayed progress' ListPercent
    bool listEnd = false;                            // sent by a ConvertTaskList
    std::string output;                              // the task's OutputPath when it pinged
  };

  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override {
    std::lock_guard lock(m_lock);
    Received received{value, dynamic_cast<const ProgressPinger*>(&sender) != nullptr};
    if (const auto* task = dynamic_cast<const ConvertFileTask*>(&sender)) {
      received.file = task->Index();
      received.output = task->OutputPath().str();
    }
    if (const auto* progress = dynamic_cast<const FileProgressPinger*>(&sender)) {
      received.file = progress->FileIndex();
      received.listPercent = progress->ListPercent();
    }
    received.listEnd = dynamic_cast<const ConvertTaskList*>(&sender) != nullptr;
    m_pings.push_back(received);
    if (m_onPing) m_onPing(value);
    if (m_onReceived) m_onReceived(received);
    m_changed.notify_all();
    return 0;
  }

  std::vector<Received> Pings() const {
    std::lock_guard lock(m_lock);
    return m_pings;
  }

  std::vector<int> ProgressValues() const {
    std::vector<int> values;
    for (const auto& ping : Pings()) {
      if (ping.progress) values.push_back(ping.value);
    }
    return values;
  }

  // Waits until a ping of value arrives from a sender that is not a progress
  // pinger (a task or a list); false on time-out.
  bool WaitForPing(std::int32_t value, std::chrono::milliseconds timeout = std::chrono::seconds(120)) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, [&] {
      for (const auto& ping : m_pings) {
        if (!ping.progress && ping.value == value) return true;
      }
      return false;
    });
  }

  // Runs on the pinging thread for every ping.
  void OnEachPing(std::function<void(std::int32_t)> action) {
    std::lock_guard lock(m_lock);
    m_onPing = std::move(action);
  }
  void OnEachReceived(std::function<void(const Received&)> action) {
    std::lock_guard lock(m_lock);
    m_onReceived = std::move(action);
  }

 private:
  mutable std::mutex m_lock;
  std::condition_variable m_changed;
  std::vector<Received> m_pings;
  std::function<void(std::int32_t)> m_onPing;
  std::function<void(const Received&)> m_onReceived;
};
