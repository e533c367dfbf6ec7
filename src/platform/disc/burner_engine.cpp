#include "platform/disc/burner_engine.h"

#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/dialogs/message_box.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/disc_tools.h"
#include "platform/disc/mpeg_compliance.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace burner {

namespace {

// Result codes (texts in disc/burning_errors.h).
constexpr int kOk = 0;
constexpr int kNotAllowed = 1;
constexpr int kBadParameter = 2;
constexpr int kBadDevice = 6;
constexpr int kBadSource = 8;
constexpr int kBadDestination = 9;
constexpr int kCommandFailed = 13;
constexpr int kInvalidFormat = 15;
constexpr int kCannotOpen = 16;
constexpr int kBinMissing = 18;
constexpr int kNotImplemented = 19;
constexpr int kWrongBurner = 20;
constexpr int kNotErasable = 24;
constexpr int kNoDevice = 103;
constexpr int kAborted = 138;
constexpr int kBusy = 141;

// Burn-done texts of our own making; the disc flows know the second one.
constexpr const char* kAbortedText = "Operation aborted by user";
constexpr const char* kEraseFirstText = "Erase disc before writing.";
constexpr const char* kNoMediumText = "No medium";

// How long a call waits for a burn that has ended to finish delivering its
// end, and how long the shutdown waits for the burner's threads.
constexpr std::chrono::seconds kEndingWait(5);
constexpr std::chrono::seconds kShutdownWait(10);

constexpr std::size_t kKeptTexts = 32;

bool IsRoot(const std::string& path) {
  return path.empty() || path == "/" || path == "\\";
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The files a cue sheet names in its FILE lines, relative to its folder.
std::vector<std::string> CueSheetFiles(const std::string& cueSheet) {
  std::vector<std::string> files;
  std::ifstream in(cueSheet);
  std::string line;
  while (std::getline(in, line)) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos || Upper(line.substr(start, 5)) != "FILE ") continue;
    const auto open = line.find('"', start);
    const auto close = line.rfind('"');
    if (open == std::string::npos || close <= open) continue;
    const fs::path name = line.substr(open + 1, close - open - 1);
    files.push_back((name.is_absolute() ? name : fs::path(cueSheet).parent_path() / name).string());
  }
  return files;
}

}  // namespace

BurnerEngine& BurnerEngine::Instance() {
  static BurnerEngine engine;
  return engine;
}

BurnerEngine::BurnerEngine() {
  WriteTextField(m_options.volumeLabel, sizeof m_options.volumeLabel, "");
  WriteTextField(m_options.publisher, sizeof m_options.publisher, "");
  m_options.closeDisc = 1;
  m_options.albumVolumeNumber = 1;
}

BurnerEngine::~BurnerEngine() {
  m_stop = true;
  std::unique_lock<std::mutex> lock(m_lock);
  StopScans();
  const bool ended =
      m_changed.wait_for(lock, kShutdownWait, [this] { return m_activity == Activity::Idle && !m_scanning; });
  // A thread still stuck in a caller's callback at exit is left to the process's end.
  for (std::thread* thread : {&m_burnThread, &m_scanThread}) {
    if (!thread->joinable()) continue;
    if (ended) {
      thread->join();
    } else {
      thread->detach();
    }
  }
}

int BurnerEngine::Fail(int code, const std::string& why) {
  m_lastError = why;
  Log("Burner: %s (code %d)", why.c_str(), code);
  return code;
}

int BurnerEngine::CheckIdle(std::unique_lock<std::mutex>& lock) {
  // The burn-done callback itself may not wait for its own end.
  const bool onBurnThread = m_burnThread.joinable() && m_burnThread.get_id() == std::this_thread::get_id();
  if (m_activity == Activity::Burning && m_burnEnding && !onBurnThread) {
    m_changed.wait_for(lock, kEndingWait, [this] { return m_activity == Activity::Idle; });
  }
  if (m_activity != Activity::Idle) return Fail(kBusy, "The burner is busy");
  if (m_burnThread.joinable()) m_burnThread.join();  // it has delivered its end and is returning
  return kOk;
}

// Files still waiting or being scanned end with result 138; each still gets
// its scan-done, which a caller may be waiting for.
void BurnerEngine::StopScans() {
  for (const auto& track : m_tracks) track->stop = true;
  for (const auto& track : m_scanQueue) track->stop = true;
}

void BurnerEngine::ClearContent() {
  StopScans();
  m_dvdRoot.clear();
  m_cueSheet.clear();
  m_tracks.clear();
}

int BurnerEngine::Initialize() {
  Log("Burner Initialize");
  GetDiscTool(DiscTool::Xorriso);  // finds every program once and logs them
  auto devices = ListBurnerDevices();
  std::lock_guard<std::mutex> lock(m_lock);
  m_devices = std::move(devices);
  if (!m_device) m_device = m_devices.front();
  return kOk;
}

int BurnerEngine::CreateProject(int type) {
  std::unique_lock<std::mutex> lock(m_lock);
  if (type != BS_BURNER_CUE && type != BS_BURNER_VCD && type != BS_BURNER_SVCD && type != BS_BURNER_VIDEODVD) {
    return Fail(kBadParameter, "Unknown project type " + std::to_string(type));
  }
  if (const int code = CheckIdle(lock)) return code;
  ClearContent();
  m_projectType = type;
  m_lastError.clear();
  return kOk;
}

int BurnerEngine::DeleteProject() {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  ClearContent();
  m_projectType = 0;
  return kOk;
}

int BurnerEngine::ClearAll() {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  ClearContent();
  return kOk;
}

int BurnerEngine::GetOptions(Options* options) {
  if (options == nullptr) return kBadParameter;
  std::lock_guard<std::mutex> lock(m_lock);
  *options = m_options;
  return kOk;
}

int BurnerEngine::SetOptions(const Options& options) {
  std::lock_guard<std::mutex> lock(m_lock);
  const auto label = ReadTextField(options.volumeLabel, sizeof options.volumeLabel);
  const auto publisher = ReadTextField(options.publisher, sizeof options.publisher);
  if (!label || !publisher) return Fail(kBadParameter, "An options text has no end");
  if ((options.writeSpeed < 0 && options.writeSpeed != kUndefinedInt) ||
      (options.albumVolumeCount < 0 && options.albumVolumeCount != kUndefinedInt)) {
    return Fail(kBadParameter, "A negative speed or album size");
  }
  Options next = m_options;
  if (*label != BS_NDEF) std::memcpy(next.volumeLabel, options.volumeLabel, sizeof next.volumeLabel);
  if (*publisher != BS_NDEF) std::memcpy(next.publisher, options.publisher, sizeof next.publisher);
  auto take = [](auto& field, auto value, auto undefined) {
    if (value != undefined) field = value;
  };
  take(next.writeSpeed, options.writeSpeed, kUndefinedInt);
  take(next.testWrite, options.testWrite, kUndefinedByte);
  take(next.ejectAfter, options.ejectAfter, kUndefinedByte);
  take(next.closeDisc, options.closeDisc, kUndefinedByte);
  take(next.reserved395, options.reserved395, kUndefinedByte);
  take(next.reserved396, options.reserved396, kUndefinedByte);
  take(next.reserved397, options.reserved397, kUndefinedByte);
  take(next.albumVolumeCount, options.albumVolumeCount, kUndefinedInt);
  take(next.albumVolumeNumber, options.albumVolumeNumber, kUndefinedByte);
  take(next.reserved405, options.reserved405, kUndefinedByte);
  take(next.reserved408, options.reserved408, kUndefinedInt);
  if (next.albumVolumeCount > 1 && (next.albumVolumeNumber < 1 || next.albumVolumeNumber > next.albumVolumeCount)) {
    return Fail(kBadParameter, "The disc's number is outside its album");
  }
  m_options = next;
  return kOk;
}

int BurnerEngine::AddDir(const FolderRecord& folder) {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  if (m_projectType != BS_BURNER_VIDEODVD) {
    return Fail(m_projectType == 0 ? kNotAllowed : kWrongBurner, "Folders go only into a DVD-Video project");
  }
  const auto source = ReadTextField(folder.sourcePath, sizeof folder.sourcePath);
  const auto destination = ReadTextField(folder.destinationPath, sizeof folder.destinationPath);
  const auto pattern = ReadTextField(folder.filePattern, sizeof folder.filePattern);
  if (!source || !destination || !pattern) return Fail(kBadParameter, "A folder record text has no end");
  Log("AddDir source %s, destination %s, pattern %s", source->c_str(), destination->c_str(), pattern->c_str());
  if (!IsRoot(*destination)) return Fail(kBadDestination, "A DVD-Video folder goes to the disc's root");
  if (!pattern->empty() && *pattern != "*" && *pattern != "*.*") {
    return Fail(kBadParameter, "A DVD-Video disc takes every file of its folder");
  }
  std::string path = *source;
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  // The folder may be named as Windows would ("Video_Ts"): find it whatever its case.
  const std::string found = FindPathIgnoringCase(path);
  std::error_code ignored;
  if (found.empty() || !fs::is_directory(found, ignored)) return Fail(kBadSource, "No folder " + *source);
  std::string root;
  if (Upper(fs::path(found).filename().string()) == "VIDEO_TS") {
    root = fs::absolute(fs::path(found).parent_path(), ignored).string();
  } else if (!FindPathIgnoringCase((fs::path(found) / "VIDEO_TS").string()).empty()) {
    root = fs::absolute(found, ignored).string();
  } else {
    return Fail(kBadSource, *source + " holds no VIDEO_TS folder");
  }
  if (!m_dvdRoot.empty() && m_dvdRoot != root) return Fail(kNotAllowed, "The project already holds a DVD folder");
  m_dvdRoot = root;
  return kOk;
}

int BurnerEngine::AddFile(const FileRecord& file) {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  const auto source = ReadTextField(file.sourcePath, sizeof file.sourcePath);
  const auto destination = ReadTextField(file.destinationPath, sizeof file.destinationPath);
  if (!source || !destination) return Fail(kBadParameter, "A file record text has no end");
  Log("AddFile source %s, destination %s", source->c_str(), destination->c_str());
  if (m_projectType == 0) return Fail(kNotAllowed, "No project");
  if (m_projectType == BS_BURNER_VIDEODVD) return Fail(kWrongBurner, "A DVD-Video project takes its folder only");
  if (!IsRoot(*destination)) return Fail(kBadDestination, "Files go to the disc's root");
  std::error_code ignored;
  const std::string path = fs::absolute(*source, ignored).string();
  if (!fs::is_regular_file(path, ignored) || ::access(path.c_str(), R_OK) != 0) {
    return Fail(kCannotOpen, "Cannot read " + path);
  }

  if (m_projectType == BS_BURNER_CUE) {
    if (!m_cueSheet.empty()) return Fail(kNotAllowed, "The project already holds a cue sheet");
    const auto files = CueSheetFiles(path);
    if (files.empty()) return Fail(17, path + " names no bin file");
    for (const auto& bin : files) {
      if (!fs::is_regular_file(bin, ignored)) return Fail(kBinMissing, "No file " + bin);
    }
    m_cueSheet = path;
    return kOk;
  }

  if (file.flag != 1) return Fail(kNotImplemented, "Only video tracks go onto a (Super) Video CD");
  std::string error;
  const auto info = ProbeMpeg(path, &error);
  if (!info) return Fail(kCannotOpen, error);
  const VideoCdKind kind = m_projectType == BS_BURNER_SVCD ? VideoCdKind::Svcd : VideoCdKind::Vcd;
  const std::string problem = VideoCdProblem(*info, kind);
  if (!problem.empty()) {
    return Fail(kInvalidFormat,
                path + " does not fit a " + (kind == VideoCdKind::Svcd ? "SVCD" : "VCD") + ": " + problem);
  }
  auto track = std::make_shared<Track>();
  track->path = path;
  track->index = static_cast<int>(m_tracks.size());
  track->info = *info;
  m_tracks.push_back(track);
  m_scanQueue.push_back(track);
  if (!m_scanning) {
    if (m_scanThread.joinable()) m_scanThread.join();  // it has left its loop
    m_scanning = true;
    m_scanThread = std::thread(&BurnerEngine::ScanLoop, this);
  }
  return kOk;
}

void BurnerEngine::ScanLoop() {
  for (;;) {
    std::shared_ptr<Track> track;
    {
      std::lock_guard<std::mutex> lock(m_lock);
      if (m_scanQueue.empty()) {
        m_scanning = false;
        m_changed.notify_all();
        return;
      }
      track = m_scanQueue.front();
      m_scanQueue.pop_front();
    }
    std::string error;
    const bool read = !track->stop && ScanMpeg(
                                          track->path,
                                          [&](double share) {
                                            const auto slot = m_callbacks.Scanner();
                                            if (slot.callback != nullptr) {
                                              slot.callback(static_cast<float>(100.0 * share), track->index, slot.user);
                                            }
                                          },
                                          &track->stop, &error);
    int result = kOk;
    if (!read) {
      result = track->stop ? kAborted : kInvalidFormat;
      Log("Burner scan of %s: %s", track->path.c_str(), track->stop ? "stopped" : error.c_str());
    }
    {
      std::lock_guard<std::mutex> lock(m_lock);
      track->scanned = true;
      track->result = result;
    }
    const MpegInfo& info = track->info;
    const auto slot = m_callbacks.ScanDone();
    if (slot.callback != nullptr) {
      // A Video CD sector carries 2324 bytes of the stream.
      const long long sectors = (info.fileSize + 2323) / 2324;
      slot.callback(track->index, result, info.width, info.height, static_cast<int>(std::lround(info.frameRate * 1000)),
                    static_cast<int>(info.videoBitRate / 1000), info.sampleRate, info.channels,
                    static_cast<int>(info.audioBitRate / 1000), static_cast<int>(info.durationMs),
                    static_cast<int>(sectors), slot.user);
    }
  }
}

int BurnerEngine::GetDevices(DeviceName* devices, int* count) {
  if (devices == nullptr || count == nullptr) return kBadParameter;
  auto listed = ListBurnerDevices();
  std::lock_guard<std::mutex> lock(m_lock);
  m_devices = std::move(listed);
  *count = static_cast<int>(m_devices.size());
  for (std::size_t i = 0; i < m_devices.size(); ++i) WriteTextField(devices[i], kDeviceNameSize, m_devices[i].Entry());
  return kOk;
}

int BurnerEngine::SetDevice(char id) {
  std::vector<BurnerDevice> listed;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    listed = m_devices;
  }
  if (listed.empty()) listed = ListBurnerDevices();
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  m_devices = listed;
  for (const auto& device : m_devices) {
    if (device.id == id) {
      m_device = device;
      Log("Burner device set: %s", device.Entry().c_str());
      return kOk;
    }
  }
  return Fail(kBadDevice, std::string("No device ") + id);
}

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
  std::vector<DiscTool> tools;
  switch (m_projectType) {
    case BS_BURNER_VIDEODVD:
      if (m_dvdRoot.empty()) return Fail(kBadSource, "No DVD folder has been added");
      plan->content = BurnPlan::Content::VideoDvd;
      plan->dvdRoot = m_dvdRoot;
      if (kind == BurnerDevice::Kind::Drive) tools = {DiscTool::Growisofs, DiscTool::Xorriso};
      if (kind == BurnerDevice::Kind::FileDrive) tools = {DiscTool::Genisoimage, DiscTool::Xorriso};
      if (kind == BurnerDevice::Kind::ImageWriter) tools = {DiscTool::Genisoimage};
      break;
    case BS_BURNER_VCD:
    case BS_BURNER_SVCD:
      if (m_tracks.empty()) return Fail(kBadSource, "No video file has been added");
      for (const auto& track : m_tracks) {
        if (track->scanned && track->result != kOk) return Fail(track->result, track->path + " could not be scanned");
        plan->tracks.push_back(track->path);
      }
      plan->content = m_projectType == BS_BURNER_SVCD ? BurnPlan::Content::SuperVideoCd : BurnPlan::Content::VideoCd;
      tools = {DiscTool::Vcdxgen, DiscTool::Vcdxbuild};
      if (kind == BurnerDevice::Kind::Drive) tools.insert(tools.end(), {DiscTool::Cdrdao, DiscTool::Xorriso});
      if (kind == BurnerDevice::Kind::FileDrive) tools.push_back(DiscTool::Xorriso);
      break;
    case BS_BURNER_CUE:
      if (m_cueSheet.empty()) return Fail(kBadSource, "No cue sheet has been added");
      if (kind != BurnerDevice::Kind::Drive) return Fail(kWrongBurner, "A cue sheet can only be written to a drive");
      plan->content = BurnPlan::Content::CueSheet;
      plan->cueSheet = m_cueSheet;
      tools = {DiscTool::Cdrdao, DiscTool::Xorriso};
      break;
    default:
      return Fail(kNotAllowed, "No project");
  }
  for (const DiscTool tool : tools) {
    if (!GetDiscTool(tool).Found()) return Fail(kCommandFailed, MissingToolText(tool));
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
  if (toc.failure.find("busy") != std::string::npos) return Fail(kBusy, toc.failure);
  if (toc.failure.find("was not found") != std::string::npos) return Fail(kCommandFailed, toc.failure);
  return Fail(kBadDevice, toc.failure.empty() ? "Cannot read the disc in " + m_device->Entry() : toc.failure);
}

int BurnerEngine::Burn() {
  std::unique_lock<std::mutex> lock(m_lock);
  Log("Burner Burn");
  if (const int code = CheckIdle(lock)) return code;
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
  m_burnThread = std::thread(&BurnerEngine::BurnThread, this, std::move(plan));
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
    if (result.status == BurnJobResult::Status::Done) {
      if (!result.imagePath.empty()) m_lastImagePath = result.imagePath;
      Log("Burner: burn done%s%s", result.imagePath.empty() ? "" : ", image ", result.imagePath.c_str());
    } else {
      std::string shown = result.text;
      if (result.status == BurnJobResult::Status::Stopped) shown = kAbortedText;
      if (result.problem == BurnLine::Kind::NotBlank) shown = kEraseFirstText;
      if (result.problem == BurnLine::Kind::NoMedium) shown = kNoMediumText;
      m_lastError = result.text.empty() ? shown : result.text;
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
  m_stop = true;
  std::lock_guard<std::mutex> lock(m_lock);
  StopScans();
  return kOk;
}

int BurnerEngine::EraseDialog(const char* caption) {
  Log("Burner EraseDialog");
  std::vector<BurnerDevice> devices;
  std::optional<BurnerDevice> target;
  WindowHandle owner = nullptr;
  {
    std::unique_lock<std::mutex> lock(m_lock);
    if (const int code = CheckIdle(lock)) return code;
    if (m_devices.empty()) {
      lock.unlock();
      auto listed = ListBurnerDevices();
      lock.lock();
      m_devices = std::move(listed);
    }
    devices = m_devices;
    if (m_device && m_device->IsErasable()) target = m_device;
    for (const auto& device : devices) {
      if (!target && device.IsErasable()) target = device;
    }
    owner = m_owner;
    m_activity = Activity::Erasing;
  }

  DialogRequest request;
  request.name = "EraseDialog";
  request.caption = caption != nullptr ? caption : "";
  request.text = target ? target->Entry() : "";
  for (const auto& device : devices) {
    if (device.IsErasable()) request.arguments.push_back(device.Entry());
  }
  const DialogResult answer = ShowModalDialog(owner, request);

  int code = kOk;
  std::string why;
  if (answer.code != IDOK) {
    code = kAborted;
    why = "The erase window was closed without erasing";
  } else {
    if (!answer.values.empty() && !answer.values[0].empty()) {
      target.reset();
      for (const auto& device : devices) {
        if (device.id == answer.values[0][0]) target = device;
      }
    }
    const bool full = answer.values.size() > 1 && answer.values[1] == "full";
    if (!target || !target->IsErasable()) {
      code = kNotErasable;
      why = "No erasable disc drive";
    } else {
      // The erase runs on a burner thread, its progress reaching the process callback from there.
      std::thread eraser([&] {
        m_stop = false;
        const std::string drive = target->XorrisoDrive();
        const XorrisoToc before = QueryMedium(drive);
        if (before.state == MediaState::NoMedium) {
          code = kNoMedium;
          why = "No disc in " + target->Entry();
          return;
        }
        if (before.state == MediaState::Unknown) {
          code = kBadDevice;
          why = before.failure.empty() ? "Cannot read " + target->Entry() : before.failure;
          return;
        }
        BurnLine start;
        Report(0, start, 1, 1);
        if (before.state != MediaState::Blank) {
          const BurnStepResult blanked = BlankMedium(
              drive, full,
              [&](const BurnLine& line) {
                if (line.kind == BurnLine::Kind::Progress) Report(line.percent, line, 1, 1);
              },
              &m_stop);
          if (blanked.status == BurnStepResult::Status::Stopped) {
            code = kAborted;
            why = "Erasing stopped";
            return;
          }
          if (!blanked.Done()) why = blanked.text;
        }
        if (QueryMedium(drive).state != MediaState::Blank) {
          code = kNotErasable;
          if (why.empty()) why = "The disc in " + target->Entry() + " is still not blank";
          return;
        }
        BurnLine end;
        end.percent = 100;
        Report(100, end, 1, 1);
      });
      eraser.join();
    }
  }
  std::lock_guard<std::mutex> lock(m_lock);
  m_activity = Activity::Idle;
  m_changed.notify_all();
  if (code != kOk) return Fail(code, why);
  Log("Burner: disc erased");
  return kOk;
}

int BurnerEngine::SetImageWriterFolder(const char* folder) {
  std::lock_guard<std::mutex> lock(m_lock);
  std::error_code ignored;
  if (folder == nullptr || !fs::is_directory(folder, ignored)) {
    return Fail(kBadDestination, std::string("No folder ") + (folder != nullptr ? folder : ""));
  }
  m_imageFolder = fs::absolute(folder, ignored).string();
  Log("Burner image writer folder %s", m_imageFolder.c_str());
  return kOk;
}

void BurnerEngine::SetDialogOwner(WindowHandle owner) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_owner = owner;
}

const char* BurnerEngine::LastImagePath() {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_lastImagePath.c_str();
}

const char* BurnerEngine::LastErrorText() {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_lastError.c_str();
}

}  // namespace burner
