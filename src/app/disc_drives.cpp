// CCastrel1Dlg: the drives a disc job may fill with its work files, and the
// job's own work folders there.

#include <algorithm>
#include <filesystem>

#include "app/main_window_core.h"
#include "disc/work_drives.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/job_folders.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/user_text.h"

namespace {

// The folders from parent upwards that a job's end removes when empty: those
// that do not exist yet (the job makes them) and those inside one of the
// program's own folders, that folder included. The temporary folder and the
// user's folders are never among them.
std::vector<std::string> FoldersThatGoWithTheJob(const std::string& parent,
                                                 const std::vector<std::string>& programFolders) {
  std::vector<std::string> folders;
  std::filesystem::path level = std::filesystem::path(parent).lexically_normal();
  if (!level.has_filename()) level = level.parent_path();
  while (level.has_relative_path()) {
    const std::string text = level.string();
    const bool programs = std::any_of(programFolders.begin(), programFolders.end(),
                                      [&](const std::string& own) { return (text + "/").rfind(own, 0) == 0; });
    std::error_code ignored;
    if (!programs && std::filesystem::exists(level, ignored)) break;
    folders.push_back(text);
    level = level.parent_path();
  }
  return folders;
}

}  // namespace

int CCastrel1Dlg::GetAvailableDrives(int needed, std::string& firstDrive, std::string& secondDrive) {
  Log("CCastrel1Dlg::GetAvailableDrives");
  const WorkDriveChoice choice = ChooseWorkDrives(MachineWorkDrives(), needed);
  // What was noted before the search failed stays filled, as for a found pair.
  // The callers put their work folders "at the drive's root": that is the
  // program's own folder on the drive, in the user's space.
  m_arrProgramFolders.clear();
  if (!choice.first.empty()) m_arrProgramFolders.push_back(firstDrive = ProgramFolderOnDrive(choice.first));
  if (!choice.second.empty()) m_arrProgramFolders.push_back(secondDrive = ProgramFolderOnDrive(choice.second));
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

bool CCastrel1Dlg::TakeJobFolders() {
  ReleaseJobFolders();
  std::string temporary = TempFolderPath().str();
  if (temporary.back() != '/') temporary += '/';
  const std::string parents[] = {m_szDiscConvertFolder.str(), m_strWorkFolder};
  std::string taken[2];
  for (int i = 0; i < 2; ++i) {
    if (i == 1 && parents[1] == parents[0]) {
      taken[1] = taken[0];
      break;
    }
    const std::string& parent = parents[i];
    // Noted before anything is made there, so that the next start finds
    // what a killed job left.
    for (const std::string& folder : FoldersThatGoWithTheJob(parent, m_arrProgramFolders)) {
      RecordMadeFolder(folder);
      m_arrMadeFolders.push_back(folder);
    }
    RecordWorkFolder(parent);
    std::error_code ignored;
    std::filesystem::create_directories(parent, ignored);
    // The temporary folder is everyone's: only what dead jobs of ours left
    // goes. The program's own folders ("temp/", "tempVCD/") are emptied.
    if (parent == temporary) {
      RemoveAbandonedJobFolders(parent);
    } else {
      EmptyWorkFolder(parent);
    }
    std::string error;
    std::unique_ptr<JobFolder> folder = JobFolder::Create(parent, &error);
    // Another Orlenta whose job ended may have just removed the empty folder.
    for (int attempt = 0; !folder && attempt < 2; ++attempt) {
      std::filesystem::create_directories(parent, ignored);
      folder = JobFolder::Create(parent, &error);
    }
    if (!folder) {
      Log("%s", error.c_str());
      MessageBox(Owner(), UserText::Fill(UserText::tr("The work folder cannot be created.\n\n%1"), {error}),
                 kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
      ReleaseJobFolders();
      EnableControls(true);
      m_bBusy = false;
      return false;
    }
    Log("Work folder %s", folder->Path().c_str());
    taken[i] = folder->Path();
    m_jobFolders.push_back(std::move(folder));
  }
  m_szDiscConvertFolder = std::string_view(taken[0]);
  m_strWorkFolder = taken[1];
  return true;
}

void CCastrel1Dlg::ReleaseJobFolders() {
  if (m_jobFolders.empty() && m_arrMadeFolders.empty()) return;
  // The DVD builder's own folder inside may still be going in the background.
  FinishFolderRemovals();
  m_jobFolders.clear();
  // Nothing of the job stays behind, not even an empty "tempVCD/"; a folder
  // that holds another Orlenta's job stays for that one.
  RemoveEmptyFolders(std::move(m_arrMadeFolders));
  m_arrMadeFolders.clear();
}

bool CCastrel1Dlg::JobStillWrites() const {
  // The CD worker is not counted: its own ends clean up again, and what a
  // burn that it is stopping still writes is thrown away anyway.
  return m_bListRunning || m_bLibraryOnCore || m_bAuthoring;
}
