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

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "bench_quick.h"
#include "convert/convert_task_list.h"
#include "convert/converter.h"
#include "convert/parallel_jobs.h"
#include "formats/format_pages.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/temporary_files.h"

namespace {

using Clock = std::chrono::steady_clock;

class EndWaiter : public PingReceiver {
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

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Processor time (user and system) of the children waited for so far.
double ChildrenProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

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
  const std::string ffmpeg = FindProgram("ffmpeg");

  std::vector<PathBuffer> inputs;
  for (int i = 0; i < 3; ++i) {
    const std::string clip = (work / ("clip" + std::to_string(i) + ".avi")).string();
    const auto made = RunProcess({ffmpeg, "-y", "-f", "lavfi", "-i", "testsrc=size=640x480:rate=25:duration=" + seconds,
                                  "-f", "lavfi", "-i", "sine=frequency=440:duration=" + seconds, "-c:v", "mpeg4",
                                  "-q:v", "3", "-c:a", "mp3", clip});
    if (!made.Succeeded()) {
      std::fprintf(stderr, "cannot generate %s:\n%s\n", clip.c_str(), made.output.c_str());
      return 1;
    }
    inputs.emplace_back(clip);
  }

  CPageDVD_Ffmpeg dvd;
  dvd.video_codec_id = 1;  // PAL
  dvd.slider_pos = 5;

  // Both ways in alternating rounds; the best round of each is compared, so
  // that a busy moment of the machine does not decide the ratio.
  const int rounds = benchquick::Pick(quick, 3, 1);
  double direct = 1e9;
  double list = 1e9;
  double encoderUse = 0;
  for (int round = 0; round < rounds; ++round) {
    std::filesystem::remove_all(work / "direct");
    std::filesystem::remove_all(work / "list");
    std::filesystem::create_directories(work / "direct");
    std::filesystem::create_directories(work / "list");

    const double processorBefore = ChildrenProcessorSeconds();
    const auto directStart = Clock::now();
    for (const PathBuffer& input : inputs) {
      const PathBuffer output = ConvertFileTask::PlannedOutputPath((work / "direct").string(), input, dvd.GetFileExt());
      std::vector<std::string> command = {ffmpeg};
      const auto arguments = ExternalConverter(input, output, dvd.GetEncodingParameters(), nullptr).GetArgumentVector();
      command.insert(command.end(), arguments.begin(), arguments.end());
      if (!RunProcess(command).Succeeded()) {
        std::fprintf(stderr, "direct ffmpeg failed for %s\n", input.c_str());
        return 1;
      }
    }
    const double directSeconds = Seconds(Clock::now() - directStart);
    if (directSeconds < direct) encoderUse = (ChildrenProcessorSeconds() - processorBefore) / directSeconds;
    direct = std::min(direct, directSeconds);

    EndWaiter waiter;
    const auto listStart = Clock::now();
    ConvertTaskList::Start(ConvertTaskList(inputs, (work / "list").string(), dvd, &waiter));
    waiter.Wait();
    list = std::min(list, Seconds(Clock::now() - listStart));
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
      seconds.c_str(), rounds, direct, jobs, list, list / direct, jobs > 1 ? "0.85" : "1.03", encoderUse,
      kEncoderProcessorUse);
  std::filesystem::remove_all(work);
  return 0;
}
