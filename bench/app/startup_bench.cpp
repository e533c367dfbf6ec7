// Start-up of the Orlenta window against a minimal Qt program that shows an
// empty dialog of the same size: the time from process start to the window
// shown and to the first idle moment of its event loop, and the resident
// memory of the idle window.
//
// The program runs itself as a child in each role, several times, and takes
// the medians. The children use a scratch data folder and settings file, so
// the user's own are never touched.
//
//   QT_QPA_PLATFORM=offscreen build/bench/app/bench_startup [runs]
//   xvfb-run -a build/bench/app/bench_startup [runs]

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/widgets/castrel1_app.h"
#include "app/widgets/main_dialog.h"
#include "platform/dialogs/widgets/qt_responder.h"
#include "platform/process/child_process.h"
#include "ui/auxiliary_dialogs.h"

namespace {

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Reports "<shown ns> <idle ns> <rss kB>" once the dialog is shown and its
// event loop is first idle, then ends the process at once.
class ShowWatcher : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && qobject_cast<QDialog*>(watched) != nullptr && m_shownNs == 0) {
      m_shownNs = MonotonicNs();
      QTimer::singleShot(0, [this] {
        std::printf("%lld %lld %ld\n", m_shownNs, MonotonicNs(), ResidentKb());
        std::fflush(stdout);
        ::_exit(0);
      });
    }
    return false;
  }

 private:
  long long m_shownNs = 0;
};

int RunOrlenta(int argc, char** argv) {
  QApplication application(argc, argv);
  ShowWatcher watcher;
  application.installEventFilter(&watcher);
  QtResponder responder;
  SetDialogResponder(&responder);
  RegisterAuxiliaryDialogs(responder);  // as main does
  CCastrel1App app({});
  app.InitInstance();
  return app.ExitInstance();
}

int RunMinimal(int argc, char** argv) {
  QApplication application(argc, argv);
  ShowWatcher watcher;
  application.installEventFilter(&watcher);
  QDialog dialog;
  dialog.setFixedSize(MainDialog::kClientWidth, MainDialog::kClientHeight);
  return dialog.exec();
}

struct Sample {
  double shownMs;
  double idleMs;
  long rssKb;
};

Sample RunChild(const std::string& role) {
  const long long start = MonotonicNs();
  const ProcessResult result = RunProcess({"/proc/self/exe", role});
  // The report is the line of three numbers; Qt may warn on other lines.
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    long long shown = 0;
    long long idle = 0;
    long rss = 0;
    if (in >> shown >> idle >> rss) return {(shown - start) / 1e6, (idle - start) / 1e6, rss};
  }
  std::fprintf(stderr, "%s did not report:\n%s\n", role.c_str(), result.output.c_str());
  std::exit(1);
}

template <typename Field>
double Median(std::vector<Sample> samples, Field field) {
  std::sort(samples.begin(), samples.end(), [&](const Sample& a, const Sample& b) { return a.*field < b.*field; });
  return static_cast<double>(samples[samples.size() / 2].*field);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::string(argv[1]) == "--orlenta") return RunOrlenta(argc, argv);
  if (argc > 1 && std::string(argv[1]) == "--minimal") return RunMinimal(argc, argv);

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("orlenta-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  ::setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
  ::setenv("ORLENTA_REGISTRY", (scratch / "registry.reg").c_str(), 1);

  RunChild("--orlenta");  // warm the file cache for both
  RunChild("--minimal");
  std::vector<Sample> orlenta;
  std::vector<Sample> minimal;
  for (int i = 0; i < runs; ++i) {
    orlenta.push_back(RunChild("--orlenta"));
    minimal.push_back(RunChild("--minimal"));
  }
  std::filesystem::remove_all(scratch);

  const double orlentaShown = Median(orlenta, &Sample::shownMs);
  const double minimalShown = Median(minimal, &Sample::shownMs);
  const double orlentaIdle = Median(orlenta, &Sample::idleMs);
  const double minimalIdle = Median(minimal, &Sample::idleMs);
  const double orlentaRss = Median(orlenta, &Sample::rssKb) / 1024.0;
  std::printf("medians of %d runs each\n", runs);
  std::printf("window shown:  orlenta %.1f ms, minimal dialog %.1f ms, ratio %.2f (goal <= 1.5)\n", orlentaShown,
              minimalShown, orlentaShown / minimalShown);
  std::printf("first idle:    orlenta %.1f ms, minimal dialog %.1f ms, ratio %.2f (goal <= 1.5)\n", orlentaIdle,
              minimalIdle, orlentaIdle / minimalIdle);
  std::printf("resident memory of the idle window: orlenta %.1f MB, minimal dialog %.1f MB (goal <= 80 MB)\n",
              orlentaRss, Median(minimal, &Sample::rssKb) / 1024.0);
  return 0;
}
