#pragma once
// The progress of a whole list whose files may convert side by side: each
// file owns an equal share, an ended file (converted, failed or stopped) its
// whole share, a running one the part its encoder has reached. The sum only
// rises, so the bar built on it never steps back when another file reports.

#include <cstddef>
#include <vector>

class ListProgress {
 public:
  explicit ListProgress(std::size_t fileCount);

  // The file has reached percent (clamped to 0..100; a lower value than one
  // seen before is kept at that one). Returns the list's percent.
  double FileReached(std::size_t file, int percent);
  // The file has ended, whatever its result. Returns the list's percent.
  double FileEnded(std::size_t file);

  // 0..100; 100 for an empty list.
  double Percent() const noexcept;

 private:
  std::vector<int> m_filePercents;
  long m_nSum = 0;
};
