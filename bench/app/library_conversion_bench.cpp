// A DVD conversion of a generated 20-second 640x480 clip through the window
// core's library engine (ConvertUsingNCT: reader, letterbox into 720x576,
// MPEG-2 writer), against "ffmpeg -target pal-dvd" of the same clip; prints
// both times and their ratio (goal: at most 1.25). The library run is timed
// to the end of its conversion: the DVD job it hands over to is not counted.
// "--quick": a one-second clip (bench_quick.h).

#include <QCoreApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "bench_support.h"
#include "list_only_view.h"

using namespace benchsupport;

namespace {

// A screen with one file listed and DVD chosen; notes when the conversion's
// status line gives way to the next step's.
class BenchView : public ListOnlyView {
 public:
  explicit BenchView(const std::string& clip) { ListAppend(clip); }
  WindowHandle Handle() override { return nullptr; }
  void ExchangeData(DialogData& data, bool save) override {
    if (save) data.nOutputFormat = kFormatDvd;
  }
  void SetStatusText(const std::string& text) override {
    ListOnlyView::SetStatusText(text);
    if (m_converting && !conversionEnd && text.rfind("Converting", 0) != 0) conversionEnd = Clock::now();
    m_converting = m_converting || text.rfind("Converting", 0) == 0;
  }
  int ListSelection() override { return 0; }

  std::optional<Clock::time_point> conversionEnd;

 private:
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
  return Seconds(view.conversionEnd.value_or(Clock::now()) - start);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  QCoreApplication app(argc, argv);
  const std::string seconds = benchquick::Pick<std::string>(quick, "20", "1");
  ScratchFolder folder;
  const std::string clip = folder.File("clip.avi");
  std::printf("Generating a %s-second 640x480 clip...\n", seconds.c_str());
  MakeClip(clip, seconds);

  const double libraryCpuBefore = OwnProcessorSeconds();
  const double library = ConvertThroughTheCore(clip, folder.File(""), std::stoi(seconds) * 1000);
  const double libraryCpu = OwnProcessorSeconds() - libraryCpuBefore;
  const double ffmpegCpuBefore = ChildrenProcessorSeconds();
  const double ffmpeg = SecondsOf([&] { RunFfmpeg({"-i", clip, "-target", "pal-dvd", folder.File("ffmpeg.mpg")}); });
  const double ffmpegCpu = ChildrenProcessorSeconds() - ffmpegCpuBefore;

  std::printf("ConvertUsingNCT to PAL DVD: %.2f s (processor %.2f s)\n", library, libraryCpu);
  std::printf("ffmpeg -target pal-dvd:     %.2f s (processor %.2f s)\n", ffmpeg, ffmpegCpu);
  std::printf("ratio (library / ffmpeg):   %.2f (goal <= 1.25; processor %.2f)\n", library / ffmpeg,
              libraryCpu / ffmpegCpu);
  return 0;
}
