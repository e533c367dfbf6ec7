#include "platform/process/stop_signals.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>

namespace {

int g_writeEnd = -1;

void OnStopSignal(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  // A full pipe drops the byte: enough signals are waiting already.
  [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
  errno = saved;
}

}  // namespace

int InstallStopSignals() {
  static int readEnd = -1;
  if (readEnd >= 0) return readEnd;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
  readEnd = ends[0];
  g_writeEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  return readEnd;
}

std::vector<int> ReadStopSignals(int fd) {
  std::vector<int> signals;
  unsigned char buffer[64];
  ssize_t count = 0;
  while ((count = ::read(fd, buffer, sizeof buffer)) > 0) {
    for (ssize_t index = 0; index < count; ++index) signals.push_back(buffer[index]);
  }
  return signals;
}

std::vector<int> ChildProcessesOf(int pid) {
  std::vector<int> children;
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return children;
  while (const dirent* entry = ::readdir(proc)) {
    const std::string name = entry->d_name;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat("/proc/" + name + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // "pid (command) state ppid ...": the command may hold spaces and ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    char state = 0;
    int parent = 0;
    if (!(rest >> state >> parent)) continue;
    if (parent == pid && state != 'Z') children.push_back(std::stoi(name));
  }
  ::closedir(proc);
  return children;
}
