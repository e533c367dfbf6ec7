#include "convert/time_left_estimate.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

double Seconds(TimeLeftEstimate::Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

}  // namespace

TimeLeftEstimate::TimeLeftEstimate(std::vector<std::int64_t> fileDurationsMs, std::vector<LaterStage> laterStages)
    : m_fileDurationsMs(std::move(fileDurationsMs)), m_laterStages(std::move(laterStages)) {
  for (std::int64_t& duration : m_fileDurationsMs) duration = std::max<std::int64_t>(duration, 0);
  m_totalMs = std::accumulate(m_fileDurationsMs.begin(), m_fileDurationsMs.end(), std::int64_t{0});
  m_fileFractions.assign(m_fileDurationsMs.size(), 0.0);
}

bool TimeLeftEstimate::KnownFile(std::size_t& file, Clock::time_point now) {
  if (!m_bConverting || m_fileFractions.empty()) return false;
  if (!m_convertingStart) m_convertingStart = now;
  // An index past the list counts as its last file.
  file = std::min(file, m_fileFractions.size() - 1);
  return true;
}

void TimeLeftEstimate::Converting(std::size_t file, double fraction, Clock::time_point now) {
  if (!KnownFile(file, now)) return;
  std::fill(m_fileFractions.begin(), m_fileFractions.begin() + static_cast<std::ptrdiff_t>(file), 1.0);
  FileReached(file, fraction, now);
}

void TimeLeftEstimate::FileReached(std::size_t file, double fraction, Clock::time_point now) {
  if (!KnownFile(file, now)) return;
  // Progress never runs backwards: a late ping of an earlier point is ignored.
  m_fileFractions[file] = std::max(m_fileFractions[file], std::clamp(fraction, 0.0, 1.0));
}

void TimeLeftEstimate::InLaterStage(std::size_t stage, double fraction, Clock::time_point now) {
  if (stage >= m_laterStages.size()) return;
  if (m_bConverting) {
    // The conversion's speed, measured to its end, is worth keeping.
    if (m_convertingStart && now > *m_convertingStart) {
      m_convertingSpeed = static_cast<double>(m_totalMs) / Seconds(now - *m_convertingStart);
    }
    m_bConverting = false;
    m_stage = stage;
    m_stageStart = now;
    m_fraction = 0;
  }
  if (stage < m_stage) return;
  if (stage > m_stage) {
    m_stage = stage;
    m_stageStart = now;
    m_fraction = 0;
  }
  m_fraction = std::max(m_fraction, std::clamp(fraction, 0.0, 1.0));
}

void TimeLeftEstimate::SetLaterStagesMegabytes(double megabytes) {
  for (LaterStage& stage : m_laterStages) stage.megabytes = std::max(megabytes, 0.0);
}

double TimeLeftEstimate::ConvertedMs() const {
  double done = 0;
  for (std::size_t index = 0; index < m_fileDurationsMs.size(); ++index) {
    done += m_fileFractions[index] * static_cast<double>(m_fileDurationsMs[index]);
  }
  return done;
}

std::optional<double> TimeLeftEstimate::ConvertingSecondsLeft(Clock::time_point now) const {
  if (!m_convertingStart || m_totalMs <= 0) return std::nullopt;
  const auto elapsed = now - *m_convertingStart;
  const double done = ConvertedMs();
  if (elapsed < kMinConvertingTime || done < kMinConvertedShare * static_cast<double>(m_totalMs)) {
    return std::nullopt;
  }
  const double speed = done / Seconds(elapsed);
  return (static_cast<double>(m_totalMs) - done) / speed;
}

double TimeLeftEstimate::LaterStagesSecondsLeft(Clock::time_point now) const {
  double seconds = 0;
  const std::size_t first = m_bConverting ? 0 : m_stage;
  for (std::size_t index = first; index < m_laterStages.size(); ++index) {
    const LaterStage& stage = m_laterStages[index];
    const double expected = stage.fixedSeconds + stage.megabytes / std::max(stage.expectedMegabytesPerSecond, 1e-3);
    if (m_bConverting || index > m_stage) {
      seconds += expected;
      continue;
    }
    // The running stage: its own pace once it has shown one; before that
    // the part of the expected time its progress leaves, or, while it has
    // reported none, the expected time less the time it has run.
    const double elapsed = Seconds(now - m_stageStart);
    if (elapsed >= Seconds(kMinStageTime) && m_fraction >= kMinStageShare) {
      seconds += elapsed * (1 - m_fraction) / m_fraction;
    } else if (m_fraction > 0) {
      seconds += expected * (1 - m_fraction);
    } else {
      seconds += std::max(expected - elapsed, 0.0);
    }
  }
  return std::max(seconds, 0.0);
}

std::optional<std::chrono::milliseconds> TimeLeftEstimate::Remaining(Clock::time_point now) const {
  double seconds = 0;
  if (m_bConverting) {
    const std::optional<double> converting = ConvertingSecondsLeft(now);
    if (!converting) return std::nullopt;
    seconds = *converting;
  }
  seconds += LaterStagesSecondsLeft(now);
  return std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000 + 0.5));
}

std::string FormatTimeLeft(std::chrono::milliseconds remaining) {
  // Rounded up: "0:00" while work remains would read as done.
  const std::int64_t total = std::max<std::int64_t>((remaining.count() + 999) / 1000, 0);
  const std::int64_t hours = total / 3600;
  const std::int64_t minutes = total / 60 % 60;
  const std::int64_t seconds = total % 60;
  char text[32];
  if (hours > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(hours),
                  static_cast<long long>(minutes), static_cast<long long>(seconds));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(minutes), static_cast<long long>(seconds));
  }
  return text;
}
