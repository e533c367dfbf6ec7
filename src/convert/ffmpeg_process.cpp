#include "convert/ffmpeg_process.h"

#include <cmath>

#include "platform/programs/external_programs.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/path_buffer.h"

std::string FfmpegExecutablePath() {
  const ExternalProgramInfo ffmpeg = GetExternalProgram(ExternalProgram::Ffmpeg);
  return ffmpeg.Found() ? ffmpeg.path : ModuleFolderFile("ffmpeg").str();
}

FfmpegProcess::FfmpegProcess(std::string_view argumentText, std::vector<std::string> arguments, PingReceiver* receiver,
                             double durationSeconds, std::string executable)
    : ProgressPinger(receiver), m_dDuration(durationSeconds) {
  Log("FfmpegProcess constructor");
  m_commandLine.text = "\"" + executable + "\"" + std::string(argumentText);
  m_commandLine.arguments.reserve(arguments.size() + 1);
  m_commandLine.arguments.push_back(std::move(executable));
  for (auto& argument : arguments) m_commandLine.arguments.push_back(std::move(argument));
}

void FfmpegProcess::Start() {
  Log("Starting process:\n%s\n", m_commandLine.text.c_str());
  Open(m_commandLine);
}

void FfmpegProcess::ThrowIfStopped() const {
  if (StopFlag::IsSet()) throw stop_by_user_exception();
}

void FfmpegProcess::OnOutputText(const char* text) {
  ThrowIfStopped();
  m_errorLines.Feed(text);
  const auto seconds = m_status.Feed(text);
  ThrowIfStopped();
  if (!seconds) return;
  if (const auto percent = PercentOf(*seconds, m_dDuration)) Ping(*percent);
}

void FfmpegProcess::OnIdle() {
  ThrowIfStopped();
}

std::optional<int> FfmpegProcess::PercentOf(double seconds, double durationSeconds) {
  if (!(seconds > 0) || !(durationSeconds > 0) || !std::isfinite(seconds) || !std::isfinite(durationSeconds)) {
    return std::nullopt;
  }
  // The duration is whole seconds, so the last updates may pass it a little.
  const double percent = std::min(seconds * 100.0 / durationSeconds, 100.0);
  return static_cast<int>(percent);
}

void FfmpegProcess::Close() {
  if (const auto code = ChildExitCode()) {
    m_exitCode = code;
    m_bSucceeded = *code == 0 && !m_errorLines.OutputUnfinished();
  }
  CRedirector::Close();
}
