#pragma once
// The burner's devices: real drives, file-backed test drives and the image
// writer. Entries are identified by their first character ('A', 'B', ...),
// given by their place in the list.

#include <string>
#include <vector>

struct BurnerDevice {
  enum class Kind { Drive, FileDrive, ImageWriter };
  Kind kind = Kind::ImageWriter;
  char id = 'A';
  std::string path;         // /dev/srN, or the backing file of a test drive
  std::string description;  // shown after "X: "

  // The entry GetDevices lists: "A: description", at most 49 bytes.
  std::string Entry() const;
  // How xorriso names the drive: "/dev/sr0" or "stdio:/path".
  std::string XorrisoDrive() const { return kind == Kind::FileDrive ? "stdio:" + path : path; }
  bool IsErasable() const { return kind != Kind::ImageWriter; }
};

// The environment variable naming file-backed test drives, ':'-separated.
inline constexpr const char* kPseudoDrivesVariable = "ORLENTA_PSEUDO_DRIVES";

// Lists the devices now: drives in /dev/sr* order, test drives, image writer.
std::vector<BurnerDevice> ListBurnerDevices();

// Builds the list from what was found (kept apart from the system for tests).
struct FoundDrive {
  std::string path;
  std::string vendor;
  std::string model;
};
std::vector<BurnerDevice> MakeDeviceList(const std::vector<FoundDrive>& drives, const std::string& pseudoDrives);
