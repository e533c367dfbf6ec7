#include "platform/disc/burning/burner_engine.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/disc/burning/burner_codes.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/tools/disc_tools.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace burner {

using namespace codes;

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
  // A burn that has ended, or that an abort is stopping, is idle within moments.
  if (m_activity == Activity::Burning && (m_burnEnding || m_stop) && !onBurnThread) {
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
  if (!IsDiscRoot(*destination)) return Fail(kBadDestination, "A DVD-Video folder goes to the disc's root");
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
  if (UpperAscii(fs::path(found).filename().string()) == "VIDEO_TS") {
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
