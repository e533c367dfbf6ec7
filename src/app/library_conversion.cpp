// CCastrel1Dlg: the conversion through the video library - the second engine,
// taking over when ffmpeg fails on a file or the list cannot be prepared.
//
// Threads. The run happens on the thread that calls ConvertUsingNCT:
// - On the core's thread (the Convert command's fallback) the copy loop
//   processes the waiting events after every pass: the window stays alive and
//   its Convert button, now the cancel button, sets m_bCancel.
// - On the conversion thread (FFMpegFailed) the core's thread runs freely.
//   Every view update, message and dialog is sent to it (m_messages), the job
//   members the window reads are changed there, and the settings are read
//   there into a copy the run uses. The input is read with a reader of the
//   run's own, so the window keeps its reader (the as-source check box may use
//   it meanwhile). The writer and the scaler serve only conversions and the
//   settings sheet, which is disabled while a job runs; the disc job that
//   follows is started on the core's thread after the run has let them go.
// In both cases the copy loop checks m_bCancel and the stop flag at every
// pass; Convert's cancel sets both, and the flag also stops the run when the
// window closes. Progress is shown when the bar moves or a tenth of a second
// has passed, so the window is not flooded from the conversion thread.
//
// Files are written under their final name plus ".part" and renamed when the
// writer has closed them; a run that fails or is cancelled removes what it
// wrote of the current file, so no half-written file stays under a final name.

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <system_error>

#include "app/main_window_core.h"
#include "convert/progress_position.h"
#include "disc/cd_split_plan.h"
#include "disc/disc_prompts.h"
#include "formats/library_engine_tables.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/message_box.h"
#include "platform/video/image_scaler.h"
#include "platform/video/video_file.h"
#include "platform/video/video_frame.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/picture_shape.h"
#include "support/user_text.h"

namespace {

// A split length no movie reaches: files of one part.
constexpr std::int64_t kNoSplitMs = 1'000'000'000;
// The video kbit/s of the lowest VCD and SVCD qualities.
constexpr int kLowestVcdVideoKbps = 700;
constexpr int kLowestSvcdVideoKbps = 1600;
constexpr const char* kPartialSuffix = ".part";
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

// What the run takes from the window and its settings, read on the core's thread.
struct LibrarySettings {
  int outputFormat = -1;
  int sliderPos = 0;
  bool sliderMoved = false;
  int aviFrameRate = 0;
  int aviAudioFormat = 0;
  int aviChannels = 0;
  int aviCodec = 0;
  int mpegVersion = 0;
  int mpegFrameRate = 0;
  int mpegVideoBitRate = 0;
  int mpegChannels = 0;
  int wmvProfile = 0;
  int rmProfile = 0;
  int dvdType = 0;
  int vcdType = 0;
  int svcdType = 0;
  int dvdBitrate = 0;
  int vcdBitrate = 0;
  int svcdBitrate = 0;
  int dvdVideoKbps = 0;
  bool dvdRateFitted = false;  // dvdVideoKbps was lowered to fit the list onto the disc
  std::int64_t cdCapacityBytes = kCdCapacityBytes;
  std::string outputFolder;
  std::string discConvertFolder;
};

std::string AfterLastSlash(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

void RemoveQuietly(const std::string& path) {
  std::error_code error;
  if (std::filesystem::remove(path, error)) Log("Removed the unfinished %s", path.c_str());
}

// stem, or stem(1), stem(2) ... so that no file stem<suffix> exists for any
// suffix (nor its partial file): a conversion never overwrites a file.
std::string FreeStem(const std::string& stem, const std::vector<std::string>& suffixes) {
  const auto taken = [&](const std::string& candidate) {
    return std::any_of(suffixes.begin(), suffixes.end(), [&](const std::string& suffix) {
      return Exists(candidate + suffix) || Exists(candidate + suffix + kPartialSuffix);
    });
  };
  if (!taken(stem)) return stem;
  for (int n = 1;; ++n) {
    const std::string candidate = stem + "(" + std::to_string(n) + ")";
    if (!taken(candidate)) return candidate;
  }
}

// The CD question: "%d" in text becomes count, "%s" the hint.
// question and hint are marked texts: %1 the count, %2 the hint or nothing.
std::string CdQuestion(const char* question, int count, const char* hint) {
  return UserText::Fill(UserText::Lookup(question),
                        {std::to_string(count), hint != nullptr ? std::string(UserText::Lookup(hint)) : std::string()});
}

}  // namespace

class LibraryConversionRun {
 public:
  explicit LibraryConversionRun(CCastrel1Dlg& core)
      : m_core(core),
        m_onCoreThread(core.m_messages.OnCoreThread()),
        m_ownReader(m_onCoreThread ? nullptr : std::make_unique<VideoFile>()),
        m_reader(m_onCoreThread ? *core.m_pIVideoFileIn : *m_ownReader),
        m_writer(*core.m_pIVideoFileOut) {}

  ~LibraryConversionRun() { Abandon(); }
  LibraryConversionRun(const LibraryConversionRun&) = delete;
  LibraryConversionRun& operator=(const LibraryConversionRun&) = delete;

  void Run();

 private:
  // Whether the run goes on after a step; Stop when it has ended the job.
  enum class Next { Go, Stop };

  void RunPasses();
  Next ConvertEntry(int entry, bool& converted);
  Next SetUpWriter();
  void SetUpDisc(const DiscFrameFormat& disc, int videoKbps);
  // DVD: what this engine leaves out of the list's tracks, asked before it
  // converts; false (the job ended) when the user declines.
  bool AskAboutLeftOutTracks(int listCount);
  Next PlanCds(int videoKbps, int lowestVideoKbps, const char* question, const char* hint);
  Next CopyFile();
  Next PadVcd();
  void MakePictureArrays();
  void ReportSuccess(int listCount);

  // The core's thread.
  void OnCore(const std::function<void()>& work);
  void ReadWindow();
  void Status(const std::string& text);
  void Message(const std::string& text, const char* caption, unsigned flags);
  void ShowProgress(int videoMs, int audioMs);
  void ProcessEvents();
  bool Cancelled();
  Next Fail(const char* what);
  Next EndRefused();
  void RefuseUndecodable(const std::string& reason);

  // The file written.
  void FrameFormat(int width, int height, double frameRate);
  void AudioInput();
  void NameOutput(const std::vector<std::string>& suffixes);
  void AdjustOutFile();
  void CreateOutput(int container);
  void FinishOutput();
  void Abandon();

  CCastrel1Dlg& m_core;
  const bool m_onCoreThread;
  std::unique_ptr<VideoFile> m_ownReader;
  VideoFile& m_reader;
  VideoFile& m_writer;
  LibrarySettings m_settings;

  // The file being converted.
  OutputFormatId m_format = -1;
  int m_durationMs = 0;  // D, the end of the file
  int m_width = 0;       // of the upright picture
  double m_displayAspect = 0.0;
  FrameAspect m_frameAspect = FrameAspect::FourByThree;
  int m_height = 0;
  double m_frameRate = 0.0;
  bool m_hasVideo = false;
  bool m_hasAudio = false;
  int m_frequency = 0;
  int m_channels = 0;
  DiscFrameFormat m_disc;
  int m_discKbps = 0;
  std::int64_t m_splitMs = kNoSplitMs;
  std::vector<std::string> m_outputsOfFile;  // final names made for it so far
  bool m_writerOpen = false;
  int m_picturesRead = 0;

  int m_shownBar = -1;
  std::chrono::steady_clock::time_point m_shownAt;
};

void LibraryConversionRun::OnCore(const std::function<void()>& work) {
  m_core.m_messages.Send([&] {
    work();
    return std::intptr_t{0};
  });
}

void LibraryConversionRun::ReadWindow() {
  OnCore([this] {
    CCastrel1Dlg& core = m_core;
    core.UpdateData(true);
    m_settings.outputFormat = core.m_nOutputFormat;
    m_settings.sliderPos = core.m_nSliderPos;
    m_settings.sliderMoved = core.m_bSliderMoved;
    m_settings.aviFrameRate = core.m_nAVIFrameRate;
    m_settings.aviAudioFormat = core.m_nAVIAudioFormat;
    m_settings.aviChannels = core.m_nAVIChannels;
    m_settings.aviCodec = core.m_nAVICodec;
    m_settings.mpegVersion = core.m_nMPEGVersion;
    m_settings.mpegFrameRate = core.m_nMPEGFrameRate;
    m_settings.mpegVideoBitRate = core.m_nMPEGVideoBitRate;
    m_settings.mpegChannels = core.m_nMPEGChannels;
    m_settings.wmvProfile = core.m_nWMVProfile;
    m_settings.rmProfile = core.m_nRMProfile;
    m_settings.dvdType = core.m_nDVDType;
    m_settings.vcdType = core.m_nVCDType;
    m_settings.svcdType = core.m_nSVCDType;
    m_settings.dvdBitrate = core.m_nDVDBitrate;
    m_settings.vcdBitrate = core.m_nVCDBitrate;
    m_settings.svcdBitrate = core.m_nSVCDBitrate;
    // A list fitted to the disc fills it, as the ffmpeg engine's titles do.
    m_settings.dvdVideoKbps = core.m_nDVDEncoderKbps > 0 ? core.m_nDVDEncoderKbps : core.m_nDVDVideoKbps;
    m_settings.dvdRateFitted = core.m_nDVDEncoderKbps > 0;
    m_settings.cdCapacityBytes = core.CdStreamCapacity();
    m_settings.outputFolder = core.m_strOutputFolder;
    m_settings.discConvertFolder = core.m_szDiscConvertFolder.str();
  });
}

void LibraryConversionRun::Status(const std::string& text) {
  OnCore([&] { m_core.m_pView->SetStatusText(text); });
}

void LibraryConversionRun::Message(const std::string& text, const char* caption, unsigned flags) {
  OnCore([&] { MessageBox(m_core.Owner(), text, caption, flags); });
}

bool LibraryConversionRun::Cancelled() {
  if (StopFlag::IsSet()) m_core.m_bCancel = true;
  return m_core.m_bCancel;
}

void LibraryConversionRun::ProcessEvents() {
  if (m_onCoreThread && QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void LibraryConversionRun::ShowProgress(int videoMs, int audioMs) {
  const double percent = LibraryProgress(m_core.m_nDoneDuration, videoMs, audioMs, m_core.m_nTotalDuration,
                                         m_durationMs, IsDiscFormat(m_format));
  const int bar = static_cast<int>(percent + 0.5);
  const auto now = std::chrono::steady_clock::now();
  if (bar == m_shownBar && now - m_shownAt < kProgressInterval) return;
  m_shownBar = bar;
  m_shownAt = now;
  const auto show = [view = m_core.m_pView, bar, completed = CompletedText(std::min(percent, 100.0))] {
    view->SetProgress(bar);
    view->SetCompletedText(completed);
  };
  // The conversion thread does not wait for the window to draw.
  if (m_onCoreThread) {
    show();
  } else {
    m_core.m_messages.Post(show);
  }
}

LibraryConversionRun::Next LibraryConversionRun::Fail(const char* what) {
  Log("%s", what);
  Abandon();
  Message(what, kApplicationTitle, MB_OK);
  OnCore([this] {
    m_core.EnableControls(true);
    m_core.m_bBusy = false;
    m_core.CleanTempFiles();
  });
  return Next::Stop;
}

// The user declined the CDs, or there would be too many: nothing was written.
LibraryConversionRun::Next LibraryConversionRun::EndRefused() {
  Log("m_pIVideoFileIn->CloseFile()");
  m_reader.CloseFile();
  OnCore([this] {
    m_core.m_bBusy = false;
    m_core.EnableControls(true);
    m_core.m_pView->SetStatusText(UserText::tr("Conversion Canceled."));
  });
  return Next::Stop;
}

// The file's video cannot be decoded: what was written of it goes, the user
// learns which file and why, and the run goes on with the next file.
void LibraryConversionRun::RefuseUndecodable(const std::string& reason) {
  Abandon();
  const char* pattern = QT_TRANSLATE_NOOP("UserText",
                                          "%1\n\nThe video of this file cannot be decoded: %2.\nThe file is not "
                                          "converted.");
  Log("%s", UserText::Fill(pattern, {m_core.m_strInputFile, reason}).c_str());
  Message(UserText::Fill(UserText::Lookup(pattern), {m_core.m_strInputFile, reason}), UserText::tr("Error").c_str(),
          MB_OK | MB_ICONERROR);
}

void LibraryConversionRun::Run() {
  Log("CCastrel1Dlg::ConvertUsingNCT");
  if (!m_onCoreThread) {
    // Files of one list fail side by side when the list converts several at
    // once; the first fallback converts the whole list, the others find the
    // job taken over (Convert hands each new job to ffmpeg again).
    bool takenOver = false;
    OnCore([&] { takenOver = !m_core.m_bUseFfmpeg; });
    if (takenOver) {
      Log("The library engine has already taken this job over");
      return;
    }
  }
  try {
    RunPasses();
  } catch (const std::exception& error) {
    // A failure the steps do not name (opening the input, setting up or
    // creating the output): the files are closed and the job ends, so Convert
    // starts clean next time.
    Log("NCT Video Library has FAILED! (there has been a crash in the big try block for the NCT)");
    Log("%s", error.what());
    Abandon();
    Message(error.what(), kApplicationTitle, MB_OK);
    OnCore([this] {
      m_core.EnableControls(true);
      m_core.m_bBusy = false;
      m_core.CleanTempFiles();
    });
  }
}

bool LibraryConversionRun::AskAboutLeftOutTracks(int listCount) {
  // This engine writes one sound track and no subtitles: a DVD that ffmpeg
  // would have given them all loses the rest, and the user says whether to go on.
  bool goOn = true;
  OnCore([&] {
    if (m_core.m_nOutputFormat != kFormatDvd) return;
    std::vector<std::string> inputs;
    for (int i = 0; i < listCount; ++i) inputs.push_back(m_core.m_pView->ListText(i));
    goOn = m_core.AskAboutLeftOutTracks(inputs, TrackWriter::Library);
    if (goOn) return;
    m_core.m_pView->SetStatusText(UserText::tr("Conversion canceled!"));
    m_core.m_bConverting = false;
    m_core.EnableControls(true);
    m_core.m_bBusy = false;
    m_core.CleanTempFiles();
  });
  return goOn;
}

void LibraryConversionRun::RunPasses() {
  int listCount = 0;
  bool singleFileJob = false;
  int selected = 0;
  OnCore([&] {
    m_core.m_bUseFfmpeg = false;
    // The run names the job's outputs itself: entries Convert planned for
    // ffmpeg name files that were never written.
    m_core.m_arrOutputFiles.clear();
    listCount = m_core.m_pView->ListCount();
    singleFileJob = m_core.m_nOutputFormat == kFormatVcd || m_core.m_nOutputFormat == kFormatSvcd;
    selected = m_core.m_nSelectedFile;
  });
  m_core.m_nDoneDuration = 0;
  Log("Start conversion of: %d files", listCount);
  if (!AskAboutLeftOutTracks(listCount)) return;

  int converted = 0;
  for (int pass = 0; pass < listCount; ++pass) {
    bool done = false;
    if (ConvertEntry(singleFileJob ? selected : pass, done) == Next::Stop) return;
    if (done) ++converted;
    // A CD job has its one file: a refused one is not asked for again.
    if (singleFileJob) break;
  }

  if (converted == 0) {
    // Every entry was missing or not a video: nothing to burn or report.
    OnCore([this] {
      m_core.m_pView->SetStatusText(UserText::tr("Ready"));
      m_core.m_bConverting = false;
      m_core.EnableControls(true);
      m_core.m_bBusy = false;
    });
    return;
  }
  if (IsDiscFormat(m_format)) {
    // The streams lie in the work folder; the disc job writes its image into
    // the user's folder, as after the ffmpeg engine's list.
    OnCore([this] { m_core.m_strOutputFolder = m_core.m_strChosenFolder; });
  }
  if (m_core.m_discHandOver && IsDiscFormat(m_format)) {
    OnCore([this] { m_core.m_discHandOver(m_format); });
    return;
  }
  if (m_format == kFormatDvd) {
    OnCore([this] { m_core.StartBurnDVD(); });
    return;
  }
  if (m_format == kFormatVcd || m_format == kFormatSvcd) {
    OnCore([this] { m_core.StartBurnCD(); });
    return;
  }
  ReportSuccess(listCount);
}

LibraryConversionRun::Next LibraryConversionRun::ConvertEntry(int entry, bool& converted) {
  std::string path;
  OnCore([&] {
    if (entry >= 0 && entry < m_core.m_pView->ListCount()) path = m_core.m_pView->ListText(entry);
  });
  m_core.m_strInputFile = path;
  Log("Get file: %s", path.c_str());
  if (path.empty() || !Exists(path)) {
    Message(
        UserText::Fill(UserText::tr("The file does not exist.\n\n%1\n\nPlease click Browse to select a file"), {path}),
        UserText::tr("Orlenta").c_str(), MB_OK | MB_ICONEXCLAMATION);
    return Next::Go;
  }
  int type = -1;
  OnCore([&] {
    type = m_core.GetFileInputType(path);
    // The window's reader keeps the file it checked open for an OpenFile that
    // follows; here the run reads with its own, so it lets the file go.
    if (!m_onCoreThread && !m_core.m_pIVideoFileIn->IsOpen()) m_core.m_pIVideoFileIn->CloseFile();
  });
  if (type < 0) {
    Message(UserText::Fill(
                UserText::tr("%1\n\nThe file you have selected is not a video file or this format is not supported"),
                {path}),
            UserText::tr("Warning").c_str(), MB_OK | MB_ICONEXCLAMATION);
    return Next::Go;
  }

  const auto dot = path.find_last_of('.');
  m_core.m_strConvertOut = (dot == std::string::npos ? std::string() : path.substr(0, dot)) + "_new";
  m_outputsOfFile.clear();
  m_splitMs = kNoSplitMs;
  OnCore([this] {
    m_core.EnableControls(false);
    m_core.m_bBusy = true;
    m_core.m_bCancel = false;
    m_core.m_nCDCount = 1;
  });

  Log("m_pIVideoFileIn->OpenFile %s", path.c_str());
  m_reader.OpenFile(path);
  // The file's end: where its sound ends when it has no video.
  m_durationMs = m_reader.PlayingDuration();
  m_hasVideo = m_reader.HasVideo();
  m_hasAudio = m_reader.HasAudio();
  m_width = m_hasVideo ? m_reader.Width() : 0;
  m_displayAspect = m_hasVideo ? m_reader.DisplayAspect() : 0.0;
  m_height = m_hasVideo ? m_reader.Height() : 0;
  m_frameRate = m_hasVideo ? m_reader.FrameRate() : 0.0;
  m_frequency = m_hasAudio ? m_reader.Frequency() : 0;
  m_channels = m_hasAudio ? m_reader.Channels() : 0;
  OnCore([this] {
    if (m_core.m_nOutputFormat == kFormatVcd || m_core.m_nOutputFormat == kFormatSvcd) {
      m_core.m_nTotalDuration = m_durationMs;
    }
    m_core.m_nWidth = m_width;
    m_core.m_nHeight = m_height;
    m_core.m_bHasVideo = m_hasVideo;
    m_core.m_bHasAudio = m_hasAudio;
  });
  if (m_hasVideo) {
    // A picture that cannot be decoded would become black frames under the
    // sound: the file is refused before anything is written.
    if (const std::string problem = m_reader.VideoProblem(); !problem.empty()) {
      RefuseUndecodable(problem);
      return Next::Go;
    }
  }
  m_writer.SetVideoEnabled(m_hasVideo);
  m_writer.SetAudioEnabled(m_hasAudio);
  ReadWindow();
  m_format = m_settings.outputFormat;

  Log("Continue with the big SWITCH for all the output formats");
  if (SetUpWriter() == Next::Stop) return Next::Stop;
  OnCore([this] { m_core.m_strOutFile = m_core.m_strConvertOut; });
  if (CopyFile() == Next::Stop) return Next::Stop;
  if (m_hasVideo && m_picturesRead == 0 && !Cancelled()) {
    // The first picture decoded when the file opened, but none came out.
    RefuseUndecodable("not a single picture could be decoded from it");
    return Next::Go;
  }

  Log("m_pIVideoFileIn->CloseFile()");
  m_reader.CloseFile();
  try {
    FinishOutput();
  } catch (const std::exception& error) {
    Log("%s", error.what());
    return Fail("Error: Close output file.");
  }

  if (Cancelled()) {
    Log("Conversion canceled");
    Abandon();
    OnCore([this] {
      m_core.m_pView->SetStatusText(UserText::tr("Conversion canceled!"));
      m_core.m_pView->SetProgress(0);
      m_core.EnableControls(true);
      m_core.m_bBusy = false;
      m_core.CleanTempFiles();
    });
    return Next::Stop;
  }

  m_core.m_nDoneDuration += m_durationMs;
  m_outputsOfFile.clear();  // finished: no longer ours to remove
  OnCore([this] { m_core.m_arrOutputFiles.push_back(m_core.m_strOutFile); });
  converted = true;
  return Next::Go;
}

void LibraryConversionRun::FrameFormat(int width, int height, double frameRate) {
  // A file without pictures has no frame format; its writer has video off.
  if (m_hasVideo) m_writer.SetFrameFormat(width, height, frameRate > 0.0 ? frameRate : 25.0);
}

void LibraryConversionRun::AudioInput() {
  if (m_hasAudio) m_writer.SetAudioInput(m_frequency, m_channels);
}

void LibraryConversionRun::NameOutput(const std::vector<std::string>& suffixes) {
  m_core.m_strConvertOut = FreeStem(m_core.m_strConvertOut, suffixes) + suffixes.front();
}

void LibraryConversionRun::AdjustOutFile() {
  OnCore([this] { m_core.AdjustOutFile(m_core.m_strConvertOut); });
  // AdjustOutFile leaves an empty file under the name, which is ours now.
  m_outputsOfFile.push_back(m_core.m_strConvertOut);
}

void LibraryConversionRun::CreateOutput(int container) {
  const std::string partial = m_core.m_strConvertOut + kPartialSuffix;
  m_writer.CreateFile(partial, container);
  m_writerOpen = true;
  if (std::find(m_outputsOfFile.begin(), m_outputsOfFile.end(), m_core.m_strConvertOut) == m_outputsOfFile.end()) {
    m_outputsOfFile.push_back(m_core.m_strConvertOut);
  }
}

void LibraryConversionRun::FinishOutput() {
  if (!m_writerOpen) return;
  m_writerOpen = false;
  m_writer.CloseFile();
  const std::string partial = m_core.m_strConvertOut + kPartialSuffix;
  std::error_code error;
  std::filesystem::rename(partial, m_core.m_strConvertOut, error);
  if (error) throw std::runtime_error("Cannot name " + m_core.m_strConvertOut + ": " + error.message());
}

void LibraryConversionRun::Abandon() {
  if (m_reader.IsOpen()) {
    Log("m_pIVideoFileIn->CloseFile()");
    m_reader.CloseFile();
  }
  if (m_writerOpen) {
    m_writerOpen = false;
    try {
      m_writer.CloseFile();
    } catch (const std::exception& error) {
      Log("%s", error.what());
    }
  }
  for (const std::string& output : m_outputsOfFile) {
    RemoveQuietly(output + kPartialSuffix);
    RemoveQuietly(output);
  }
  m_outputsOfFile.clear();
}

LibraryConversionRun::Next LibraryConversionRun::SetUpWriter() {
  const LibrarySettings& s = m_settings;
  std::string& out = m_core.m_strConvertOut;
  if (m_format < kFormatDvd && !s.outputFolder.empty()) {
    std::string folder = s.outputFolder;
    if (folder.back() != '/') folder += '/';
    std::error_code ignored;
    std::filesystem::create_directory(folder, ignored);
    out = folder + AfterLastSlash(out);
  }
  std::string discFolder = s.discConvertFolder;
  if (discFolder.empty()) discFolder = TempFolderPath().str();  // never the working directory
  if (discFolder.back() != '/') discFolder += '/';

  switch (m_format) {
    case kFormatAvi: {
      Log("Convert with NCT to format AVI");
      if (m_hasAudio) {
        const int channels = std::clamp(s.aviChannels, 0, 1) + 1;
        switch (std::clamp(s.aviAudioFormat, 0, 5)) {
          case 0:
            m_writer.SetAudioPCM(m_frequency, channels, 16);
            break;
          case 1:
            m_writer.SetAudioMP3(128, m_frequency, channels);
            break;
          case 2:
            m_writer.SetAudioADPCM(m_frequency, channels);
            break;
          case 3:
            m_writer.SetAudioALaw(m_frequency, channels);
            break;
          case 4:
            m_writer.SetAudioULaw(m_frequency, channels);
            break;
          default:
            m_writer.SetAudioGSM(m_frequency);
            break;
        }
        AudioInput();
      }
      m_writer.SelectVideoCodec(s.aviCodec + 1);
      NameOutput({".avi"});
      FrameFormat(m_width, m_height, m_frameRate);
      m_writer.SetAVIVideo(m_width, m_height, AviFrameRateAt(s.aviFrameRate));
      AdjustOutFile();
      CreateOutput(1);
      Status(UserText::tr("Converting to AVI..."));
      return Next::Go;
    }
    case kFormatMpeg: {
      Log("Convert with NCT to format MPEG 1/2");
      const int rate = m_frequency >= 16000 ? m_frequency : 16000;
      if (s.sliderMoved) ReadWindow();
      NameOutput({".mpg"});
      if (m_hasAudio) {
        AudioInput();
        m_writer.SetMPEGAudio(rate < 32000 ? 160 : 224, rate, std::clamp(s.mpegChannels, 0, 1) + 1);
      }
      const int height = LibraryMpegHeight(s.mpegVersion, m_height);
      FrameFormat(m_width, height, m_frameRate);
      if (m_hasVideo) {
        if (s.sliderMoved) {
          m_writer.SetMPEGVideo(2, MpegVideoKbpsBySlider(s.sliderPos), m_width, height,
                                MpegFrameRateBySlider(s.sliderPos));
        } else {
          m_writer.SetMPEGVideo(s.mpegVersion + 1, MpegVideoKbpsAt(s.mpegVideoBitRate), m_width, height,
                                MpegFrameRateAt(s.mpegFrameRate));
        }
      }
      Status(UserText::tr("Converting to MPEG..."));
      AdjustOutFile();
      CreateOutput(2);
      return Next::Go;
    }
    case kFormatWmv:
      Log("Convert with NCT to format WMV");
      m_writer.SetWMVProfile(s.wmvProfile + 1);
      NameOutput({".wmv"});
      AudioInput();
      FrameFormat(m_width, m_height, m_frameRate);
      Status(UserText::tr("Converting to WMV..."));
      AdjustOutFile();
      CreateOutput(3);
      return Next::Go;
    case kFormatRm:
      Log("Convert with NCT to format RM");
      m_writer.SetRMProfile(s.sliderMoved ? s.rmProfile : RealMediaProfileBySlider(s.sliderPos));
      NameOutput({".rm"});
      AudioInput();
      FrameFormat(m_width, m_height, m_frameRate);
      Status(UserText::tr("Converting to Real Media"));
      AdjustOutFile();
      CreateOutput(4);
      return Next::Go;
    case kFormatDvd: {
      Log("Convert with NCT to format DVD");
      ReadWindow();
      out = discFolder + AfterLastSlash(out);
      NameOutput({".mpg"});
      // Without a plan from Convert (a total duration of 0) the setting's rate is used.
      SetUpDisc(DiscFrameFormatFor(kFormatDvd, s.dvdType),
                m_settings.dvdVideoKbps > 0 ? m_settings.dvdVideoKbps : m_settings.dvdBitrate);
      Status(UserText::tr("Converting to DVD Compatible MPEG..."));
      CreateOutput(2);
      MakePictureArrays();
      return Next::Go;
    }
    case kFormatVcd: {
      Log("Convert with NCT to format VCD");
      ReadWindow();
      std::string name = AfterLastSlash(m_core.m_strInputFile);
      if (const auto dot = name.find_last_of('.'); dot != std::string::npos && dot != 0) name.erase(dot);
      out = discFolder + name;
      SetUpDisc(DiscFrameFormatFor(kFormatVcd, m_settings.vcdType), m_settings.vcdBitrate);
      if (PlanCds(m_settings.vcdBitrate, kLowestVcdVideoKbps,
                  QT_TRANSLATE_NOOP("UserText",
                                    "To burn this movie using the VCD format, you need to use %1 blank CDs. %2"),
                  QT_TRANSLATE_NOOP("UserText",
                                    "To fit it on less CDs, first select 'Cancel' and decrease the quality.")) ==
          Next::Stop) {
        return Next::Stop;
      }
      break;
    }
    case kFormatSvcd:
      Log("Convert with NCT to format SVCD");
      ReadWindow();
      // The work folder Convert chose for the disc, not the input's folder,
      // which may be read-only or hold a file of that name.
      out = discFolder + AfterLastSlash(out);
      SetUpDisc(DiscFrameFormatFor(kFormatSvcd, m_settings.svcdType), m_settings.svcdBitrate);
      if (PlanCds(m_settings.svcdBitrate, kLowestSvcdVideoKbps,
                  QT_TRANSLATE_NOOP("UserText",
                                    "To burn this movie using the SVCD format, you need to use %1 blank CDs.%2"),
                  QT_TRANSLATE_NOOP("UserText",
                                    " To fit it on less CDs, first select 'Cancel' and decrease the quality")) ==
          Next::Stop) {
        return Next::Stop;
      }
      break;
    default:
      Log("Output File Type Unknown: %d", m_format);
      Message(UserText::tr("Output File Type Unknown"), kApplicationTitle, MB_OK);
      return Next::Stop;
  }

  // VCD and SVCD: one name per CD, the digit before ".mpg" counting the parts.
  int cdCount = 1;
  OnCore([&] { cdCount = m_core.m_nCDCount; });
  std::vector<std::string> suffixes;
  if (cdCount > 1) {
    for (int part = 1; part <= cdCount; ++part) suffixes.push_back("_" + std::to_string(part) + ".mpg");
  } else {
    suffixes.push_back(".mpg");
  }
  NameOutput(suffixes);
  AdjustOutFile();
  CreateOutput(2);
  MakePictureArrays();
  return Next::Go;
}

void LibraryConversionRun::SetUpDisc(const DiscFrameFormat& disc, int videoKbps) {
  m_disc = disc;
  m_discKbps = videoKbps;
  if (m_hasAudio) {
    AudioInput();
    m_writer.SetMPEGAudio(kDiscAudioKbps, disc.audioHz, kDiscAudioChannels);
  }
  FrameFormat(disc.width, disc.height, m_frameRate);
  m_writer.SetMPEGVideo(disc.mpegVersion, videoKbps, disc.width, disc.height, disc.frameRate);
  // A DVD title is 4:3 or 16:9 by its source; a CD's frame is always 4:3.
  const DiscKind kind = m_format == kFormatDvd   ? DiscKind::Dvd
                        : m_format == kFormatVcd ? DiscKind::Vcd
                                                 : DiscKind::Svcd;
  m_frameAspect = DiscFrameAspect(kind, m_displayAspect);
  m_writer.SetMPEGWidescreen(m_frameAspect == FrameAspect::SixteenByNine);
  m_writer.SetMPEGRateFitted(kind == DiscKind::Dvd && m_settings.dvdRateFitted);
}

LibraryConversionRun::Next LibraryConversionRun::PlanCds(int videoKbps, int lowestVideoKbps, const char* question,
                                                         const char* hint) {
  const int cdCount = ExpectedCdCount(videoKbps, m_durationMs, m_settings.cdCapacityBytes);
  if (cdCount > kMaxCdCount) {
    // One digit numbers the parts: refused before anything is written.
    Log("The movie needs %d CDs", cdCount);
    Message(TooManyCdsMessage(cdCount), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return EndRefused();
  }
  OnCore([&] { m_core.m_nCDCount = cdCount; });
  m_splitMs = SplitLengthMs(m_format, m_durationMs, cdCount);
  Status(m_format == kFormatVcd ? UserText::tr("Converting to VCD Compatible MPEG...")
                                : UserText::tr("Converting to SVCD Compatible MPEG..."));
  if (cdCount == 1) return Next::Go;

  const int lowestCount = ExpectedCdCount(lowestVideoKbps, m_durationMs, m_settings.cdCapacityBytes);
  const std::string text = CdQuestion(question, cdCount, lowestCount >= cdCount ? nullptr : hint);
  int answer = IDOK;
  OnCore([&] { answer = AskDialog(m_core.Owner(), m_core.CDCountPrompt(text)).code; });
  if (answer == IDCANCEL) return EndRefused();
  return Next::Go;
}

void LibraryConversionRun::MakePictureArrays() {
  // Fitted as the picture is seen, not by its stored pixels: the disc's
  // pixels are not square, and neither are some sources'.
  const PictureArea fitted = FitPicture(m_disc.width, m_disc.height, m_frameAspect, m_displayAspect);
  m_core.m_psaFitted = std::make_unique<VideoFrame>(fitted.width, fitted.height);
  m_core.m_psaFrame = std::make_unique<VideoFrame>(m_disc.width, m_disc.height);
}

LibraryConversionRun::Next LibraryConversionRun::CopyFile() {
  const bool disc = IsDiscFormat(m_format);
  const std::int64_t duration = m_durationMs;
  bool videoDone = false;
  bool audioDone = false;
  int part = 1;
  VideoFrame frame;
  std::vector<std::int16_t> samples;
  m_core.m_bCancel = false;
  m_picturesRead = 0;

  while (!Cancelled()) {
    int video = m_reader.VideoPosition();
    int audio = m_reader.AudioPosition();
    if (video > duration) videoDone = true;
    if (audio > duration) audioDone = true;

    if ((video <= audio || audioDone) && !videoDone) {
      bool read = false;
      try {
        read = m_reader.ReadVideo(frame);
      } catch (const std::exception& error) {
        Log("%s", error.what());
        return Fail("ReadVideo Error");
      }
      if (!read) {
        videoDone = true;
      } else {
        ++m_picturesRead;
        try {
          if (disc) {
            m_core.FitFrame(frame);
            m_writer.WriteVideo(*m_core.m_psaFrame);
          } else {
            m_writer.WriteVideo(frame);
          }
        } catch (const std::exception& error) {
          Log("%s", error.what());
          return Fail("WriteVideo Error");
        }
      }
    }

    video = m_reader.VideoPosition();
    audio = m_reader.AudioPosition();
    if (video > part * m_splitMs && video >= audio) {
      // The next CD's part starts here; its sound first catches up with the picture.
      bool audioEnded = false;
      while (!audioEnded && m_reader.VideoPosition() > m_reader.AudioPosition() &&
             m_reader.AudioPosition() < duration) {
        m_reader.ReadAudio(5, samples);
        if (samples.empty()) {
          audioDone = true;
          audioEnded = true;
        } else {
          m_writer.WriteAudio(samples);
        }
      }
      try {
        FinishOutput();
      } catch (const std::exception& error) {
        Log("%s", error.what());
        return Fail("Error: Close output file.");
      }
      ReadWindow();
      const int videoKbps = m_format == kFormatVcd ? m_settings.vcdBitrate : m_settings.svcdBitrate;
      SetUpDisc(DiscFrameFormatFor(m_format, m_format == kFormatVcd ? m_settings.vcdType : m_settings.svcdType),
                videoKbps);
      ++part;
      m_core.m_strConvertOut = PartFileName(m_core.m_strConvertOut, part);
      CreateOutput(2);
    }

    video = m_reader.VideoPosition();
    audio = m_reader.AudioPosition();
    if ((video > audio || videoDone) && !audioDone) {
      try {
        m_reader.ReadAudio(2304, samples);
      } catch (const std::exception& error) {
        Log("%s", error.what());
        return Fail("ReadAudio Error");
      }
      if (samples.empty()) {
        audioDone = true;
      } else {
        try {
          m_writer.WriteAudio(samples);
        } catch (const std::exception& error) {
          Log("%s", error.what());
          return Fail("WriteAudio Error");
        }
      }
    }

    ShowProgress(m_reader.VideoPosition(), m_reader.AudioPosition());
    if (videoDone && audioDone) break;
    ProcessEvents();
  }

  if (m_format == kFormatVcd && !Cancelled()) return PadVcd();
  return Next::Go;
}

// A Video CD track shorter than about 20 seconds is padded with black pictures.
LibraryConversionRun::Next LibraryConversionRun::PadVcd() {
  const int end = m_reader.VideoPosition();
  if (!m_hasVideo || end >= 16000) return Next::Go;
  const VideoFrame black(m_disc.width, m_disc.height);
  const double last = (20000.0 - end) / 1000.0 * m_frameRate + 1.0;
  try {
    for (int k = 0; k <= last; ++k) m_writer.WriteVideo(black);
  } catch (const std::exception& error) {
    Log("%s", error.what());
    return Fail("WriteVideo Error");
  }
  return Next::Go;
}

void LibraryConversionRun::ReportSuccess(int listCount) {
  Status(UserText::tr("Ready"));
  if (listCount < 2) {
    OnCore([this] { AskDialog(m_core.Owner(), SuccessDialogRequest{m_core.m_strConvertOut}); });
  } else {
    std::string text;
    OnCore([&] {
      for (const std::string& output : m_core.m_arrOutputFiles) text += "\"" + output + "\"\n";
    });
    Message(UserText::Fill(UserText::tr("%1were created successfully!"), {text}), UserText::tr("Ready").c_str(),
            MB_OK | MB_ICONINFORMATION);
  }
  OnCore([this] {
    m_core.m_bConverting = false;
    m_core.EnableControls(true);
    m_core.m_bBusy = false;
  });
}

void CCastrel1Dlg::ConvertUsingNCT() {
  LibraryConversionRun run(*this);
  run.Run();
}

void CCastrel1Dlg::FitFrame(VideoFrame& frame) {
  // m_psaFitted gives the scaled picture's size; the scaler draws it straight
  // into its place in m_psaFrame, whose borders are black from its making
  // and never drawn on, so each frame costs no extra copy.
  const int top = (m_psaFrame->height - m_psaFitted->height) / 2;
  const int left = (m_psaFrame->width - m_psaFitted->width) / 2;
  m_pScaler->SetImage(std::move(frame));
  m_pScaler->GetImage(*m_psaFrame, left, top, m_psaFitted->width, m_psaFitted->height, ImageScaler::kSmooth);
}
