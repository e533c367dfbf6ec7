#pragma once
// One run of the ffmpeg program: turns the "time=" of its status output into
// progress pings (percent of the input's duration), honours the stop flag,
// and records whether ffmpeg ended with exit code 0.

#include <string>
#include <string_view>
#include <vector>

#include "convert/ffmpeg_error_lines.h"
#include "convert/ffmpeg_status.h"
#include "convert/ping.h"
#include "convert/redirector.h"

// ffmpeg from the table of external programs (beside our executable, else
// the one on PATH). When there is neither, the path beside the executable, so
// that starting it fails with a clear error.
std::string FfmpegExecutablePath();

class FfmpegProcess : public ProgressPinger, public CRedirector {
 public:
  // argumentText: the arguments as shown in the log (starting with a blank);
  // arguments: the same arguments as a vector, which is what runs.
  // durationSeconds: the input's duration; without a positive one no
  // progress can be computed and none is pinged.
  FfmpegProcess(std::string_view argumentText, std::vector<std::string> arguments, PingReceiver* receiver,
                double durationSeconds, std::string executable = FfmpegExecutablePath());

  // Runs ffmpeg to its end. Throws stop_by_user_exception when the stop flag
  // is set while it runs (ffmpeg is killed first).
  void Start();

  bool Succeeded() const noexcept { return m_bSucceeded; }
  // ffmpeg's exit code once it has ended on its own; nullopt when it could
  // not be started or was killed.
  std::optional<int> ExitCode() const noexcept { return m_exitCode; }
  // Its last lines that were not status updates.
  std::vector<std::string> LastLines() const { return m_errorLines.Lines(); }
  const std::string& CommandLineText() const noexcept { return m_commandLine.text; }

  void OnOutputText(const char* text) override;
  void OnIdle() override;
  void Close() override;

  // Percent of duration reached at seconds, 0..100; nullopt when it cannot be
  // computed or is not positive.
  static std::optional<int> PercentOf(double seconds, double durationSeconds);

 private:
  void ThrowIfStopped() const;

  bool m_bSucceeded = false;
  std::optional<int> m_exitCode;
  double m_dDuration;
  CommandLine m_commandLine;
  FfmpegStatusReader m_status;
  FfmpegErrorLines m_errorLines;
};
