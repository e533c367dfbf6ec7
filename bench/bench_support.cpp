#include "bench_support.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "convert/convert_task_list.h"
#include "convert/converter.h"
#include "platform/process/find_program.h"

namespace benchsupport {

void Fail(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what.c_str());
  std::exit(1);
}

void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

ScratchFolder::ScratchFolder() {
  std::string pattern = TempFolderPath().str() + "/orlenta-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp: " + std::generic_category().message(errno));
  m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void RunFfmpeg(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-loglevel", "error", "-y"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const ProcessResult result = RunProcess(argv);
  Check(result.Succeeded(), "ffmpeg failed: " + CommandText(argv) + "\n" + result.output);
}

namespace {

// The number after key in ffmpeg's log of the psnr or ssim filter.
double FigureAfter(const std::string& log, const std::string& key) {
  const auto at = log.rfind(key);
  Check(at != std::string::npos, "no " + key + " in:\n" + log);
  return std::stod(log.substr(at + key.size()));
}

}  // namespace

PictureQuality ComparePictures(const std::string& title, const std::string& source, const std::string& sourceSize) {
  const std::vector<std::string> argv = {FindProgram("ffmpeg"),
                                         "-hide_banner",
                                         "-nostdin",
                                         "-i",
                                         title,
                                         "-i",
                                         source,
                                         "-lavfi",
                                         "[0:v]setpts=PTS-STARTPTS,scale=" + sourceSize +
                                             ":flags=bicubic,setsar=1,split[a][c];"
                                             "[1:v]setpts=PTS-STARTPTS,setsar=1,split[b][d];"
                                             "[a][b]psnr;[c][d]ssim",
                                         "-f",
                                         "null",
                                         "-"};
  const ProcessResult result = RunProcess(argv);
  Check(result.Succeeded(), "ffmpeg failed: " + CommandText(argv) + "\n" + result.output);
  return {FigureAfter(result.output, "PSNR y:"), FigureAfter(result.output, "SSIM Y:")};
}

std::vector<std::string> TestClipInputs(const std::string& seconds, const std::string& size,
                                        const std::string& filters) {
  return {"-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=25:duration=" + seconds + filters,
          "-f", "lavfi", "-i", "sine=frequency=440:duration=" + seconds};
}

void MakeClip(const std::string& path, const std::string& seconds, const std::string& filters) {
  std::vector<std::string> arguments = TestClipInputs(seconds, "640x480", filters);
  arguments.insert(arguments.end(), {"-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp3", path});
  RunFfmpeg(arguments);
}

std::vector<std::string> MakeClips(const std::string& folder, int count, const std::string& seconds,
                                   const std::string& filters) {
  std::vector<std::string> clips;
  for (int i = 0; i < count; ++i) {
    clips.push_back(folder + "/clip" + std::to_string(i) + ".avi");
    MakeClip(clips.back(), seconds, filters);
  }
  return clips;
}

std::string SecondsOption(int argc, char** argv, const std::string& otherwise) {
  std::string seconds = otherwise;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--seconds") seconds = argv[i + 1];
  }
  return seconds;
}

bool HasFlag(int argc, char** argv, const std::string& flag) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == flag) return true;
  }
  return false;
}

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

namespace {

double ProcessorSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

double OwnProcessorSeconds() {
  return ProcessorSeconds(RUSAGE_SELF);
}

double ChildrenProcessorSeconds() {
  return ProcessorSeconds(RUSAGE_CHILDREN);
}

std::vector<std::string> ConverterCommand(const std::string& input, const std::string& output,
                                          const EncodingParameters& parameters) {
  std::vector<std::string> argv = {FindProgram("ffmpeg")};
  const auto arguments = ExternalConverter(input, output, parameters, nullptr).GetArgumentVector();
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

void RunCommands(const std::vector<Command>& commands) {
  for (const auto& command : commands) {
    const ProcessResult run = RunProcess(command.argv, command.options);
    Check(run.Succeeded(), "the command failed: " + CommandText(command.argv) + "\n" + run.output);
  }
}

std::int32_t TaskListEnd::OnPing(std::int32_t value, const Pinger& sender) {
  if (value == end_of_list && dynamic_cast<const ConvertTaskList*>(&sender) != nullptr) {
    std::lock_guard lock(m_lock);
    m_ended = true;
    m_done.notify_all();
  }
  return 0;
}

void TaskListEnd::Wait() {
  std::unique_lock lock(m_lock);
  m_done.wait(lock, [&] { return m_ended.load(); });
}

void ConvertWithTheTaskList(const std::vector<PathBuffer>& inputs, const std::string& folder,
                            const OutputFormat& format) {
  TaskListEnd end;
  ConvertTaskList::Start(ConvertTaskList(inputs, folder, format, &end));
  end.Wait();
}

}  // namespace benchsupport
