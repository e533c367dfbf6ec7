#include "convert/ping.h"

#include <exception>

#include "support/log.h"

std::int32_t Pinger::Ping(std::int32_t value) {
  return m_pReceiver != nullptr ? m_pReceiver->OnPing(value, *this) : 0;
}

ScopedPing::ScopedPing(Pinger& pinger, std::int32_t begin, std::int32_t end) : m_pinger(pinger), m_nEnd(end) {
  m_pinger.Ping(begin);
}

ScopedPing::~ScopedPing() {
  // Runs during unwinding too: a failing receiver must not end the program.
  try {
    m_pinger.Ping(m_nEnd);
  } catch (const std::exception& error) {
    Log("ScopedPing: end ping failed: %s", error.what());
  } catch (...) {
    Log("ScopedPing: end ping failed");
  }
}

void StopFlag::Set(bool value) {
  s_flag.store(value, std::memory_order_relaxed);
  Log("StopFlag set to: %d", value ? 1 : 0);
}
