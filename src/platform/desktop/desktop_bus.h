#pragma once
// The buses the desktop services live on, found by their addresses in the
// environment each time (not once per process), and the one note per missing
// bus or service.

#include <QDBusConnection>
#include <QDBusError>
#include <optional>
#include <string>

namespace desktop {

enum class BusKind { Session, System };

// A connection to the bus; none (after the one note) when it cannot be reached.
std::optional<QDBusConnection> ConnectBus(BusKind kind);

// Logs that a service is missing, once per service for the process's life.
// An error that says the bus itself has gone counts as the bus's note.
void NoteMissingService(const char* service, const QDBusError& error);

}  // namespace desktop
