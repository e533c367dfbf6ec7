// Converts three generated 10-second clips to PAL DVD through the task list,
// then runs the very same ffmpeg command lines directly, and prints the ratio
// of the two wall times (goal: at most 1.03).
//
//   build/bench/convert/bench_task_list [work folder]

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>

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

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path work =
      argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "orlenta-bench-tasklist";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  const std::string ffmpeg = FindProgram("ffmpeg");

  std::vector<PathBuffer> inputs;
  for (int i = 0; i < 3; ++i) {
    const std::string clip = (work / ("clip" + std::to_string(i) + ".avi")).string();
    const auto made =
        RunProcess({ffmpeg, "-y", "-f", "lavfi", "-i", "testsrc=size=640x480:rate=25:duration=10", "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=10", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp3", clip});
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
  constexpr int kRounds = 3;
  double direct = 1e9;
  double list = 1e9;
  for (int round = 0; round < kRounds; ++round) {
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
    CTemporaryFiles::DeleteTempFiles();
  }

  std::printf(
      "best of %d rounds\ndirect ffmpeg: %.2f s\ntask list:     %.2f s\nratio (task list / direct): %.3f (goal <= "
      "1.03)\n",
      kRounds, direct, list, list / direct);
  std::filesystem::remove_all(work);
  return 0;
}
