#include "platform/desktop/desktop_bus.h"

#include <unistd.h>

#include <QString>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/desktop/desktop_services.h"
#include "support/log.h"

namespace desktop {

namespace {

constexpr const char* kBusNote = "bus";

std::mutex g_lock;
std::set<std::string> g_noted;    // "bus", or the names of missing services
std::set<QString> g_connections;  // the names of the connections made
int g_generation = 0;             // a reset starts fresh connections

bool IsSocket(const std::string& path) {
  return ::access(path.c_str(), R_OK | W_OK) == 0;
}

// The bus's address as libdbus finds it: the variable, else the usual socket.
std::string Address(BusKind kind) {
  const char* variable = std::getenv(kind == BusKind::Session ? "DBUS_SESSION_BUS_ADDRESS" : "DBUS_SYSTEM_BUS_ADDRESS");
  if (variable != nullptr && *variable != '\0') return variable;
  std::string socket;
  if (kind == BusKind::System) {
    socket = "/run/dbus/system_bus_socket";
  } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
    socket = std::string(runtime) + "/bus";
  }
  return !socket.empty() && IsSocket(socket) ? "unix:path=" + socket : std::string();
}

const char* BusName(BusKind kind) {
  return kind == BusKind::Session ? "session" : "system";
}

// Logs text unless the note of key was logged already.
void NoteOnce(const std::string& key, const std::string& text) {
  {
    std::lock_guard<std::mutex> lock(g_lock);
    if (!g_noted.insert(key).second) return;
  }
  Log("%s", text.c_str());
}

void NoteNoBus(BusKind kind, const std::string& why) {
  NoteOnce(kBusNote, std::string("D-Bus is not reachable (") + BusName(kind) + " bus: " + why +
                         "); Orlenta goes on without the desktop's services");
}

}  // namespace

std::optional<QDBusConnection> ConnectBus(BusKind kind) {
  const std::string address = Address(kind);
  if (address.empty()) {
    NoteNoBus(kind, "no address");
    return std::nullopt;
  }
  QString name;
  {
    std::lock_guard<std::mutex> lock(g_lock);
    name = QStringLiteral("orlenta-%1-%2").arg(g_generation).arg(QString::fromStdString(address));
    g_connections.insert(name);
  }
  QDBusConnection connection(name);
  if (connection.isConnected()) return connection;
  connection = QDBusConnection::connectToBus(QString::fromStdString(address), name);
  if (connection.isConnected()) return connection;
  NoteNoBus(kind, address + ": " + connection.lastError().message().toStdString());
  // A failed connection keeps its name; the next call tries afresh.
  QDBusConnection::disconnectFromBus(name);
  return std::nullopt;
}

void NoteMissingService(const char* service, const QDBusError& error) {
  if (error.type() == QDBusError::Disconnected) {
    NoteOnce(kBusNote, "D-Bus is not reachable (" + error.message().toStdString() +
                           "); Orlenta goes on without the desktop's services");
    return;
  }
  NoteOnce(service, std::string("The desktop service ") + service + " is not available (" +
                        error.message().toStdString() + "); Orlenta goes on without it");
}

void ResetDesktopServices() {
  std::set<QString> connections;
  {
    std::lock_guard<std::mutex> lock(g_lock);
    g_noted.clear();
    connections.swap(g_connections);
    ++g_generation;
  }
  for (const QString& name : connections) QDBusConnection::disconnectFromBus(name);
}

}  // namespace desktop
