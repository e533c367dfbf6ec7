#include "disc/dvd_bench_steps.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/tool_run.h"

namespace fs = std::filesystem;

namespace dvdbench {

using benchsupport::Check;
using benchsupport::Command;

void WriteMenu(const std::string& folder, const std::vector<std::string>& titles) {
  benchsupport::RunFfmpeg({"-f", "lavfi", "-i", "color=c=navy:size=720x576:rate=25:duration=0.12", "-c:v", "mpeg2video",
                           "-f", "mpeg", folder + "/foxdvdmenu.mpg"});
  std::ofstream ini(folder + "/foxdvdmenu.ini", std::ios::binary);
  ini << "[Infos]\r\nSelections=3\r\nmenu=\"" << folder << "/foxdvdmenu.mpg\"\r\n\r\n";
  for (int i = 0; i < 3; ++i) {
    const int middle = 50 + i * 175 + 87;
    ini << "[" << i << "]\r\nTopLeft=210," << middle - 25 << "\r\nRightBottom=510," << middle + 24
        << "\r\nWidth=300\r\nHeight=49\r\nfile=\"" << titles[static_cast<std::size_t>(i)]
        << "\"\r\nLineWidth=1\r\n\r\n";
  }
}

void BurnWait::OnDone(const char* text, void* user) {
  auto* wait = static_cast<BurnWait*>(user);
  std::lock_guard<std::mutex> guard(wait->lock);
  ++wait->count;
  wait->failed = wait->failed || text != nullptr;
  wait->done.notify_all();
}

DVDImageBuildHandle ThroughTheLayer(const std::string& scratch, const std::string& work, const std::string& images,
                                    BurnWait& wait) {
  DVDImageBuildHandle builder = DVDImageBuild_Create();
  Check(DVDImageBuild_LoadINI(builder, (scratch + "/foxdvdmenu.ini").c_str()) != 0, "LoadINI");
  Check(DVDImageBuild_SetOutputFolder(builder, work.c_str()) != 0, "SetOutputFolder");
  Check(DVDImageBuild_CreateMenuImages(builder) != 0, DVDImageBuild_GetLastError(builder));
  Check(DVDImageBuild_BuildDVD(builder) != 0, DVDImageBuild_GetLastError(builder));

  burner::DeleteProject();
  Check(burner::CreateProject(burner::BS_BURNER_VIDEODVD) == 0, "CreateProject");
  burner::Options options{};
  burner::GetOptions(&options);
  WriteTextField(options.volumeLabel, sizeof options.volumeLabel, "Video DVD");
  options.closeDisc = 1;
  burner::SetOptions(options);
  burner::FolderRecord folder{};
  WriteTextField(folder.sourcePath, sizeof folder.sourcePath, work + "/DVD/VIDEO_TS");
  WriteTextField(folder.destinationPath, sizeof folder.destinationPath, "/");
  WriteTextField(folder.filePattern, sizeof folder.filePattern, "*.*");
  Check(burner::AddDir(folder) == 0, "AddDir");
  burner::DeviceName devices[burner::kMaxDevices];
  int count = 0;
  burner::GetDevices(devices, &count, 1);
  Check(burner::SetImageWriterFolder(images.c_str()) == 0, "SetImageWriterFolder");
  Check(burner::SetDevice(devices[count - 1][0]) == 0, "SetDevice");
  Check(burner::Prepare() == 0, burner::GetLastErrorText());
  const int before = wait.count;
  Check(burner::Burn() == 0, burner::GetLastErrorText());
  std::unique_lock<std::mutex> guard(wait.lock);
  wait.done.wait(guard, [&] { return wait.count > before; });
  Check(!wait.failed, "the image writer failed");
  return builder;
}

void CreateOutputFolders(const std::vector<Command>& commands) {
  for (const auto& command : commands) {
    for (std::size_t i = 0; i + 1 < command.argv.size(); ++i) {
      if (command.argv[i] != "-o") continue;
      std::error_code ignored;
      fs::create_directories(fs::path(command.argv[i + 1]).parent_path(), ignored);
    }
  }
}

LayerRuns::LayerRuns(fs::path root) : m_root(std::move(root)) {
  burner::SetBurnDoneEventCallback(&BurnWait::OnDone, &m_wait);
}

LayerRuns::~LayerRuns() {
  if (m_recorded != nullptr) DVDImageBuild_Destory(m_recorded);
  burner::ResetCallbacks();
  burner::DeleteProject();
  // The builders remove their intermediate files in the background: done
  // first, they do not race the benchmark's removal of its folder.
  FinishFolderRemovals();
}

std::vector<Command> LayerRuns::Record() {
  std::vector<Command> commands;
  SetToolRunObserver([&](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
    commands.push_back({argv, options});
  });
  fs::create_directories(m_root / "work0");
  fs::create_directories(m_root / "images0");
  m_recorded = ThroughTheLayer(m_root.string(), (m_root / "work0").string(), (m_root / "images0").string(), m_wait);
  SetToolRunObserver(nullptr);
  return commands;
}

void LayerRuns::ReadyDirectRun(const std::vector<Command>& commands) {
  std::error_code ignored;
  fs::remove_all(m_root / "work0" / "DVD", ignored);
  for (const auto& image : fs::directory_iterator(m_root / "images0")) fs::remove(image.path(), ignored);
  // Neither run pays for writing back or removing the other's files (the
  // builder removes its intermediate files in the background).
  FinishFolderRemovals();
  CreateOutputFolders(commands);
  ::sync();
}

double LayerRuns::TimedRun(int round, const std::function<void()>& before) {
  const std::string work = (m_root / ("work" + std::to_string(round))).string();
  const std::string images = (m_root / ("images" + std::to_string(round))).string();
  fs::create_directories(work);
  fs::create_directories(images);
  FinishFolderRemovals();
  ::sync();
  const double seconds = benchsupport::SecondsOf([&] {
    if (before) before();
    DVDImageBuildHandle builder = ThroughTheLayer(m_root.string(), work, images, m_wait);
    DVDImageBuild_Destory(builder);
  });
  std::error_code ignored;
  fs::remove_all(work, ignored);
  fs::remove_all(images, ignored);
  return seconds;
}

}  // namespace dvdbench
