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

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "convert/convert_task_list.h"
#include "convert/converter.h"
#include "convert/parallel_jobs.h"
#include "disc/dvd_bench_steps.h"
#include "formats/format_pages.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/find_program.h"
#include "platform/programs/external_programs.h"
#include "support/processor_count.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;
using namespace dvdbench;

namespace {

class ListEnd : public PingReceiver {
 public:
  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override {
    if (value == end_of_list && dynamic_cast<const ConvertTaskList*>(&sender) != nullptr) {
      std::lock_guard lock(m_lock);
      m_ended = true;
      m_done.notify_all();
    }
    return 0;
  }
  void Wait() {
    std::unique_lock lock(m_lock);
    m_done.wait(lock, [&] { return m_ended; });
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_done;
  bool m_ended = false;
};

void ConvertWithTheTaskList(const std::vector<PathBuffer>& clips, const std::string& folder,
                            const OutputFormat& format) {
  ListEnd end;
  ConvertTaskList::Start(ConvertTaskList(clips, folder, format, &end));
  end.Wait();
}

void RemoveTitles(const std::vector<std::string>& titles) {
  std::error_code ignored;
  for (const std::string& title : titles) fs::remove(title, ignored);
}

}  // namespace

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  std::string seconds = "60";
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(args[i]) == "--seconds") seconds = args[i + 1];
  }
  if (quick) seconds = "1";
  const int rounds = benchquick::Pick(quick, 2, 1);
  const fs::path root = fs::temp_directory_path() / ("orlenta-dvd-job-bench-" + std::to_string(::getpid()));
  const std::string scratch = root.string();
  const std::string titleFolder = (root / "titles").string();
  fs::create_directories(titleFolder);
  const std::string ffmpeg = FindProgram("ffmpeg");

  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;  // PAL
  dvd.slider_pos = 5;
  std::vector<PathBuffer> clips;
  std::vector<std::string> titles;
  std::vector<Command> encodings;
  for (int i = 0; i < 3; ++i) {
    const std::string clip = scratch + "/clip" + std::to_string(i) + ".avi";
    const ProcessResult made =
        RunProcess({ffmpeg, "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
                    "testsrc=size=640x480:rate=25:duration=" + seconds, "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=" + seconds, "-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp3", clip});
    Check(made.Succeeded(), "ffmpeg could not make " + clip + "\n" + made.output);
    clips.emplace_back(clip);
    titles.push_back(ConvertFileTask::PlannedOutputPath(titleFolder, clips.back(), dvd.GetFileExt()).str());
    Command encoding{{ffmpeg}, {}};
    const auto arguments =
        ExternalConverter(clip, titles.back(), dvd.GetEncodingParameters(), nullptr).GetArgumentVector();
    encoding.argv.insert(encoding.argv.end(), arguments.begin(), arguments.end());
    encodings.push_back(std::move(encoding));
  }
  WriteMenu(scratch, titles);
  GetExternalProgram(ExternalProgram::Dvdauthor);  // the one-time program lookup is not part of a job

  BurnWait wait;
  burner::SetBurnDoneEventCallback(&BurnWait::OnDone, &wait);

  // A first job records the authoring commands the layer starts.
  ConvertWithTheTaskList(clips, titleFolder, dvd);
  std::vector<Command> authoring;
  SetToolRunObserver([&](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
    authoring.push_back({argv, options});
  });
  fs::create_directories(root / "work0");
  fs::create_directories(root / "images0");
  DVDImageBuildHandle recorded = ThroughTheLayer(scratch, (root / "work0").string(), (root / "images0").string(), wait);
  SetToolRunObserver(nullptr);

  double bestJob = 1e9;
  double bestByHand = 1e9;
  for (int round = 1; round <= rounds; ++round) {
    std::error_code ignored;
    RemoveTitles(titles);
    fs::remove_all(root / "work0" / "DVD", ignored);
    for (const auto& image : fs::directory_iterator(root / "images0")) fs::remove(image.path(), ignored);
    FinishFolderRemovals();
    CreateOutputFolders(authoring);
    ::sync();
    const auto byHandStart = Clock::now();
    for (const std::vector<Command>* commands : {&encodings, &authoring}) {
      for (const auto& command : *commands) {
        const ProcessResult run = RunProcess(command.argv, command.options);
        Check(run.Succeeded(), "the command failed: " + command.argv.front() + "\n" + run.output);
      }
    }
    bestByHand = std::min(bestByHand, Seconds(Clock::now() - byHandStart));

    RemoveTitles(titles);
    const std::string work = (root / ("work" + std::to_string(round))).string();
    const std::string images = (root / ("images" + std::to_string(round))).string();
    fs::create_directories(work);
    fs::create_directories(images);
    FinishFolderRemovals();
    ::sync();
    const auto jobStart = Clock::now();
    ConvertWithTheTaskList(clips, titleFolder, dvd);
    DVDImageBuildHandle builder = ThroughTheLayer(scratch, work, images, wait);
    DVDImageBuild_Destory(builder);
    bestJob = std::min(bestJob, Seconds(Clock::now() - jobStart));
    fs::remove_all(work, ignored);
    fs::remove_all(images, ignored);
  }
  DVDImageBuild_Destory(recorded);
  burner::ResetCallbacks();
  burner::DeleteProject();
  CTemporaryFiles::DeleteTempFiles();

  const int processors = UsableProcessorCount();
  std::printf("DVD job of three %s-second 640x480 clips on %d processor(s), %d converted at a time\n", seconds.c_str(),
              processors, ParallelJobsForMachine(0, clips.size()));
  std::printf("job %.2f s, the same %zu commands one after another %.2f s (best of %d)\n", bestJob,
              encodings.size() + authoring.size(), bestByHand, rounds);
  std::printf("ratio %.3f (goal <= %s)\n", bestJob / bestByHand, processors > 1 ? "0.85" : "1.03");
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
