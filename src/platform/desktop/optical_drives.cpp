// Optical drives and their media from UDisks2 on the system bus.

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QMap>
#include <QVariantMap>
#include <algorithm>
#include <mutex>

#include "platform/desktop/dbus_signal_relay.h"
#include "platform/desktop/desktop_bus.h"
#include "platform/desktop/desktop_services.h"
#include "support/log.h"

using UDisksInterfaces = QMap<QString, QVariantMap>;
using UDisksObjects = QMap<QDBusObjectPath, UDisksInterfaces>;

namespace desktop {

namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kRoot = "/org/freedesktop/UDisks2";
constexpr const char* kObjectManager = "org.freedesktop.DBus.ObjectManager";
constexpr const char* kBlock = "org.freedesktop.UDisks2.Block";
constexpr const char* kDrive = "org.freedesktop.UDisks2.Drive";
constexpr const char* kPartition = "org.freedesktop.UDisks2.Partition";
constexpr int kTimeoutMs = 5'000;

void RegisterTypes() {
  static std::once_flag once;
  std::call_once(once, [] {
    qDBusRegisterMetaType<UDisksInterfaces>();
    qDBusRegisterMetaType<UDisksObjects>();
  });
}

// A device path as UDisks2 gives it: bytes with a closing NUL.
std::string DevicePath(const QVariant& value) {
  QByteArray bytes = value.toByteArray();
  while (!bytes.isEmpty() && bytes.back() == '\0') bytes.chop(1);
  return bytes.toStdString();
}

int DriveNumber(const std::string& device) {
  const auto digits = device.find_first_of("0123456789");
  return digits == std::string::npos ? 0 : std::atoi(device.c_str() + digits);
}

bool IsOptical(const QVariantMap& drive) {
  const QStringList media = drive.value("MediaCompatibility").toStringList();
  return std::any_of(media.begin(), media.end(), [](const QString& kind) { return kind.startsWith("optical"); });
}

}  // namespace

std::optional<std::vector<OpticalDrive>> ListOpticalDrives() {
  const std::optional<QDBusConnection> bus = ConnectBus(BusKind::System);
  if (!bus) return std::nullopt;
  RegisterTypes();
  const QDBusMessage call = QDBusMessage::createMethodCall(kService, kRoot, kObjectManager, "GetManagedObjects");
  const QDBusMessage reply = bus->call(call, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    NoteMissingService(kService, QDBusError(reply));
    return std::nullopt;
  }
  const auto objects = qdbus_cast<UDisksObjects>(reply.arguments().first());
  std::vector<OpticalDrive> drives;
  for (auto object = objects.begin(); object != objects.end(); ++object) {
    const UDisksInterfaces& interfaces = object.value();
    if (!interfaces.contains(kBlock) || interfaces.contains(kPartition)) continue;
    const QVariantMap& block = interfaces[kBlock];
    const auto drivePath = qvariant_cast<QDBusObjectPath>(block.value("Drive"));
    const auto driveObject = objects.find(drivePath);
    if (driveObject == objects.end() || !driveObject->contains(kDrive)) continue;
    const QVariantMap& drive = (*driveObject)[kDrive];
    if (!IsOptical(drive)) continue;
    OpticalDrive found;
    found.device = DevicePath(block.value("PreferredDevice"));
    if (found.device.empty()) found.device = DevicePath(block.value("Device"));
    if (found.device.empty()) continue;
    found.vendor = drive.value("Vendor").toString().toStdString();
    found.model = drive.value("Model").toString().toStdString();
    found.mediaAvailable = drive.value("MediaAvailable").toBool();
    drives.push_back(std::move(found));
  }
  std::sort(drives.begin(), drives.end(),
            [](const auto& a, const auto& b) { return DriveNumber(a.device) < DriveNumber(b.device); });
  return drives;
}

struct OpticalDriveWatch::Parts {
  std::optional<QDBusConnection> bus;
  std::unique_ptr<DBusSignalRelay> relay;
  bool watching = false;
};

OpticalDriveWatch::OpticalDriveWatch(std::function<void()> changed) : m_parts(std::make_unique<Parts>()) {
  m_parts->bus = ConnectBus(BusKind::System);
  if (!m_parts->bus) return;
  m_parts->relay = std::make_unique<DBusSignalRelay>([changed = std::move(changed)] {
    Log("The optical drives or their discs have changed");
    if (changed) changed();
  });
  QDBusConnection& bus = *m_parts->bus;
  DBusSignalRelay* relay = m_parts->relay.get();
  // Drives (and the blocks of their discs) come and go as objects; a disc
  // put in or taken out changes the drive's properties.
  bool connected = bus.connect(kService, kRoot, kObjectManager, "InterfacesAdded", relay, SLOT(Received(QDBusMessage)));
  connected &= bus.connect(kService, kRoot, kObjectManager, "InterfacesRemoved", relay, SLOT(Received(QDBusMessage)));
  connected &= bus.connect(kService, QString(), "org.freedesktop.DBus.Properties", "PropertiesChanged", {kDrive},
                           QString(), relay, SLOT(Received(QDBusMessage)));
  const QDBusReply<bool> present = bus.interface()->isServiceRegistered(kService);
  if (!present.isValid() || !present.value()) {
    NoteMissingService(kService,
                       present.isValid() ? QDBusError(QDBusError::ServiceUnknown, "not running") : present.error());
    return;
  }
  m_parts->watching = connected;
}

OpticalDriveWatch::~OpticalDriveWatch() {
  if (m_parts->bus && m_parts->relay) {
    QDBusConnection& bus = *m_parts->bus;
    DBusSignalRelay* relay = m_parts->relay.get();
    bus.disconnect(kService, kRoot, kObjectManager, "InterfacesAdded", relay, SLOT(Received(QDBusMessage)));
    bus.disconnect(kService, kRoot, kObjectManager, "InterfacesRemoved", relay, SLOT(Received(QDBusMessage)));
    bus.disconnect(kService, QString(), "org.freedesktop.DBus.Properties", "PropertiesChanged", {kDrive}, QString(),
                   relay, SLOT(Received(QDBusMessage)));
  }
}

bool OpticalDriveWatch::Watching() const {
  return m_parts->watching;
}

}  // namespace desktop

// The relay's meta-object, made by moc, built with this file.
#include "moc_dbus_signal_relay.cpp"
