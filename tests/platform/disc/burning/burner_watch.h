#pragma once
// Records what the burner's callbacks report, for the burner tests.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/disc/burning/burner.h"

namespace disctest {

class BurnWatch {
 public:
  BurnWatch();   // registers all five callbacks
  ~BurnWatch();  // removes them

  struct Scan {
    int fileIndex;
    int result;
    int width;
    int height;
    int frameRateMilli;
    int durationMs;
  };

  // Wait for the n-th burn-done / scan-done; false on time-out.
  bool WaitForBurnDone(int count = 1, std::chrono::seconds timeout = std::chrono::seconds(120));
  bool WaitForScanDone(int count, std::chrono::seconds timeout = std::chrono::seconds(60));

  std::vector<float> Progress() const;
  std::vector<float> ScanProgress() const;
  std::vector<Scan> Scans() const;
  int BurnDoneCount() const;
  int FinalizeCount() const;
  // The text of the last burn-done; nullopt for a null text.
  std::optional<std::string> LastDoneText() const;
  // True when any callback ran on the thread that made this watch.
  bool RanOnCallerThread() const;

 private:
  static void OnProcess(float percent, int, int, int, int, int, int, void* user);
  static void OnBurnDone(const char* text, void* user);
  static void OnFinalize(void* user);
  static void OnScanner(float percent, int, void* user);
  static void OnScanDone(int index, int result, int width, int height, int rate, int, int, int, int, int duration, int,
                         void* user);
  void Note();

  mutable std::mutex m_lock;
  std::condition_variable m_changed;
  std::thread::id m_caller;
  bool m_onCaller = false;
  std::vector<float> m_progress;
  std::vector<float> m_scanProgress;
  std::vector<Scan> m_scans;
  int m_done = 0;
  int m_finalized = 0;
  std::optional<std::string> m_lastText;
};

// Records as the disc flows fill them.
burner::FolderRecord DvdFolderRecord(const std::string& source);
burner::FileRecord VideoFileRecord(const std::string& source);

// The devices GetDevices lists now.
std::vector<std::string> DeviceEntries();
// The id of the image writer (the last entry) / of the entry naming text; 0 if none.
char ImageWriterId();
char DeviceIdNaming(const std::string& text);

// GetOptions, a new volume label, SetOptions; the result of SetOptions.
int SetVolumeLabel(const std::string& label);

}  // namespace disctest
