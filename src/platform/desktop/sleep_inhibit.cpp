// Sleep and idle inhibit locks of org.freedesktop.login1 on the system bus.
// login1 hands out a descriptor and keeps the lock until every copy of it is
// closed, so a process that dies releases it as well.

#include <fcntl.h>
#include <unistd.h>

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>

#include "platform/desktop/desktop_bus.h"
#include "platform/desktop/desktop_services.h"
#include "support/log.h"

namespace desktop {

namespace {
constexpr const char* kService = "org.freedesktop.login1";
constexpr int kTimeoutMs = 5'000;
}  // namespace

SleepInhibitLock::~SleepInhibitLock() {
  if (m_descriptor < 0) return;
  ::close(m_descriptor);
  Log("Sleep and idle are allowed again");
}

std::unique_ptr<SleepInhibitLock> InhibitSleep(const std::string& why) {
  const std::optional<QDBusConnection> bus = ConnectBus(BusKind::System);
  if (!bus) return nullptr;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "Inhibit");
  call << QStringLiteral("sleep:idle") << QStringLiteral("Orlenta") << QString::fromStdString(why)
       << QStringLiteral("block");
  const QDBusMessage reply = bus->call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    NoteMissingService(kService, QDBusError(reply));
    return nullptr;
  }
  const QList<QVariant> arguments = reply.arguments();
  const auto handed =
      arguments.isEmpty() ? QDBusUnixFileDescriptor() : qvariant_cast<QDBusUnixFileDescriptor>(arguments.first());
  // Our own copy, closed on exec: no child process may keep the lock alive.
  const int descriptor = handed.isValid() ? ::fcntl(handed.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
  if (descriptor < 0) {
    Log("%s gave no lock descriptor", kService);
    return nullptr;
  }
  Log("Sleep and idle are held off while the job runs");
  return std::make_unique<SleepInhibitLock>(descriptor);
}

}  // namespace desktop
