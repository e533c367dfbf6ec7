// Small stand-ins for the desktop's services on a private bus: a notification
// server, login1's inhibit locks and UDisks2's optical drives. What they are
// asked goes to stdout, one tab-separated line each:
//   ready | notify <summary> <body> | inhibit <what> <who> <why> <mode> | released
// Drives change by lines on stdin: "add srN vendor model", "remove srN",
// "media srN 0|1".
//
// Usage: desktop_stand_ins ADDRESS [notifications] [login1] [udisks]
// (all three when none is named).

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QMap>
#include <QSocketNotifier>
#include <QTextStream>
#include <cstdio>

using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QDBusObjectPath, Interfaces>;

namespace {

constexpr const char* kRoot = "/org/freedesktop/UDisks2";

// One line per event: line breaks in a text are written as "\n".
void Say(const QStringList& fields) {
  std::printf("%s\n", fields.join('\t').replace('\n', "\\n").toUtf8().constData());
  std::fflush(stdout);
}

class Notifications : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != "Notify") return false;
    const QList<QVariant> a = message.arguments();
    Say({"notify", a.value(3).toString(), a.value(4).toString()});
    connection.send(message.createReply(QVariant::fromValue(1u)));
    return true;
  }
};

class Login1 : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != "Inhibit") return false;
    const QList<QVariant> a = message.arguments();
    int ends[2];
    if (::pipe(ends) != 0) return false;
    // The caller holds the writing end; when every copy of it is closed,
    // the reading end sees its end, as logind sees a lock released.
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    QObject::connect(notifier, &QSocketNotifier::activated, [notifier, fd = ends[0]] {
      char byte;
      if (::read(fd, &byte, 1) > 0) return;
      Say({"released"});
      notifier->setEnabled(false);
      ::close(fd);
      notifier->deleteLater();
    });
    Say({"inhibit", a.value(0).toString(), a.value(1).toString(), a.value(2).toString(), a.value(3).toString()});
    connection.send(message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]))));
    ::close(ends[1]);
    return true;
  }
};

class UDisks : public QDBusVirtualObject {
 public:
  explicit UDisks(QDBusConnection connection) : m_connection(std::move(connection)) {}
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != "GetManagedObjects") return false;
    connection.send(message.createReply(QVariant::fromValue(m_objects)));
    return true;
  }

  void Command(const QString& line) {
    const QStringList words = line.split(' ', Qt::SkipEmptyParts);
    if (words.size() >= 2 && words[0] == "add") Add(words[1], words.value(2), words.value(3));
    if (words.size() >= 2 && words[0] == "remove") Remove(words[1]);
    if (words.size() >= 3 && words[0] == "media") Media(words[1], words[2] == "1");
  }

 private:
  static QDBusObjectPath DrivePath(const QString& name) { return QDBusObjectPath(QString(kRoot) + "/drives/" + name); }
  static QDBusObjectPath BlockPath(const QString& name) {
    return QDBusObjectPath(QString(kRoot) + "/block_devices/" + name);
  }

  void Add(const QString& name, const QString& vendor, const QString& model) {
    const Interfaces drive{{"org.freedesktop.UDisks2.Drive",
                            {{"Vendor", vendor},
                             {"Model", model},
                             {"MediaCompatibility", QStringList{"optical_cd", "optical_dvd"}},
                             {"MediaAvailable", false}}}};
    const Interfaces block{{"org.freedesktop.UDisks2.Block",
                            {{"Device", QByteArray(("/dev/" + name).toUtf8()).append('\0')},
                             {"PreferredDevice", QByteArray(("/dev/" + name).toUtf8()).append('\0')},
                             {"Drive", QVariant::fromValue(DrivePath(name))}}}};
    m_objects[DrivePath(name)] = drive;
    m_objects[BlockPath(name)] = block;
    for (const auto& [path, interfaces] : {std::pair{DrivePath(name), drive}, std::pair{BlockPath(name), block}}) {
      QDBusMessage signal = QDBusMessage::createSignal(kRoot, "org.freedesktop.DBus.ObjectManager", "InterfacesAdded");
      signal << QVariant::fromValue(path) << QVariant::fromValue(interfaces);
      m_connection.send(signal);
    }
  }

  void Remove(const QString& name) {
    for (const QDBusObjectPath& path : {BlockPath(name), DrivePath(name)}) {
      const QStringList names = m_objects.value(path).keys();
      m_objects.remove(path);
      QDBusMessage signal =
          QDBusMessage::createSignal(kRoot, "org.freedesktop.DBus.ObjectManager", "InterfacesRemoved");
      signal << QVariant::fromValue(path) << names;
      m_connection.send(signal);
    }
  }

  void Media(const QString& name, bool available) {
    const QDBusObjectPath path = DrivePath(name);
    m_objects[path]["org.freedesktop.UDisks2.Drive"]["MediaAvailable"] = available;
    QDBusMessage signal =
        QDBusMessage::createSignal(path.path(), "org.freedesktop.DBus.Properties", "PropertiesChanged");
    signal << QString("org.freedesktop.UDisks2.Drive") << QVariantMap{{"MediaAvailable", available}} << QStringList();
    m_connection.send(signal);
  }

  QDBusConnection m_connection;
  Objects m_objects;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  qDBusRegisterMetaType<Interfaces>();
  qDBusRegisterMetaType<Objects>();
  QStringList arguments = application.arguments().mid(1);
  if (arguments.isEmpty()) return 2;
  QDBusConnection bus = QDBusConnection::connectToBus(arguments.takeFirst(), "stand-ins");
  if (!bus.isConnected()) return 1;
  if (arguments.isEmpty()) arguments = {"notifications", "login1", "udisks"};

  Notifications notifications;
  Login1 login1;
  UDisks udisks(bus);
  if (arguments.contains("notifications")) {
    bus.registerVirtualObject("/org/freedesktop/Notifications", &notifications);
    bus.registerService("org.freedesktop.Notifications");
  }
  if (arguments.contains("login1")) {
    bus.registerVirtualObject("/org/freedesktop/login1", &login1);
    bus.registerService("org.freedesktop.login1");
  }
  if (arguments.contains("udisks")) {
    bus.registerVirtualObject(kRoot, &udisks);
    bus.registerService("org.freedesktop.UDisks2");
  }
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    static QByteArray pending;
    char buffer[256];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
      application.quit();
      return;
    }
    pending.append(buffer, got);
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
      udisks.Command(QString::fromUtf8(pending.left(end)));
    }
  });
  Say({"ready"});
  return application.exec();
}
