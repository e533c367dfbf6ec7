#include "app/window_messages.h"

#include <QThread>

WindowMessages::WindowMessages() : m_pTarget(std::make_unique<QObject>()) {}

WindowMessages::~WindowMessages() = default;

bool WindowMessages::OnCoreThread() const {
  return QThread::currentThread() == m_pTarget->thread();
}

std::intptr_t WindowMessages::Send(const std::function<std::intptr_t()>& handler) {
  if (OnCoreThread()) return handler();
  std::intptr_t result = 0;
  QMetaObject::invokeMethod(
      m_pTarget.get(), [&] { result = handler(); }, Qt::BlockingQueuedConnection);
  return result;
}

void WindowMessages::Post(std::function<void()> handler) {
  QMetaObject::invokeMethod(m_pTarget.get(), std::move(handler), Qt::QueuedConnection);
}
