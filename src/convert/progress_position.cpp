#include "convert/progress_position.h"

#include <algorithm>
#include <cstdio>

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

std::string CompletedText(double position) {
  char text[64];
  std::snprintf(text, sizeof text, "Completed: %0.2lf%%", position);
  return text;
}
