#pragma once
// The burner's five callbacks with their user pointers. Set and read under a
// lock from any thread; a callback is always called outside that lock.

#include <mutex>

#include "platform/disc/burning/burner.h"

namespace burner {

class CallbackTable {
 public:
  template <typename Callback>
  struct Slot {
    Callback callback = nullptr;
    void* user = nullptr;
  };

  void SetProcess(ProcessEventCallback callback, void* user) { Set(m_process, callback, user); }
  void SetBurnDone(BurnDoneEventCallback callback, void* user) { Set(m_burnDone, callback, user); }
  void SetFinalize(FinalizeEventCallback callback, void* user) { Set(m_finalize, callback, user); }
  void SetScanner(VideoScannerEventCallback callback, void* user) { Set(m_scanner, callback, user); }
  void SetScanDone(VideoScanDoneEventCallback callback, void* user) { Set(m_scanDone, callback, user); }
  void Reset();

  Slot<ProcessEventCallback> Process() const { return Get(m_process); }
  Slot<BurnDoneEventCallback> BurnDone() const { return Get(m_burnDone); }
  Slot<FinalizeEventCallback> Finalize() const { return Get(m_finalize); }
  Slot<VideoScannerEventCallback> Scanner() const { return Get(m_scanner); }
  Slot<VideoScanDoneEventCallback> ScanDone() const { return Get(m_scanDone); }

 private:
  template <typename Callback>
  void Set(Slot<Callback>& slot, Callback callback, void* user) {
    std::lock_guard<std::mutex> lock(m_lock);
    slot.callback = callback;
    slot.user = user;
  }
  template <typename Callback>
  Slot<Callback> Get(const Slot<Callback>& slot) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return slot;
  }

  mutable std::mutex m_lock;
  Slot<ProcessEventCallback> m_process;
  Slot<BurnDoneEventCallback> m_burnDone;
  Slot<FinalizeEventCallback> m_finalize;
  Slot<VideoScannerEventCallback> m_scanner;
  Slot<VideoScanDoneEventCallback> m_scanDone;
};

inline void CallbackTable::Reset() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_process = {};
  m_burnDone = {};
  m_finalize = {};
  m_scanner = {};
  m_scanDone = {};
}

}  // namespace burner
