#pragma once
// Where a progress ping puts the main window's bar. File k of N owns the share
// [R/N*(k-1), R/N*k] of the bar's range R; a ping outside that share, or one
// that would jump forward by a whole share at once, leaves the bar alone.

#include <optional>
#include <string>

struct ProgressBarMove {
  int barPosition;  // the bar's new position
  double position;  // the same, for the percentage text
};

std::optional<ProgressBarMove> ProgressPingToBar(int percent, int currentFile, int fileCount, int range,
                                                 int currentBarPosition);

// Where the progress of a list whose files convert side by side puts the bar
// (the ListPercent of a FileProgressPinger, 0..100): that share of range. The
// bar only moves forward.
std::optional<ProgressBarMove> ListProgressToBar(double listPercent, int range, int currentBarPosition);

// "Completed: 37.00%", in the user's language.
std::string CompletedText(double position);
// "Completed 100.00%", as a disc job's end says it, in the user's language.
std::string CompletedEndText(double position);
