// CCastrel1Dlg: the input list - adding, dropping, removing and inspecting
// the files to convert.

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <exception>

#include "app/dropped_uris.h"
#include "app/main_window_core.h"
#include "convert/converter.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/shell_open.h"
#include "platform/video/video_file.h"
#include "support/log.h"
#include "support/maker_pages.h"
#include "support/path_buffer.h"
#include "support/user_text.h"

namespace {

// "Sound tracks: 2, subtitle tracks: 1"; "" when the streams cannot be read.
std::string TracksText(const std::string& path) {
  const InputProbe probe = ProbeInput(path.c_str());
  if (!probe.streamsKnown) return "";
  return UserText::Fill(UserText::tr("Sound tracks: %1, subtitle tracks: %2"),
                        {std::to_string(probe.tracks.sounds.size()), std::to_string(probe.tracks.subtitles.size())});
}

// The Add File chooser's types, in the Windows filter form: every container
// the reader opens, as the files people have are named (Matroska and WebM,
// camcorder and broadcast transport streams, phone video, Ogg, Flash, DV,
// Real Media), besides the classic types.
constexpr const char* kVideoFilesFilter =
    "All Video Files|*.avi;*.mpg;*.mpeg;*.mp2;*.mpe;*.mp4;*.mvv;*.wmv;*.asf;*.mov;*.qt;*.dat;*.mkv;*.webm;*.ts;*.mts;"
    "*.m2ts;*.m2t;*.vob;*.3gp;*.3g2;*.m4v;*.ogv;*.flv;*.dv;*.rm;*.rmvb|AVI Files "
    "(*.avi)|*.avi|Mpeg files (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)|*.mpg;*.mpeg;*.mp2;*.mpe;*.mp4;*.mvv|Windows "
    "Media files (*.wmv, *.wma, *.asf)|*.wmv;*.wma;*.asf|Quick Time Files (*.mov, *.qt)|*.mov; *.qt|Video CD files "
    "(*.dat)|*.dat|Matroska and WebM files (*.mkv, *.webm)|*.mkv;*.webm|MPEG transport streams (*.ts, *.mts, *.m2ts, "
    "*.m2t)|*.ts;*.mts;*.m2ts;*.m2t|DVD video files (*.vob)|*.vob|Phone video files (*.3gp, *.3g2, *.m4v)|*.3gp;*.3g2;"
    "*.m4v|Ogg video files (*.ogv)|*.ogv|Flash video files (*.flv)|*.flv|DV files (*.dv)|*.dv|Real Media files (*.rm, "
    "*.rmvb)|*.rm;*.rmvb|All files (*.*)|*.*|";

// The types' names above, marked for the catalogues: the chooser shows them
// in the user's language.
[[maybe_unused]] constexpr const char* kVideoFilesFilterNames[] = {
    QT_TRANSLATE_NOOP("UserText", "All Video Files"),
    QT_TRANSLATE_NOOP("UserText", "AVI Files (*.avi)"),
    QT_TRANSLATE_NOOP("UserText", "Mpeg files (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)"),
    QT_TRANSLATE_NOOP("UserText", "Windows Media files (*.wmv, *.wma, *.asf)"),
    QT_TRANSLATE_NOOP("UserText", "Quick Time Files (*.mov, *.qt)"),
    QT_TRANSLATE_NOOP("UserText", "Video CD files (*.dat)"),
    QT_TRANSLATE_NOOP("UserText", "Matroska and WebM files (*.mkv, *.webm)"),
    QT_TRANSLATE_NOOP("UserText", "MPEG transport streams (*.ts, *.mts, *.m2ts, *.m2t)"),
    QT_TRANSLATE_NOOP("UserText", "DVD video files (*.vob)"),
    QT_TRANSLATE_NOOP("UserText", "Phone video files (*.3gp, *.3g2, *.m4v)"),
    QT_TRANSLATE_NOOP("UserText", "Ogg video files (*.ogv)"),
    QT_TRANSLATE_NOOP("UserText", "Flash video files (*.flv)"),
    QT_TRANSLATE_NOOP("UserText", "DV files (*.dv)"),
    QT_TRANSLATE_NOOP("UserText", "Real Media files (*.rm, *.rmvb)"),
    QT_TRANSLATE_NOOP("UserText", "All files (*.*)"),
};

// How many bytes of an AVI file's start hold its stream headers.
constexpr std::size_t kAviHeaderBytes = 1000;

// The section of the help page about codecs: it stands in for the maker's
// codec and QuickTime pages.
constexpr const char* kCodecsSection = "codecs";

bool EndsWithNoCase(const std::string& text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = std::string_view(text).substr(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != std::tolower(static_cast<unsigned char>(ending[i]))) {
      return false;
    }
  }
  return true;
}

bool EndsWith(const std::string& text, std::string_view ending) {
  return text.size() >= ending.size() && std::string_view(text).substr(text.size() - ending.size()) == ending;
}

// Up to four bytes at data as a text that ends at a zero byte.
std::string FourCharacters(const unsigned char* data, std::size_t available) {
  std::string text;
  for (std::size_t i = 0; i < 4 && i < available && data[i] != 0; ++i) text += static_cast<char>(data[i]);
  return text;
}

std::string HelpPage() {
  return ModuleFolderFile("Orlenta.html").str();
}

}  // namespace

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

bool CCastrel1Dlg::AddFile(const std::string& path) {
  Log("AddFile(CString &sFile) -> Adding a file to the files list control: %s", path.c_str());
  if (GetFileInputType(path) < 0) {
    Log("File is not a video file");
    MessageBox(Owner(), UserText::Fill(UserText::tr("%1 is not a video file or format is not supported!"), {path}),
               UserText::tr(""), MB_OK);
    return false;
  }
  Log("Check if the file is .avi");
  m_strFOURCC = EndsWithNoCase(path, ".avi") ? GetFOURCC(path) : std::string();
  Log("Set the m_strFOURCC");

  Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
  const ReaderUse use(*this);
  try {
    m_pIVideoFileIn->OpenFile(path);
    // The disc plan counts every listed file's length.
    m_mapListDurations[path] = m_pIVideoFileIn->PlayingDuration();
  } catch (const std::exception&) {
    Log("Error opening file %s", path.c_str());
    CloseReader();
    Log("Check if codec available");
    OfferCodecOrReportUnopened(path);
    return false;
  }
  CloseReader();

  Log("Add file's name to m_ctrlFiles");
  m_pView->ListAppend(path);
  m_pView->ListSelect(m_pView->ListCount() - 1);
  UpdateDiscPlan();
  return true;
}

std::string CCastrel1Dlg::GetFOURCC(const std::string& path) {
  Log("CCastrel1Dlg::GetFOURCC");
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    std::string reason = std::strerror(errno);
    if (reason.size() > 255) reason.resize(255);
    MessageBox(Owner(), UserText::Fill(UserText::tr("The AVI file could not be opened:\n%1"), {reason}),
               UserText::tr(""), MB_OK);
    return {};
  }
  unsigned char bytes[kAviHeaderBytes];
  std::size_t count = 0;
  while (count < sizeof bytes) {
    const ssize_t got = ::read(file, bytes + count, sizeof bytes - count);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    count += static_cast<std::size_t>(got);
  }
  ::close(file);

  // The stream header's type, "vids" (video) or "iavs" (interleaved DV), is
  // followed by the codec's code; a code near the end of the bytes read is
  // taken as far as it was read.
  for (std::size_t i = 0; i + 4 < count; ++i) {
    const std::string tag = FourCharacters(bytes + i, count - i);
    if (tag == "vids" || tag == "iavs") return FourCharacters(bytes + i + 4, count - i - 4);
  }
  MessageBox(Owner(), UserText::tr("Could not identify the codec used to encode the AVI file"), UserText::tr(""),
             MB_OK);
  return {};
}

bool CCastrel1Dlg::InputFileInfo(const std::string& path) {
  Log("CCastrel1Dlg::InputFileInfo");
  m_nFileInputType = -1;
  if (path.empty()) return false;
  m_nFileInputType = GetFileInputType(path);
  if (m_nFileInputType < 0) {
    const bool quickTime =
        EndsWith(path, ".mov") || EndsWith(path, ".qt") || EndsWith(path, ".MOV") || EndsWith(path, ".QT");
    if (quickTime) {
      if (AskDialog(Owner(), MovWarningRequest{}).code == IDOK) {
        ShellOpen(LocalPageAddress(HelpPage(), {}, kCodecsSection));
      }
    } else {
      Log("Warning: %s The file you have selected is not a video file or this format is not supported", path.c_str());
      MessageBox(
          Owner(),
          UserText::Fill(
              UserText::tr("%1\n\nThe file you have selected is not a video file or this format is not supported"),
              {path}),
          UserText::tr("Warning"), MB_OK | MB_ICONWARNING);
    }
    return false;
  }

  // Opening reports its progress, and the window goes on drawing meanwhile;
  // a drop that arrives then waits, as the reader is in use.
  const ReaderUse use(*this);
  try {
    Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
    m_pIVideoFileIn->OpenFile(path);
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    m_bHasVideo = m_pIVideoFileIn->HasVideo();
    m_bHasAudio = m_pIVideoFileIn->HasAudio();
    if (!m_bHasVideo && !m_bHasAudio) {
      Log("Input file has no video or audio tracks");
      MessageBox(Owner(), UserText::Fill(UserText::tr("Input file has no video or audio tracks\n\n%1"), {path}),
                 UserText::tr("Error"), MB_OK | MB_ICONERROR);
      CloseReader();
      return false;
    }
    if (m_bHasVideo) {
      Log("Show Video Data");
      const std::string codecName = m_pIVideoFileIn->VideoCodecName();
      if (codecName.empty() && m_nFileInputType == 0) {
        CloseReader();
        Log("No Codec or Can't open file");
        OfferCodecOrReportUnopened(path);
        return false;
      }
      const int duration = m_pIVideoFileIn->VideoDuration();
      m_nTotalDuration = duration;
      m_strDuration = std::to_string(duration) + " ms";
      m_strBitRate = std::to_string(m_pIVideoFileIn->VideoBitrate()) + " Kbps";
      char frameRate[64];
      std::snprintf(frameRate, sizeof frameRate, "%.2f fps", m_pIVideoFileIn->FrameRate());
      m_strFrameRate = frameRate;
      m_strCodecName = codecName;
      UpdateData(false);
    }
    if (m_bHasAudio) {
      Log("Show Audio Data");
      if (!m_bHasVideo) m_nTotalDuration = m_pIVideoFileIn->AudioDuration();
    }
    m_nWidth = m_pIVideoFileIn->Width();
    m_nHeight = m_pIVideoFileIn->Height();
    CloseReader();
    m_strTracks = TracksText(path);
    UpdateData(false);
    return true;
  } catch (const std::exception&) {
    CloseReader();
    Log("No Codec or Can't open file - catch block");
    OfferCodecOrReportUnopened(path);
    return false;
  }
}

void CCastrel1Dlg::InternetSearchCodec(const std::string& code) {
  Log("CCastrel1Dlg::InternetSearchCodec");
  const std::string message = UserText::Fill(
      UserText::tr(
          "The AVI file you are trying to convert needs %1 codec.\n\nDo you want to download and install the codec?"),
      {code});
  const int answer = AskDialog(Owner(), FindCodecRequest{message, code}).code;
  if (answer == IDCANCEL) return;
  // The code comes from the file and may hold any byte: it is encoded, so it
  // stays one value of the query.
  ShellOpen(LocalPageAddress(HelpPage(), {{"c", code}, {"a", answer == IDOK ? "d" : "s"}}, kCodecsSection));
}

int CCastrel1Dlg::GetTotalDuration() {
  Log("CCastrel1Dlg::GetTotalDuration");
  const ReaderUse use(*this);
  int total = 0;
  const int count = m_pView->ListCount();
  for (int index = 0; index < count; ++index) {
    const std::string path = m_pView->ListText(index);
    if (path.empty()) continue;
    try {
      Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
      m_pIVideoFileIn->OpenFile(path);
      // A file of sound only makes a title as long as its sound.
      total += m_pIVideoFileIn->PlayingDuration();
    } catch (const std::exception&) {
      Log("Error opening file - %s", path.c_str());
    }
    Log("m_pIVideoFileIn->CloseFile()");
    m_pIVideoFileIn->CloseFile();
  }
  return total;
}

void CCastrel1Dlg::OnButtonBrowseSource() {
  Log("CCastrel1Dlg::OnButtonBrowseSource");
  m_strFOURCC.clear();
  ClosePlayer();
  OpenFilesRequest request;
  request.filters = FileFiltersFromText(kVideoFilesFilter);
  for (FileFilter& filter : request.filters) filter.description = UserText::Lookup(filter.description.c_str());
  request.multiSelect = true;
  const DialogReply<OpenFilesRequest> chosen = AskDialog(Owner(), request);
  if (chosen.code != IDOK || !chosen.answer) return;
  for (const std::string& path : chosen.answer->files) AddFile(path);
  InspectAndShowLastEntry();
}

void CCastrel1Dlg::OnDropFiles(const std::vector<std::string>& paths) {
  Log("CCastrel1Dlg::OnDropFiles");
  if (ReaderInUse()) {
    // A running job (or an inspection) uses the reader: the files wait, in
    // their order, and the window says so under the list.
    m_arrDeferredDrops.insert(m_arrDeferredDrops.end(), paths.begin(), paths.end());
    Log("OnDropFiles - %d file(s) wait until the reader is free", static_cast<int>(m_arrDeferredDrops.size()));
    const std::size_t waiting = m_arrDeferredDrops.size();
    m_pView->SetDeferredDropsText(
        waiting == 1 ? UserText::tr("1 dropped file will be added when the job ends.")
                     : UserText::Fill(UserText::tr("%1 dropped files will be added when the job ends."),
                                      {std::to_string(waiting)}));
    // The end of the reader's use, or of the job (EnableControls), adds them.
    return;
  }
  for (const std::string& path : paths) AddFile(path);
  InspectAndShowLastEntry();
}

void CCastrel1Dlg::OnDropUriList(const std::string& uriList) {
  const DroppedUris dropped = ReadUriList(uriList);
  for (const std::string& address : dropped.refused) {
    Log("OnDropFiles - not a local file: %s", address.c_str());
    MessageBox(Owner(),
               UserText::Fill(UserText::tr("%1\n\nis not a file on this computer and was not added. Copy it into a "
                                           "local folder first, then add it from there."),
                              {address}),
               UserText::tr("Warning"), MB_OK | MB_ICONWARNING);
  }
  if (!dropped.paths.empty()) OnDropFiles(dropped.paths);
}

void CCastrel1Dlg::AddDeferredDrops() {
  if (m_arrDeferredDrops.empty() || ReaderInUse()) return;
  std::vector<std::string> paths;
  paths.swap(m_arrDeferredDrops);
  m_pView->SetDeferredDropsText("");
  Log("Adding the %d file(s) dropped while the reader was in use", static_cast<int>(paths.size()));
  OnDropFiles(paths);
}

void CCastrel1Dlg::OnRemoveFile() {
  Log("CCastrel1Dlg::OnRemoveFile");
  const int selected = m_pView->ListSelection();
  if (selected < 0) return;
  m_pView->ListDelete(selected);
  ShowBlankFile();
  m_strCodecName.clear();
  m_strBitRate.clear();
  m_strFrameRate.clear();
  m_strDuration.clear();
  m_strTracks.clear();
  Log("UpdateData(FALSE)");
  UpdateData(false);
}

void CCastrel1Dlg::OnSelchangeFileslist() {
  Log("CCastrel1Dlg::OnSelchangeFileslist");
  const int selected = m_pView->ListSelection();
  if (selected < 0) return;
  const std::string path = m_pView->ListText(selected);
  InputFileInfo(path);
  ClosePlayer();
  ShowFileInPlayer(path);
  // A CD holds the selected file.
  UpdateDiscPlan();
}

void CCastrel1Dlg::AddCommandLineFile() {
  std::vector<std::string> files = m_arrCommandLineFiles;
  // Only the text given: the one file of a Windows command line.
  if (files.empty() && !m_strCommandLine.empty()) files.push_back(m_strCommandLine);
  if (files.empty()) return;
  Log("CCastrel1Dlg::AddCommandLineFile - %d file(s)", static_cast<int>(files.size()));
  // As files dropped on the window: each is checked (a refused one says
  // why), listed in its order and selected; the last entry is inspected
  // and shown in the player.
  for (std::string& path : files) {
    // A launcher that quotes the whole name hands the quotes on.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    AddFile(path);
  }
  InspectAndShowLastEntry();
}

void CCastrel1Dlg::InspectAndShowLastEntry() {
  const int count = m_pView->ListCount();
  if (count == 0) return;
  const std::string last = m_pView->ListText(count - 1);
  InputFileInfo(last);
  ShowFileInPlayer(last);
}

CCastrel1Dlg::ReaderUse::ReaderUse(CCastrel1Dlg& core) : m_core(core), m_bOuter(!core.m_bReaderInUse) {
  m_core.m_bReaderInUse = true;
}

CCastrel1Dlg::ReaderUse::~ReaderUse() {
  if (!m_bOuter) return;
  m_core.m_bReaderInUse = false;
  // The bar showed the file being read; read, it is empty again ("Completed: 0.00%" says so).
  if (m_core.m_bBarShowsReading && !m_core.m_bBusy && m_core.m_pView != nullptr) m_core.m_pView->SetProgress(0);
  m_core.m_bBarShowsReading = false;
  // Drops that came while the window drew during an opening.
  if (!m_core.m_arrDeferredDrops.empty() && !m_core.m_bBusy) {
    m_core.m_messages.Post([&core = m_core] { core.AddDeferredDrops(); });
  }
}

void CCastrel1Dlg::OfferCodecOrReportUnopened(const std::string& path) {
  if (!m_strFOURCC.empty()) {
    InternetSearchCodec(m_strFOURCC);
  } else {
    MessageBox(Owner(), UserText::Fill(UserText::tr("Could not open file\n\n%1"), {path}), UserText::tr("Error"),
               MB_OK | MB_ICONERROR);
  }
}

void CCastrel1Dlg::CloseReader() {
  Log("m_pIVideoFileIn->CloseFile()");
  try {
    m_pIVideoFileIn->CloseFile();
  } catch (const std::exception& error) {
    Log("CloseFile - %s", error.what());
  }
}
