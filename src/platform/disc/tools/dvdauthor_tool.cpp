#include "platform/disc/tools/authoring_tools.h"
#include "platform/disc/tools/program_run.h"

ToolOutcome RunDvdauthor(const std::string& controlFile, const std::string& workFolder, VideoStandard standard,
                         const std::function<void(const DvdauthorLine&)>& onLine, const std::atomic<bool>* stop) {
  ChildProcess::Options options;
  options.workingDirectory = workFolder;
  options.environment = {std::string("VIDEO_FORMAT=") + StandardName(standard)};
  return RunProgram(
      ExternalProgram::Dvdauthor, {"-x", controlFile}, options,
      [&](const std::string& raw) {
        const DvdauthorLine line = ParseDvdauthorLine(raw);
        if (onLine) onLine(line);
        ToolLineReport report;
        if (line.kind == DvdauthorLine::Kind::Error) report.problem = {ProblemKindOf(line.text), line.text};
        report.warning = line.kind == DvdauthorLine::Kind::Warning;
        return report;
      },
      stop);
}
