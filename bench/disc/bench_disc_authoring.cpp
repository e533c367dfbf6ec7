// Time of a three-title DVD with menu plus its ISO through the disc layer
// (image builder and image writer), divided by the time of the same
// ffmpeg, spumux, dvdauthor and genisoimage commands run directly. The goal
// is at most 1.10. Prints its figures from one run; takes the best of a few
// rounds of each so that a busy machine disturbs it less. "--quick": one-second
// titles and one round (bench_quick.h).

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "bench_support.h"
#include "disc/dvd_bench_steps.h"
#include "platform/programs/external_programs.h"

namespace fs = std::filesystem;
using namespace benchsupport;

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  const int rounds = benchquick::Pick(quick, 7, 1);
  // Titles of a realistic data rate (noise keeps the encoder near 6.5 Mbit/s,
  // about 16 MB each), so that the tools do real work beside their start-up.
  const std::string titleSeconds = std::to_string(benchquick::Pick(quick, 20.0, 1.0));
  const fs::path root = fs::temp_directory_path() / ("orlenta-disc-bench-" + std::to_string(::getpid()));
  fs::create_directories(root);
  const std::string scratch = root.string();
  std::vector<std::string> titles;
  for (int i = 0; i < 3; ++i) {
    titles.push_back(scratch + "/title" + std::to_string(i + 1) + ".mpg");
    std::vector<std::string> arguments =
        TestClipInputs(titleSeconds, "320x240", ",hue=h=" + std::to_string(120 * i) + ",noise=alls=30:allf=t");
    arguments.insert(arguments.end(), {"-target", "pal-dvd", "-ac", "2", titles.back()});
    RunFfmpeg(arguments);
  }
  dvdbench::WriteMenu(scratch, titles);
  GetExternalProgram(ExternalProgram::Dvdauthor);  // the one-time program lookup is not part of a build

  std::vector<Command> commands;
  BestTime layer;
  BestTime direct;
  {  // the runs end (builders, image writer, project) before the folder goes
    dvdbench::LayerRuns runs(root);
    commands = runs.Record();
    for (int round = 1; round <= rounds; ++round) {
      runs.ReadyDirectRun(commands);
      direct.Add(SecondsOf([&] { RunCommands(commands); }));
      layer.Add(runs.TimedRun(round));
    }
  }

  std::printf("commands per build: %zu (ffmpeg menu still, spumux, dvdauthor, genisoimage)\n", commands.size());
  std::printf("three-title DVD with menu and ISO: layer %.3f s, same commands directly %.3f s (best of %d)\n",
              layer.Seconds(), direct.Seconds(), rounds);
  std::printf("ratio %.3f (goal <= 1.10)\n", layer.Seconds() / direct.Seconds());
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
