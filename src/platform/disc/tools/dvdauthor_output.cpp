#include "platform/disc/tools/dvdauthor_output.h"

#include <algorithm>
#include <cstdio>

#include "platform/disc/disc_text.h"

namespace {}  // namespace

DvdauthorLine ParseDvdauthorLine(std::string_view raw) {
  DvdauthorLine line;
  const std::string_view text = TrimBlanks(raw);
  if (text.starts_with("ERR:")) {
    line.kind = DvdauthorLine::Kind::Error;
    line.text = std::string(TrimBlanks(text.substr(4)));
    return line;
  }
  if (text.starts_with("WARN:")) {
    line.kind = DvdauthorLine::Kind::Warning;
    line.text = std::string(TrimBlanks(text.substr(5)));
    return line;
  }
  if (!text.starts_with("STAT:")) return line;
  const std::string stat(TrimBlanks(text.substr(5)));

  int a = 0, b = 0, c = 0, d = 0;
  char tail = 0;
  if (std::sscanf(stat.c_str(), "Picking VTS %d", &a) == 1) {
    line.kind = DvdauthorLine::Kind::PickingTitleset;
    line.titleset = a;
  } else if (stat.starts_with("Processing ")) {
    std::string_view file = std::string_view(stat).substr(11);
    if (file.size() >= 3 && file.substr(file.size() - 3) == "...") file.remove_suffix(3);
    line.kind = DvdauthorLine::Kind::Processing;
    line.file = std::string(file);
  } else if (std::sscanf(stat.c_str(), "VOBU %d at %dM%c", &a, &b, &tail) == 3 && tail == 'B') {
    line.kind = DvdauthorLine::Kind::Multiplexing;
    line.vobus = a;
    line.megabytes = b;
  } else if (std::sscanf(stat.c_str(), "fixing VOBU at %dMB (%d/%d, %d%%", &a, &b, &c, &d) == 4) {
    line.kind = DvdauthorLine::Kind::Fixing;
    line.megabytes = a;
    line.done = b;
    line.total = c;
    line.percent = d;
  } else if (std::sscanf(stat.c_str(), "fixed %d VOBU%c", &a, &tail) == 2) {
    line.kind = DvdauthorLine::Kind::Fixed;
    line.vobus = a;
  }
  return line;
}

DvdauthorProgress::DvdauthorProgress(std::vector<double> titlesetMegabytes)
    : m_megabytes(std::move(titlesetMegabytes)) {
  m_point.b = std::max(1, static_cast<int>(m_megabytes.size()) * 2);
}

bool DvdauthorProgress::MoveTo(int a, float x) {
  a = std::clamp(a, 0, m_point.b);
  x = a == m_point.b ? 0.0f : std::clamp(x, 0.0f, 100.0f);
  if (a < m_point.a || (a == m_point.a && x <= m_point.x)) return false;
  m_point.a = a;
  m_point.x = x;
  return true;
}

bool DvdauthorProgress::Apply(const DvdauthorLine& line) {
  const int count = static_cast<int>(m_megabytes.size());
  switch (line.kind) {
    case DvdauthorLine::Kind::PickingTitleset:
      m_titleset = line.titleset;
      return MoveTo(2 * (m_titleset - 1), 0);
    case DvdauthorLine::Kind::Multiplexing: {
      // Menus come after the titlesets and add nothing of their own.
      if (m_titleset < 1 || m_titleset > count) return false;
      const double size = m_megabytes[static_cast<std::size_t>(m_titleset - 1)];
      const double share = size > 0 ? 100.0 * line.megabytes / size : 0.0;
      return MoveTo(2 * (m_titleset - 1), static_cast<float>(share));
    }
    case DvdauthorLine::Kind::Fixing:
      if (m_titleset < 1 || m_titleset > count) return false;
      return MoveTo(2 * (m_titleset - 1) + 1, static_cast<float>(line.percent));
    case DvdauthorLine::Kind::Fixed:
      if (m_titleset < 1 || m_titleset > count) return false;
      return MoveTo(2 * m_titleset, 0);
    default:
      return false;
  }
}
