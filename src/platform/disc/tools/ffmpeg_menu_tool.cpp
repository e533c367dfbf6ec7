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
