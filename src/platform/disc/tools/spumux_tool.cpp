#include "platform/disc/tools/authoring_tools.h"
#include "platform/disc/tools/program_run.h"
#include "platform/disc/tools/spumux_output.h"

ToolOutcome MuxMenuButtons(const std::string& controlFile, const std::string& menuVideo, const std::string& muxedVideo,
                           const std::string& workFolder, VideoStandard standard) {
  ChildProcess::Options options;
  options.workingDirectory = workFolder;
  options.stdinPath = menuVideo;
  options.stdoutPath = muxedVideo;
  options.environment = {std::string("VIDEO_FORMAT=") + StandardName(standard)};
  return RunProgram(ExternalProgram::Spumux, {"-m", "dvd", "-s", "0", controlFile}, options,
                    [](const std::string& raw) {
                      const SpumuxLine line = ParseSpumuxLine(raw);
                      ToolLineReport report;
                      if (line.kind == SpumuxLine::Kind::Error) report.problem = {ProblemKindOf(line.text), line.text};
                      report.warning = line.kind == SpumuxLine::Kind::Warning;
                      return report;
                    });
}
