// Notifications through org.freedesktop.Notifications on the session bus.

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QVariantMap>

#include "platform/desktop/desktop_bus.h"
#include "platform/desktop/desktop_services.h"

namespace desktop {

namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr int kTimeoutMs = 10'000;
}  // namespace

bool Notify(const std::string& summary, const std::string& body) {
  const std::optional<QDBusConnection> bus = ConnectBus(BusKind::Session);
  if (!bus) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, "/org/freedesktop/Notifications", kService, "Notify");
  // The desktop entry lets the desktop show the program's name and icon and
  // bring its window forward.
  const QVariantMap hints{{"desktop-entry", QStringLiteral("orlenta")}};
  call << QStringLiteral("Orlenta") << 0u << QStringLiteral("orlenta") << QString::fromStdString(summary)
       << QString::fromStdString(body) << QStringList() << hints << -1;
  // Not waited for: a slow notification service must not hold the job up.
  auto* watcher = new QDBusPendingCallWatcher(bus->asyncCall(call, kTimeoutMs));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [](QDBusPendingCallWatcher* done) {
    if (done->isError()) NoteMissingService(kService, done->error());
    done->deleteLater();
  });
  return true;
}

}  // namespace desktop
