// CCastrel1Dlg: the Convert command - checks, planning, the task list and the
// end of the list.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <exception>

#include "app/main_window_core.h"
#include "convert/convert_task_list.h"
#include "convert/progress_position.h"
#include "disc/disc_plan.h"
#include "disc/dvd_space_plan.h"
#include "disc/work_drives.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner.h"
#include "platform/video/video_file.h"
#include "support/event_wait.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/temporary_files.h"
#include "support/user_text.h"

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// Creates one level of folder; an existing one is fine.
void CreateFolder(const std::string& folder) {
  if (!folder.empty()) ::mkdir(folder.c_str(), 0777);
}

// True when the file can be opened for writing; creates it empty when it did
// not exist. An existing file keeps its content.
bool CanCreateForWriting(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  ::close(descriptor);
  return true;
}

std::string WithoutExtension(const std::string& path) {
  PathBuffer buffer(path);
  buffer.RemoveExtension();
  return buffer.str();
}

const char* ExtensionOf(int format) {
  switch (format) {
    case kFormatAvi:
      return ".avi";
    case kFormatWmv:
      return ".wmv";
    case kFormatRm:
      return ".rm";
    default:
      return ".mpg";
  }
}

bool IsCdFormat(int format) {
  return format == kFormatVcd || format == kFormatSvcd;
}

}  // namespace

void CCastrel1Dlg::OnButtonConvert() {
  Log("CCastrel1Dlg::OnButtonConvert");
  // The list started below hands a failed file to this window.
  SetConversionFallback(this);
  if (IsDiscFormat(m_nOutputFormat)) m_strOutputFolder = TempFolderPath().str();
  m_nCurrentFile = 1;
  m_nInputCount = m_pView->ListCount();
  m_arrFilePercents.clear();
  // Every way out that starts no job gives the user's folder back; only a
  // started list (which restores it at its end) or the library engine keeps
  // the temporary folder.
  bool keepOutputFolder = false;
  struct FolderRestore {
    CCastrel1Dlg& core;
    bool& keep;
    ~FolderRestore() {
      if (!keep) core.m_strOutputFolder = core.m_strChosenFolder;
    }
  } restore{*this, keepOutputFolder};

  if (m_nInputCount == 0) {
    MessageBox(Owner(), UserText::tr("No input files added.\nPlease click 'Add File' to add files!"),
               UserText::tr("Orlenta"), MB_OK | MB_ICONEXCLAMATION);
    return;
  }

  if (m_bBusy) {
    m_bCancel = true;
    Log("Cancelling conversion");
    Log("ResetCallbacks");
    burner::ResetCallbacks();
    StopFlag::Set(true);
    MessageBox(Owner(), UserText::tr("Conversion canceled by user!"), UserText::tr("Message"),
               MB_OK | MB_ICONINFORMATION);
    m_pView->SetStatusText(UserText::tr("Conversion canceled!"));
    SetConvertProgress(0);
    EnableControls(true);
    m_bBusy = false;
    CleanTempFiles();
    m_bConverting = false;
    return;
  }

  // A cancelled list may still be stopping its ffmpeg; its last pings must
  // not count for the new one.
  ProcessEventsUntil([this] { return !m_bListRunning; }, QEventLoop::ExcludeUserInputEvents);

  Log("Start preparing for conversion to %d (0-avi, 1-mpeg, 2-wmv, 3-rm, 4-dvd, 5-vcd, 6-svcd)", m_nOutputFormat);
  StopFlag::Set(false);
  m_bUseFfmpeg = true;
  m_nTotalDuration = GetTotalDuration();
  m_arrOutputFiles.clear();
  m_nDVDEncoderKbps = 0;
  m_nDVDTrackKbps = kDvdAudioKbps;
  m_nProgressRange = IsDiscFormat(m_nOutputFormat) ? 75 : 100;
  SetConvertProgress(0);

  // The converted streams of a disc go where the planning found room.
  m_szDiscConvertFolder = std::string_view(WithSlash(m_strOutputFolder));
  m_strWorkFolder = m_szDiscConvertFolder.str();
  m_arrProgramFolders.clear();
  if (m_nOutputFormat == kFormatDvd) {
    std::vector<std::string> inputs;
    for (int i = 0; i < m_pView->ListCount(); ++i) inputs.push_back(m_pView->ListText(i));
    if (!AskAboutLeftOutTracks(inputs, TrackWriter::Ffmpeg) || !PlanDvdJob()) return;
  }
  if (IsCdFormat(m_nOutputFormat) && !PlanCdJob()) return;
  if (IsDiscFormat(m_nOutputFormat) && !TakeJobFolders()) return;

  try {
    CTemporaryFiles::DeleteTempFiles();
  } catch (const peravel_exception& error) {
    Log("The previous job's temporary files are left: %s", error.what());
  }

  const std::string listFolder =
      IsDiscFormat(m_nOutputFormat) ? m_szDiscConvertFolder.str() : WithSlash(m_strOutputFolder);
  try {
    Log("Convert using FFMpeg");
    RemoveAllFiles();
    for (int i = 0; i < m_pView->ListCount(); ++i) {
      const int entry = IsCdFormat(m_nOutputFormat) ? m_nSelectedFile : i;
      const std::string path = m_pView->ListText(entry);
      Log("Convert file: %s", path.c_str());
      if (!PathBuffer(path).Exists()) {
        MessageBox(Owner(),
                   UserText::Fill(
                       UserText::tr("The file does not exist.\n\n%1\n\nPlease click Browse to select a file"), {path}),
                   UserText::tr("Orlenta"), MB_OK | MB_ICONEXCLAMATION);
        // A VCD converts its one selected file: asking again for each entry would repeat the message.
        if (IsCdFormat(m_nOutputFormat)) break;
        continue;
      }
      if (GetFileInputType(path) < 0) {
        MessageBox(
            Owner(),
            UserText::Fill(
                UserText::tr("%1\n\nThe file you have selected is not a video file or this format is not supported"),
                {path}),
            UserText::tr("Warning"), MB_OK | MB_ICONEXCLAMATION);
        if (IsCdFormat(m_nOutputFormat)) break;
        continue;
      }
      CreateFolder(listFolder);
      // The name a task gives this file when no other file is in the way.
      m_strOutFile = ConvertFileTask::PlannedOutputPath(listFolder, path, "").str();
      EnableControls(false);
      m_bBusy = true;
      m_bCancel = false;
      m_nCDCount = 1;
      m_arrConvertInputs.emplace_back(path);
      Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
      m_pIVideoFileIn->OpenFile(path);
      if (IsCdFormat(m_nOutputFormat)) m_nTotalDuration = m_pIVideoFileIn->PlayingDuration();
      m_arrOutputFiles.push_back(m_strOutFile);
      if (IsCdFormat(m_nOutputFormat)) break;
      Log("m_pIVideoFileIn->CloseFile()");
      m_pIVideoFileIn->CloseFile();
    }
    if (m_arrConvertInputs.empty()) return;

    m_strOutFile += ExtensionOf(m_nOutputFormat);
    // A movie for more CDs than a part number can count is refused before
    // hours of encoding.
    if (IsCdFormat(m_nOutputFormat) && !CheckCDCount()) {
      Log("m_pIVideoFileIn->CloseFile()");
      m_pIVideoFileIn->CloseFile();
      RemoveAllFiles();
      m_arrOutputFiles.clear();
      EnableControls(true);
      m_bBusy = false;
      return;
    }
    PathBuffer unique(m_strOutFile);
    MakeUniquePath(unique);
    m_strOutFile = unique.str();
    // The end of the list and the progress shares count the files that are
    // converted, not the entries that were refused.
    m_nInputCount = static_cast<int>(m_arrConvertInputs.size());
    m_arrFilePercents.assign(m_arrConvertInputs.size(), 0);

    SetStatus();
    m_bConverting = true;
    SetVideoQuality();
    Log("Start NewBackgroundTaskThread");
    ConvertTaskList description(m_arrConvertInputs, listFolder, GetCurrentOutputFormat(), this);
    if (m_nOutputFormat == kFormatDvd && m_nDVDEncoderKbps > 0) {
      Log("The list does not fit a DVD at the slider's quality: the titles are encoded at %d kbit/s",
          m_nDVDEncoderKbps);
      description.SetVideoBitRate(m_nDVDEncoderKbps * 1000);
    }
    description.SetParallelJobs(m_nParallelJobs);
    ConvertTaskList::Start(description);
    m_tListStart = std::chrono::steady_clock::now();
    // Its pings reach this thread only after the command has returned.
    m_bListRunning = true;
    keepOutputFolder = true;
  } catch (const std::exception& error) {
    Log("FFMpeg crashed so try with NCT Video Library");
    Log("%s", error.what());
    keepOutputFolder = true;
    m_bLibraryOnCore = true;
    ConvertUsingNCT();
    m_bLibraryOnCore = false;
    if (!m_bBusy) {
      keepOutputFolder = false;
      ReleaseJobFolders();  // kept while the run could still write there
    }
  }
}

bool CCastrel1Dlg::PlanDvdJob() {
  if (m_nInputCount > kDvdMaxTitles) {
    const char* pattern = QT_TRANSLATE_NOOP("UserText",
                                            "A DVD menu holds at most %1 titles, and the list holds %2 files.\n"
                                            "Please remove some files (or make a second DVD of them) and press "
                                            "Convert again.");
    const std::string titles = std::to_string(kDvdMaxTitles);
    const std::string files = std::to_string(m_nInputCount);
    Log("%s", UserText::Fill(pattern, {titles, files}).c_str());
    MessageBox(Owner(), UserText::Fill(UserText::Lookup(pattern), {titles, files}), kApplicationTitle,
               MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (m_nTotalDuration <= 0) {
    const char* text = QT_TRANSLATE_NOOP("UserText",
                                         "The length of the listed videos cannot be read, so the DVD cannot be "
                                         "planned.\nPlease check the files in the list and press Convert again.");
    Log("%s", text);
    MessageBox(Owner(), UserText::Lookup(text), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const DvdSpacePlan plan =
      PlanDvdSpace(m_nTotalDuration, m_nDVDBitrate, m_nDVDTrackKbps, DvdPlanCapacity(), DvdMediumCapacity());
  if (!plan.fitsOnDisc) {
    const char* text = QT_TRANSLATE_NOOP("UserText",
                                         "The listed videos are too long for one DVD.\nPlease remove some files (or "
                                         "make a second DVD of them) and press Convert again.");
    Log("%s", text);
    MessageBox(Owner(), UserText::Lookup(text), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  m_nDVDVideoKbps = plan.videoKbps;
  m_nDVDEncoderKbps = plan.encoderVideoKbps;
  const int size = plan.sizeMegabytes;
  if (plan.fitsAtQuantiser) {
    Log("DVD plan: %d ms, video %d kbit/s, %d MB; the ffmpeg engine keeps the quantiser", m_nTotalDuration,
        plan.videoKbps, size);
  } else {
    Log("DVD plan: %d ms, video %d kbit/s, %d MB; the ffmpeg engine encodes at %d kbit/s to fill the disc",
        m_nTotalDuration, plan.videoKbps, size, plan.encoderVideoKbps);
  }

  const std::optional<std::int64_t> free = FreeMegabytesOf(m_strOutputFolder);
  if (free && 3 * size * 1.05 < static_cast<double>(*free)) {
    m_szDiscConvertFolder = std::string_view(WithSlash(m_strOutputFolder));
    m_strWorkFolder = m_szDiscConvertFolder.str();
    return true;
  }
  std::string first;
  std::string second;
  if (GetAvailableDrives(size + 200, first, second) == 0) {
    EndForDiskSpace(3.0 * (size + 200) / 1000.0);
    return false;
  }
  // Both are made by TakeJobFolders, which notes first what it makes.
  m_szDiscConvertFolder = std::string_view(first + "temp/");
  m_strWorkFolder = second + "temp/";
  return true;
}

bool CCastrel1Dlg::PlanCdJob() {
  m_nSelectedFile = m_pView->ListSelection();
  if (m_pView->ListCount() > 1) {
    const std::string disc = m_nOutputFormat == kFormatSvcd ? "SVCD" : "VCD";
    if (m_nSelectedFile < 0) {
      MessageBox(Owner(),
                 UserText::Fill(UserText::tr("%1 can burn only one (the selected) file per %2. Please select a file "
                                             "and press 'Start' again."),
                                {kApplicationTitle, disc}),
                 kApplicationTitle, MB_OK);
      EnableControls(true);
      m_bBusy = false;
      return false;
    }
    const std::string text = UserText::Fill(UserText::tr("%1 can burn only one (the selected) file per %2. Please "
                                                         "click 'OK' to continue or 'Cancel' to abort burning."),
                                            {kApplicationTitle, disc});
    if (MessageBox(Owner(), text, UserText::tr("Message"), MB_OKCANCEL) != IDOK) {
      EnableControls(true);
      m_bBusy = false;
      return false;
    }
  } else {
    m_nSelectedFile = 0;
  }
  if (!AskAboutLeftOutTracks({m_pView->ListText(m_nSelectedFile)}, TrackWriter::Ffmpeg)) {
    EnableControls(true);
    m_bBusy = false;
    return false;
  }
  std::string first;
  std::string second;
  if (GetAvailableDrives(350, first, second) == 0) {
    EndForDiskSpace(1.05);
    return false;
  }
  // Made (and emptied) by TakeJobFolders, which notes first what it makes.
  m_szDiscConvertFolder = std::string_view(second + "tempVCD/");
  m_strWorkFolder = m_szDiscConvertFolder.str();
  return true;
}

void CCastrel1Dlg::EndForDiskSpace(double gigabytes) {
  char amount[32];
  std::snprintf(amount, sizeof amount, "%0.3f", gigabytes);
  MessageBox(Owner(),
             UserText::Fill(UserText::tr("Please free %1 GB on your hard drive or reduce the output quality (not "
                                         "recommended) and then restart the conversion!"),
                            {amount}),
             kApplicationTitle, MB_OK);
  EnableControls(true);
  m_bBusy = false;
  CleanTempFiles();
}

namespace {

constexpr const char* kStatusByFormat[] = {
    QT_TRANSLATE_NOOP("UserText", "Converting to AVI..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to MPEG..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to WMV..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to Real Media..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to DVD-Compatible MPEG..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to VCD Compatible MPEG..."),
    QT_TRANSLATE_NOOP("UserText", "Converting to SVCD-Compatible MPEG..."),
};

}  // namespace

void CCastrel1Dlg::SetStatus() {
  Log("CCastrel1Dlg::SetStatus - change the text in the status bar when converting");
  if (IsKnownFormat(m_nOutputFormat)) m_pView->SetStatusText(UserText::Lookup(kStatusByFormat[m_nOutputFormat]));
}

void CCastrel1Dlg::ShowFileCount(int file) {
  // One file needs no count; a list says which file is being converted.
  if (m_nInputCount < 2 || !IsKnownFormat(m_nOutputFormat)) return;
  const std::string count =
      UserText::Fill(UserText::tr("File %1 of %2"), {std::to_string(file), std::to_string(m_nInputCount)});
  m_pView->SetStatusText(std::string(UserText::Lookup(kStatusByFormat[m_nOutputFormat])) + " " + count);
}

std::int32_t CCastrel1Dlg::OnPingMessage(std::int32_t value, const Pinger& sender) {
  if (const auto* file = dynamic_cast<const FileProgressPinger*>(&sender)) {
    // Files may convert side by side: the list's own total moves the bar.
    if (file->FileIndex() < m_arrFilePercents.size()) {
      int& percent = m_arrFilePercents[file->FileIndex()];
      percent = std::max(percent, std::clamp(value, 0, 100));
    }
    if (const auto move = ListProgressToBar(file->ListPercent(), m_nProgressRange, m_nProgressPos)) {
      SetConvertProgress(move->position);
    }
  } else if (dynamic_cast<const ProgressPinger*>(&sender) != nullptr) {
    const auto move = ProgressPingToBar(value * m_nProgressRange / 100, m_nCurrentFile, m_nInputCount, m_nProgressRange,
                                        m_nProgressPos);
    if (move) SetConvertProgress(move->position);
  } else if (const auto* task = dynamic_cast<const ConvertFileTask*>(&sender)) {
    if (value == begin_converting) ShowFileCount(static_cast<int>(task->Index()) + 1);
    if (value == end_converting) OnFileTaskEnd(*task);
  } else if (const auto* list = dynamic_cast<const ConvertTaskList*>(&sender)) {
    m_bListRunning = false;
    if (!m_bCancel) OnConversionTaskEnd(*list);
    // A job that ended while the list was still writing kept its work folders until now.
    if (!m_bBusy) ReleaseJobFolders();
  }
  return 0;
}

void CCastrel1Dlg::OnFileTaskEnd(const ConvertFileTask& task) {
  const std::string written = task.OutputPath().str();
  if (m_bCancel) {
    // The stopped ffmpeg leaves half a file under the name the task made unique for it.
    if (!written.empty() && ::unlink(written.c_str()) == 0) Log("The cancelled output %s is removed", written.c_str());
  } else if (!written.empty() && m_bUseFfmpeg) {
    // The task made the name unique: the disc flows and the success message
    // need the file it really wrote. (Once the library engine has taken the
    // list over, the names are its own: a failed task's must not replace them.)
    // Files converted side by side end in any order: the task knows its place in the list.
    const std::size_t index = task.Index();
    if (index < m_arrOutputFiles.size()) m_arrOutputFiles[index] = WithoutExtension(written);
    if (index < m_arrFilePercents.size()) m_arrFilePercents[index] = 100;
    m_strOutFile = written;
  }
  ++m_nCurrentFile;
}

void CCastrel1Dlg::OnConversionTaskEnd(const ConvertTaskList& /*list*/) {
  Log("CCastrel1Dlg::OnConversionTaskEnd");
  if (!m_bUseFfmpeg) {
    Log("Not Using FFMpeg!");
    // The list has ended whoever finishes the job.
    m_bConverting = false;
    if (!m_bBusy) m_strOutputFolder = m_strChosenFolder;
    return;
  }
  if (m_bExitRequested) {
    Log("trying to exit the application");
    OnCancel();
    return;
  }
  m_strOutputFolder = m_strChosenFolder;
  m_bConverting = false;
  if (m_nCurrentFile != m_nInputCount + 1) {
    // Only a stop that did not come from the user's Cancel ends a list early.
    Log("The conversion list ended after %d of %d files", m_nCurrentFile - 1, m_nInputCount);
    m_pView->SetStatusText(UserText::tr("Ready"));
    EnableControls(true);
    m_bBusy = false;
    if (IsDiscFormat(m_nOutputFormat)) CleanTempFiles();
    return;
  }
  SetConvertProgress(m_nProgressRange);
  m_pView->SetStatusText(UserText::tr("Ready"));
  MeasureConvertSpeed();

  if (m_nOutputFormat == kFormatDvd || IsCdFormat(m_nOutputFormat)) {
    if (m_nOutputFormat == kFormatDvd) {
      StartBurnDVD();
    } else {
      StartBurnCD();
    }
    ++m_nCurrentFile;
    return;
  }
  if (m_nInputCount == 1) {
    AskDialog(Owner(), SuccessDialogRequest{m_strOutFile});
    EnableControls(true);
    m_bBusy = false;
    return;
  }
  m_nCurrentFile = 1;
  std::string files;
  for (const std::string& output : m_arrOutputFiles) {
    files += "\"" + output + ExtensionOf(m_nOutputFormat) + "\"\n";
  }
  MessageBox(Owner(), UserText::Fill(UserText::tr("%1were created successfully!"), {files}), UserText::tr("Ready"),
             MB_OK | MB_ICONINFORMATION);
  EnableControls(true);
  m_bBusy = false;
}

void CCastrel1Dlg::MeasureConvertSpeed() {
  // The media of the converted files over the list's time: the next plans'
  // job time on this machine. A list of a second or less says too little.
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_tListStart).count();
  std::int64_t mediaMs = 0;
  for (const PathBuffer& input : m_arrConvertInputs) mediaMs += ListedDuration(input.str());
  if (seconds < 1.0 || mediaMs <= 0) return;
  m_dConvertSpeed = static_cast<double>(mediaMs) / 1000.0 / seconds;
  Log("Conversion speed: %.2f media seconds a second", m_dConvertSpeed);
}

void CCastrel1Dlg::FFMpegFailed() {
  Log("CCastrel1Dlg::FFMpegFailed");
  ConvertUsingNCT();
}

void CCastrel1Dlg::RemoveAllFiles() {
  Log("CCastrel1Dlg::RemoveAllFiles");
  m_arrConvertInputs.clear();
}

void CCastrel1Dlg::AdjustOutFile(std::string& outFile) {
  Log("AdjustOutFile(CString & sOutFile)");
  if (CanCreateForWriting(outFile)) return;
  const std::string name = std::string(PathBuffer(outFile).FileName());
  const std::string documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  if (!documents.empty()) {
    const std::string folder = IsWindowsVistaOrLater() ? GetPersonalVideosFolder() : documents + "/My Videos";
    CreateFolder(folder);
    const std::string candidate = folder + "/" + name;
    if (CanCreateForWriting(candidate)) {
      outFile = candidate;
      return;
    }
  }
  const std::string fallback = QDir::homePath().toStdString() + "/Videos";
  CreateFolder(fallback);
  outFile = fallback + "/" + name;
}

void CCastrel1Dlg::SetConvertProgress(double position) {
  m_nProgressPos = static_cast<int>(position);
  m_pView->SetProgress(m_nProgressPos);
  m_pView->SetCompletedText(CompletedText(position));
}
