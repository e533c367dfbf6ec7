// A DVD conversion of a generated 20-second 640x480 clip through the window
// core's library engine (ConvertUsingNCT: reader, letterbox into 720x576,
// MPEG-2 writer), against "ffmpeg -target pal-dvd" of the same clip; prints
// both times and their ratio (goal: at most 1.25). The library run is timed
// to the end of its conversion: the DVD job it hands over to is not counted.
// "--quick": a one-second clip (bench_quick.h).

#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "video/bench_media.h"

namespace {

using Clock = std::chrono::steady_clock;

// A screen with one file listed and DVD chosen; notes when the conversion's
// status line gives way to the next step's.
class BenchView : public MainWindowView {
 public:
  explicit BenchView(std::string clip) : m_clip(std::move(clip)) {}
  WindowHandle Handle() override { return nullptr; }
  void SetSkin() override {}
  void AppendSystemCommand(unsigned /*id*/, const std::string& /*text*/) override {}
  void SetIcon() override {}
  void ExchangeData(DialogData& data, bool save) override {
    if (save) data.nOutputFormat = kFormatDvd;
  }
  void EnableControl(int /*id*/, bool /*enable*/) override {}
  void ShowControl(int /*id*/, bool /*show*/) override {}
  void SetButtonElement(int /*id*/, const char* /*element*/) override {}
  void SetStatusText(const std::string& text) override {
    if (m_converting && !conversionEnd && text.rfind("Converting", 0) != 0) conversionEnd = Clock::now();
    m_converting = m_converting || text.rfind("Converting", 0) == 0;
  }
  void SetProgress(int /*percent*/) override {}
  void SetCompletedText(const std::string& /*text*/) override {}
  void SetOutputFolderText(const std::string& /*path*/) override {}
  int ListCount() override { return 1; }
  std::string ListText(int /*index*/) override { return m_clip; }
  int ListSelection() override { return 0; }
  void ListAppend(const std::string& /*text*/) override {}
  void ListDelete(int /*index*/) override {}
  void ListSelect(int /*index*/) override {}
  void CloseWindow(int /*result*/) override {}

  std::optional<Clock::time_point> conversionEnd;

 private:
  std::string m_clip;
  bool m_converting = false;
};

double ConvertThroughTheCore(const std::string& clip, const std::string& folder, int durationMs) {
  BenchView view(clip);
  CCastrel1Dlg core;
  core.SetView(&view);
  core.CreateObjects();
  core.m_nOutputFormat = kFormatDvd;
  core.m_nDVDType = 1;
  core.m_nDVDVideoKbps = 6000;  // about what -target pal-dvd gives
  core.m_nTotalDuration = durationMs;
  core.m_nInputCount = 1;
  core.m_strOutputFolder = folder;
  core.m_szDiscConvertFolder = PathBuffer(folder + "/");
  const auto start = Clock::now();
  core.ConvertUsingNCT();
  const auto end = view.conversionEnd.value_or(Clock::now());
  return std::chrono::duration<double>(end - start).count();
}

// Processor seconds (user and system) used so far by us or by our finished children.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  QCoreApplication app(argc, argv);
  const std::string seconds = benchquick::Pick<std::string>(quick, "20", "1");
  videobench::ScratchFolder folder;
  const std::string clip = folder.File("clip.avi");
  std::printf("Generating a %s-second 640x480 clip...\n", seconds.c_str());
  videobench::RunFfmpeg({"-f", "lavfi", "-i", "testsrc=size=640x480:rate=25:duration=" + seconds, "-f", "lavfi", "-i",
                         "sine=frequency=440:sample_rate=44100:duration=" + seconds, "-c:v", "mpeg4", "-q:v", "3",
                         "-c:a", "libmp3lame", clip});

  const double libraryCpuBefore = CpuSeconds(RUSAGE_SELF);
  const double library = ConvertThroughTheCore(clip, folder.File(""), std::stoi(seconds) * 1000);
  const double libraryCpu = CpuSeconds(RUSAGE_SELF) - libraryCpuBefore;
  const double ffmpegCpuBefore = CpuSeconds(RUSAGE_CHILDREN);
  const double ffmpeg = videobench::Seconds([&] {
    videobench::RunFfmpeg({"-i", clip, "-target", "pal-dvd", folder.File("ffmpeg.mpg")});
  });
  const double ffmpegCpu = CpuSeconds(RUSAGE_CHILDREN) - ffmpegCpuBefore;

  std::printf("ConvertUsingNCT to PAL DVD: %.2f s (processor %.2f s)\n", library, libraryCpu);
  std::printf("ffmpeg -target pal-dvd:     %.2f s (processor %.2f s)\n", ffmpeg, ffmpegCpu);
  std::printf("ratio (library / ffmpeg):   %.2f (goal <= 1.25; processor %.2f)\n", library / ffmpeg,
              libraryCpu / ffmpegCpu);
  return 0;
}
