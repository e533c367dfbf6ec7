#pragma once
// The steps of a DVD with menu and its ISO that the disc benchmarks share:
// the menu description, the build through the disc layer (image builder and
// image writer), and what the direct run of the same commands needs.

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/disc/authoring/dvd_image_builder.h"

namespace dvdbench {

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

// The layer writes some outputs through scratch folders it removes when it is
// done (the image writer's ISO): the direct run needs the folders back.
void CreateOutputFolders(const std::vector<benchsupport::Command>& commands);

// The DVD of root/foxdvdmenu.ini through the layer as the disc benchmarks
// time it: recorded once, then round after round against the recorded
// commands run directly. Owns the image writer's callback and the project.
class LayerRuns {
 public:
  explicit LayerRuns(std::filesystem::path root);
  ~LayerRuns();
  LayerRuns(const LayerRuns&) = delete;
  LayerRuns& operator=(const LayerRuns&) = delete;

  // A first run, into root/work0 and root/images0: the commands it starts.
  // Its builder stays alive so that its intermediate files stay for them.
  std::vector<benchsupport::Command> Record();
  // The direct run writes fresh files too, as the layer does: removes what
  // the last run of the commands wrote and gives them their folders back.
  void ReadyDirectRun(const std::vector<benchsupport::Command>& commands);
  // Seconds of one run into folders of this round's own, removed afterwards;
  // before (the job's conversion) is timed with it.
  double TimedRun(int round, const std::function<void()>& before = {});

 private:
  std::filesystem::path m_root;
  BurnWait m_wait;
  DVDImageBuildHandle m_recorded = nullptr;
};

}  // namespace dvdbench
