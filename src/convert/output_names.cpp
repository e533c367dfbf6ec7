#include "convert/output_names.h"

#include <algorithm>

OutputNameRegister::OutputNameRegister(std::size_t fileCount) : m_settled(fileCount, false) {}

bool OutputNameRegister::EarlierFilesSettled(std::size_t file) const {
  const auto end = m_settled.begin() + static_cast<std::ptrdiff_t>(std::min(file, m_settled.size()));
  return std::all_of(m_settled.begin(), end, [](bool settled) { return settled; });
}

void OutputNameRegister::Claim(std::size_t file, PathBuffer& path) {
  std::unique_lock lock(m_lock);
  m_changed.wait(lock, [&] { return EarlierFilesSettled(file); });
  MakeUniquePath(path, [&](const PathBuffer& candidate) {
    return candidate.Exists() || std::find(m_given.begin(), m_given.end(), candidate) != m_given.end();
  });
  m_given.push_back(path);
  if (file < m_settled.size()) m_settled[file] = true;
  m_changed.notify_all();
}

void OutputNameRegister::Settle(std::size_t file) {
  std::lock_guard lock(m_lock);
  if (file < m_settled.size()) m_settled[file] = true;
  m_changed.notify_all();
}
