#pragma once
// The state behind the burner's functions: one project, the options, the
// chosen device, and the burner's threads (one scanning added video files,
// one burning, one erasing while the erase window's caller waits).

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/disc/burning/burn_job.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_callbacks.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/media_probe.h"

namespace burner {

class BurnerEngine {
 public:
  static BurnerEngine& Instance();
  ~BurnerEngine();

  int Initialize();
  int CreateProject(int type);
  int DeleteProject();
  int GetOptions(Options* options);
  int SetOptions(const Options& options);
  int AddDir(const FolderRecord& folder);
  int AddFile(const FileRecord& file);
  int GetDevices(DeviceName* devices, int* count);
  int SetDevice(char id);
  int Prepare();
  int Burn();
  int Abort();
  int ClearAll();
  int EraseDialog(const char* caption);
  int SetImageWriterFolder(const char* folder);
  void SetDialogOwner(WindowHandle owner);
  const char* LastImagePath();
  const char* LastErrorText();

  CallbackTable& Callbacks() { return m_callbacks; }

 private:
  struct Track {
    std::string path;
    int index = 0;
    bool scanned = false;
    std::atomic<bool> stop{false};  // its scan is no longer wanted
    int result = 0;                 // 0, or the code the scan ended with
    MpegInfo info;
  };
  enum class Activity { Idle, Burning, Erasing };

  BurnerEngine();

  // All with m_lock held.
  int Fail(int code, const std::string& why);
  // 0 when no burn or erase runs; waits briefly for a burn that is only
  // delivering its end or is being aborted. 141 otherwise.
  int CheckIdle(std::unique_lock<std::mutex>& lock);
  void StopScans();
  void ClearContent();
  int Validate(BurnPlan* plan);
  int CheckMedium();

  void ScanLoop();
  void BurnThread(BurnPlan plan);
  const char* KeepText(const std::string& text);
  void Report(double percent, const BurnLine& line, int step, int steps);

  std::mutex m_lock;
  std::condition_variable m_changed;
  CallbackTable m_callbacks;

  int m_projectType = 0;
  std::string m_dvdRoot;
  std::string m_cueSheet;
  std::vector<std::shared_ptr<Track>> m_tracks;
  Options m_options{};
  std::vector<BurnerDevice> m_devices;
  std::optional<BurnerDevice> m_device;
  std::string m_imageFolder;
  WindowHandle m_owner = nullptr;
  std::string m_lastImagePath;
  std::string m_lastError;
  std::deque<std::string> m_texts;  // burn-done texts, kept alive for their readers

  Activity m_activity = Activity::Idle;
  bool m_burnEnding = false;  // the burn has ended, its thread is delivering the end
  std::atomic<bool> m_stop{false};
  std::thread m_burnThread;

  std::deque<std::shared_ptr<Track>> m_scanQueue;
  bool m_scanning = false;
  std::thread m_scanThread;
};

}  // namespace burner
