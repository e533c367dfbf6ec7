// Converts three generated 640x480 clips to PAL DVD through the task list
// (as many at once as it chooses for this machine), then runs the very same
// ffmpeg command lines directly one after another, and prints the ratio of the
// two wall times. Goals: at most 0.85 on two processors or more, at most 1.03
// on one ("taskset -c 0" pins both sides, as ffmpeg inherits the affinity).
// It also prints what one encoder keeps busy: its processor time (getrusage of
// the children) divided by its wall time, the figure parallel_jobs.h uses.
//
//   build/bench/convert/bench_task_list [--quick] [--seconds N] [work folder]
// --seconds: length of each clip (default 10; 60 for the disc job's figure).
// --quick: one-second clips and one round (bench_quick.h).

#include <cstdio>
#include <filesystem>

#include "bench_quick.h"
#include "bench_support.h"
#include "convert/convert_task_list.h"
#include "convert/parallel_jobs.h"
#include "formats/format_pages.h"
#include "support/temporary_files.h"

using namespace benchsupport;

namespace {

// True when every input has its converted file in folder, and it is not empty.
bool AllConverted(const std::vector<PathBuffer>& inputs, const std::filesystem::path& folder, const char* ext) {
  for (const PathBuffer& input : inputs) {
    const PathBuffer output = ConvertFileTask::PlannedOutputPath(folder.string(), input, ext);
    std::error_code error;
    if (std::filesystem::file_size(output.str(), error) == 0 || error) {
      std::fprintf(stderr, "no converted file %s\n", output.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  std::filesystem::path work = std::filesystem::temp_directory_path() / "orlenta-bench-tasklist";
  std::string seconds = "10";
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--seconds" && i + 1 < argc) {
      seconds = argv[++i];
    } else if (argument != "--quick") {
      work = argument;
    }
  }
  if (quick) seconds = "1";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);

  std::vector<PathBuffer> inputs;
  for (const std::string& clip : MakeClips(work.string(), 3, seconds)) inputs.emplace_back(clip);

  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;  // PAL
  dvd.slider_pos = 5;

  // Both ways in alternating rounds; the best round of each is compared, so
  // that a busy moment of the machine does not decide the ratio.
  const int rounds = benchquick::Pick(quick, 3, 1);
  BestTime direct;
  BestTime list;
  double encoderUse = 0;
  for (int round = 0; round < rounds; ++round) {
    std::filesystem::remove_all(work / "direct");
    std::filesystem::remove_all(work / "list");
    std::filesystem::create_directories(work / "direct");
    std::filesystem::create_directories(work / "list");

    const double processorBefore = ChildrenProcessorSeconds();
    const double directSeconds = SecondsOf([&] {
      for (const PathBuffer& input : inputs) {
        const PathBuffer output =
            ConvertFileTask::PlannedOutputPath((work / "direct").string(), input, dvd.GetFileExt());
        Check(RunProcess(ConverterCommand(input.str(), output.str(), dvd.GetEncodingParameters())).Succeeded(),
              "direct ffmpeg failed for " + input.str());
      }
    });
    if (direct.Add(directSeconds)) encoderUse = (ChildrenProcessorSeconds() - processorBefore) / directSeconds;

    list.Add(SecondsOf([&] { ConvertWithTheTaskList(inputs, (work / "list").string(), dvd); }));
    if (!AllConverted(inputs, work / "direct", dvd.GetFileExt()) ||
        !AllConverted(inputs, work / "list", dvd.GetFileExt())) {
      return 1;
    }
    CTemporaryFiles::DeleteTempFiles();
  }

  const int jobs = ParallelJobsForMachine(0, inputs.size());
  std::printf(
      "three %s-second clips, best of %d rounds\ndirect ffmpeg, one after another: %.2f s\ntask list, %d at a time:  "
      "    %.2f s\nratio (task list / direct): %.3f (goal <= %s)\none encoder keeps %.2f processors busy "
      "(parallel_jobs.h: %.2f)\n",
      seconds.c_str(), rounds, direct.Seconds(), jobs, list.Seconds(), list.Seconds() / direct.Seconds(),
      jobs > 1 ? "0.85" : "1.03", encoderUse, kEncoderProcessorUse);
  std::filesystem::remove_all(work);
  return 0;
}
