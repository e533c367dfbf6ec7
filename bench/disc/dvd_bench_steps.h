#pragma once
// The steps of a DVD with menu and its ISO that the disc benchmarks share:
// the menu description, the build through the disc layer (image builder and
// image writer), and what the direct run of the same commands needs.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/process/child_process.h"

namespace dvdbench {

using Clock = std::chrono::steady_clock;

// A command the layer ran, to run it again directly.
struct Command {
  std::vector<std::string> argv;
  ChildProcess::Options options;
};

// Ends the benchmark with what failed.
void Check(bool ok, const std::string& what);

// foxdvdmenu.ini and its background in folder, one button per title (three).
void WriteMenu(const std::string& folder, const std::vector<std::string>& titles);

// Counts the image writer's ends.
struct BurnWait {
  std::mutex lock;
  std::condition_variable done;
  int count = 0;
  bool failed = false;
  static void OnDone(const char* text, void* user);
};

// One DVD with menu (scratch/foxdvdmenu.ini) and its ISO in images through
// the layer. Returns the builder, kept alive so that its intermediate files
// stay for the direct run.
DVDImageBuildHandle ThroughTheLayer(const std::string& scratch, const std::string& work, const std::string& images,
                                    BurnWait& wait);

double Seconds(Clock::duration duration);

// The layer writes some outputs through scratch folders it removes when it is
// done (the image writer's ISO): the direct run needs the folders back.
void CreateOutputFolders(const std::vector<Command>& commands);

}  // namespace dvdbench
