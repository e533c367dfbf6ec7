#include "convert/progress_position.h"

#include <algorithm>
#include <cstdio>

#include "support/user_text.h"

std::optional<ProgressBarMove> ProgressPingToBar(int percent, int currentFile, int fileCount, int range,
                                                 int currentBarPosition) {
  if (fileCount <= 0) return std::nullopt;
  const int step = range / fileCount;
  const int base = step * (currentFile - 1);
  const int upper = step * currentFile + 1;
  const double position = base + percent / fileCount;
  if (position < base - 1 || position > upper || position - currentBarPosition >= step) return std::nullopt;
  return ProgressBarMove{static_cast<int>(position), position};
}

std::optional<ProgressBarMove> ListProgressToBar(double listPercent, int range, int currentBarPosition) {
  if (!(listPercent >= 0)) return std::nullopt;  // also NaN
  const double position = std::min(listPercent, 100.0) * range / 100.0;
  if (position < currentBarPosition) return std::nullopt;
  return ProgressBarMove{static_cast<int>(position), position};
}

namespace {

std::string Percent(double position) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.2lf", position);
  return text;
}

}  // namespace

std::string CompletedText(double position) {
  return UserText::Fill(UserText::tr("Completed: %1%"), {Percent(position)});
}

std::string CompletedEndText(double position) {
  return UserText::Fill(UserText::tr("Completed %1%"), {Percent(position)});
}
