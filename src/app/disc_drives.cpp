// CCastrel1Dlg: the drives a disc job may fill with its work files.

#include "app/main_window_core.h"
#include "disc/work_drives.h"
#include "support/log.h"

int CCastrel1Dlg::GetAvailableDrives(int needed, std::string& firstDrive, std::string& secondDrive) {
  Log("CCastrel1Dlg::GetAvailableDrives");
  const WorkDriveChoice choice = ChooseWorkDrives(MachineWorkDrives(), needed);
  // What was noted before the search failed stays filled, as for a found pair.
  if (!choice.first.empty()) firstDrive = choice.first;
  if (!choice.second.empty()) secondDrive = choice.second;
  return choice.found ? 1 : 0;
}
