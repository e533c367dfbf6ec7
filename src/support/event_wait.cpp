#include "support/event_wait.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// How often a sleeping wait looks at its condition without an event.
constexpr std::chrono::milliseconds kRecheck{20};

bool WaitWithDeadline(const std::function<bool()>& done, const std::chrono::steady_clock::time_point* deadline,
                      QEventLoop::ProcessEventsFlags flags) {
  QTimer recheck;
  recheck.setInterval(kRecheck);
  recheck.start();
  while (!done()) {
    if (deadline != nullptr && std::chrono::steady_clock::now() >= *deadline) return false;
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace

void ProcessEventsUntil(const std::function<bool()>& done, QEventLoop::ProcessEventsFlags flags) {
  WaitWithDeadline(done, nullptr, flags);
}

bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                        QEventLoop::ProcessEventsFlags flags) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  return WaitWithDeadline(done, &deadline, flags);
}
