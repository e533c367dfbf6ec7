#include "platform/process/process_spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "support/crash_handler.h"

namespace {

// Between fork and exec the child may only make async-signal-safe calls:
// other threads of ours may have held locks (malloc's among them) at the fork.

[[noreturn]] void ReportAndExit(int reportFd, int error) {
  while (::write(reportFd, &error, sizeof error) < 0 && errno == EINTR) {
  }
  ::_exit(127);
}

// A copy of fd numbered 3 or above, so that moving descriptors onto 0, 1 and
// 2 can never overwrite one that is still to be moved.
int AboveStandardStreams(int fd, int reportFd) {
  const int lifted = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
  if (lifted < 0) ReportAndExit(reportFd, errno);
  return lifted;
}

void OpenOnto(int target, int source, int reportFd) {
  if (::dup2(source, target) < 0) ReportAndExit(reportFd, errno);
}

void CloseRange(unsigned first, unsigned last, int maxFd) {
  if (first > last) return;
  if (::close_range(first, last, 0) == 0) return;
  // Kernels before 5.9 have no close_range: close one by one.
  for (unsigned fd = first; fd <= last && fd < static_cast<unsigned>(maxFd); ++fd) ::close(static_cast<int>(fd));
}

// keep is 3 or above.
void CloseAllBut(int keep, int maxFd) {
  CloseRange(3, static_cast<unsigned>(keep) - 1, maxFd);
  CloseRange(static_cast<unsigned>(keep) + 1, ~0U, maxFd);
}

[[noreturn]] void RunChild(const SpawnRequest& request, pid_t parent, int reportFd, int maxFd) {
  reportFd = AboveStandardStreams(reportFd, reportFd);

  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &byDefault, nullptr);

  // A session of its own: no terminal signals reach it, and its whole group
  // can be killed at once.
  if (::setsid() < 0) ReportAndExit(reportFd, errno);
  // The kernel kills it when the spawning thread (and so our process) ends.
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) ReportAndExit(reportFd, errno);
  // Our process may have died before the signal was set: then it never comes.
  if (::getppid() != parent) ::_exit(127);

  int input = request.stdinFd;
  if (request.stdinPath != nullptr) input = ::open(request.stdinPath, O_RDONLY | O_CLOEXEC);
  if (input < 0) ReportAndExit(reportFd, errno);
  int output = request.stdoutFd;
  if (request.stdoutPath != nullptr) {
    output = ::open(request.stdoutPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  }
  if (output < 0) ReportAndExit(reportFd, errno);
  input = AboveStandardStreams(input, reportFd);
  output = AboveStandardStreams(output, reportFd);
  const int errors = AboveStandardStreams(request.stderrFd, reportFd);
  OpenOnto(STDIN_FILENO, input, reportFd);
  OpenOnto(STDOUT_FILENO, output, reportFd);
  OpenOnto(STDERR_FILENO, errors, reportFd);

  if (request.workingDirectory != nullptr && ::chdir(request.workingDirectory) != 0) ReportAndExit(reportFd, errno);
  CloseAllBut(reportFd, maxFd);

  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::execve(request.argv[0], request.argv, request.envp);
  ReportAndExit(reportFd, errno);
}

int ForkAndExec(const SpawnRequest& request, pid_t& pid) {
  int report[2] = {-1, -1};
  if (::pipe2(report, O_CLOEXEC) != 0) return errno;
  rlimit limit{};
  const int maxFd = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
                        ? static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 1 << 20))
                        : 65536;
  const pid_t parent = ::getpid();

  // No handler of ours may run in the child before it has reset them all.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  ::pthread_sigmask(SIG_SETMASK, &all, &previous);
  const pid_t child = ::fork();
  if (child == 0) RunChild(request, parent, report[1], maxFd);
  const int forkError = errno;
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ::close(report[1]);
  if (child < 0) {
    ::close(report[0]);
    return forkError;
  }

  // The report pipe closes at exec (nothing read) or carries the child's errno.
  int childError = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (got == sizeof childError) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return childError != 0 ? childError : ECHILD;
  }
  pid = child;
  return 0;
}

// The one thread that forks every child; it lives until the process ends.
class SpawningThread {
 public:
  static SpawningThread& Instance() {
    // Never destroyed: the thread must outlive static destruction at exit.
    static SpawningThread* instance = new SpawningThread;
    return *instance;
  }

  int Spawn(const SpawnRequest& request, pid_t& pid) {
    Job job{&request, &pid};
    std::unique_lock lock(m_mutex);
    m_jobs.push_back(&job);
    m_wake.notify_one();
    m_finished.wait(lock, [&job] { return job.done; });
    return job.error;
  }

 private:
  struct Job {
    const SpawnRequest* request;
    pid_t* pid;
    int error = 0;
    bool done = false;
  };

  SpawningThread() {
    ThreadWithCrashStack([this] { Serve(); }).detach();
  }

  [[noreturn]] void Serve() {
    for (;;) {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return !m_jobs.empty(); });
      Job* job = m_jobs.front();
      m_jobs.pop_front();
      lock.unlock();
      const int error = ForkAndExec(*job->request, *job->pid);
      lock.lock();
      job->error = error;
      job->done = true;
      m_finished.notify_all();
    }
  }

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_finished;
  std::deque<Job*> m_jobs;
};

}  // namespace

int SpawnProcess(const SpawnRequest& request, pid_t& pid) {
  if (request.argv == nullptr || request.argv[0] == nullptr || request.envp == nullptr) return EINVAL;
  try {
    return SpawningThread::Instance().Spawn(request, pid);
  } catch (const std::system_error& error) {
    return error.code().value() != 0 ? error.code().value() : EAGAIN;  // no thread could be started
  }
}
