#include "platform/disc/burning/burner_watch.h"

#include "platform/disc/disc_text.h"

namespace disctest {

BurnWatch::BurnWatch() : m_caller(std::this_thread::get_id()) {
  burner::SetProcessEventCallback(&OnProcess, this);
  burner::SetBurnDoneEventCallback(&OnBurnDone, this);
  burner::SetFinalizeEventCallback(&OnFinalize, this);
  burner::SetVideoScannerEventCallback(&OnScanner, this);
  burner::SetVideoScanDoneEventCallback(&OnScanDone, this);
}

BurnWatch::~BurnWatch() {
  burner::ResetCallbacks();
}

void BurnWatch::Note() {
  if (std::this_thread::get_id() == m_caller) m_onCaller = true;
}

void BurnWatch::OnProcess(float percent, int, int, int, int, int, int, void* user) {
  auto* watch = static_cast<BurnWatch*>(user);
  std::lock_guard<std::mutex> lock(watch->m_lock);
  watch->Note();
  watch->m_progress.push_back(percent);
}

void BurnWatch::OnBurnDone(const char* text, void* user) {
  auto* watch = static_cast<BurnWatch*>(user);
  std::lock_guard<std::mutex> lock(watch->m_lock);
  watch->Note();
  ++watch->m_done;
  watch->m_lastText = text != nullptr ? std::optional<std::string>(text) : std::nullopt;
  watch->m_changed.notify_all();
}

void BurnWatch::OnFinalize(void* user) {
  auto* watch = static_cast<BurnWatch*>(user);
  std::lock_guard<std::mutex> lock(watch->m_lock);
  watch->Note();
  ++watch->m_finalized;
}

void BurnWatch::OnScanner(float percent, int, void* user) {
  auto* watch = static_cast<BurnWatch*>(user);
  std::lock_guard<std::mutex> lock(watch->m_lock);
  watch->Note();
  watch->m_scanProgress.push_back(percent);
}

void BurnWatch::OnScanDone(int index, int result, int width, int height, int rate, int, int, int, int, int duration,
                           int, void* user) {
  auto* watch = static_cast<BurnWatch*>(user);
  std::lock_guard<std::mutex> lock(watch->m_lock);
  watch->Note();
  watch->m_scans.push_back({index, result, width, height, rate, duration});
  watch->m_changed.notify_all();
}

bool BurnWatch::WaitForBurnDone(int count, std::chrono::seconds timeout) {
  std::unique_lock<std::mutex> lock(m_lock);
  return m_changed.wait_for(lock, timeout, [&] { return m_done >= count; });
}

bool BurnWatch::WaitForScanDone(int count, std::chrono::seconds timeout) {
  std::unique_lock<std::mutex> lock(m_lock);
  return m_changed.wait_for(lock, timeout, [&] { return static_cast<int>(m_scans.size()) >= count; });
}

std::vector<float> BurnWatch::Progress() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_progress;
}

std::vector<float> BurnWatch::ScanProgress() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_scanProgress;
}

std::vector<BurnWatch::Scan> BurnWatch::Scans() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_scans;
}

int BurnWatch::BurnDoneCount() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_done;
}

int BurnWatch::FinalizeCount() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_finalized;
}

std::optional<std::string> BurnWatch::LastDoneText() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_lastText;
}

bool BurnWatch::RanOnCallerThread() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_onCaller;
}

burner::FolderRecord DvdFolderRecord(const std::string& source) {
  burner::FolderRecord record{};
  WriteTextField(record.sourcePath, sizeof record.sourcePath, source);
  WriteTextField(record.destinationPath, sizeof record.destinationPath, "/");
  WriteTextField(record.filePattern, sizeof record.filePattern, "*.*");
  record.attributeMask = 63;
  record.flag = 0;
  record.mode = 2;
  return record;
}

burner::FileRecord VideoFileRecord(const std::string& source) {
  burner::FileRecord record{};
  WriteTextField(record.sourcePath, sizeof record.sourcePath, source);
  WriteTextField(record.destinationPath, sizeof record.destinationPath, "/");
  record.flag = 1;
  record.mode = 0;
  return record;
}

std::vector<std::string> DeviceEntries() {
  burner::DeviceName names[burner::kMaxDevices] = {};
  int count = 0;
  if (burner::GetDevices(names, &count, 1) != 0) return {};
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) entries.emplace_back(names[i]);
  return entries;
}

char ImageWriterId() {
  const auto entries = DeviceEntries();
  return entries.empty() ? '\0' : entries.back().front();
}

char DeviceIdNaming(const std::string& text) {
  for (const auto& entry : DeviceEntries()) {
    if (entry.find(text) != std::string::npos) return entry.front();
  }
  return '\0';
}

int SetVolumeLabel(const std::string& label) {
  burner::Options options{};
  burner::GetOptions(&options);
  WriteTextField(options.volumeLabel, sizeof options.volumeLabel, label);
  return burner::SetOptions(options);
}

}  // namespace disctest
