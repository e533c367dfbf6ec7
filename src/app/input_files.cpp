// CCastrel1Dlg: the input list - adding, dropping, removing and inspecting
// the files to convert.

#include <exception>

#include "app/main_window_core.h"
#include "platform/video/video_file.h"
#include "support/log.h"

int CCastrel1Dlg::GetFileInputType(const std::string& path) {
  Log("CCastrel1Dlg::GetFileInputType %s", path.c_str());
  if (path.empty()) return -1;
  try {
    int type = -1;
    for (int candidate : {0, 1, 2, 4, 3}) {
      if (m_pIVideoFileIn->IsFileOfType(path, candidate)) type = candidate;
    }
    if (!m_pIVideoFileIn->IsSupportedFile(path)) type = -1;
    Log("FileInputType is: %d", type);
    return type;
  } catch (const std::exception&) {
    Log("GetFileInputType - crashed while checking file format");
    return -1;
  }
}

int CCastrel1Dlg::GetTotalDuration() {
  Log("CCastrel1Dlg::GetTotalDuration");
  int total = 0;
  const int count = m_pView->ListCount();
  for (int index = 0; index < count; ++index) {
    const std::string path = m_pView->ListText(index);
    if (path.empty()) continue;
    try {
      Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
      m_pIVideoFileIn->OpenFile(path);
      total += m_pIVideoFileIn->VideoDuration();
    } catch (const std::exception&) {
      Log("Error opening file - %s", path.c_str());
    }
    Log("m_pIVideoFileIn->CloseFile()");
    m_pIVideoFileIn->CloseFile();
  }
  return total;
}
