// CCastrel1Dlg: the drives a disc job may fill with its work files.

#include "app/main_window_core.h"
#include "disc/work_drives.h"
#include "platform/disc/burning/burner_devices.h"
#include "support/log.h"

int CCastrel1Dlg::GetAvailableDrives(int needed, std::string& firstDrive, std::string& secondDrive) {
  Log("CCastrel1Dlg::GetAvailableDrives");
  const WorkDriveChoice choice = ChooseWorkDrives(MachineWorkDrives(), needed);
  // What was noted before the search failed stays filled, as for a found pair.
  if (!choice.first.empty()) firstDrive = choice.first;
  if (!choice.second.empty()) secondDrive = choice.second;
  return choice.found ? 1 : 0;
}

bool CCastrel1Dlg::JobWritesImage() const {
  int device = 0;
  switch (m_nOutputFormat) {
    case kFormatDvd:
      device = m_nDVDDevice;
      break;
    case kFormatVcd:
      device = m_nVCDDevice;
      break;
    case kFormatSvcd:
      device = m_nSVCDDevice;
      break;
    default:
      return false;
  }
  const std::vector<BurnerDevice> devices = ListBurnerDevices();
  if (device < 0 || device >= static_cast<int>(devices.size())) return true;
  return devices[static_cast<std::size_t>(device)].kind == BurnerDevice::Kind::ImageWriter;
}
