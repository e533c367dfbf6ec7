#pragma once
// What the benchmarks share: a scratch folder, clips that ffmpeg generates
// from its lavfi test sources, the same commands run by hand, the task list
// waited for, timing, and ending with a message when something fails.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "convert/ping.h"
#include "formats/encoding_parameters.h"
#include "platform/process/child_process.h"
#include "support/path_buffer.h"

class OutputFormat;

namespace benchsupport {

using Clock = std::chrono::steady_clock;

// Ends the benchmark with exit status 1, what failed on stderr after the
// program's name: a broken benchmark must fail bench/run-quick, not print
// figures of half a run.
[[noreturn]] void Fail(const std::string& what);
// Fails with what unless ok.
void Check(bool ok, const std::string& what);

// A fresh folder under the temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Runs ffmpeg, quiet and overwriting, with these arguments; fails with its
// output when it fails.
void RunFfmpeg(const std::vector<std::string>& arguments);

// The luma PSNR (dB) and SSIM of a converted title against its source, the
// title scaled back to the source's size ("640:480") in square pixels.
struct PictureQuality {
  double psnr = 0;
  double ssim = 0;
};
PictureQuality ComparePictures(const std::string& title, const std::string& source, const std::string& sourceSize);

// ffmpeg's two inputs of a generated clip of `seconds`: lavfi's test picture
// of size at 25 frames a second, with filters after it (",noise=...": noise
// gives the encoders a realistic data rate), and a 440 Hz tone.
std::vector<std::string> TestClipInputs(const std::string& seconds, const std::string& size,
                                        const std::string& filters = "");

// A 640x480 MPEG-4 AVI with MP3 sound: what the conversion benchmarks
// convert; filters as for TestClipInputs (kMovingNoise: content where bits
// matter).
void MakeClip(const std::string& path, const std::string& seconds, const std::string& filters = "");
// count such clips, folder/clip0.avi, clip1.avi, ... in that order.
std::vector<std::string> MakeClips(const std::string& folder, int count, const std::string& seconds,
                                   const std::string& filters = "");
// (In YUV: on testsrc's RGB the noise filter leaves little for an encoder to keep.)
inline constexpr const char* kMovingNoise = ",format=yuv420p,noise=alls=12:allf=t+u";

// The value after "--seconds" on the command line, otherwise this one.
std::string SecondsOption(int argc, char** argv, const std::string& otherwise);
// True when flag ("--hard") is on the command line.
bool HasFlag(int argc, char** argv, const std::string& flag);

double Seconds(Clock::duration duration);

// Seconds taken by work.
template <typename Work>
double SecondsOf(Work&& work) {
  const auto start = Clock::now();
  work();
  return Seconds(Clock::now() - start);
}

// Processor seconds (user and system) used so far by this process, and by
// its children waited for so far.
double OwnProcessorSeconds();
double ChildrenProcessorSeconds();

// The better (shorter) of several rounds' times: a busy moment of the machine
// makes a round slower, never faster, so the best round is the fair figure.
class BestTime {
 public:
  // True when this round is the best so far.
  bool Add(double seconds) {
    const bool better = seconds < m_seconds;
    m_seconds = std::min(m_seconds, seconds);
    return better;
  }
  double Seconds() const { return m_seconds; }

 private:
  double m_seconds = 1e9;
};

// A command to run again by hand, as a run through the program started it.
struct Command {
  std::vector<std::string> argv;
  ChildProcess::Options options;
};

// ffmpeg's command line that the converter runs to convert input to output.
std::vector<std::string> ConverterCommand(const std::string& input, const std::string& output,
                                          const EncodingParameters& parameters);

// Runs the commands one after another; fails with the first that fails.
void RunCommands(const std::vector<Command>& commands);

// Notes the task list's final ping, which comes from the list's own thread.
class TaskListEnd : public PingReceiver {
 public:
  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override;
  void Wait();
  // For a loop that handles events while the list runs.
  bool Ended() const { return m_ended.load(); }

 private:
  std::mutex m_lock;
  std::condition_variable m_done;
  std::atomic<bool> m_ended{false};
};

// Converts inputs into folder with the task list, to the list's end.
void ConvertWithTheTaskList(const std::vector<PathBuffer>& inputs, const std::string& folder,
                            const OutputFormat& format);

}  // namespace benchsupport
