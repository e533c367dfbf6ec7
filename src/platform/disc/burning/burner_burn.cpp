// Checking a project, and the burn thread.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/disc/burning/burner_codes.h"
#include "platform/disc/burning/burner_engine.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/xorriso_output.h"
#include "platform/programs/external_programs.h"
#include "support/crash_handler.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace burner {

using namespace codes;

int BurnerEngine::Validate(BurnPlan* plan) {
  if (m_projectType == 0) return Fail(kNotAllowed, "No project");
  if (!m_device) return Fail(kNoDevice, "No device has been chosen");
  plan->device = *m_device;
  plan->volumeLabel = ReadTextField(m_options.volumeLabel, sizeof m_options.volumeLabel).value_or("");
  plan->publisher = ReadTextField(m_options.publisher, sizeof m_options.publisher).value_or("");
  plan->settings.speed = std::max(0, m_options.writeSpeed);
  plan->settings.simulate = m_options.testWrite == 1;
  plan->settings.eject = m_options.ejectAfter == 1;
  plan->settings.closeDisc = m_options.closeDisc != 0;
  plan->albumVolumeCount = m_options.albumVolumeCount;
  plan->albumVolumeNumber = m_options.albumVolumeNumber;
  plan->imageFolder = m_imageFolder;

  const auto kind = plan->device.kind;
  std::vector<ExternalProgram> tools;
  switch (m_projectType) {
    case BS_BURNER_VIDEODVD:
      if (m_dvdRoot.empty()) return Fail(kBadSource, "No DVD folder has been added");
      plan->content = BurnPlan::Content::VideoDvd;
      plan->dvdRoot = m_dvdRoot;
      if (kind == BurnerDevice::Kind::Drive) tools = {ExternalProgram::Growisofs, ExternalProgram::Xorriso};
      if (kind == BurnerDevice::Kind::FileDrive) tools = {ExternalProgram::Genisoimage, ExternalProgram::Xorriso};
      if (kind == BurnerDevice::Kind::ImageWriter) tools = {ExternalProgram::Genisoimage};
      break;
    case BS_BURNER_VCD:
    case BS_BURNER_SVCD:
      if (m_tracks.empty()) return Fail(kBadSource, "No video file has been added");
      for (const auto& track : m_tracks) {
        if (track->scanned && track->result != kOk) return Fail(track->result, track->path + " could not be scanned");
        plan->tracks.push_back(track->path);
      }
      plan->content = m_projectType == BS_BURNER_SVCD ? BurnPlan::Content::SuperVideoCd : BurnPlan::Content::VideoCd;
      tools = {ExternalProgram::Vcdxgen, ExternalProgram::Vcdxbuild};
      if (kind == BurnerDevice::Kind::Drive)
        tools.insert(tools.end(), {ExternalProgram::Cdrdao, ExternalProgram::Xorriso});
      if (kind == BurnerDevice::Kind::FileDrive) tools.push_back(ExternalProgram::Xorriso);
      break;
    case BS_BURNER_CUE:
      if (m_cueSheet.empty()) return Fail(kBadSource, "No cue sheet has been added");
      if (kind != BurnerDevice::Kind::Drive) return Fail(kWrongBurner, "A cue sheet can only be written to a drive");
      plan->content = BurnPlan::Content::CueSheet;
      plan->cueSheet = m_cueSheet;
      tools = {ExternalProgram::Cdrdao, ExternalProgram::Xorriso};
      break;
    default:
      return Fail(kNotAllowed, "No project");
  }
  for (const ExternalProgram tool : tools) {
    if (!GetExternalProgram(tool).Found()) return Fail(kCommandFailed, MissingProgramText(tool));
  }
  if (kind == BurnerDevice::Kind::ImageWriter) {
    std::error_code ignored;
    if (m_imageFolder.empty() || !fs::is_directory(m_imageFolder, ignored) ||
        ::access(m_imageFolder.c_str(), W_OK) != 0) {
      return Fail(kBadDestination, "The image writer has no writable folder: \"" + m_imageFolder + "\"");
    }
  }
  return kOk;
}

int BurnerEngine::Prepare() {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  BurnPlan plan;
  return Validate(&plan);
}

int BurnerEngine::CheckMedium() {
  // A test drive's tray is empty while its backing file is a symbolic link
  // to nothing: xorriso would only fail to open it.
  std::error_code ignored;
  if (m_device->kind == BurnerDevice::Kind::FileDrive && fs::is_symlink(m_device->path, ignored) &&
      !fs::exists(m_device->path, ignored)) {
    return Fail(kNoMedium, "No disc in " + m_device->Entry());
  }
  const XorrisoToc toc = QueryMedium(m_device->XorrisoDrive());
  switch (toc.state) {
    case MediaState::Blank:
      return kOk;
    case MediaState::Appendable:
    case MediaState::Closed:
      return Fail(kNotBlank, "The disc in " + m_device->Entry() + " is not blank");
    case MediaState::NoMedium:
      return Fail(kNoMedium, "No disc in " + m_device->Entry());
    case MediaState::Unknown:
      break;
  }
  if (toc.problem == ToolFailure::DriveBusy) return Fail(kBusy, toc.failure);
  if (toc.problem == ToolFailure::NotInstalled) return Fail(kCommandFailed, toc.failure);
  return Fail(kBadDevice, toc.failure.empty() ? "Cannot read the disc in " + m_device->Entry() : toc.failure);
}

int BurnerEngine::Burn() {
  std::unique_lock<std::mutex> lock(m_lock);
  Log("Burner Burn");
  if (const int code = CheckIdle(lock)) return code;
  m_lastImagePath.clear();  // also when this burn does not start
  for (const auto& track : m_tracks) {
    if (!track->scanned) return Fail(kBusy, "A video file is still being scanned");
  }
  BurnPlan plan;
  if (const int code = Validate(&plan)) return code;
  if (plan.device.kind != BurnerDevice::Kind::ImageWriter) {
    if (const int code = CheckMedium()) return code;
  }
  m_stop = false;
  m_activity = Activity::Burning;
  m_burnEnding = false;
  m_lastError.clear();
  m_burnThread = ThreadWithCrashStack(&BurnerEngine::BurnThread, this, std::move(plan));
  return kOk;
}

void BurnerEngine::Report(double percent, const BurnLine& line, int step, int steps) {
  const auto slot = m_callbacks.Process();
  if (slot.callback == nullptr) return;
  slot.callback(static_cast<float>(percent), line.writtenMegabytes, line.totalMegabytes, line.fifoPercent,
                line.bufferPercent, step, steps, slot.user);
}

const char* BurnerEngine::KeepText(const std::string& text) {
  m_texts.push_back(text);
  if (m_texts.size() > kKeptTexts) m_texts.pop_front();
  return m_texts.back().c_str();
}

void BurnerEngine::BurnThread(BurnPlan plan) {
  BurnJobEvents events;
  events.progress = [this](double percent, const BurnLine& line, int step, int steps) {
    Report(percent, line, step, steps);
  };
  events.finalizing = [this] {
    const auto slot = m_callbacks.Finalize();
    if (slot.callback != nullptr) slot.callback(slot.user);
  };
  const BurnJobResult result = RunBurnJob(plan, events, m_stop);

  const char* text = nullptr;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    if (result.Done()) {
      if (!result.imagePath.empty()) m_lastImagePath = result.imagePath;
      Log("Burner: burn done%s%s", result.imagePath.empty() ? "" : ", image ", result.imagePath.c_str());
    } else {
      const ToolOutcome& outcome = result.outcome;
      std::string shown = outcome.text;
      if (outcome.failure == ToolFailure::Stopped) shown = kAbortedText;
      if (outcome.failure == ToolFailure::NotBlank) shown = kEraseFirstText;
      if (outcome.failure == ToolFailure::NoMedium) shown = kNoMediumText;
      m_lastError = outcome.text.empty() ? shown : outcome.text;
      Log("Burner: burn ended: %s", m_lastError.c_str());
      text = KeepText(shown);
    }
    m_burnEnding = true;
  }
  const auto slot = m_callbacks.BurnDone();
  if (slot.callback != nullptr) slot.callback(text, slot.user);
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_activity = Activity::Idle;
    m_burnEnding = false;
  }
  m_changed.notify_all();
}

int BurnerEngine::Abort() {
  Log("Burner Abort");
  m_stop = true;  // at once, even while a call holds the lock
  std::lock_guard<std::mutex> lock(m_lock);
  m_stop = true;  // again: a Burn that held the lock has just cleared it
  StopScans();
  return kOk;
}

}  // namespace burner
