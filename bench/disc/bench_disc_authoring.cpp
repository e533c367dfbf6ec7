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
#include "disc/dvd_bench_steps.h"
#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"

namespace fs = std::filesystem;
using namespace dvdbench;

namespace {

int g_rounds = 7;
// Titles of a realistic data rate (noise keeps the encoder near 6.5 Mbit/s,
// about 16 MB each), so that the tools do real work beside their start-up.
double g_titleSeconds = 20.0;

void MakeTitle(const std::string& path, int hue) {
  const std::string seconds = std::to_string(g_titleSeconds);
  const ProcessResult made = RunProcess(
      {FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
       "testsrc=size=320x240:rate=25:duration=" + seconds + ",hue=h=" + std::to_string(hue) + ",noise=alls=30:allf=t",
       "-f", "lavfi", "-i", "sine=frequency=440:duration=" + seconds, "-target", "pal-dvd", "-ac", "2", path});
  Check(made.Succeeded(), "ffmpeg could not make " + path + "\n" + made.output);
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
