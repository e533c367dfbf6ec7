#include "platform/disc/burning/burn_job.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/output_reservation.h"
#include "platform/disc/tools/tool_run.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace {

// Reports the steps of a burn as one rising percentage.
class StepProgress {
 public:
  StepProgress(const BurnJobEvents& events, std::vector<double> weights)
      : m_events(events), m_weights(std::move(weights)) {}

  // Handles the lines of step index (0-based).
  BurnLineHandler Step(int index) {
    return [this, index](const BurnLine& line) {
      const bool last = index + 1 == static_cast<int>(m_weights.size());
      if (line.kind == BurnLine::Kind::Finalizing && last) Finalizing();
      if (line.kind == BurnLine::Kind::Progress || line.kind == BurnLine::Kind::Finalizing) {
        Reach(index, line.percent, line);
      }
    };
  }

  // Small images make the programs print no progress at all: every burn
  // still reports its start and the end of each step.
  void Begin() { Reach(0, 0, BurnLine()); }
  void StepDone(int index) { Reach(index, 100, BurnLine()); }

  // The burn has ended well: the disc was closed (said once) and all is written.
  void Finish() {
    Finalizing();
    StepDone(static_cast<int>(m_weights.size()) - 1);
  }

  void Finalizing() {
    if (m_finalized) return;
    m_finalized = true;
    if (m_events.finalizing) m_events.finalizing();
  }

 private:
  void Reach(int index, double stepPercent, const BurnLine& line) {
    double before = 0;
    for (int i = 0; i < index; ++i) before += m_weights[static_cast<std::size_t>(i)];
    const double percent = std::min(
        100.0, before + m_weights[static_cast<std::size_t>(index)] * std::clamp(stepPercent, 0.0, 100.0) / 100.0);
    if (m_reported && percent <= m_percent) return;
    m_percent = percent;
    m_reported = true;
    if (m_events.progress) m_events.progress(percent, line, index + 1, static_cast<int>(m_weights.size()));
  }

  const BurnJobEvents& m_events;
  std::vector<double> m_weights;  // percent of the whole per step, summing to 100
  double m_percent = 0;
  bool m_reported = false;
  bool m_finalized = false;
};

BurnJobResult FromStep(ToolOutcome step) {
  BurnJobResult result;
  result.outcome = std::move(step);
  return result;
}

BurnJobResult Failed(const std::string& text) {
  return FromStep(ToolOutcome::Failure(ToolFailure::Failed, text));
}

// A private folder for intermediate images, removed when the burn ends.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& near) {
    std::error_code ignored;
    std::string parent = near;
    if (parent.empty() || ::access(parent.c_str(), W_OK) != 0) parent = fs::temp_directory_path(ignored).string();
    m_path = MakePrivateFolder(parent, "orlenta-burn-", &m_error);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!m_path.empty()) fs::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return m_path; }
  const std::string& Error() const { return m_error; }
  std::string File(const std::string& name) const { return (fs::path(m_path) / name).string(); }

 private:
  std::string m_path;
  std::string m_error;
};

std::string FolderOf(const std::string& path) {
  return fs::path(path).parent_path().string();
}

// Puts the finished files in the places reserved for them; false with result's text set.
bool Commit(OutputReservation& reserved, BurnJobResult* result) {
  std::string error;
  if (reserved.Commit(&error)) return true;
  result->outcome = ToolOutcome::Failure(ToolFailure::Failed, error);
  return false;
}

BurnJobResult VideoDvdJob(const BurnPlan& plan, const BurnJobEvents& events, const std::atomic<bool>& stop) {
  const std::string volumeId = IsoVolumeId(plan.volumeLabel);
  if (plan.device.kind == BurnerDevice::Kind::Drive) {
    StepProgress progress(events, {100});
    progress.Begin();
    BurnJobResult result = FromStep(
        BurnDvdVideo(plan.device.path, plan.dvdRoot, volumeId, plan.publisher, plan.settings, progress.Step(0), &stop));
    if (result.Done()) progress.Finish();
    return result;
  }
  if (plan.device.kind == BurnerDevice::Kind::ImageWriter) {
    // Written in the reservation's scratch folder, so that a half-written
    // image never carries the image's name (should this process die meanwhile).
    std::string error;
    const auto reserved =
        OutputReservation::Reserve(plan.imageFolder, ImageBaseName(plan.volumeLabel), {".iso"}, &error);
    if (!reserved) return Failed(error);
    StepProgress progress(events, {100});
    progress.Begin();
    BurnJobResult result = FromStep(
        MakeDvdVideoImage(plan.dvdRoot, volumeId, plan.publisher, reserved->ScratchPath(0), progress.Step(0), &stop));
    if (result.Done()) Commit(*reserved, &result);
    if (!result.Done()) return result;
    progress.Finish();
    result.imagePath = reserved->FinalPaths()[0];
    return result;
  }
  // A file-backed drive: the image first, next to the DVD folder, then its bytes.
  ScratchFolder scratch(FolderOf(plan.dvdRoot));
  if (scratch.Path().empty()) return Failed(scratch.Error());
  StepProgress progress(events, {40, 60});
  progress.Begin();
  const std::string iso = scratch.File("dvd.iso");
  BurnJobResult result =
      FromStep(MakeDvdVideoImage(plan.dvdRoot, volumeId, plan.publisher, iso, progress.Step(0), &stop));
  if (!result.Done()) return result;
  progress.StepDone(0);
  result = FromStep(WriteImageFile(plan.device.XorrisoDrive(), iso, plan.settings, progress.Step(1), &stop));
  if (result.Done()) progress.Finish();
  return result;
}

// The image of one disc of an album says which it is ("Video CD - CD 2 of 3"),
// so that the images of a movie are told apart and burnt in order.
std::string VideoCdImageName(const BurnPlan& plan) {
  if (plan.albumVolumeCount <= 1) return plan.volumeLabel;
  return plan.volumeLabel + " - CD " + std::to_string(plan.albumVolumeNumber) + " of " +
         std::to_string(plan.albumVolumeCount);
}

BurnJobResult VideoCdJob(const BurnPlan& plan, const BurnJobEvents& events, const std::atomic<bool>& stop) {
  VideoCdImageRequest request;
  request.svcd = plan.content == BurnPlan::Content::SuperVideoCd;
  request.tracks = plan.tracks;
  request.volumeLabel = plan.volumeLabel;
  request.albumVolumeCount = plan.albumVolumeCount;
  request.albumVolumeNumber = plan.albumVolumeNumber;

  const bool toImage = plan.device.kind == BurnerDevice::Kind::ImageWriter;
  std::unique_ptr<OutputReservation> reserved;
  std::unique_ptr<ScratchFolder> scratch;
  std::vector<std::string> image;  // cue sheet and bin file, where they are made
  if (toImage) {
    std::string error;
    reserved =
        OutputReservation::Reserve(plan.imageFolder, ImageBaseName(VideoCdImageName(plan)), {".cue", ".bin"}, &error);
    if (!reserved) return Failed(error);
    request.workFolder = reserved->ScratchFolder();
    image = {reserved->ScratchPath(0), reserved->ScratchPath(1)};
  } else {
    scratch = std::make_unique<ScratchFolder>(FolderOf(plan.tracks.front()));
    if (scratch->Path().empty()) return Failed(scratch->Error());
    request.workFolder = scratch->Path();
    image = {scratch->File("videocd.cue"), scratch->File("videocd.bin")};
  }
  // Made in the scratch folder under the final names (the cue sheet names its
  // bin file); an image writer's pair is moved into place once complete.
  request.folder = request.workFolder;
  request.cueName = fs::path(image[0]).filename().string();
  request.binName = fs::path(image[1]).filename().string();

  StepProgress progress(events, toImage ? std::vector<double>{100} : std::vector<double>{40, 60});
  progress.Begin();
  BurnJobResult result = FromStep(MakeVideoCdImage(request, progress.Step(0), &stop));
  if (toImage && result.Done()) Commit(*reserved, &result);
  if (!result.Done()) return result;
  if (toImage) {
    progress.Finish();
    result.imagePath = reserved->FinalPaths()[0];
    return result;
  }
  progress.StepDone(0);
  // A real drive takes the cue sheet; a file-backed one the bin file's bytes.
  result = plan.device.kind == BurnerDevice::Kind::Drive
               ? FromStep(WriteCueSheet(plan.device.path, image[0], plan.settings, progress.Step(1), &stop))
               : FromStep(WriteImageFile(plan.device.XorrisoDrive(), image[1], plan.settings, progress.Step(1), &stop));
  if (result.Done()) progress.Finish();
  return result;
}

}  // namespace

BurnJobResult RunBurnJob(const BurnPlan& plan, const BurnJobEvents& events, const std::atomic<bool>& stop) {
  Log("Burning to %s", plan.device.Entry().c_str());
  switch (plan.content) {
    case BurnPlan::Content::VideoDvd:
      return VideoDvdJob(plan, events, stop);
    case BurnPlan::Content::VideoCd:
    case BurnPlan::Content::SuperVideoCd:
      if (plan.tracks.empty()) return Failed("No track to burn");
      return VideoCdJob(plan, events, stop);
    case BurnPlan::Content::CueSheet: {
      if (plan.device.kind != BurnerDevice::Kind::Drive) return Failed("A cue sheet can only be written to a drive");
      StepProgress progress(events, {100});
      progress.Begin();
      BurnJobResult result =
          FromStep(WriteCueSheet(plan.device.path, plan.cueSheet, plan.settings, progress.Step(0), &stop));
      if (result.Done()) progress.Finish();
      return result;
    }
  }
  return Failed("Unknown project");
}
