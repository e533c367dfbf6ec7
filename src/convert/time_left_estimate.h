#pragma once
// How long a job still needs, from what it has done so far. A job is its
// conversion (the media durations of the files, in order) and the stages that
// follow it (authoring, writing the image or burning), each with an amount of
// work in bytes and a throughput expected of it.
//
// The conversion's speed is measured, never assumed: until it has run for a
// while and converted a part of the media there is no estimate, because the
// first seconds of an encoder (probing, start-up) say little about the rest.
// A later stage is judged by its own measured progress once it has run long
// enough, and until then by its expected throughput.
//
// Times are passed in, so the class reads no clock: the caller's clock and a
// test's are the same to it.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TimeLeftEstimate {
 public:
  using Clock = std::chrono::steady_clock;

  // A stage after the conversion: its work and what it is expected to take
  // before it has shown its own speed.
  struct LaterStage {
    double megabytes = 0;
    double expectedMegabytesPerSecond = 1;
    double fixedSeconds = 0;  // start-up work that does not grow with the size
  };

  // The conversion must run this long, and convert this share of the media,
  // before its speed is taken as the speed of the rest.
  static constexpr std::chrono::seconds kMinConvertingTime{4};
  static constexpr double kMinConvertedShare = 0.03;
  // A later stage is judged by its own progress after this time and share.
  static constexpr std::chrono::seconds kMinStageTime{2};
  static constexpr double kMinStageShare = 0.05;

  TimeLeftEstimate(std::vector<std::int64_t> fileDurationsMs, std::vector<LaterStage> laterStages);

  // Files converted one after another: file (0-based) has reached fraction
  // (0..1) of it, and the files before it are done.
  void Converting(std::size_t file, double fraction, Clock::time_point now);
  // Files converted side by side: file has reached fraction of it, whatever
  // the others have.
  void FileReached(std::size_t file, double fraction, Clock::time_point now);
  // Later stage index (0-based, in the order given) has reached fraction.
  void InLaterStage(std::size_t stage, double fraction, Clock::time_point now);

  // The later stages' work, once the converted files show what it really is.
  void SetLaterStagesMegabytes(double megabytes);

  // The time the job still needs, or nothing while no honest figure exists.
  std::optional<std::chrono::milliseconds> Remaining(Clock::time_point now) const;

 private:
  // The file a ping names, within the list; false for an empty list.
  bool KnownFile(std::size_t& file, Clock::time_point now);
  double ConvertedMs() const;
  std::optional<double> ConvertingSecondsLeft(Clock::time_point now) const;
  double LaterStagesSecondsLeft(Clock::time_point now) const;

  std::vector<std::int64_t> m_fileDurationsMs;
  std::int64_t m_totalMs = 0;
  std::vector<LaterStage> m_laterStages;

  // Where the job stands: the conversion (how far each file is), or later
  // stage m_stage (how far it is).
  bool m_bConverting = true;
  std::vector<double> m_fileFractions;
  double m_fraction = 0;
  std::size_t m_stage = 0;
  std::optional<Clock::time_point> m_convertingStart;
  Clock::time_point m_stageStart;
  // The conversion's measured speed, kept for the later stages' sake: media
  // ms per second.
  std::optional<double> m_convertingSpeed;
};

// "1:05:09", "4:05", "0:09": how a remaining time is shown.
std::string FormatTimeLeft(std::chrono::milliseconds remaining);
