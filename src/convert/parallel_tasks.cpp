#include "convert/parallel_tasks.h"

#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "convert/convert_task_list.h"
#include "convert/list_progress.h"
#include "convert/output_names.h"
#include "platform/dialogs/message_box.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

class TaskListRun;

// Stands between one file's task (and the ffmpeg it runs) and the list's
// receiver.
class FileRelay : public PingReceiver {
 public:
  FileRelay(TaskListRun& run, PingReceiver* receiver, std::size_t file) : m_run(run), m_progress(receiver, file) {}
  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override;

 private:
  TaskListRun& m_run;
  FileProgressPinger m_progress;
};

class TaskListRun {
 public:
  TaskListRun(std::vector<ConvertFileTask>& tasks, PingReceiver* receiver)
      : m_tasks(tasks), m_pReceiver(receiver), m_progress(tasks.size()), m_names(tasks.size()) {
    m_relays.reserve(tasks.size());
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      m_relays.push_back(std::make_unique<FileRelay>(*this, receiver, i));
      tasks[i] = tasks[i].RunningCopy(i, m_relays.back().get(), &m_names);
    }
  }

  void Run(int jobs) {
    std::vector<std::thread> helpers;
    for (int i = 1; i < jobs; ++i) {
      try {
        helpers.emplace_back([this] { Work(); });
      } catch (const std::system_error& error) {
        Log("No further conversion thread: %s", error.what());
        break;
      }
    }
    Work();
    for (std::thread& helper : helpers) helper.join();
  }

  // Hands a ping on to the receiver, one at a time; progress gives the list's percent.
  std::int32_t Relay(std::int32_t value, const Pinger& sender, std::size_t file, FileProgressPinger& progress) {
    std::lock_guard lock(m_pingLock);
    if (m_pReceiver == nullptr) return 0;
    if (dynamic_cast<const ProgressPinger*>(&sender) != nullptr) {
      progress.SetListPercent(m_progress.FileReached(file, value));
      return m_pReceiver->OnPing(value, progress);
    }
    if (value == end_converting && dynamic_cast<const ConvertFileTask*>(&sender) != nullptr) {
      progress.SetListPercent(m_progress.FileEnded(file));
    }
    return m_pReceiver->OnPing(value, sender);
  }

 private:
  std::optional<std::size_t> NextTask() {
    std::lock_guard lock(m_takeLock);
    if (m_bStopped || StopFlag::IsSet() || m_nNext >= m_tasks.size()) return std::nullopt;
    return m_nNext++;
  }

  void StopTaking() {
    std::lock_guard lock(m_takeLock);
    m_bStopped = true;
  }

  void Work() {
    while (const auto next = NextTask()) RunTask(*next);
  }

  void RunTask(std::size_t index) {
    try {
      // A task that ends before it has its name must not keep later ones waiting.
      SettleOutputName settle(m_names, index);
      m_tasks[index]();
    } catch (const stop_by_user_exception&) {
      StopTaking();
    } catch (const peravel_exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, error.DisplayText(), kApplicationTitle, MB_OK);
    } catch (const std::exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, "Unknown Error", kApplicationTitle, MB_OK);
    } catch (...) {
      Log("Conversion task failed");
      MessageBox(nullptr, "Unknown Error", kApplicationTitle, MB_OK);
    }
  }

  std::vector<ConvertFileTask>& m_tasks;
  PingReceiver* m_pReceiver;
  std::mutex m_pingLock;
  ListProgress m_progress;
  OutputNameRegister m_names;
  std::vector<std::unique_ptr<FileRelay>> m_relays;
  std::mutex m_takeLock;
  std::size_t m_nNext = 0;
  bool m_bStopped = false;
};

std::int32_t FileRelay::OnPing(std::int32_t value, const Pinger& sender) {
  return m_run.Relay(value, sender, m_progress.FileIndex(), m_progress);
}

}  // namespace

void RunTasksSideBySide(std::vector<ConvertFileTask>& tasks, PingReceiver* receiver, int jobs) {
  TaskListRun run(tasks, receiver);
  run.Run(jobs);
}
