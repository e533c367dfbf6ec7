// CCastrel1Dlg: the window itself - initialising, enabling, closing, the
// system commands, help and the output folder.

#include "app/main_window_core.h"

#include <chrono>
#include <thread>
#include <utility>

#include "app/control_ids.h"
#include "app/preview_player.h"
#include "formats/format_pages.h"
#include "platform/desktop/desktop_services.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/shell_open.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/job_folders.h"
#include "platform/registry/registry.h"
#include "platform/video/image_scaler.h"
#include "platform/video/video_file.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/temporary_files.h"
#include "support/user_text.h"

namespace {

// The controls a running job must leave alone (the list last).
constexpr int kControlsOfAJob[] = {
    control_id::kAdvanced,     control_id::kSettings,  control_id::kAddFile, control_id::kQualitySlider,
    control_id::kPlayerSlider, control_id::kPlay,      control_id::kStop,    control_id::kRemoveFile,
    control_id::kSelectFolder, control_id::kFilesList,
};

// Buttons of an outside DVD tool that this program does not have.
constexpr int kButtonsHiddenAtStart[] = {control_id::kConvertVideo, control_id::kCopyDvd, control_id::kRipDvd};

}  // namespace

CCastrel1Dlg::CCastrel1Dlg() = default;

CCastrel1Dlg::~CCastrel1Dlg() {
  // A conversion that fails later must not reach a window that is gone.
  if (GetConversionFallback() == this) SetConversionFallback(nullptr);
  SetAttentionHandler(nullptr);
}

bool CCastrel1Dlg::OnInitDialog() {
  Log("CCastrel1Dlg::OnInitDialog");
  m_pView->SetSkin();
  m_bConverting = false;
  m_bExitRequested = false;
  UpdateData(false);

  Log("GetSystemMenu(FALSE)");
  m_pView->AppendSystemCommand(IDM_ABOUTBOX, UserText::tr("&About Orlenta..."));
  Log("Set the icon for this dialog.");
  m_pView->SetIcon();

  CreateObjects();
  m_pView->SetProgress(0);

  m_arrVideoCodecs.clear();
  if (m_pIVideoFileOut) {
    const int codecCount = m_pIVideoFileOut->VideoCodecCount();
    for (int number = 1; number <= codecCount; ++number) {
      m_pIVideoFileOut->SelectVideoCodec(number);
      m_arrVideoCodecs.push_back(m_pIVideoFileOut->VideoCodecName());
    }
  }
  burner::Initialize();
  // A job of an earlier run that was killed left its work folders and half
  // images; those of a run still going are left alone.
  RemoveLeftoversOfEndedJobs();
  ConnectToDesktop();
  Log("CreateProject(BS_BURNER_CUE)");
  burner::CreateProject(burner::BS_BURNER_CUE);
  m_bSliderAtTop = false;
  Log("Set the Options");
  m_pView->SetOutputFolderText(m_strOutputFolder);
  AddCommandLineFile();

  m_strProductKey = "Orlenta";
  Log("Set the Options Property Pages for FFMPEG");
  m_formats = CreateFfmpegFormatPages();
  Log("load configuration from registry for FFMPEG");
  LoadFormatSettings();

  for (int id : kButtonsHiddenAtStart) m_pView->ShowControl(id, false);
  UpdateDiscPlan();
  return true;
}

bool CCastrel1Dlg::CreateObjects() {
  Log("CCastrel1Dlg::CreateObjects");
  // Our library objects are plain C++ objects: making them fails only when
  // memory runs out, which ends the program anyway.
  Log("m_pIVideoFileIn.CreateInstance(__uuidof(VideoFile))");
  m_pIVideoFileIn = std::make_unique<VideoFile>();
  Log("m_pIVideoFileOut.CreateInstance(__uuidof(VideoFile))");
  m_pIVideoFileOut = std::make_unique<VideoFile>();
  // The reader's events reach the window's thread, whichever thread reads.
  m_pIVideoFileIn->SetEventHandler([this](int value, short stage) {
    if (m_bBusy) return;  // the job's own reading: its progress is the job's
    if (m_messages.OnCoreThread()) {
      OnReaderEvent(value, stage);
    } else {
      m_messages.Post([this, value, stage] { OnReaderEvent(value, stage); });
    }
  });
  // The player lives in the window; a front end that shows no pictures has none.
  m_pIVideoPlayer = m_pView->CreatePlayer();
  if (m_pIVideoPlayer == nullptr) {
    Log("Can't create NCTVideoPlayer control");
  } else {
    m_pIVideoPlayer->AfterCreate(0);
  }
  m_pScaler = std::make_unique<ImageScaler>();
  return true;
}

void CCastrel1Dlg::UpdateData(bool bSaveAndValidate) {
  DialogData data;
  if (bSaveAndValidate) {
    m_pView->ExchangeData(data, true);
    m_nOutputFormat = data.nOutputFormat;
    m_nSliderPos = data.nSliderPos;
    m_bAsSource = data.bAsSource;
    m_nPlayerPos = data.nPlayerPos;
    m_strCodecName = data.strCodecName;
    m_strBitRate = data.strBitRate;
    m_strFrameRate = data.strFrameRate;
    m_strDuration = data.strDuration;
    m_strTracks = data.strTracks;
    return;
  }
  data.nOutputFormat = m_nOutputFormat;
  data.nSliderPos = m_nSliderPos;
  data.bAsSource = m_bAsSource;
  data.nPlayerPos = m_nPlayerPos;
  data.strCodecName = m_strCodecName;
  data.strBitRate = m_strBitRate;
  data.strFrameRate = m_strFrameRate;
  data.strDuration = m_strDuration;
  data.strTracks = m_strTracks;
  m_pView->ExchangeData(data, false);
  UpdateDiscPlan();
}

void CCastrel1Dlg::EnableControls(bool enable) {
  Log("CCastrel1Dlg::EnableControls - %d", enable ? 1 : 0);
  // Disabled controls mean a job runs, whatever way it ends.
  HoldOffSleep(!enable);
  for (int id : kControlsOfAJob) m_pView->EnableControl(id, enable);
  // The Convert button stays enabled: while a job runs it cancels it.
  m_pView->SetButtonElement(control_id::kConvert, enable ? "button_start" : "button_cancel");
  // Files dropped during the job are added once it has ended.
  if (enable && !m_arrDeferredDrops.empty()) m_messages.Post([this] { AddDeferredDrops(); });
}

void CCastrel1Dlg::OnCancel() {
  Log("CCastrel1Dlg::OnCancel()");
  if (m_bConverting && !m_bExitRequested) {
    // First stop the list; its end closes the window.
    Log("cancel process");
    StopFlag::Set(true);
    m_bExitRequested = true;
    return;
  }
  Log("%s", m_bConverting ? "force exit application (still busy)" : "simple exit application");
  SaveFormatSettings();
  // The window's own choices are kept as well, or they would be lost at every start.
  SaveSettings();
  std::this_thread::sleep_for(std::chrono::milliseconds(kCloseDelayMs));
  try {
    CTemporaryFiles::DeleteTempFiles();
  } catch (const peravel_exception& error) {
    // A file that cannot be deleted must not keep the window open.
    Log("OnCancel - temporary files left: %s", error.what());
  }
  m_pView->CloseWindow(IDCANCEL);
}

void CCastrel1Dlg::OnSysCommand(unsigned nID) {
  Log("CCastrel1Dlg::OnSysCommand ID = %d", static_cast<int>(nID));
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    AskDialog(Owner(), AboutRequest{});
    return;
  }
  if (nID == SC_CLOSE) {
    if (!AskBeforeQuitting()) return;
    OnCancel();
  }
}

bool CCastrel1Dlg::AskBeforeQuitting() {
  const char* question = nullptr;
  if (m_bBusy) {
    question = QT_TRANSLATE_NOOP("UserText", "Conversion in progress - Are you sure you want to quit now?");
  } else if (m_pView != nullptr && m_pView->ListCount() > 0) {
    // The list is not kept: closing by mistake would lose the user's work.
    question = QT_TRANSLATE_NOOP("UserText", "The files listed are not kept - Are you sure you want to quit now?");
  }
  return question == nullptr ||
         MessageBox(Owner(), UserText::Lookup(question), UserText::tr("Message"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CCastrel1Dlg::OnEscape() {
  Log("CCastrel1Dlg::OnEscape");
  if (AskBeforeQuitting()) OnCancel();
}

std::string CCastrel1Dlg::PrepareHelp() {
  Log("CCastrel1Dlg::PrepareHelp() ");
  return ModuleFolderFile("Orlenta.html").str();
}

void CCastrel1Dlg::OnButtonHelp() {
  Log("CCastrel1Dlg::OnButtonHelp() ");
  ShellOpen(PrepareHelp());
}

void CCastrel1Dlg::OnOutputFolder() {
  Log("CCastrel1Dlg::OnOutputFolder");
  const DialogReply<BrowseFolderRequest> chosen =
      AskDialog(Owner(), BrowseFolderRequest{UserText::tr("Choose an output folder."), m_strOutputFolder});
  if (chosen.code != IDOK || !chosen.answer || chosen.answer->folder.empty()) return;
  m_strOutputFolder = chosen.answer->folder;
  m_strChosenFolder = m_strOutputFolder;
  m_pView->SetOutputFolderText(m_strOutputFolder);
}

std::int32_t CCastrel1Dlg::OnPing(std::int32_t value, const Pinger& sender) {
  m_messages.Send([&] { return static_cast<std::intptr_t>(OnPingMessage(value, sender)); });
  return 0;
}

void CCastrel1Dlg::UpdateRegistryData(CRegistry& store) {
  Log("CCastrel1Dlg::UpdateRegistryData - Uptate settings values for the FFMPEG property pages");
  if (!store.IsOpen()) return;
  for (OutputFormatId id : {kFormatAvi, kFormatDvd, kFormatVcd, kFormatSvcd, kFormatWmv, kFormatMpeg, kFormatRm}) {
    if (static_cast<std::size_t>(id) < m_formats.size()) m_formats[id]->UpdateRegistryData(store);
  }
}

void CCastrel1Dlg::LoadFormatSettings() {
  CRegistry store(FormatSettingsKey(), RegistryKey::CurrentUser(), false);
  if (!store.IsOpen()) {
    for (auto& format : m_formats) format->ResetToDefaults();
  }
  // The tables' default TV standard is NTSC; a disc whose standard was never
  // chosen takes the window's disc type instead (the locale's, or the one
  // stored for the library engine), so both engines and both settings
  // sheets make and show the same disc. A stored choice loads over it.
  const std::pair<OutputFormatId, int> discTypes[] = {
      {kFormatDvd, m_nDVDType}, {kFormatVcd, m_nVCDType}, {kFormatSvcd, m_nSVCDType}};
  for (const auto& [format, type] : discTypes) {
    if (static_cast<std::size_t>(format) < m_formats.size()) m_formats[format]->video_codec_id = type;
  }
  UpdateRegistryData(store);
  store.Close();
}

void CCastrel1Dlg::SaveFormatSettings() {
  if (m_formats.empty()) return;  // the window closed before it was initialised
  CRegistry store(FormatSettingsKey(), RegistryKey::CurrentUser(), true);
  UpdateRegistryData(store);
  store.Close();
}

std::string CCastrel1Dlg::FormatSettingsKey() const {
  return "Software\\Peravel\\" + m_strProductKey;
}
