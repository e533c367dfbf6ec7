#pragma once
// CCastrel1Dlg: the main window's core. It holds the window's state - the
// settings, the format objects, the job flags - and its commands, and reaches
// the screen only through a MainWindowView and the dialog responder, so the
// same core runs behind the dialog widget, a console or a test.
//
// Its member functions live in one file per subject: the window itself
// (main_window_core.cpp) and its settings (main_settings.cpp).
//
// Threads: the core belongs to the thread that constructs it, which runs a Qt
// event loop. Other threads reach it only through OnPing and m_messages, which
// run the handlers on that thread. m_bBusy is read from other threads.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "app/window_messages.h"
#include "convert/conversion_fallback.h"
#include "convert/disc_tracks.h"
#include "convert/ping.h"
#include "disc/cd_split_plan.h"
#include "disc/disc_plan.h"
#include "disc/disc_prompts.h"
#include "formats/library_pages.h"
#include "formats/output_format.h"
#include "platform/registry/registry_key.h"
#include "support/auto_reset_event.h"
#include "support/path_buffer.h"

namespace desktop {
class OpticalDriveWatch;
class SleepInhibitLock;
}  // namespace desktop

class ConvertFileTask;
class ConvertTaskList;
class CRegistry;
struct DvdImageBuilder;
class ImageScaler;
class JobFolder;
class PreviewPlayer;
class VideoFile;
struct VideoFrame;

// System commands of the window.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;  // "&About Orlenta..."
inline constexpr unsigned SC_CLOSE = 0xF060;

class CCastrel1Dlg : public PingReceiver, public ConversionFallback {
 public:
  CCastrel1Dlg();
  ~CCastrel1Dlg() override;
  CCastrel1Dlg(const CCastrel1Dlg&) = delete;
  CCastrel1Dlg& operator=(const CCastrel1Dlg&) = delete;

  // The screen the core draws on (not owned); set before OnInitDialog.
  void SetView(MainWindowView* view) { m_pView = view; }
  MainWindowView* View() const { return m_pView; }

  // The window ------------------------------------------------------------

  // Initialises the shown window; the view's SetSkin lays it out.
  bool OnInitDialog();
  bool CreateObjects();
  // Moves the bound values to the window (save false) or into the members.
  void UpdateData(bool bSaveAndValidate);
  // Disables the controls a job must not touch; the Convert button becomes
  // the cancel button while disabled.
  void EnableControls(bool enable);
  // Escape, the close box, and the end of a list after a close request.
  void OnCancel();
  // The Escape key: asks as the close box does, then OnCancel.
  void OnEscape();
  // Before the user's Escape or close box ends the window: true when nothing
  // would be lost (no job, no listed files) or the user says Yes.
  bool AskBeforeQuitting();
  // The window's system commands: the About item (IDM_ABOUTBOX) and SC_CLOSE.
  void OnSysCommand(unsigned nID);
  void OnButtonHelp();
  // "Orlenta.html" next to the executable.
  std::string PrepareHelp();
  void OnOutputFolder();

  // A ping from the conversion engine, any thread: handled on the core's
  // thread while the sender waits.
  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override;

  // Main settings ---------------------------------------------------------

  // 0 (NTSC) in the territories of 525-line television (the United States,
  // Canada, Japan, ...), else 1 (PAL), by the locale.
  static int DiscTypeForLocale();
  void SetDefaultSettings();
  void LoadSettings();
  // Writes the settings key; the status of the last call of the store.
  RegistryStatus SaveSettings();
  static bool GetIntRegistryValue(const RegistryKey& key, const char* name, int& value);
  static bool GetBoolRegistryValue(const RegistryKey& key, const char* name, bool& value);
  static bool GetStringRegistryValue(const RegistryKey& key, const char* name, std::string& value);
  bool IsWindowsVistaOrLater();
  std::string GetPersonalVideosFolder();

  void OnRadioAvi();
  void OnRadioMpeg();
  void OnRadioWMV();
  void OnRadioRM();
  void OnRadio5();  // DVD
  void OnRadioVCD();
  void OnSVCD();
  // A click on the radio of format (the radio already checked): the one of
  // the seven handlers above that belongs to it. The window and the command
  // line choose a format through it.
  void OnFormatRadio(OutputFormatId format);
  // A slider of the window moved: the quality slider (1014) or the player's
  // position slider (1039). code is the notification (5: thumb tracking).
  void OnHScroll(int code, int position, int sliderId);
  void SetVideoQuality();
  OutputFormat& GetCurrentOutputFormat();
  void OnCheckAsSource();
  void SetFormatLikeSample();
  // The input the window shows: the selected entry, else the last one; "" for an empty list.
  std::string CurrentInputPath();
  // The ffmpeg engine's format settings, in either direction of the store.
  void UpdateRegistryData(CRegistry& store);
  void LoadFormatSettings();
  void SaveFormatSettings();

  // The settings sheet (settings_sheet.cpp) ------------------------------

  // Shows the settings sheet of the active engine and takes its choices
  // (Settings, Advanced, and the quality slider reaching its top with AVI).
  // The sheet offers the disc formats, and every format while a file format
  // is the current one.
  void OnButtonSettings();
  // The disc sizes of the confirmed sheet's disc pages into the window's settings.
  void TakeDiscSizes();
  // The library engine's pages; their members mean something only while
  // OnButtonSettings shows them.
  CPageAVI m_pageAVI;
  CPageMPEG m_pageMPEG;
  CPageWMV m_pageWMV;
  CPageRM m_pageRM;
  CPageDVD m_pageDVD;
  CPageVCD m_pageVCD;
  CPageSVCD m_pageSVCD;

  // Input files (input_files.cpp) -----------------------------------------

  // -1 when the file is not a video the reader supports, else its type.
  int GetFileInputType(const std::string& path);
  // The sum of the listed files' durations, in ms: the video's, or the
  // sound's for a file without video.
  int GetTotalDuration();
  // Lists path when the reader accepts it and selects it; false (with a
  // message) when not.
  bool AddFile(const std::string& path);
  // The video codec's code from an AVI file's stream header, "" when none.
  std::string GetFOURCC(const std::string& path);
  // Inspects path into the four texts and the members of the file inspected
  // last; false (with a message) when it cannot be inspected.
  bool InputFileInfo(const std::string& path);
  // Offers the help page's codec section for a code the library cannot read.
  void InternetSearchCodec(const std::string& code);
  // Add File.
  void OnButtonBrowseSource();
  // Files dropped on the window, in the drop's order. While a job runs (or a
  // file is being inspected) they wait and are added when it ends.
  void OnDropFiles(const std::vector<std::string>& paths);
  // A drop's text/uri-list: local files go to OnDropFiles, other addresses
  // are refused with a message naming them.
  void OnDropUriList(const std::string& uriList);
  void OnRemoveFile();
  void OnSelchangeFileslist();

  // The disc plan (disc_gauge.cpp) ---------------------------------------

  // The disc the list makes in the current format at the current quality
  // and disc size; the gauge shows it, --plan prints it.
  DiscPlan MakeDiscPlan();
  // Shows MakeDiscPlan in the view; after every change of the list, the
  // format, the quality or the settings.
  void UpdateDiscPlan();
  // What the DVD holds, and the stream one CD takes, by the disc sizes
  // (unless a test has set a small disc).
  std::int64_t DvdMediumCapacity() const;
  // The bits the DVD plan's reckoning counts on that medium.
  std::int64_t DvdPlanCapacity() const;
  std::int64_t CdStreamCapacity() const;
  // A listed file's length in ms, read once (Add File reads it first).
  std::int64_t ListedDuration(const std::string& path);
  std::map<std::string, std::int64_t> m_mapListDurations;
  // What a DVD of these files carries of their sound tracks and subtitles,
  // in kbit/s over their length, as the Convert command counts them (every
  // track the disc keeps; a file whose streams cannot be read adds nothing,
  // and none readable gives one stereo track). The gauge's files are read
  // once (m_mapListTracks); refresh reads them again.
  int DvdTrackKbpsOf(const std::vector<std::string>& inputs, TrackWriter writer, bool refresh);
  struct ListedTracks {
    bool known = false;
    double durationMs = 0;
    SourceTracks tracks;
  };
  std::map<std::string, ListedTracks> m_mapListTracks;
  // "DVD Disc Size" (0 DVD-5, 1 DVD-9) and "CD Disc Size" (0 650 MB, 1 700 MB, 2 800 MB).
  int m_nDVDDiscSize = 0;
  int m_nCDDiscSize = 0;
  // Media seconds the last job converted in a second on this machine
  // ("Conversion Speed", stored in thousandths); 0 before the first job.
  double m_dConvertSpeed = 0;

  // Menu titles (dvd_menu.cpp) -------------------------------------------

  // The menu's text for a listed file: the one the user gave it, else the
  // file's name without its extension.
  std::string MenuTitleFor(const std::string& path) const;
  // The texts of the DVD's titles, in order, as the menu shows them.
  std::vector<std::string> MenuTitles();
  // Gives the listed entry index its menu text ("" gives back the file's name).
  void SetTitleText(int index, const std::string& text);
  // Asks for the selected entry's menu text (the list's double click, F2).
  void OnEditTitle();
  // The texts the user gave, by the listed file's path.
  std::map<std::string, std::string> m_mapTitleTexts;

  // Preview (preview.cpp) -------------------------------------------------

  void OnPlay();
  void OnPlayerStop();
  // The mouse was released on the position slider: seek to its position.
  void OnReleasedcaptureSlider2();
  // The player's events: playback reached the end; the playing position (0..100).
  void OnStopEvent();
  void OnTimerEvent(int position);

  // The Convert command (convert_command.cpp) -----------------------------

  // Control 1008: converts the listed files into the current format, or
  // cancels the running job.
  void OnButtonConvert();
  // The status line while converting to the current format.
  void SetStatus();
  // The status while a list converts, with "File 3 of 8" after it.
  void ShowFileCount(int file);
  // The end of a task list (its final ping), on the core's thread.
  void OnConversionTaskEnd(const ConvertTaskList& list);
  // ffmpeg failed on a file: the library engine converts the list (on the
  // conversion thread, which waits).
  void FFMpegFailed() override;
  void RemoveAllFiles();
  // May move outFile to the videos folder when it cannot be created.
  void AdjustOutFile(std::string& outFile);
  // Drives (folders ending in '/') with room for a disc job of needed
  // megabytes: 1 when both were found, else 0 (disc_drives.cpp).
  int GetAvailableDrives(int needed, std::string& firstDrive, std::string& secondDrive);
  // True when the disc of the current format goes to the image writer (its
  // device, or a device index past the list, as the disc jobs fall back).
  bool JobWritesImage() const;
  // Makes the disc job's own work folders inside the folders the planning
  // chose, which m_szDiscConvertFolder and m_strWorkFolder then name; a
  // folder of the program's own is emptied first. False, after telling the
  // user, when they cannot be made (disc_drives.cpp).
  bool TakeJobFolders();
  // Removes the job's work folders with whatever is left in them.
  void ReleaseJobFolders();
  // Whether a part of the job may still write into its work folders: a list
  // that is stopping, the library engine or the DVD builder, running on this
  // thread below the caller.
  bool JobStillWrites() const;

  // The bar's position as the Convert command and the pings last set it.
  int m_nProgressPos = 0;
  // The part of the bar the conversion fills: 100, or 75 for a disc format,
  // whose authoring and burning fill the rest.
  int m_nProgressRange = 100;
  // DVD: the plan's rate the ffmpeg engine encodes at, in kbit/s; 0 keeps
  // the slider's quantiser.
  int m_nDVDEncoderKbps = 0;
  // DVD: the sound and subtitle streams of the list's titles, in kbit/s
  // over the whole length (every track counted); 0 until worked out.
  int m_nDVDTrackKbps = 0;
  // A task list runs (from its start to its final ping), also after a cancel.
  bool m_bListRunning = false;
  // The library engine runs on this thread, below the Convert command.
  bool m_bLibraryOnCore = false;
  // The running disc job's own work folders, locked while it holds them.
  std::vector<std::unique_ptr<JobFolder>> m_jobFolders;
  // The program's own folders on the drives GetAvailableDrives chose last.
  std::vector<std::string> m_arrProgramFolders;
  // The desktop around the window (desktop_session.cpp) -----------------

  // Notifications, the drive watch; from OnInitDialog.
  void ConnectToDesktop();
  // A message or question for the user: a notification when the window is
  // not in front. On the core's thread.
  void CallUserBack(const std::string& caption, const std::string& text);
  // Keeps the computer awake from the job's start (true) to its end (false),
  // however it ends; EnableControls says which.
  void HoldOffSleep(bool hold);
  // A drive or a disc came or went: an open settings sheet lists the devices again.
  void OnDrivesChanged();

  std::unique_ptr<desktop::SleepInhibitLock> m_pSleepLock;
  std::unique_ptr<desktop::OpticalDriveWatch> m_pDriveWatch;

  // The folders around the job folders that go with the job when empty:
  // those it made and the program's own ones ("tempVCD/", "temp/").
  std::vector<std::string> m_arrMadeFolders;

 private:
  // Sets the bar and the completion text.
  void SetConvertProgress(double position);
  // The disc formats' planning steps of OnButtonConvert: the work folders
  // (and for a DVD the bit rate); false when the command must stop.
  bool PlanDvdJob();
  bool PlanCdJob();
  // The tracks the disc cannot hold of the files about to be converted
  // (list entries), named in one question before anything is made; false
  // when the user declines (the job then ends). A DVD also gets the rate
  // its titles' tracks take (m_nDVDTrackKbps).
  bool AskAboutLeftOutTracks(const std::vector<std::string>& inputs, TrackWriter writer);
  // No drive has room for a disc job: says how much to free, ends the job.
  void EndForDiskSpace(double gigabytes);
  // The speed of the list that has just ended, into m_dConvertSpeed.
  void MeasureConvertSpeed();
  std::chrono::steady_clock::time_point m_tListStart{};
  // A file task's end ping: its real output, the next file's share.
  void OnFileTaskEnd(const ConvertFileTask& task);

 public:
  // The DVD job (dvd_job.cpp, dvd_menu.cpp) ------------------------------

  // Authors the converted titles and hands the DVD to the burner; the job
  // ends here or in OnFinishDVD.
  void StartBurnDVD();
  // The converted titles' sound and subtitle languages, for their IFOs.
  void PassTitleLanguages();
  // Deletes the job's converted files and empties the image folders; stops
  // an authoring or a burn of the job that still runs. The job's work folders
  // go too, unless something of the job may still write into them (see
  // JobStillWrites); whoever ends that removes them.
  void CleanTempFiles();
  // Deletes every file under path (folders stay); true when every delete worked.
  static bool EmptyDir(const std::string& path);
  // Writes "foxdvdmenu.ini" and "foxdvdmenu.mpg" into folder (ending in '/'
  // or empty): 1, or 0 when the description cannot be created. Errors of the
  // video library, and fewer converted files than titles, throw.
  int PrepareMenu(const std::string& folder);
  // WM_FINISHDVD: the burn has ended, errorText empty on success.
  int OnFinishDVD(const std::optional<std::string>& errorText);
  // WM_ERASEDISK: the burner wants the disc erased before it writes.
  int OnEraseDisk();

  // Disc prompts (disc_prompts.cpp) ---------------------------------------

  // WM_SHOWDLG on the core's thread: the CD prompt with text; 1 Continue, 2 Cancel.
  int ShowDlg(const std::string& text);
  // The same from any thread (the CD worker), while the caller waits.
  int SendShowDlg(const std::string& text);
  // The prompts as the responder gets them, their Erase buttons wired to the burner.
  CDCountDlgRequest CDCountPrompt(const std::string& text);
  EraseDVDDlgRequest EraseDVDPrompt();

  // The CD job (cd_job.cpp) -----------------------------------------------

  // Starts the worker that burns the converted movie, one part per CD; the
  // job ends on the core's thread (OnFinishVCDBurn) or in the worker.
  void StartBurnCD();
  // The worker; returns 0 when the job has ended.
  unsigned VCDBurnThread();
  // WM_FINISHVCDBURN: every CD has been burnt or the job was cancelled.
  std::intptr_t OnFinishVCDBurn(std::uintptr_t wParam, std::intptr_t lParam);
  // The file CD k (1-based) of the m_nCDCount CDs burns.
  std::string GetCDFile(int k) const;
  // The VCD (SVCD) job's CD count, expected from m_nTotalDuration and the
  // format's video bit rate, into m_nCDCount. False, after telling the user,
  // when the movie would need more than kMaxCdCount CDs: the Convert command
  // then converts nothing.
  bool CheckCDCount();
  // The burner's callbacks during a CD job; user is the core.
  static void CdProcessCallback(float percent, int writtenMegabytes, int totalMegabytes, int fifoPercent,
                                int bufferPercent, int step, int steps, void* user);
  static void CdBurnDoneCallback(const char* errorText, void* user);
  static void CdFinalizeCallback(void* user);
  static void CdScannerCallback(float percent, int fileIndex, void* user);
  static void CdScanDoneCallback(int fileIndex, int result, int width, int height, int frameRateMilli, int videoKbps,
                                 int audioSampleRate, int audioChannels, int audioKbps, int durationMs, int sectors,
                                 void* user);

  std::atomic<int> m_nCurrentCD{1};
  std::atomic<bool> m_bCDBurnError{false};
  AutoResetEvent m_pMPEGScanned{"MPEG Scanned"};
  AutoResetEvent m_pCDBurned{"CD Burned"};
  // From StartBurnCD until the worker has returned.
  std::atomic<bool> m_bCDWorkerRunning{false};
  // The images the image writer has completed for this job, in CD order;
  // written by the worker, read after it (the messages of its ends).
  std::vector<WrittenCdImage> m_arrCDImages;

  // The library conversion (library_conversion.cpp) -----------------------

  // Converts the listed files (a VCD/SVCD job: the selected one) with the
  // video library, then starts the disc job or reports success. Runs on the
  // core's thread, processing its events between steps so that Convert can
  // cancel, or on the conversion thread (FFMpegFailed), where every view
  // update, message and dialog is sent to the core's thread and the input is
  // read with a reader of the run's own. The copy loop stops at its next pass
  // once m_bCancel or the stop flag is set.
  void ConvertUsingNCT();
  // Scales frame to the size of m_psaFitted and places it in the middle of
  // the black disc frame m_psaFrame. The frame's pixels go to the scaler;
  // frame gets a buffer back to read the next picture into.
  void FitFrame(VideoFrame& frame);

  std::string m_strInputFile;   // the file being converted
  std::string m_strConvertOut;  // the file being written, by its final name
  int m_nDoneDuration = 0;      // ms of the inputs converted so far in this run
  // The scaled picture and the disc frame around it, made per file.
  std::unique_ptr<VideoFrame> m_psaFitted;
  std::unique_ptr<VideoFrame> m_psaFrame;
  // Bytes of stream one CD takes (the CD job's planning too); 0 by the "CD
  // Disc Size" setting (CdStreamCapacity); tests make it small.
  std::int64_t m_nCDCapacityBytes = 0;

  // State -----------------------------------------------------------------

  // The command line as text; with no files below, the text is one file
  // (optionally in double quotes).
  std::string m_strCommandLine;
  // The files given on the command line, in their order, as their bytes.
  std::vector<std::string> m_arrCommandLineFiles;
  std::string m_strProductKey;

  // The video library's reader and writer and the image scaler, made by
  // CreateObjects; the preview's player arrives with the preview.
  std::unique_ptr<VideoFile> m_pIVideoFileIn;
  std::unique_ptr<VideoFile> m_pIVideoFileOut;
  std::unique_ptr<ImageScaler> m_pScaler;
  // The installed AVI video codecs: entry k is the codec the library numbers k + 1.
  std::vector<std::string> m_arrVideoCodecs;
  std::vector<std::unique_ptr<OutputFormat>> m_formats;

  std::atomic<bool> m_bBusy{false};
  bool m_bConverting = false;
  bool m_bExitRequested = false;
  bool m_bUseFfmpeg = true;

  // Bound to the window (DoDataExchange).
  int m_nOutputFormat = -1;
  int m_nSliderPos = 0;
  bool m_bAsSource = false;
  int m_nPlayerPos = 0;
  bool m_bSeeking = false;  // the user drags the position slider
  std::string m_strCodecName;
  std::string m_strBitRate;
  std::string m_strFrameRate;
  std::string m_strDuration;
  // The inspected file's sound and subtitle tracks (side subtitle files
  // included), so that a user knows before converting what a disc keeps.
  std::string m_strTracks;

  // The library engine's settings.
  int m_nAVIFrameRate = 0;
  int m_nAVIAudioFormat = 0;
  int m_nAVIChannels = 0;
  int m_nAVICodec = 0;
  int m_nMPEGVersion = 0;
  int m_nMPEGFrameRate = 0;
  int m_nMPEGVideoBitRate = 0;
  int m_nMPEGAudioBitRate = 0;
  int m_nMPEGChannels = 0;
  int m_nRMProfile = 0;
  int m_nWMVProfile = 0;
  bool m_bSliderMoved = false;
  bool m_bSliderAtTop = false;

  // The disc formats: type 0 NTSC, 1 PAL (each asks the locale); device
  // index; video kbit/s.
  int m_nDVDType = DiscTypeForLocale();
  int m_nDVDDevice = 0;
  int m_nDVDBitrate = 5000;
  int m_nVCDType = DiscTypeForLocale();
  int m_nVCDDevice = 0;
  int m_nVCDBitrate = 1150;
  int m_nSVCDType = DiscTypeForLocale();
  int m_nSVCDDevice = 0;
  int m_nSVCDBitrate = 2500;

  // How many files a conversion list converts at once ("Parallel Jobs"): 0
  // chooses from the machine's processors, more forces that many (the
  // Convert command hands it to the task list).
  int m_nParallelJobs = 0;

  std::string m_strOutputFolder;
  std::string m_strChosenFolder;

  // The file inspected last (input files).
  int m_nFileInputType = -1;
  std::string m_strFOURCC;
  bool m_bHasVideo = false;
  bool m_bHasAudio = false;
  int m_nTotalDuration = 0;  // ms; the Convert command stores the job's total here
  int m_nWidth = 0;
  int m_nHeight = 0;

  // Input files and preview (input_files.cpp, preview.cpp).
  // The preview's player, kept by the view; null without one.
  PreviewPlayer* m_pIVideoPlayer = nullptr;
  bool m_bPlaying = false;  // started with Play, not paused or stopped since
  // Files dropped while the reader was in use, in order, added when it is free.
  std::vector<std::string> m_arrDeferredDrops;

  // The job (Convert command, disc jobs, library conversion).
  std::atomic<bool> m_bCancel{false};
  int m_nInputCount = 0;
  int m_nCurrentFile = 0;  // 1-based
  // How far each listed file's conversion is, in percent (files may convert
  // side by side; an ended one counts 100).
  std::vector<int> m_arrFilePercents;
  int m_nDVDVideoKbps = 0;
  int m_nSelectedFile = 0;
  int m_nCDCount = 1;
  std::vector<std::string> m_arrOutputFiles;  // without extension
  std::string m_strOutFile;
  std::string m_strWorkFolder;       // ends in '/'
  PathBuffer m_szDiscConvertFolder;  // ends in '/'
  std::vector<PathBuffer> m_arrConvertInputs;

  // The DVD job (dvd_job.cpp).
  std::atomic<bool> m_bErasing{false};  // the erase window is open; read by the burner's callbacks
  DvdImageBuilder* m_Builder = nullptr;
  // Chapter marks inside each title, every so many seconds; 0: one chapter
  // a title ("Chapter Minutes", 0 to 30, stored in minutes).
  int m_nChapterSeconds = 300;
  // What the DVD medium holds, in bytes; 0 by the "DVD Disc Size" setting
  // (DvdMediumCapacity); tests make it small.
  std::int64_t m_nDVDCapacityBytes = 0;

  // The wait between saving and deleting the temporary files when the window
  // closes.
  static constexpr int kCloseDelayMs = 600;

  // Runs handlers on the core's thread for other threads.
  WindowMessages m_messages;

  // Where a library conversion of a disc format hands its streams over;
  // empty: StartBurnDVD or StartBurnCD. Tests that read the converted
  // streams stop the job here, before the disc job consumes them.
  std::function<void(OutputFormatId)> m_discHandOver;

 private:
  // One run of ConvertUsingNCT (library_conversion.cpp).
  friend class LibraryConversionRun;

  // The ping on the core's thread (the message WM_PING).
  std::int32_t OnPingMessage(std::int32_t value, const Pinger& sender);
  // The radios of the file formats: the format and the slider from the window.
  void OnFileFormatRadio(const char* handlerName);
  // The radios of the disc formats: the format, and the slider at the
  // format's bit rate when the library engine converts.
  void OnDiscFormatRadio(const char* handlerName, int formatId, int bitrateSliderPos);
  // "Software\Peravel\Orlenta": the format settings, parent of the window's own.
  std::string FormatSettingsKey() const;
  WindowHandle Owner() const { return m_pView != nullptr ? m_pView->Handle() : nullptr; }

  // The DVD job (dvd_job.cpp, dvd_menu.cpp).
  static void BuilderProgressCallback(void* user, float x, int a, int b);
  static void DvdProcessCallback(float percent, int writtenMegabytes, int totalMegabytes, int fifoPercent,
                                 int bufferPercent, int step, int steps, void* user);
  static void DvdBurnDoneCallback(const char* errorText, void* user);
  static void DvdFinalizeCallback(void* user);
  // The burn's progress on the core's thread.
  void OnDvdProcess(double percent);
  // The bar at the value rounded, the completion text with the value itself.
  void ShowJobProgress(double value);
  // Burns again while the burner finds no disc (23) or a written one (21)
  // and the user answers OK; result holds the last result, the return value
  // the last answer.
  int BurnWithPrompts(int& result);
  // The ends of a DVD job: canceled, failed with a burner result, or an exception.
  void EndDvdJobCanceled(const char* logLine, const char* message);
  void EndDvdJobWithBurnError(int result);
  void EndDvdJobWithMessage(const std::string& message);
  // Stops what the job still runs (authoring, a burn) before its files go.
  void StopRunningDvdWork();
  // The menu files and the image folders in the work folder.
  void EmptyImageFolders();
  // Converted title i as it lies on disk.
  std::string ConvertedFile(std::size_t i) const;
  // The listed files whose titles the DVD holds, in list order.
  std::vector<std::string> DvdTitleSources();
  // The erase window from a prompt's Erase button.
  void EraseRewritable(const char* caption);

  bool m_bAuthoring = false;            // StartBurnDVD is building the image
  std::atomic<bool> m_bBurning{false};  // the burner writes this job's DVD
  bool m_bImageWriter = false;          // the job writes an image file instead of a disc

  // Input files and preview (input_files.cpp, preview.cpp).
  // While the window initialises: the files named on the command line.
  void AddCommandLineFile();
  // Adds the files dropped while the reader was in use, once it is free.
  void AddDeferredDrops();
  // True while a job, or an opening that lets the window draw, may be using the reader.
  bool ReaderInUse() const { return m_bBusy || m_bReaderInUse; }
  // Marks the reader in use by the window's own opening for its lifetime.
  class ReaderUse {
   public:
    explicit ReaderUse(CCastrel1Dlg& core);
    ~ReaderUse();
    ReaderUse(const ReaderUse&) = delete;
    ReaderUse& operator=(const ReaderUse&) = delete;

   private:
    CCastrel1Dlg& m_core;
    bool m_bOuter;
  };
  void CloseReader();
  // A file the reader cannot open: the codec look-up when its AVI code is
  // known, else "Could not open file".
  void OfferCodecOrReportUnopened(const std::string& path);
  // Inspects the last entry of the list and shows it in the player.
  void InspectAndShowLastEntry();
  // The player: a file (blank: the empty picture), the closed player, the blank file.
  void ShowFileInPlayer(const std::string& path, bool blank = false);
  void ClosePlayer();
  void ShowBlankFile();
  // The reader's event 1 (opening progress), on the core's thread.
  void OnReaderEvent(int value, short stage);
  bool m_bReaderInUse = false;
  // The reader's progress has moved the bar since the reader was taken.
  bool m_bBarShowsReading = false;

  MainWindowView* m_pView = nullptr;
};

// The quality slider's positions and the WMV profile of each (table entry
// minus one).
inline constexpr int kSliderTop = 9;
inline constexpr int kWmvProfileBySlider[] = {1, 5, 6, 7, 8, 9, 10, 11, 12, 13};

// The longest chapter interval the settings offer, in minutes.
inline constexpr int kMostChapterMinutes = kMostChapterIntervalMinutes;

// The key of the main window's settings, below HKEY_CURRENT_USER.
inline constexpr const char* kMainSettingsKey = "Software\\Peravel\\Orlenta\\Settings";
