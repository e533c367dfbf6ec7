#include "convert/parallel_tasks.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "convert/convert_task_list.h"
#include "convert/list_progress.h"
#include "convert/output_names.h"
#include "platform/dialogs/message_box.h"
#include "support/crash_handler.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/user_text.h"

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
      : m_tasks(tasks),
        m_pReceiver(receiver),
        m_beginSent(tasks.size(), false),
        m_finished(tasks.size(), false),
        m_heldEnd(tasks.size(), nullptr),
        m_progress(tasks.size()),
        m_names(tasks.size()) {
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
        helpers.push_back(ThreadWithCrashStack([this] { Work(); }));
      } catch (const std::system_error& error) {
        Log("No further conversion thread: %s", error.what());
        break;
      }
    }
    Work();
    for (std::thread& helper : helpers) helper.join();
  }

  // Hands a ping on to the receiver, one at a time; progress gives the list's
  // percent. The files' begin and end pings go out in list order, so that a
  // receiver counting ends knows which file ended: a begin waits for the
  // earlier files' begins, and an end that comes before an earlier file's end
  // is held and sent right after it (its task has finished by then).
  std::int32_t Relay(std::int32_t value, const Pinger& sender, std::size_t file, FileProgressPinger& progress) {
    std::unique_lock lock(m_pingLock);
    if (dynamic_cast<const ProgressPinger*>(&sender) != nullptr) {
      progress.SetListPercent(m_progress.FileReached(file, value));
      return Forward(value, progress);
    }
    if (dynamic_cast<const ConvertFileTask*>(&sender) != nullptr && file < m_tasks.size()) {
      if (value == begin_converting) {
        m_beginMayGo.wait(lock,
                          [&] { return std::all_of(m_beginSent.begin(), m_beginSent.begin() + Offset(file), Yes); });
        m_beginSent[file] = true;
        m_beginMayGo.notify_all();
      } else if (value == end_converting) {
        progress.SetListPercent(m_progress.FileEnded(file));
        m_heldEnd[file] = &sender;
        SendEndsInListOrder();
        return 0;
      }
    }
    return Forward(value, sender);
  }

  // The task of file has returned (or thrown): later files wait no longer for
  // its begin, end or name.
  void FileFinished(std::size_t file) noexcept {
    m_names.Settle(file);
    std::lock_guard lock(m_pingLock);
    m_beginSent[file] = true;
    m_finished[file] = true;
    m_beginMayGo.notify_all();
    SendEndsInListOrder();
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

  // Runs when a task leaves, before its failure is shown: the others go on meanwhile.
  struct TaskFinish {
    TaskListRun& run;
    std::size_t file;
    ~TaskFinish() { run.FileFinished(file); }
  };

  void RunTask(std::size_t index) {
    try {
      const TaskFinish finish{*this, index};
      m_tasks[index]();
    } catch (const stop_by_user_exception&) {
      StopTaking();
    } catch (const peravel_exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, error.DisplayText(), kApplicationTitle, MB_OK);
    } catch (const std::exception& error) {
      Log("Conversion task failed: %s", error.what());
      MessageBox(nullptr, UserText::tr("Unknown Error"), kApplicationTitle, MB_OK);
    } catch (...) {
      Log("Conversion task failed");
      MessageBox(nullptr, UserText::tr("Unknown Error"), kApplicationTitle, MB_OK);
    }
  }

  static bool Yes(bool value) { return value; }
  static std::ptrdiff_t Offset(std::size_t file) { return static_cast<std::ptrdiff_t>(file); }

  std::int32_t Forward(std::int32_t value, const Pinger& sender) {
    return m_pReceiver != nullptr ? m_pReceiver->OnPing(value, sender) : 0;
  }

  // With m_pingLock held.
  void SendEndsInListOrder() noexcept {
    while (m_nEndsSent < m_tasks.size()) {
      const Pinger* end = m_heldEnd[m_nEndsSent];
      if (end == nullptr && !m_finished[m_nEndsSent]) return;  // still converting
      m_heldEnd[m_nEndsSent] = nullptr;
      ++m_nEndsSent;
      if (end == nullptr) continue;  // it failed before its begin: it has no end to send
      try {
        Forward(end_converting, *end);
      } catch (const std::exception& error) {
        Log("The end of a conversion could not be handled: %s", error.what());
      } catch (...) {
        Log("The end of a conversion could not be handled");
      }
    }
  }

  std::vector<ConvertFileTask>& m_tasks;
  PingReceiver* m_pReceiver;
  std::mutex m_pingLock;
  // Under m_pingLock: which files have sent their begin (or finished without
  // one), which have finished, the ends held for list order, and how many
  // files' ends are out.
  std::condition_variable m_beginMayGo;
  std::vector<bool> m_beginSent;
  std::vector<bool> m_finished;
  std::vector<const Pinger*> m_heldEnd;
  std::size_t m_nEndsSent = 0;
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
