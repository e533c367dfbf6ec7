#include "app/batch/console_view.h"

#include "app/batch/console_progress.h"

void ConsoleView::ExchangeData(DialogData& data, bool save) {
  if (save) {
    data = m_data;
  } else {
    m_data = data;
  }
}

void ConsoleView::SetStatusText(const std::string& text) {
  m_strStatus = text;
  m_out.Stage(text);
}

void ConsoleView::SetProgress(int percent) {
  m_out.Percent(percent);
}

std::string ConsoleView::ListText(int index) {
  if (index < 0 || index >= ListCount()) return "";
  return m_list[static_cast<std::size_t>(index)];
}

void ConsoleView::ListDelete(int index) {
  if (index < 0 || index >= ListCount()) return;
  m_list.erase(m_list.begin() + index);
  m_nSelection = -1;
}
