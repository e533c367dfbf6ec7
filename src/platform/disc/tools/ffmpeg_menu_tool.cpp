#include "platform/disc/tools/authoring_tools.h"
#include "platform/disc/tools/program_run.h"

ToolOutcome ConvertMenuBackground(const std::string& input, VideoStandard standard, const std::string& output) {
  const std::string target = standard == VideoStandard::Ntsc ? "ntsc-dvd" : "pal-dvd";
  // With "-v error" every line ffmpeg prints is a reason it gives for failing.
  return RunProgram(ExternalProgram::Ffmpeg,
                    {"-hide_banner", "-nostdin", "-v", "error", "-y", "-i", input, "-an", "-target", target, "-aspect",
                     "4:3", output},
                    {}, [](const std::string& line) {
                      ToolLineReport report;
                      report.problem = {ProblemKindOf(line), line};
                      return report;
                    });
}

ToolOutcome SubtitleToSubrip(const std::string& input, int streamIndex, const std::string& subripFile,
                             const std::atomic<bool>* stop) {
  std::vector<std::string> arguments = {"-hide_banner", "-nostdin", "-v", "error", "-y", "-i", "file:" + input};
  if (streamIndex >= 0) arguments.insert(arguments.end(), {"-map", "0:" + std::to_string(streamIndex)});
  arguments.insert(arguments.end(), {"-c:s", "srt", "-f", "srt", "file:" + subripFile});
  return RunProgram(
      ExternalProgram::Ffmpeg, arguments, {},
      [](const std::string& line) {
        ToolLineReport report;
        report.problem = {ProblemKindOf(line), line};
        return report;
      },
      stop);
}
