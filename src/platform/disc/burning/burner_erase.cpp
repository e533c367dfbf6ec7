// The erase window and the erase it leads to.
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner_codes.h"
#include "platform/disc/burning/burner_engine.h"
#include "platform/disc/burning/erase_request.h"
#include "platform/disc/tools/disc_writers.h"
#include "support/crash_handler.h"
#include "support/log.h"

namespace burner {

using namespace codes;

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

  EraseDiscRequest request;
  request.caption = caption != nullptr ? caption : "";
  request.suggested = target ? target->id : 0;
  for (const auto& device : devices) {
    if (device.IsErasable()) request.drives.push_back({device.id, device.Entry()});
  }
  const auto reply = AskDialog(owner, request);
  const EraseDiscAnswer answer = reply.answer.value_or(EraseDiscAnswer{});

  int code = kOk;
  std::string why;
  if (reply.code != IDOK) {
    code = kAborted;
    why = "The erase window was closed without erasing";
  } else {
    if (answer.drive != 0) {
      target.reset();
      for (const auto& device : devices) {
        if (device.id == answer.drive) target = device;
      }
    }
    const bool full = answer.fullErase;
    if (!target || !target->IsErasable()) {
      code = kNotErasable;
      why = "No erasable disc drive";
    } else {
      // The erase runs on a burner thread, its progress reaching the process callback from there.
      std::thread eraser = ThreadWithCrashStack([&] {
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
          const ToolOutcome blanked = BlankMedium(
              drive, full,
              [&](const BurnLine& line) {
                if (line.kind == BurnLine::Kind::Progress) Report(line.percent, line, 1, 1);
              },
              &m_stop);
          if (blanked.failure == ToolFailure::Stopped) {
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

}  // namespace burner
