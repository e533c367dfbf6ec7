#include "platform/disc/burning/burner_devices.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/desktop/desktop_services.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/disc/tools/xorriso_output.h"
#include "platform/programs/external_programs.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxEntries = 26;

std::string Trim(std::string_view text) {
  return std::string(TrimWhitespace(text));
}

std::string ReadSysfs(const fs::path& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return Trim(text);
}

// Vendor and model as xorriso reports them, for drives sysfs says nothing about.
std::map<std::string, XorrisoDrive> XorrisoDrives() {
  std::map<std::string, XorrisoDrive> drives;
  const ExternalProgramInfo xorriso = GetExternalProgram(ExternalProgram::Xorriso);
  if (!xorriso.Found()) return drives;
  RunTool({xorriso.path, "-devices"}, {}, [&](const std::string& line) {
    if (auto drive = ParseXorrisoDeviceLine(line)) drives[drive->path] = *drive;
  });
  return drives;
}

int DriveNumber(const std::string& path) {
  const auto digits = path.find_first_of("0123456789");
  return digits == std::string::npos ? 0 : std::atoi(path.c_str() + digits);
}

}  // namespace

std::string BurnerDevice::Entry() const {
  return Utf8Prefix(std::string(1, id) + ": " + description, 49);
}

std::vector<BurnerDevice> MakeDeviceList(const std::vector<FoundDrive>& drives, const std::string& pseudoDrives) {
  std::vector<BurnerDevice> devices;
  auto add = [&](BurnerDevice device) {
    if (static_cast<int>(devices.size()) >= kMaxEntries - 1) return;  // the image writer always keeps its place
    device.id = static_cast<char>('A' + devices.size());
    devices.push_back(std::move(device));
  };
  for (const auto& drive : drives) {
    BurnerDevice device;
    device.kind = BurnerDevice::Kind::Drive;
    device.path = drive.path;
    std::string name = Trim(drive.vendor + " " + drive.model);
    device.description = name.empty() ? drive.path : name + " (" + drive.path + ")";
    add(std::move(device));
  }
  std::size_t start = 0;
  while (start < pseudoDrives.size()) {
    auto end = pseudoDrives.find(':', start);
    if (end == std::string::npos) end = pseudoDrives.size();
    const std::string path = pseudoDrives.substr(start, end - start);
    start = end + 1;
    if (path.empty()) continue;
    BurnerDevice device;
    device.kind = BurnerDevice::Kind::FileDrive;
    std::error_code ignored;
    device.path = fs::absolute(path, ignored).string();
    device.description = "File drive " + fs::path(device.path).filename().string();
    add(std::move(device));
  }
  BurnerDevice writer;
  writer.kind = BurnerDevice::Kind::ImageWriter;
  writer.id = static_cast<char>('A' + devices.size());
  writer.description =
      QT_TRANSLATE_NOOP("UserText", "Image file in the output folder");  // the page shows it translated
  devices.push_back(std::move(writer));
  return devices;
}

std::vector<BurnerDevice> ListBurnerDevices() {
  const char* pseudo = std::getenv(kPseudoDrivesVariable);
  // The system's disk service knows the drives and their names; the scan of
  // /dev/sr* is for systems without it.
  if (const auto optical = desktop::ListOpticalDrives()) {
    std::vector<FoundDrive> drives;
    for (const auto& drive : *optical) drives.push_back({drive.device, drive.vendor, drive.model});
    auto devices = MakeDeviceList(drives, pseudo != nullptr ? pseudo : "");
    for (const auto& device : devices) Log("Burner device %s", device.Entry().c_str());
    return devices;
  }
  std::vector<std::string> paths;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("/dev", ignored)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 2 && name.compare(0, 2, "sr") == 0 &&
        name.find_first_not_of("0123456789", 2) == std::string::npos) {
      paths.push_back(entry.path().string());
    }
  }
  std::sort(paths.begin(), paths.end(), [](const auto& a, const auto& b) { return DriveNumber(a) < DriveNumber(b); });

  std::vector<FoundDrive> drives;
  std::map<std::string, XorrisoDrive> fromXorriso;
  bool askedXorriso = false;
  for (const auto& path : paths) {
    FoundDrive drive;
    drive.path = path;
    const fs::path sysfs = fs::path("/sys/class/block") / fs::path(path).filename() / "device";
    drive.vendor = ReadSysfs(sysfs / "vendor");
    drive.model = ReadSysfs(sysfs / "model");
    if (drive.vendor.empty() && drive.model.empty()) {
      if (!askedXorriso) fromXorriso = XorrisoDrives();
      askedXorriso = true;
      const auto found = fromXorriso.find(path);
      if (found != fromXorriso.end()) {
        drive.vendor = found->second.vendor;
        drive.model = found->second.model;
      }
    }
    drives.push_back(drive);
  }
  auto devices = MakeDeviceList(drives, pseudo != nullptr ? pseudo : "");
  for (const auto& device : devices) Log("Burner device %s", device.Entry().c_str());
  return devices;
}
