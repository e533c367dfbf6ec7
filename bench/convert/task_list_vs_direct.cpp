// Converts three generated 10-second clips to PAL DVD through the task list,
// then runs the very same ffmpeg command lines directly, and prints the ratio
// of the two wall times (goal: at most 1.03).
//
//   build/bench/convert/bench_task_list [--quick] [work folder]
// --quick: one-second clips and one round (bench_quick.h).

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "bench_quick.h"
#include "convert/convert_task_list.h"
#include "convert/converter.h"
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
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "--quick") work = argv[i];
  }
  const std::string seconds = benchquick::Pick(quick, "10", "1");
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
  for (int round = 0; round < rounds; ++round) {
    std::filesystem::remove_all(work / "direct");
    std::filesystem::remove_all(work / "list");
    std::filesystem::create_directories(work / "direct");
    std::filesystem::create_directories(work / "list");

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
    direct = std::min(direct, Seconds(Clock::now() - directStart));

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

  std::printf(
      "best of %d rounds\ndirect ffmpeg: %.2f s\ntask list:     %.2f s\nratio (task list / direct): %.3f (goal <= "
      "1.03)\n",
      rounds, direct, list, list / direct);
  std::filesystem::remove_all(work);
  return 0;
}
