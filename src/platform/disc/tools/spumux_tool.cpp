#include "platform/disc/tools/authoring_tools.h"
#include "platform/disc/tools/program_run.h"
#include "platform/disc/tools/spumux_output.h"

namespace {

ToolOutcome RunSpumux(const std::string& controlFile, const std::string& input, const std::string& output,
                      int streamNumber, const std::string& workFolder, VideoStandard standard,
                      const std::atomic<bool>* stop) {
  ChildProcess::Options options;
  options.workingDirectory = workFolder;
  options.stdinPath = input;
  options.stdoutPath = output;
  options.environment = {std::string("VIDEO_FORMAT=") + StandardName(standard)};
  return RunProgram(
      ExternalProgram::Spumux, {"-m", "dvd", "-s", std::to_string(streamNumber), controlFile}, options,
      [](const std::string& raw) {
        const SpumuxLine line = ParseSpumuxLine(raw);
        ToolLineReport report;
        if (line.kind == SpumuxLine::Kind::Error) report.problem = {ProblemKindOf(line.text), line.text};
        report.warning = line.kind == SpumuxLine::Kind::Warning;
        return report;
      },
      stop);
}

}  // namespace

ToolOutcome MuxSubtitles(const std::string& controlFile, const std::string& title, const std::string& muxedTitle,
                         int streamNumber, const std::string& workFolder, VideoStandard standard,
                         const std::atomic<bool>* stop) {
  return RunSpumux(controlFile, title, muxedTitle, streamNumber, workFolder, standard, stop);
}

ToolOutcome MuxMenuButtons(const std::string& controlFile, const std::string& menuVideo, const std::string& muxedVideo,
                           const std::string& workFolder, VideoStandard standard) {
  return RunSpumux(controlFile, menuVideo, muxedVideo, 0, workFolder, standard, nullptr);
}
