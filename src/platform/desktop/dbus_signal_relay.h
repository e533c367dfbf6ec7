#pragma once
// Passes D-Bus signals on to a function (a slot for QDBusConnection::connect).

#include <QDBusMessage>
#include <QObject>
#include <functional>
#include <utility>

namespace desktop {

class DBusSignalRelay : public QObject {
  Q_OBJECT

 public:
  explicit DBusSignalRelay(std::function<void()> received) : m_received(std::move(received)) {}

 public slots:
  void Received(const QDBusMessage&) {
    if (m_received) m_received();
  }

 private:
  std::function<void()> m_received;
};

}  // namespace desktop
