#include "convert/list_progress.h"

#include <algorithm>

ListProgress::ListProgress(std::size_t fileCount) : m_filePercents(fileCount, 0) {}

double ListProgress::FileReached(std::size_t file, int percent) {
  if (file < m_filePercents.size()) {
    int& reached = m_filePercents[file];
    const int raised = std::max(reached, std::clamp(percent, 0, 100));
    m_nSum += raised - reached;
    reached = raised;
  }
  return Percent();
}

double ListProgress::FileEnded(std::size_t file) {
  return FileReached(file, 100);
}

double ListProgress::Percent() const noexcept {
  if (m_filePercents.empty()) return 100;
  return static_cast<double>(m_nSum) / static_cast<double>(m_filePercents.size());
}
