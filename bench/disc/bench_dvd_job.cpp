// A DVD job of three generated 640x480 clips (60 seconds each): converted by
// the task list, as many at once as it chooses for this machine, then a DVD
// with menu and its ISO through the disc layer; divided by the time of the
// same ffmpeg, spumux, dvdauthor and genisoimage commands run one after
// another by hand. Goals: at most 0.85 on two processors, at most 1.03 on one
// (run it under "taskset -c 0": the tools inherit the affinity, so both sides
// are pinned). Prints its figures from one run, the better of two rounds of
// each side. "--quick": one-second clips, one round (bench_quick.h);
// "--seconds N": another clip length.
//
// Until the window's Convert command can run the DVD job headless, the job is
// driven here through the same engine pieces the command uses.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "bench_support.h"
#include "convert/convert_task_list.h"
#include "convert/parallel_jobs.h"
#include "disc/dvd_bench_steps.h"
#include "formats/format_pages.h"
#include "platform/programs/external_programs.h"
#include "support/processor_count.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;
using namespace benchsupport;

namespace {

void RemoveTitles(const std::vector<std::string>& titles) {
  std::error_code ignored;
  for (const std::string& title : titles) fs::remove(title, ignored);
}

}  // namespace

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  const std::string seconds = quick ? "1" : SecondsOption(argc, args, "60");
  const int rounds = benchquick::Pick(quick, 2, 1);
  const fs::path root = fs::temp_directory_path() / ("orlenta-dvd-job-bench-" + std::to_string(::getpid()));
  const std::string scratch = root.string();
  const std::string titleFolder = (root / "titles").string();
  fs::create_directories(titleFolder);

  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;  // PAL
  dvd.slider_pos = 5;
  std::vector<PathBuffer> clips;
  std::vector<std::string> titles;
  // The same encodes by hand, then the authoring commands the layer starts.
  std::vector<Command> byHand;
  for (const std::string& clip : MakeClips(scratch, 3, seconds)) {
    clips.emplace_back(clip);
    titles.push_back(ConvertFileTask::PlannedOutputPath(titleFolder, clips.back(), dvd.GetFileExt()).str());
    byHand.push_back({ConverterCommand(clip, titles.back(), dvd.GetEncodingParameters()), {}});
  }
  dvdbench::WriteMenu(scratch, titles);
  GetExternalProgram(ExternalProgram::Dvdauthor);  // the one-time program lookup is not part of a job

  BestTime job;
  BestTime byHandTime;
  {  // the runs end (builders, image writer, project) before the folder goes
    dvdbench::LayerRuns runs(root);
    // A first job records the authoring commands.
    ConvertWithTheTaskList(clips, titleFolder, dvd);
    const std::vector<Command> authoring = runs.Record();
    byHand.insert(byHand.end(), authoring.begin(), authoring.end());
    for (int round = 1; round <= rounds; ++round) {
      RemoveTitles(titles);
      runs.ReadyDirectRun(authoring);
      byHandTime.Add(SecondsOf([&] { RunCommands(byHand); }));

      RemoveTitles(titles);
      job.Add(runs.TimedRun(round, [&] { ConvertWithTheTaskList(clips, titleFolder, dvd); }));
    }
  }
  CTemporaryFiles::DeleteTempFiles();

  const int processors = UsableProcessorCount();
  std::printf("DVD job of three %s-second 640x480 clips on %d processor(s), %d converted at a time\n", seconds.c_str(),
              processors, ParallelJobsForMachine(0, clips.size()));
  std::printf("job %.2f s, the same %zu commands one after another %.2f s (best of %d)\n", job.Seconds(), byHand.size(),
              byHandTime.Seconds(), rounds);
  std::printf("ratio %.3f (goal <= %s)\n", job.Seconds() / byHandTime.Seconds(), processors > 1 ? "0.85" : "1.03");
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
