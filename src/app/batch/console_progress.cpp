#include "app/batch/console_progress.h"

#include "convert/time_left_estimate.h"

ConsoleProgress::ConsoleProgress(std::FILE* stream, bool terminal) : m_stream(stream), m_bTerminal(terminal) {}

void ConsoleProgress::Stage(const std::string& text) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (text == m_strStage) return;
  m_strStage = text;
  ShowState();
}

void ConsoleProgress::Percent(int percent) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (percent == m_nPercent) return;
  m_nPercent = percent;
  ShowState();
}

void ConsoleProgress::TimeLeft(std::optional<std::chrono::milliseconds> remaining) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_timeLeft = remaining;
  // In a log the figure rides along with the next percent; a terminal shows it now.
  if (m_bTerminal) ShowState();
}

void ConsoleProgress::Message(const std::string& text) {
  std::lock_guard<std::mutex> lock(m_lock);
  ClearLine();
  std::fprintf(m_stream, "%s\n", text.c_str());
  if (m_bTerminal) ShowState();
  std::fflush(m_stream);
}

void ConsoleProgress::Finish() {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_bLineOpen) std::fputc('\n', m_stream);
  m_bLineOpen = false;
  std::fflush(m_stream);
}

std::string ConsoleProgress::StateLine() const {
  std::string line = m_strStage;
  if (m_nPercent >= 0) {
    if (!line.empty()) line += ' ';
    line += std::to_string(m_nPercent) + "%";
  }
  if (m_timeLeft) line += " (" + FormatTimeLeft(*m_timeLeft) + " left)";
  return line;
}

void ConsoleProgress::ShowState() {
  // The bar's reset as the job is set up is no progress yet.
  if (m_strStage.empty()) return;
  if (m_bTerminal) {
    std::fprintf(m_stream, "\r\033[K%s", StateLine().c_str());
    m_bLineOpen = true;
  } else {
    if (m_strStage == m_strPrintedStage && m_nPercent == m_nPrintedPercent) return;
    std::fprintf(m_stream, "%s\n", StateLine().c_str());
    m_strPrintedStage = m_strStage;
    m_nPrintedPercent = m_nPercent;
  }
  std::fflush(m_stream);
}

void ConsoleProgress::ClearLine() {
  if (!m_bTerminal || !m_bLineOpen) return;
  std::fputs("\r\033[K", m_stream);
  m_bLineOpen = false;
}
