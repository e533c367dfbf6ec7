#pragma once
// A private D-Bus for a test: its own dbus-daemon, the desktop stand-ins
// (tests/platform/desktop/desktop_stand_ins.cpp) on it, and both bus
// variables of this process pointing at it while it lives, so that the
// program's session and system services are the stand-ins.

#include <QProcess>
#include <QStringList>
#include <chrono>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "platform/desktop/desktop_services.h"
#include "support/event_wait.h"

namespace testkit {

class PrivateBus {
 public:
  // services: those of the stand-ins to run ("notifications", "login1",
  // "udisks"); all when empty.
  explicit PrivateBus(const QStringList& services = {}) {
    m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    m_daemon.waitForStarted(10'000);
    ProcessEventsUntil([&] { return m_daemon.canReadLine() || m_daemon.state() == QProcess::NotRunning; },
                       std::chrono::seconds(30));
    m_address = m_daemon.readLine().trimmed().toStdString();
    m_session = std::make_unique<ScopedEnv>("DBUS_SESSION_BUS_ADDRESS", m_address);
    m_system = std::make_unique<ScopedEnv>("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    desktop::ResetDesktopServices();
    m_standIns.setProgram(DESKTOP_STAND_INS);
    m_standIns.setArguments(QStringList{QString::fromStdString(m_address)} + services);
    m_standIns.start();
    WaitFor("ready");
  }
  ~PrivateBus() {
    m_standIns.kill();
    m_standIns.waitForFinished(10'000);
    m_daemon.kill();
    m_daemon.waitForFinished(10'000);
    desktop::ResetDesktopServices();
  }
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  bool Running() const { return !m_address.empty() && m_standIns.state() == QProcess::Running; }
  const std::string& Address() const { return m_address; }

  // The stand-ins' lines so far (their stdout).
  const std::vector<std::string>& Lines() {
    while (m_standIns.canReadLine()) m_lines.push_back(m_standIns.readLine().trimmed().toStdString());
    return m_lines;
  }
  // How many lines start with prefix.
  int Count(const std::string& prefix) {
    int count = 0;
    for (const std::string& line : Lines()) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
  }
  // The last line that starts with prefix, "" when none.
  std::string Last(const std::string& prefix) {
    const auto& lines = Lines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      if (line->rfind(prefix, 0) == 0) return *line;
    }
    return {};
  }
  // Waits (processing events) until count lines start with prefix.
  bool WaitFor(const std::string& prefix, int count = 1) {
    return ProcessEventsUntil([&] { return Count(prefix) >= count; }, std::chrono::seconds(60));
  }
  // A command to the stand-in UDisks2 ("add sr5 Vendor Model", "remove sr5").
  void Tell(const std::string& command) {
    m_standIns.write((command + "\n").c_str());
    m_standIns.waitForBytesWritten(10'000);
  }

 private:
  QProcess m_daemon;
  QProcess m_standIns;
  std::string m_address;
  std::unique_ptr<ScopedEnv> m_session;
  std::unique_ptr<ScopedEnv> m_system;
  std::vector<std::string> m_lines;
};

}  // namespace testkit
