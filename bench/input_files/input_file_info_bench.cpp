// The inspection of the selected file, which the window waits for: the time
// of CCastrel1Dlg::InputFileInfo on a generated two-hour low-resolution AVI
// against one ffprobe run on the same file. Prints the medians of several
// rounds (taken in turn, so a busy machine weighs on both) and their ratio
// (goal: at most 0.5). "--quick": a one-minute file and one round.
//
//   build/bench/input_files/bench_input_file_info [rounds]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "app/recording_view.h"
#include "bench_quick.h"
#include "bench_support.h"
#include "platform/process/find_program.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  int rounds = benchquick::Pick(quick, 9, 1);
  if (!quick && argc > 1 && std::atoi(argv[1]) > 0) rounds = std::atoi(argv[1]);
  const int seconds = benchquick::Pick(quick, 2 * 60 * 60, 60);

  // Small pictures at one a second and thin sound: two hours in a few seconds
  // of encoding and some 35 MB, while the file keeps a long film's index.
  benchsupport::ScratchFolder folder;
  const std::string film = folder.File("two hours.avi");
  std::printf("Generating %d s of 64x48 video with sound...\n", seconds);
  benchsupport::RunFfmpeg({"-f", "lavfi", "-i", "testsrc=size=64x48:rate=1", "-f", "lavfi", "-i",
                           "sine=frequency=440:sample_rate=16000", "-t", std::to_string(seconds), "-c:v", "mpeg4", "-g",
                           "250", "-c:a", "mp2", "-b:a", "32k", film});

  RecordingView view;
  CCastrel1Dlg core;
  core.SetView(&view);
  core.CreateObjects();
  const std::string ffprobe = FindProgram("ffprobe");

  std::vector<double> inspections;
  std::vector<double> probes;
  long checksum = 0;
  for (int round = 0; round < rounds; ++round) {
    inspections.push_back(benchsupport::SecondsOf(
        [&] { benchsupport::Check(core.InputFileInfo(film), "InputFileInfo failed on " + film); }));
    checksum += core.m_nTotalDuration;
    probes.push_back(benchsupport::SecondsOf([&] {
      const ProcessResult result = RunProcess({ffprobe, "-v", "error", "-show_format", "-show_streams", film});
      checksum += static_cast<long>(result.output.size());
    }));
  }

  const double inspection = Median(inspections);
  const double probe = Median(probes);
  std::printf("InputFileInfo, median of %d: %.3f s (duration %d ms, %s)\n", rounds, inspection, core.m_nTotalDuration,
              core.m_strCodecName.c_str());
  std::printf("ffprobe, median of %d:       %.3f s\n", rounds, probe);
  std::printf("ratio (InputFileInfo / ffprobe): %.2f (goal <= 0.5)   [checksum %ld]\n", inspection / probe, checksum);
  return 0;
}
