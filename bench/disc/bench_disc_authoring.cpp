// Time of a three-title DVD with menu plus its ISO through the disc layer
// (image builder and image writer), divided by the time of the same
// ffmpeg, spumux, dvdauthor and genisoimage commands run directly. The goal
// is at most 1.10. Prints its figures from one run; takes the best of a few
// rounds of each so that a busy machine disturbs it less. "--quick": one-second
// titles and one round (bench_quick.h).

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

int g_rounds = 7;
// Titles of a realistic data rate (noise keeps the encoder near 6.5 Mbit/s,
// about 16 MB each), so that the tools do real work beside their start-up.
double g_titleSeconds = 20.0;

struct Command {
  std::vector<std::string> argv;
  ChildProcess::Options options;
};

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "disc_authoring_bench: %s\n", what.c_str());
  std::exit(1);
}

void MakeTitle(const std::string& path, int hue) {
  const std::string seconds = std::to_string(g_titleSeconds);
  const ProcessResult made = RunProcess(
      {FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
       "testsrc=size=320x240:rate=25:duration=" + seconds + ",hue=h=" + std::to_string(hue) + ",noise=alls=30:allf=t",
       "-f", "lavfi", "-i", "sine=frequency=440:duration=" + seconds, "-target", "pal-dvd", "-ac", "2", path});
  Check(made.Succeeded(), "ffmpeg could not make " + path + "\n" + made.output);
}

void WriteMenu(const std::string& folder, const std::vector<std::string>& titles) {
  const ProcessResult made = RunProcess({FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
                                         "color=c=navy:size=720x576:rate=25:duration=0.12", "-c:v", "mpeg2video", "-f",
                                         "mpeg", folder + "/foxdvdmenu.mpg"});
  Check(made.Succeeded(), "ffmpeg could not make the menu background");
  std::ofstream ini(folder + "/foxdvdmenu.ini", std::ios::binary);
  ini << "[Infos]\r\nSelections=3\r\nmenu=\"" << folder << "/foxdvdmenu.mpg\"\r\n\r\n";
  for (int i = 0; i < 3; ++i) {
    const int middle = 50 + i * 175 + 87;
    ini << "[" << i << "]\r\nTopLeft=210," << middle - 25 << "\r\nRightBottom=510," << middle + 24
        << "\r\nWidth=300\r\nHeight=49\r\nfile=\"" << titles[static_cast<std::size_t>(i)]
        << "\"\r\nLineWidth=1\r\n\r\n";
  }
}

struct BurnWait {
  std::mutex lock;
  std::condition_variable done;
  int count = 0;
  bool failed = false;
  static void OnDone(const char* text, void* user) {
    auto* wait = static_cast<BurnWait*>(user);
    std::lock_guard<std::mutex> guard(wait->lock);
    ++wait->count;
    wait->failed = wait->failed || text != nullptr;
    wait->done.notify_all();
  }
};

// One DVD with menu and its ISO through the layer. Returns the builder, kept
// alive so that its intermediate files stay for the direct run.
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

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// The layer writes some outputs through scratch folders it removes when it is
// done (the image writer's ISO): the direct run needs the folders back.
void CreateOutputFolders(const std::vector<Command>& commands) {
  for (const auto& command : commands) {
    for (std::size_t i = 0; i + 1 < command.argv.size(); ++i) {
      if (command.argv[i] != "-o") continue;
      std::error_code ignored;
      fs::create_directories(fs::path(command.argv[i + 1]).parent_path(), ignored);
    }
  }
}

}  // namespace

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  g_rounds = benchquick::Pick(quick, 7, 1);
  g_titleSeconds = benchquick::Pick(quick, 20.0, 1.0);
  const fs::path root = fs::temp_directory_path() / ("orlenta-disc-bench-" + std::to_string(::getpid()));
  fs::create_directories(root);
  const std::string scratch = root.string();
  std::vector<std::string> titles;
  for (int i = 0; i < 3; ++i) {
    titles.push_back(scratch + "/title" + std::to_string(i + 1) + ".mpg");
    MakeTitle(titles.back(), 120 * i);
  }
  WriteMenu(scratch, titles);
  GetExternalProgram(ExternalProgram::Dvdauthor);  // the one-time program lookup is not part of a build

  BurnWait wait;
  burner::SetBurnDoneEventCallback(&BurnWait::OnDone, &wait);

  // A first run through the layer records the commands it starts.
  std::vector<Command> commands;
  SetToolRunObserver([&](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
    commands.push_back({argv, options});
  });
  fs::create_directories(root / "work0");
  fs::create_directories(root / "images0");
  DVDImageBuildHandle recorded = ThroughTheLayer(scratch, (root / "work0").string(), (root / "images0").string(), wait);
  SetToolRunObserver(nullptr);

  double bestLayer = 1e9;
  double bestDirect = 1e9;
  for (int round = 1; round <= g_rounds; ++round) {
    // The direct run writes fresh files too, as the layer does.
    std::error_code ignored;
    fs::remove_all(root / "work0" / "DVD", ignored);
    for (const auto& image : fs::directory_iterator(root / "images0")) fs::remove(image.path(), ignored);
    // Neither run pays for writing back or removing the other's files (the
    // builder removes its intermediate files in the background).
    FinishFolderRemovals();
    CreateOutputFolders(commands);
    ::sync();
    const auto directStart = Clock::now();
    for (const auto& command : commands) {
      const ProcessResult run = RunProcess(command.argv, command.options);
      Check(run.Succeeded(), "direct run failed: " + CommandText(command.argv) + "\n" + run.output);
    }
    bestDirect = std::min(bestDirect, Seconds(Clock::now() - directStart));

    const std::string work = (root / ("work" + std::to_string(round))).string();
    const std::string images = (root / ("images" + std::to_string(round))).string();
    fs::create_directories(work);
    fs::create_directories(images);
    FinishFolderRemovals();
    ::sync();
    const auto layerStart = Clock::now();
    DVDImageBuildHandle builder = ThroughTheLayer(scratch, work, images, wait);
    DVDImageBuild_Destory(builder);
    bestLayer = std::min(bestLayer, Seconds(Clock::now() - layerStart));
    fs::remove_all(work, ignored);
    fs::remove_all(images, ignored);
  }
  DVDImageBuild_Destory(recorded);
  burner::ResetCallbacks();
  burner::DeleteProject();

  std::printf("commands per build: %zu (ffmpeg menu still, spumux, dvdauthor, genisoimage)\n", commands.size());
  std::printf("three-title DVD with menu and ISO: layer %.3f s, same commands directly %.3f s (best of %d)\n",
              bestLayer, bestDirect, g_rounds);
  std::printf("ratio %.3f (goal <= 1.10)\n", bestLayer / bestDirect);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
