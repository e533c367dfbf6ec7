#pragma once
// What the program asks of the desktop: a notification, a lock that keeps the
// computer awake, the optical drives and their media. Here on D-Bus
// (org.freedesktop.Notifications on the session bus, org.freedesktop.login1
// and UDisks2 on the system bus); another platform puts its own calls behind
// the same functions.
//
// A desktop without one of these services (a server, a container) is a
// normal place to run: each asks once, logs one note and goes on without it.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace desktop {

// Shows a notification; returns at once. False when there is no service to
// show it.
bool Notify(const std::string& summary, const std::string& body);

// Keeps the computer from going to sleep or idling into a suspend while it is
// held; released when destroyed (or when the process dies: the service holds
// it by a descriptor of ours).
class SleepInhibitLock {
 public:
  explicit SleepInhibitLock(int descriptor) : m_descriptor(descriptor) {}
  ~SleepInhibitLock();
  SleepInhibitLock(const SleepInhibitLock&) = delete;
  SleepInhibitLock& operator=(const SleepInhibitLock&) = delete;

 private:
  int m_descriptor;
};

// A "sleep:idle" block lock for why; null when none can be had.
std::unique_ptr<SleepInhibitLock> InhibitSleep(const std::string& why);

struct OpticalDrive {
  std::string device;  // /dev/srN
  std::string vendor;
  std::string model;
  bool mediaAvailable = false;
};

// The optical drives the system's disk service knows, by device; none when it
// cannot be asked (the caller scans for drives itself).
std::optional<std::vector<OpticalDrive>> ListOpticalDrives();

// Calls changed on the thread that made it (which runs a Qt event loop)
// whenever an optical drive or a disc comes or goes, while it lives.
class OpticalDriveWatch {
 public:
  explicit OpticalDriveWatch(std::function<void()> changed);
  ~OpticalDriveWatch();
  OpticalDriveWatch(const OpticalDriveWatch&) = delete;
  OpticalDriveWatch& operator=(const OpticalDriveWatch&) = delete;

  // False when there is no service to watch.
  bool Watching() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};

// Forgets which services were noted as missing and the connections made so
// far (tests that start and stop buses).
void ResetDesktopServices();

}  // namespace desktop
