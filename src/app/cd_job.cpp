// CCastrel1Dlg: the CD job - one VCD or SVCD movie over as many CDs as it
// needs, each part burnt or written by the image writer as a BIN/CUE pair.
//
// The ffmpeg engine converts the movie into one stream; when it needs more
// than one CD the worker cuts it into parts "<name>_1.mpg" .. "<name>_N.mpg"
// by stream copy at GOP boundaries before the first prompt (the library
// engine writes its parts itself).
//
// Threads: StartBurnCD runs on the core's thread; VCDBurnThread on a thread
// of its own; the Cd*Callback functions on the burner's threads. The worker
// and the callbacks reach the view only through m_messages.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "app/main_window_core.h"
#include "convert/progress_position.h"
#include "disc/burning_errors.h"
#include "disc/cd_split_plan.h"
#include "disc/disc_prompts.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_codes.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/job_folders.h"
#include "platform/disc/mpeg_parts.h"
#include "support/crash_handler.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/temporary_files.h"
#include "support/user_text.h"

namespace {

// How often a wait for the burner looks whether the job was cancelled: the
// cancel command removes the burner's callbacks, so nothing else would wake it.
constexpr std::chrono::milliseconds kCancelCheck(100);

std::int64_t CdCapacity(const CCastrel1Dlg& core) {
  return core.CdStreamCapacity();
}

CCastrel1Dlg& Core(void* user) {
  return *static_cast<CCastrel1Dlg*>(user);
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? home : "";
}

// A text for one CD of count, in the user's language: the form without a
// number for a single CD.
std::string ForCD(int count, int k, const char* single, const char* numbered) {
  return CdStepLine({single, numbered}, count, k);
}

}  // namespace

std::string CCastrel1Dlg::GetCDFile(int k) const {
  std::string file = m_arrOutputFiles.at(0);
  if (m_nCDCount > 1) {
    if (m_bUseFfmpeg) {
      // The parts the worker cut: "<name>_<k>.mpg".
      return file + "_" + std::to_string(k) + ".mpg";
    }
    // The library engine names its parts "<name>_<k>.mpg" itself.
    if (file.size() < 5) throw std::runtime_error("No part name in " + file);
    file[file.size() - 5] = static_cast<char>('0' + k);
  }
  if (m_bUseFfmpeg) file += ".mpg";
  return file;
}

bool CCastrel1Dlg::CheckCDCount() {
  const OutputFormatId format = m_nOutputFormat == kFormatSvcd ? kFormatSvcd : kFormatVcd;
  int videoKbps = 0;
  if (static_cast<std::size_t>(format) < m_formats.size()) {
    videoKbps = m_formats[format]->GetEncodingParameters().video_bitrate / 1000;
  }
  m_nCDCount = ExpectedCdCount(videoKbps, m_nTotalDuration, CdCapacity(*this));
  Log("CD count %d (video %d kbit/s, %d ms)", m_nCDCount, videoKbps, m_nTotalDuration);
  if (m_nCDCount <= kMaxCdCount) return true;
  Log("%s", TooManyCdsMessage(m_nCDCount, false).c_str());
  MessageBox(Owner(), TooManyCdsMessage(m_nCDCount), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void CCastrel1Dlg::StartBurnCD() {
  Log("Start burning CD actions:");
  // Queued messages reach the core through its event loop; nothing waits here.
  Log("SetFinalizeEventCallback");
  burner::SetFinalizeEventCallback(CdFinalizeCallback, this);
  Log("SetBurnDoneEventCallback");
  burner::SetBurnDoneEventCallback(CdBurnDoneCallback, this);
  Log("SetProcessEventCallback");
  burner::SetProcessEventCallback(CdProcessCallback, this);
  Log("SetVideoScannerEventCallback");
  burner::SetVideoScannerEventCallback(CdScannerCallback, this);
  Log("SetVideoScanDoneEventCallback");
  burner::SetVideoScanDoneEventCallback(CdScanDoneCallback, this);
  // The image writer puts the images into the user's folder.
  const std::string imageFolder = m_strChosenFolder.empty() ? m_strOutputFolder : m_strChosenFolder;
  // The default output folder (XDG documents or videos) may not exist yet.
  std::error_code folderError;
  if (!imageFolder.empty()) {
    std::filesystem::create_directories(imageFolder, folderError);
    // The image writer's scratch folder there goes at the next start should this process die.
    RecordWorkFolder(std::filesystem::absolute(imageFolder, folderError).string());
  }
  burner::SetImageWriterFolder(imageFolder.c_str());
  burner::SetDialogOwner(Owner());
  // The image writer needs no blank CD: the job asks for none.
  m_bImageWriter = JobWritesImage();
  Log("Start VCDBurnThread");
  m_arrCDImages.clear();
  m_bCDWorkerRunning = true;
  ThreadWithCrashStack([this] {
    VCDBurnThread();
    m_bCDWorkerRunning = false;
  }).detach();
}

// The worker's helpers, all called on the worker's thread ------------------

namespace {

class CdWorker {
 public:
  explicit CdWorker(CCastrel1Dlg& core) : m_core(core) {}

  void Status(const std::string& text) {
    m_core.m_messages.Post([this, text] { m_core.View()->SetStatusText(text); });
  }

  // Runs on the core's thread and waits: EnableControls, CleanTempFiles.
  void OnCore(const std::function<void()>& work) {
    m_core.m_messages.Send([&] {
      work();
      return std::intptr_t{0};
    });
  }

  // CD k's burn is about to start.
  void BurnStarts(int k) { m_nBurningCD = k; }
  // The burn has ended or been stopped: the image writer names the image it
  // has completed, if it got that far.
  void NoteImage() {
    if (m_nBurningCD == 0) return;
    const std::string image = burner::GetLastImagePath();
    if (!image.empty()) {
      Log("The image of CD %d: %s", m_nBurningCD, image.c_str());
      m_core.m_arrCDImages.push_back({m_nBurningCD, image});
    }
    m_nBurningCD = 0;
  }

  // The cancel end: the burner stops what it still does, before the files go.
  // The images of the CDs written so far are whole discs: they stay, and the
  // message names them.
  void CancelEnd(const char* logLine) {
    if (logLine != nullptr) Log("%s", logLine);
    StopBurner();
    NoteImage();
    OnCore([this] { m_core.EnableControls(true); });
    m_core.m_bBusy = false;
    MessageBox(m_core.View() != nullptr ? m_core.View()->Handle() : nullptr,
               UserText::tr("Burning process canceled by user") + KeptCdImagesNote(m_core.m_arrCDImages),
               UserText::tr("Message"), MB_OK);
    Status(UserText::tr("Cancel"));
    OnCore([this] { m_core.CleanTempFiles(); });
  }

  // The error end, with a burner result or a text of our own.
  // english: the text for the log when the user reads it in another language.
  void ErrorEnd(const std::string& text, const std::string& english = {}) {
    Log("Burning error: %s", (english.empty() ? text : english).c_str());
    StopBurner();
    NoteImage();
    OnCore([this] { m_core.EnableControls(true); });
    m_core.m_bBusy = false;
    MessageBox(nullptr,
               UserText::Fill(UserText::tr("Burning error: %1"), {text}) + KeptCdImagesNote(m_core.m_arrCDImages),
               UserText::tr("Message"), MB_OK);
    Status(UserText::tr("Error!"));
    OnCore([this] { m_core.CleanTempFiles(); });
  }

  void ExceptionEnd() {
    StopBurner();
    MessageBox(m_core.View() != nullptr ? m_core.View()->Handle() : nullptr, UserText::tr("Burning Error"),
               kApplicationTitle, MB_OK);
    OnCore([this] { m_core.EnableControls(true); });
    m_core.m_bBusy = false;
    OnCore([this] { m_core.CleanTempFiles(); });
  }

  // Waits for event until it is set; false when the job was cancelled meanwhile.
  bool Wait(AutoResetEvent& event) {
    return event.WaitUnless([this] { return m_core.m_bCancel.load(); }, kCancelCheck);
  }

  // Stops a scan or burn of this job and waits until the burner has ended
  // it, so that no tool it runs and no file it writes outlives the job.
  static void StopBurner() {
    burner::Abort();
    burner::ClearAll();
  }

 private:
  CCastrel1Dlg& m_core;
  int m_nBurningCD = 0;  // the CD whose burn has started and whose image is not noted yet
};

std::string BurnerText(int code) {
  std::string text = BurningErrorToMessage(code);
  const std::string detail = burner::GetLastErrorText();
  if (!detail.empty()) Log("Burner: %s", detail.c_str());
  return text;
}

}  // namespace

unsigned CCastrel1Dlg::VCDBurnThread() {
  Log("CCastrel1Dlg::VCDBurnThread");
  CdWorker worker(*this);
  try {
    m_nCurrentCD = 1;
    m_bCDBurnError = false;
    const bool svcd = m_nOutputFormat == kFormatSvcd;

    const std::string whole = m_bUseFfmpeg ? m_arrOutputFiles.at(0) + ".mpg" : std::string();
    std::error_code sizeUnknown;
    const auto wholeBytes = m_bUseFfmpeg ? std::filesystem::file_size(whole, sizeUnknown) : 0;
    if (m_bUseFfmpeg && (sizeUnknown || static_cast<std::int64_t>(wholeBytes) > CdCapacity(*this))) {
      // The converted movie as one stream: cut into the parts its CDs take.
      std::string error;
      const auto index = IndexMpegGops(whole, &m_bCancel, &error);
      if (m_bCancel) {
        worker.CancelEnd("Burning canceled");
        return 0;
      }
      if (!index) {
        worker.ErrorEnd(error);
        return 0;
      }
      const auto positions = index->Positions();
      auto plan = PlanCdParts(positions, index->fileSize, CdCapacity(*this), kMaxCdCount);
      if (!plan) {
        const std::int64_t capacity = std::max<std::int64_t>(1, CdCapacity(*this));
        const std::int64_t needed = (index->fileSize + capacity - 1) / capacity;
        const char* partTooBig = QT_TRANSLATE_NOOP("UserText", "A part of the movie does not fit on one CD.");
        if (needed > kMaxCdCount) {
          worker.ErrorEnd(TooManyCdsMessage(static_cast<int>(needed)),
                          TooManyCdsMessage(static_cast<int>(needed), false));
        } else {
          worker.ErrorEnd(UserText::Lookup(partTooBig), partTooBig);
        }
        return 0;
      }
      const int count = plan->Count();
      m_messages.Send([&] {
        if (count != m_nCDCount) Log("The converted movie takes %d CD(s), %d were expected", count, m_nCDCount);
        m_nCDCount = count;
        return std::intptr_t{0};
      });
      if (count > 1) {
        worker.Status(UserText::Fill(UserText::tr("Dividing the movie over %1 CDs..."), {std::to_string(count)}));
        std::vector<std::string> parts;
        for (int k = 1; k <= count; ++k) {
          parts.push_back(GetCDFile(k));
          CTemporaryFiles::AddTempFile(parts.back());
        }
        if (!WriteMpegParts(whole, svcd ? VideoCdKind::Svcd : VideoCdKind::Vcd, *index, plan->firstGop, parts,
                            &m_bCancel, &error)) {
          if (m_bCancel) {
            worker.CancelEnd("Burning canceled");
          } else {
            worker.ErrorEnd(error);
          }
          return 0;
        }
      }
    }

    if (m_bUseFfmpeg && !sizeUnknown && static_cast<std::int64_t>(wholeBytes) <= CdCapacity(*this) && m_nCDCount != 1) {
      m_messages.Send([&] {
        Log("The converted movie takes 1 CD, %d were expected", m_nCDCount);
        m_nCDCount = 1;
        return std::intptr_t{0};
      });
    }
    const int count = m_nCDCount;
    for (int k = 1; k <= count; ++k) {
      m_nCurrentCD = k;
      if (!m_bImageWriter &&
          SendShowDlg(ForCD(count, k, QT_TRANSLATE_NOOP("UserText", "Please insert an empty CD to burn."),
                            QT_TRANSLATE_NOOP("UserText", "Please insert empty CD #%1 to burn."))) == IDCANCEL) {
        worker.CancelEnd(nullptr);
        return 0;
      }
      burner::DeleteProject();
      Log(svcd ? "CreateProject(BS_BURNER_SVCD)" : "CreateProject(BS_BURNER_VCD)");
      int result = burner::CreateProject(svcd ? burner::BS_BURNER_SVCD : burner::BS_BURNER_VCD);
      if (result != 0) {
        worker.ErrorEnd(BurnerText(result));
        return 0;
      }
      burner::Options options;
      burner::GetOptions(&options);
      // The disc's name, and the image file's: "Video CD", "Super Video CD".
      WriteTextField(options.volumeLabel, sizeof options.volumeLabel, svcd ? "Super Video CD" : "Video CD");
      // The discs of a movie form an album: players know which comes next,
      // and the image writer names each image by its place in it.
      options.albumVolumeCount = count > 1 ? count : 0;
      options.albumVolumeNumber = static_cast<std::uint8_t>(k);
      burner::SetOptions(options);

      m_strOutFile = GetCDFile(k);
      burner::FileRecord file{};
      WriteTextField(file.sourcePath, sizeof file.sourcePath, m_strOutFile);
      WriteTextField(file.destinationPath, sizeof file.destinationPath, "\\");
      file.flag = 1;
      file.mode = 0;
      Log("m_pMPEGScanned->ResetEvent()");
      m_pMPEGScanned.ResetEvent();
      // Shown before AddFile starts the scan: the scan's end appends "Done!"
      // to it however quick the scan is.
      worker.Status(CdStepLine(kAnalyzingCd, count, k));
      Log("AddFile");
      result = burner::AddFile(file);
      if (result != 0) {
        worker.ErrorEnd(BurnerText(result));
        return 0;
      }
      if (!worker.Wait(m_pMPEGScanned) || m_bCancel) {
        worker.CancelEnd("Burning canceled");
        return 0;
      }

      burner::DeviceName devices[burner::kMaxDevices] = {};
      int deviceCount = 0;
      result = burner::GetDevices(devices, &deviceCount, 1);
      if (result == 0) {
        int device = svcd ? m_nSVCDDevice : m_nVCDDevice;
        // A drive that has gone since it was chosen: the image writer, always last.
        if (device < 0 || device >= deviceCount) {
          Log("Device %d of %d: the image writer", device, deviceCount);
          device = deviceCount - 1;
        }
        result = deviceCount > 0 ? burner::SetDevice(devices[device][0]) : burner::codes::kNoDevice;
      }
      if (result == 0) result = burner::Prepare();
      if (result != 0) {
        worker.ErrorEnd(BurnerText(result));
        return 0;
      }

      int answer = IDOK;
      worker.BurnStarts(k);
      Log("m_pCDBurned->ResetEvent");
      m_pCDBurned.ResetEvent();
      // Shown before Burn starts the burn, for the same reason as the
      // scan's status; a prompt for a blank CD keeps it.
      worker.Status(m_bImageWriter ? UserText::Lookup(kWritingImageStatus) : CdStepLine(kBurningCd, count, k));
      Log("Burn");
      result = burner::Burn();
      while ((result == burner::kNoMedium || result == burner::kNotBlank) && answer == IDOK) {
        if (result == burner::kNoMedium) {
          answer = MessageBox(View() != nullptr ? View()->Handle() : nullptr,
                              ForCD(count, k, QT_TRANSLATE_NOOP("UserText", "Please insert a blank CD and press OK!"),
                                    QT_TRANSLATE_NOOP("UserText", "Please insert blank CD #%1 and press OK!")),
                              UserText::tr("Message"), MB_OKCANCEL);
        } else {
          answer = SendShowDlg(
              ForCD(count, k,
                    QT_TRANSLATE_NOOP("UserText",
                                      "The CD inserted is not blank. Please insert a blank CD or erase a rewritable "
                                      "one and select 'OK' to continue burning. Or choose 'Cancel' to stop the CD "
                                      "burning process."),
                    QT_TRANSLATE_NOOP("UserText",
                                      "The CD inserted is not blank. Please insert a blank CD #%1 or erase a "
                                      "rewritable one and select 'OK' to continue burning. Or choose 'Cancel' to "
                                      "stop the CD burning process.")));
        }
        if (answer == IDOK) {
          Log("m_pCDBurned->ResetEvent");
          m_pCDBurned.ResetEvent();
          result = burner::Burn();
        }
      }
      if (answer == IDCANCEL || m_bCancel) {
        worker.CancelEnd("Burning canceled");
        return 0;
      }
      if (result != 0) {
        worker.ErrorEnd(BurnerText(result));
        return 0;
      }
      const bool burnt = worker.Wait(m_pCDBurned);
      if (burnt) worker.NoteImage();
      if (!burnt || m_bCancel) {
        worker.CancelEnd("Burning canceled");
        return 0;
      }
      burner::ClearAll();
    }
    m_messages.Post([this] { OnFinishVCDBurn(0, 0); });
  } catch (const std::exception& error) {
    Log("Burning Error - catch block");
    Log("%s", error.what());
    worker.ExceptionEnd();
  } catch (...) {
    Log("Burning Error - catch block");
    worker.ExceptionEnd();
  }
  return 0;
}

std::intptr_t CCastrel1Dlg::OnFinishVCDBurn(std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
  Log("CCastrel1Dlg::OnFinishVCDBurn");
  m_pView->SetProgress(100);
  m_pView->SetCompletedText(CompletedEndText(100));
  EnableControls(true);
  m_bBusy = false;
  const bool single = m_nCDCount == 1;
  if (m_bCancel) {
    Log("Burning process canceled by user");
    MessageBox(Owner(), UserText::tr("Burning process canceled by user") + KeptCdImagesNote(m_arrCDImages),
               UserText::tr("Message"), MB_OK);
  } else if (!m_bCDBurnError) {
    Log("CDCDs created successfully!");
    const std::string where = m_bImageWriter ? WrittenCdImagesNote(m_arrCDImages, HomeFolder()) : std::string();
    if (!where.empty()) Log("%s", where.c_str() + 2);
    MessageBox(Owner(),
               (single ? UserText::tr("CD created successfully!") : UserText::tr("CDs created successfully!")) + where,
               UserText::tr("Message"), MB_OK);
  } else {
    Log("CDCDs have been burnt with errors!");
    MessageBox(
        Owner(),
        single ? UserText::tr("CD has been burnt with errors!") : UserText::tr("CDs have been burnt with errors!"),
        UserText::tr("Message"), MB_OK);
  }
  m_pView->SetStatusText(m_bCancel ? UserText::tr("Cancel") : UserText::tr("Ready"));
  CleanTempFiles();
  return 0;
}

// The callbacks: on the burner's threads ----------------------------------

namespace {

// 75 to 100 shared by the CDs: the value within CD k's share at fraction.
double CdProgress(const CCastrel1Dlg& core, double fraction) {
  const double share = 25.0 / std::max(1, core.m_nCDCount);
  return 75.0 + (core.m_nCurrentCD - 1) * share + fraction * share;
}

void ShowCdProgress(CCastrel1Dlg& core, double value) {
  core.m_messages.Post([&core, value] {
    core.View()->SetProgress(static_cast<int>(value));
    core.View()->SetCompletedText(CompletedText(value));
  });
}

// The first count characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == count) return text.substr(0, i);
  }
  return text;
}

// "Done!" after the status line as the window shows it (read back, at most
// 100 characters of it), whoever set it last.
void AppendDone(CCastrel1Dlg& core) {
  core.m_messages.Post([&core] {
    constexpr std::size_t kReadBackCharacters = 100;
    core.View()->SetStatusText(FirstCharacters(core.View()->StatusText(), kReadBackCharacters) + UserText::tr("Done!"));
  });
}

}  // namespace

void CCastrel1Dlg::CdScannerCallback(float percent, int /*fileIndex*/, void* user) {
  CCastrel1Dlg& core = Core(user);
  if (core.m_bCancel && core.m_bBusy) {
    core.m_bBusy = false;
    return;
  }
  ShowCdProgress(core, CdProgress(core, 0.2 * percent / 100.0));
}

void CCastrel1Dlg::CdScanDoneCallback(int, int, int, int, int, int, int, int, int, int, int, void* user) {
  CCastrel1Dlg& core = Core(user);
  AppendDone(core);
  core.m_pMPEGScanned.SetEvent();
}

void CCastrel1Dlg::CdProcessCallback(float percent, int, int, int, int, int, int, void* user) {
  CCastrel1Dlg& core = Core(user);
  if (core.m_bErasing) return;
  if (core.m_bCancel && core.m_bBusy) {
    burner::Abort();
    core.m_bBusy = false;
    return;
  }
  ShowCdProgress(core, CdProgress(core, 0.2 + 0.7 * percent / 100.0));
}

void CCastrel1Dlg::CdFinalizeCallback(void* user) {
  CCastrel1Dlg& core = Core(user);
  if (core.m_bCancel && core.m_bBusy) {
    burner::Abort();
    core.m_bBusy = false;
    return;
  }
  ShowCdProgress(core, CdProgress(core, 0.9));
  const std::string status = CdStepLine(kFinalizingCd, core.m_nCDCount, core.m_nCurrentCD);
  core.m_messages.Post([&core, status] { core.View()->SetStatusText(status); });
}

void CCastrel1Dlg::CdBurnDoneCallback(const char* errorText, void* user) {
  CCastrel1Dlg& core = Core(user);
  if (errorText != nullptr) {
    Log("CD #%d: %s", core.m_nCurrentCD.load(), errorText);
    core.m_bCDBurnError = true;
  }
  ShowCdProgress(core, CdProgress(core, 1.0));
  AppendDone(core);
  core.m_pCDBurned.SetEvent();
}
