// CCastrel1Dlg: the DVD job - authoring the converted titles, checking that
// they fit the disc, and the burn (or the image writer) with its prompts and
// its end; and the clean-up every disc job shares.

#include <QCoreApplication>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/main_window_core.h"
#include "convert/converter.h"
#include "convert/progress_position.h"
#include "disc/burning_errors.h"
#include "disc/cd_split_plan.h"
#include "platform/dialogs/shell_open.h"
#include "platform/disc/authoring/dvd_image_builder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/job_folders.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/user_text.h"

namespace fs = std::filesystem;

namespace {

constexpr double kAuthoringStart = 75;
constexpr double kAuthoringShare = 10;
constexpr double kBurningStart = 85;
constexpr double kBurningShare = 10;
constexpr const char* kDvdVolumeLabel = "Video DVD";

__attribute__((format(printf, 1, 2))) std::string Formatted(const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The bytes of the files under folder.
std::int64_t FolderBytes(const std::string& folder) {
  std::int64_t total = 0;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    std::error_code sizeError;
    if (it->is_regular_file(sizeError)) total += static_cast<std::int64_t>(it->file_size(sizeError));
  }
  return total;
}

void MakeFolder(const std::string& path) {
  std::error_code ignored;
  fs::create_directories(path, ignored);
}

}  // namespace

void CCastrel1Dlg::PassTitleLanguages() {
  // The library engine writes one sound track without its language, and
  // converted names that need not follow the inputs.
  if (!m_bUseFfmpeg || m_arrConvertInputs.size() != m_arrOutputFiles.size()) return;
  for (std::size_t i = 0; i < m_arrConvertInputs.size(); ++i) {
    const InputProbe probe = ProbeInput(m_arrConvertInputs[i].c_str());
    if (!probe.streamsKnown) continue;
    const DiscTracks tracks = PlanDiscTracks(probe.tracks, DiscKind::Dvd);
    const std::string sounds = DvdLanguageCodes(tracks.sounds);
    const std::string subtitles = DvdLanguageCodes(tracks.subtitles);
    Log("Title %d: sound languages \"%s\", subtitle languages \"%s\"", static_cast<int>(i) + 1, sounds.c_str(),
        subtitles.c_str());
    DVDImageBuild_SetTitleLanguages(m_Builder, static_cast<int>(i), sounds.c_str(), subtitles.c_str());
  }
}

void CCastrel1Dlg::StartBurnDVD() {
  Log("Start burning DVD actions:");
  // The menu files go into the job's work folder, never into the user's
  // output folder, where a file of that name would be replaced.
  const std::string menuFolder = WithSlash(m_strWorkFolder);
  if (m_nOutputFormat != kFormatDvd) return;

  burner::SetFinalizeEventCallback(DvdFinalizeCallback, this);
  burner::SetBurnDoneEventCallback(DvdBurnDoneCallback, this);
  burner::SetProcessEventCallback(DvdProcessCallback, this);
  burner::Options options;
  std::memset(&options, burner::kUndefinedByte, sizeof options);
  WriteTextField(options.volumeLabel, sizeof options.volumeLabel, burner::BS_NDEF);
  WriteTextField(options.publisher, sizeof options.publisher, burner::BS_NDEF);
  options.writeSpeed = options.albumVolumeCount = options.reserved408 = burner::kUndefinedInt;
  burner::GetOptions(&options);
  WriteTextField(options.volumeLabel, sizeof options.volumeLabel, kDvdVolumeLabel);
  options.closeDisc = 1;
  burner::SetOptions(options);

  try {
    Log("Start Autoring:");
    if (m_Builder != nullptr) DVDImageBuild_Destory(m_Builder);
    m_Builder = DVDImageBuild_Create();
    DVDImageBuild_SetProgressCallback(m_Builder, BuilderProgressCallback, this);
    DVDImageBuild_SetChapterInterval(m_Builder, m_nChapterSeconds);
    m_pView->SetStatusText(UserText::tr("Authoring in progress..."));

    if (m_arrOutputFiles.size() == 1) {
      DVDImageBuild_SetMenuMPEGFilename(m_Builder, ConvertedFile(0).c_str());
    } else {
      if (PrepareMenu(menuFolder) == 0) {
        MessageBox(Owner(), UserText::tr("Can't build menu!"), kApplicationTitle, MB_OK);
        EnableControls(true);
        m_bBusy = false;
        CleanTempFiles();
        return;
      }
      Log("Load INI file");
      DVDImageBuild_LoadINI(m_Builder, (menuFolder + "foxdvdmenu.ini").c_str());
    }

    PassTitleLanguages();

    Log("Create Image Folder");
    const std::string dvdFolder = WithSlash(m_strWorkFolder) + "DVD/";
    MakeFolder(dvdFolder);
    EmptyDir(dvdFolder + "AUDIO_TS");
    MakeFolder(dvdFolder + "AUDIO_TS");
    EmptyDir(dvdFolder + "VIDEO_TS");
    MakeFolder(dvdFolder + "VIDEO_TS");
    DVDImageBuild_SetOutputFolder(m_Builder, m_strWorkFolder.c_str());

    m_bAuthoring = true;
    if (DVDImageBuild_CreateMenuImages(m_Builder) == 0) {
      Log("Could not create DVD menu: %s", DVDImageBuild_GetLastError(m_Builder));
      MessageBox(Owner(), UserText::tr("Error: Could not create DVD menu"), kApplicationTitle, MB_OK);
    }
    Log("m_Builder.BuildDVD()");
    const bool built = !m_bCancel && DVDImageBuild_BuildDVD(m_Builder) != 0;
    m_bAuthoring = false;
    if (m_bCancel) {
      Log("process canceled");
      CleanTempFiles();
      return;
    }
    // A disc that would show a title squashed or stretched is not a success:
    // the user hears which title and why.
    if (!built && DVDImageBuild_MadeWrongShape(m_Builder) != 0) {
      Log("Authoring Error");
      Log("%s", DVDImageBuild_GetLastError(m_Builder));
      EndDvdJobWithMessage(DVDImageBuild_GetLastError(m_Builder));
      return;
    }
    // A folder that was not built would only fail later as a burner error
    // about a missing source.
    if (!built) throw peravel_exception(std::string("BuildDVD: ") + DVDImageBuild_GetLastError(m_Builder));

    // The file system around the files (ISO 9660 and UDF structures, and the
    // padding genisoimage adds) takes room too: 0.9 MB measured for one title.
    constexpr std::int64_t kFileSystemBytes = 2 * 1024 * 1024;
    const std::int64_t authoredBytes = FolderBytes(dvdFolder + "VIDEO_TS") + kFileSystemBytes;
    const std::int64_t discBytes = DvdMediumCapacity();
    if (authoredBytes > discBytes) {
      const double gigabytes = static_cast<double>(authoredBytes) / 1e9;
      Log("The DVD holds %.2f GB, the disc %.2f GB", gigabytes, static_cast<double>(discBytes) / 1e9);
      EndDvdJobWithMessage(
          UserText::Fill(UserText::tr("The DVD would hold %1 GB, more than the %2 GB a DVD holds. "
                                      "Please remove files from the list or choose a lower quality, "
                                      "and convert again."),
                         {Formatted("%0.2f", gigabytes), Formatted("%0.2f", static_cast<double>(discBytes) / 1e9)}));
      return;
    }

    int result = burner::DeleteProject();
    if (result == 0) result = burner::CreateProject(burner::BS_BURNER_VIDEODVD);
    burner::FolderRecord folder{};
    WriteTextField(folder.sourcePath, sizeof folder.sourcePath, dvdFolder + "Video_Ts");
    WriteTextField(folder.destinationPath, sizeof folder.destinationPath, "/");
    WriteTextField(folder.filePattern, sizeof folder.filePattern, "*.*");
    folder.attributeMask = 63;
    folder.flag = 0;
    folder.mode = 2;
    Log("AddDir() Destination Path: %s; File Pattern: %s; Source Dir Path: %s", folder.destinationPath,
        folder.filePattern, folder.sourcePath);
    if (result == 0) result = burner::AddDir(folder);
    burner::DeviceName devices[burner::kMaxDevices] = {};
    int count = 0;
    if (result == 0) result = burner::GetDevices(devices, &count, 1);
    bool fellBack = false;
    if (result == 0 && count > 0) {
      int device = m_nDVDDevice;
      const int imageWriter = count - 1;  // the burner lists it last, always
      if (device < 0 || device >= count) {
        Log("DVD device %d not found among %d devices: the image writer takes its place", device, count);
        m_pView->SetStatusText(
            UserText::tr("The DVD drive chosen in the settings is not connected: writing an image file..."));
        device = imageWriter;
        fellBack = true;
      }
      m_bImageWriter = device == imageWriter;
      result = burner::SetDevice(devices[device][0]);
    }
    const std::string imageFolder = m_strOutputFolder.empty() ? "." : m_strOutputFolder;
    // The default output folder (XDG documents or videos) may not exist yet.
    std::error_code folderError;
    if (m_bImageWriter) {
      fs::create_directories(imageFolder, folderError);
      // The image writer's scratch folder there goes at the next start should this process die.
      RecordWorkFolder(fs::absolute(imageFolder, folderError).string());
    }
    if (result == 0 && m_bImageWriter) result = burner::SetImageWriterFolder(imageFolder.c_str());
    if (result == 0) result = burner::Prepare();
    if (result != 0) {
      EndDvdJobWithBurnError(result);
      return;
    }

    Log("Start burning DVD");
    burner::SetDialogOwner(Owner());
    result = burner::Burn();
    const int answer = BurnWithPrompts(result);
    if (answer != IDOK || m_bCancel) {
      EndDvdJobCanceled("Burning canceled", QT_TRANSLATE_NOOP("UserText", "Burning canceled by user"));
      return;
    }
    if (result == 0) {
      m_bBurning = true;
      // A fallback keeps saying where the DVD goes.
      if (!fellBack)
        m_pView->SetStatusText(m_bImageWriter ? UserText::Lookup(kWritingImageStatus)
                                              : UserText::tr("Burning in progress..."));
      return;
    }
    EndDvdJobWithBurnError(result);
  } catch (const std::exception& error) {
    m_bAuthoring = false;
    Log("Authoring Error");
    Log("%s", error.what());
    EndDvdJobWithMessage(UserText::tr("Authoring Error"));
  }
}

int CCastrel1Dlg::BurnWithPrompts(int& result) {
  int answer = IDOK;
  while ((result == burner::kNoMedium || result == burner::kNotBlank) && answer == IDOK) {
    if (result == burner::kNoMedium) {
      answer = MessageBox(Owner(), UserText::tr("Please insert a blank DVD and press OK!"), UserText::tr("Message"),
                          MB_OKCANCEL);
    } else {
      answer = AskDialog(Owner(), EraseDVDPrompt()).code == IDOK ? IDOK : IDCANCEL;
    }
    if (answer == IDOK) result = burner::Burn();
  }
  return answer;
}

void CCastrel1Dlg::EndDvdJobCanceled(const char* logLine, const char* message) {
  Log("%s", logLine);
  EnableControls(true);
  m_bBusy = false;
  MessageBox(nullptr, UserText::Lookup(message), UserText::tr("Message"), MB_OK);
  m_pView->SetStatusText(UserText::tr("Cancel"));
  m_pView->SetProgress(0);
  m_pView->SetCompletedText(CompletedText(0));
  CleanTempFiles();
}

void CCastrel1Dlg::EndDvdJobWithBurnError(int result) {
  const std::string text = BurningErrorToMessage(result);
  Log("Burning error: %s", text.c_str());
  Log("Burner: %s", burner::GetLastErrorText());
  EnableControls(true);
  m_bBusy = false;
  MessageBox(nullptr, UserText::Fill(UserText::tr("Burning error: %1"), {text}), UserText::tr("Message"), MB_OK);
  m_pView->SetStatusText(UserText::tr("Error!"));
  CleanTempFiles();
}

void CCastrel1Dlg::EndDvdJobWithMessage(const std::string& message) {
  MessageBox(Owner(), message, kApplicationTitle, MB_OK);
  EnableControls(true);
  m_bBusy = false;
  CleanTempFiles();
}

void CCastrel1Dlg::ShowJobProgress(double value) {
  m_nProgressPos = static_cast<int>(value + 0.5);
  m_pView->SetProgress(m_nProgressPos);
  m_pView->SetCompletedText(CompletedText(value));
}

void CCastrel1Dlg::BuilderProgressCallback(void* user, float x, int a, int b) {
  auto* self = static_cast<CCastrel1Dlg*>(user);
  if (self->m_bCancel) {
    DVDImageBuild_StopBuildDVD(self->m_Builder);
    // The cancel command has told the user already when it ended the job.
    if (!self->m_bBusy) return;
    self->m_pView->SetStatusText(UserText::tr("Action canceled!"));
    self->m_pView->SetProgress(0);
    self->m_pView->SetCompletedText(CompletedText(0));
    self->EnableControls(true);
    self->m_bBusy = false;
    MessageBox(nullptr, UserText::tr("DVD creation process canceled by user."), UserText::tr("Message"), MB_OK);
    return;
  }
  const double done = (100.0 * a + x) / (100.0 * std::max(b, 1));
  self->ShowJobProgress(std::min(kAuthoringStart + kAuthoringShare * done, kAuthoringStart + kAuthoringShare));
  // Authoring runs on the core's thread: the window stays alive from here.
  QCoreApplication::processEvents();
}

void CCastrel1Dlg::DvdProcessCallback(float percent, int, int, int, int, int, int, void* user) {
  auto* self = static_cast<CCastrel1Dlg*>(user);
  if (self->m_bErasing) return;
  self->m_messages.Post([self, percent] { self->OnDvdProcess(percent); });
}

void CCastrel1Dlg::OnDvdProcess(double percent) {
  if (!m_bBurning) return;  // a job that has ended
  if (m_bCancel && m_bBusy) {
    burner::Abort();
    EnableControls(true);
    m_bBusy = false;
    MessageBox(nullptr, UserText::tr("Creation of the DVD aborted by the user!"), UserText::tr("Message"), MB_OK);
    return;
  }
  if (m_bBusy) ShowJobProgress(kBurningStart + kBurningShare * percent / 100);
}

void CCastrel1Dlg::DvdFinalizeCallback(void* user) {
  auto* self = static_cast<CCastrel1Dlg*>(user);
  self->m_messages.Post([self] {
    if (self->m_bBurning && self->m_bBusy)
      self->m_pView->SetStatusText(UserText::tr("Finalizing the DVD, Please Wait..."));
  });
}

void CCastrel1Dlg::DvdBurnDoneCallback(const char* errorText, void* user) {
  auto* self = static_cast<CCastrel1Dlg*>(user);
  std::optional<std::string> text;
  if (errorText != nullptr) text = errorText;
  self->m_messages.Post([self, text] { self->OnFinishDVD(text); });
}

int CCastrel1Dlg::OnFinishDVD(const std::optional<std::string>& errorText) {
  Log("CCastrel1Dlg::OnFinishDVD");
  if (!m_bBurning) return 0;  // the job was ended meanwhile (cancelled)
  m_bBurning = false;
  if (m_bCancel) {
    Log("Burning process canceled by user");
    MessageBox(Owner(), UserText::tr("Burning process canceled by user"), UserText::tr("Message"), MB_OK);
    m_pView->SetProgress(0);
    m_pView->SetCompletedText(CompletedText(0));
  } else if (!errorText) {
    m_pView->SetProgress(100);
    m_pView->SetCompletedText(CompletedEndText(100));
    Log("DVD created successfully!");
    const std::string image = m_bImageWriter ? burner::GetLastImagePath() : "";
    if (image.empty()) {
      MessageBox(Owner(), UserText::tr("DVD created successfully!"), UserText::tr("Message"), MB_OK);
    } else {
      Log("DVD image: %s", image.c_str());
      const std::string text = UserText::Fill(
          UserText::tr("DVD created successfully!\n\nThe DVD image is \"%1\".\nOpen its folder?"), {image});
      if (MessageBox(Owner(), text, UserText::tr("Message"), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        ShellOpen(fs::path(image).parent_path().string());
      }
    }
  } else if (*errorText == "Erase disc before writing.") {
    Log("Erase disc before writing");
    m_bBurning = true;  // the job goes on with the erase
    m_messages.Post([this] { OnEraseDisk(); });
    return 0;
  } else {
    m_pView->SetProgress(100);
    m_pView->SetCompletedText(CompletedEndText(100));
    Log("DVD has been Burned With Errors");
    MessageBox(Owner(), UserText::Fill(UserText::tr("DVD has been Burned With Errors!\n%1"), {*errorText}),
               UserText::tr("Message"), MB_OK);
  }
  EnableControls(true);
  m_bBusy = false;
  m_pView->SetStatusText(m_bCancel ? UserText::tr("Cancel") : UserText::tr("Ready"));
  CleanTempFiles();
  return 0;
}

int CCastrel1Dlg::OnEraseDisk() {
  Log("CCastrel1Dlg::OnEraseDisk");
  m_bBurning = false;
  int answer = AskDialog(Owner(), EraseDVDPrompt()).code == IDOK ? IDOK : IDCANCEL;
  int result = 0;
  if (answer == IDOK && !m_bCancel) {
    Log("Burn()");
    result = burner::Burn();
    answer = BurnWithPrompts(result);
  }
  if (answer != IDOK || m_bCancel) {
    EndDvdJobCanceled("Burning process canceled by user",
                      QT_TRANSLATE_NOOP("UserText", "Burning process canceled by user"));
  } else if (result == 0) {
    m_bBurning = true;
    m_pView->SetStatusText(UserText::tr("Burning in progress..."));
  } else {
    EndDvdJobWithBurnError(result);
  }
  return 0;
}

void CCastrel1Dlg::StopRunningDvdWork() {
  if (m_bAuthoring && m_Builder != nullptr) DVDImageBuild_StopBuildDVD(m_Builder);
  if (m_bBurning) {
    m_bBurning = false;
    burner::Abort();
    // Returns once the aborted burn has ended, its program killed.
    if (const int busy = burner::DeleteProject()) Log("The aborted burn has not ended: %d", busy);
  }
  // The builder's own intermediate files go with it.
  if (!m_bAuthoring && m_Builder != nullptr) {
    DVDImageBuild_Destory(m_Builder);
    m_Builder = nullptr;
  }
}

void CCastrel1Dlg::CleanTempFiles() {
  Log("CCastrel1Dlg::CleanTempFiles");
  StopRunningDvdWork();
  for (std::size_t i = 0; i < m_arrOutputFiles.size(); ++i) {
    // The files as they lie on disk: the stored names of the ffmpeg engine carry no extension.
    std::error_code ignored;
    fs::remove(ConvertedFile(i), ignored);
  }
  if (!m_strWorkFolder.empty()) EmptyImageFolders();  // none chosen: never empty the current folder
  if (!JobStillWrites()) ReleaseJobFolders();
}

void CCastrel1Dlg::EmptyImageFolders() {
  const std::string work = WithSlash(m_strWorkFolder);
  std::error_code ignored;
  fs::remove(work + "foxdvdmenu.ini", ignored);
  fs::remove(work + "foxdvdmenu.mpg", ignored);
  const std::string dvdFolder = work + "DVD/";
  EmptyDir(dvdFolder + "AUDIO_TS");
  EmptyDir(dvdFolder + "VIDEO_TS");
  // The image folders are the job's own: emptied, they go too. A folder
  // that still holds anything stays.
  for (const std::string& folder : {dvdFolder + "AUDIO_TS", dvdFolder + "VIDEO_TS", dvdFolder}) {
    std::error_code kept;
    fs::remove(folder, kept);
  }
}

bool CCastrel1Dlg::EmptyDir(const std::string& path) {
  std::error_code error;
  fs::directory_iterator entries(path, error);
  if (error) return false;
  bool result = true;
  for (const auto& entry : entries) {
    std::error_code kind;
    // A link is removed itself, never followed into what it points at.
    if (entry.is_directory(kind) && !entry.is_symlink(kind)) {
      EmptyDir(entry.path().string());
      continue;
    }
    std::error_code removed;
    if (!fs::remove(entry.path(), removed) || removed) result = false;
  }
  return result;
}
