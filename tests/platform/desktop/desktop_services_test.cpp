// The desktop's services against stand-ins on a private bus, and a machine
// with no bus at all.

#include "platform/desktop/desktop_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>

#include "common/private_bus.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/registry/registry_test_env.h"

namespace {

using namespace std::chrono_literals;

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "test_desktop_services";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

std::vector<std::string> Entries() {
  std::vector<std::string> entries;
  for (const auto& device : ListBurnerDevices()) entries.push_back(device.Entry());
  return entries;
}

int CountLogged(const ScopedRegistryFile& log, const std::string& text) {
  const auto lines = log.LogLines();
  return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                        [&](const auto& line) { return line.find(text) != std::string::npos; }));
}

class DesktopServices : public ::testing::Test {
 protected:
  void SetUp() override { Application(); }
  ScopedRegistryFile log;
  testkit::ScopedEnv pseudoDrives{kPseudoDrivesVariable, nullptr};
};

TEST_F(DesktopServices, ANotificationAndASleepLockReachTheirServices) {
  testkit::PrivateBus bus;
  ASSERT_TRUE(bus.Running());
  ASSERT_TRUE(desktop::Notify("Message", "CD created successfully!"));
  ASSERT_TRUE(bus.WaitFor("notify"));
  EXPECT_EQ(bus.Lines().back(), "notify\tMessage\tCD created successfully!");

  auto lock = desktop::InhibitSleep("A disc is being written");
  ASSERT_TRUE(lock);
  ASSERT_TRUE(bus.WaitFor("inhibit"));
  EXPECT_EQ(bus.Lines().back(), "inhibit\tsleep:idle\tOrlenta\tA disc is being written\tblock");
  EXPECT_EQ(bus.Count("released"), 0);
  lock.reset();
  EXPECT_TRUE(bus.WaitFor("released")) << "the lock's descriptor is closed";
}

TEST_F(DesktopServices, DrivesThatComeAndGoAreInTheBurnersListAndTheWatchSaysSo) {
  testkit::PrivateBus bus;
  ASSERT_TRUE(bus.Running());
  int changes = 0;
  desktop::OpticalDriveWatch watch([&] { ++changes; });
  EXPECT_TRUE(watch.Watching());
  EXPECT_EQ(Entries(), std::vector<std::string>{"A: Image file in the output folder"});

  // A drive comes and goes as two objects (the drive and its block device),
  // each with its own signal; a step is over when the watch has heard all of
  // its signals, or a late one would pass for the next step's.
  struct Step {
    const char* command;
    int signalCount;
    std::vector<std::string> entries;
  };
  const Step steps[] = {
      {"add sr7 ACME Writer", 2, {"A: ACME Writer (/dev/sr7)", "B: Image file in the output folder"}},
      {"add sr1 Other Drive",
       2,
       {"A: Other Drive (/dev/sr1)", "B: ACME Writer (/dev/sr7)", "C: Image file in the output folder"}},
      {"media sr7 1",
       1,
       {"A: Other Drive (/dev/sr1)", "B: ACME Writer (/dev/sr7)", "C: Image file in the output folder"}},
      {"remove sr7", 2, {"A: Other Drive (/dev/sr1)", "B: Image file in the output folder"}},
      {"remove sr1", 2, {"A: Image file in the output folder"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.command);
    const int before = changes;
    bus.Tell(step.command);
    ASSERT_TRUE(ProcessEventsUntil([&] { return changes >= before + step.signalCount; }, 60s))
        << "the watch heard of it";
    EXPECT_EQ(Entries(), step.entries);
  }
  const auto drives = desktop::ListOpticalDrives();
  ASSERT_TRUE(drives);
  EXPECT_TRUE(drives->empty());
}

// A bus whose services are not running, and no bus at all: each is one note
// in the log however often it is asked, never an error, and the burner scans
// /dev for drives.
TEST_F(DesktopServices, MissingServicesAreOneNoteEach) {
  {
    testkit::PrivateBus bus({"none"});
    ASSERT_TRUE(bus.Running());
    for (int i = 0; i < 2; ++i) {
      EXPECT_TRUE(desktop::Notify("Message", "asked twice"));
      EXPECT_FALSE(desktop::InhibitSleep("asked twice"));
      EXPECT_FALSE(desktop::ListOpticalDrives());
      EXPECT_FALSE(desktop::OpticalDriveWatch([] {}).Watching());
    }
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return CountLogged(log, "org.freedesktop.Notifications is not available") > 0; }, 60s));
    for (const char* service : {"org.freedesktop.Notifications", "org.freedesktop.login1", "org.freedesktop.UDisks2"}) {
      EXPECT_EQ(CountLogged(log, std::string("The desktop service ") + service + " is not available"), 1) << service;
    }
    EXPECT_EQ(Entries().back(), "A: Image file in the output folder");
  }
  testkit::ScopedEnv session("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orlenta-test-bus");
  testkit::ScopedEnv system("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orlenta-test-bus");
  desktop::ResetDesktopServices();
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(desktop::Notify("Message", "no bus"));
    EXPECT_FALSE(desktop::InhibitSleep("no bus"));
    EXPECT_FALSE(desktop::ListOpticalDrives());
    EXPECT_FALSE(desktop::OpticalDriveWatch([] {}).Watching());
  }
  EXPECT_EQ(CountLogged(log, "D-Bus is not reachable"), 1);
  EXPECT_EQ(Entries().back(), "A: Image file in the output folder");
  desktop::ResetDesktopServices();
}

}  // namespace
