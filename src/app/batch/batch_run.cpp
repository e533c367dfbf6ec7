#include "app/batch/batch_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/batch/console_progress.h"
#include "app/batch/console_responder.h"
#include "app/batch/console_view.h"
#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/time_left_view.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/process/stop_signals.h"
#include "platform/video/media_reader.h"
#include "platform/video/video_error.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/product_version.h"
#include "support/system_info.h"
#include "support/temporary_files.h"
#include "support/writable_folder.h"

namespace {

namespace fs = std::filesystem;

// How often the loop looks whether the job has ended, and how long it waits
// for a cancelled job's programs to end before it leaves them to the kernel.
constexpr int kCheckMs = 100;
constexpr int kCancelWaitMs = 30'000;
// The quality slider's "end of scroll" notification.
constexpr int SB_ENDSCROLL = 8;

void StartLog() {
  PathBuffer folder = UserDataFolderPath();
  folder.Append("Orlenta");
  QDir().mkpath(QString::fromStdString(folder.str()));
  LogOpen((folder.str() + "/Orlenta_log.txt").c_str());
  LogSetTimestamps(true);
  Log("Product Version: %d.%d.%d.%d", kProductVersionMajor, kProductVersionMinor, kProductVersionPatch,
      kProductVersionTweak);
  LogSystemInfo(DisplayFacts{});
  Log("CoInitialize... done");
}

// path made absolute against the working folder, its bytes kept as they are.
std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(path), error);
  return error ? path : absolute.lexically_normal().string();
}

// A message of several lines as one line, for the last words of a run.
std::string OneLine(const std::string& text) {
  std::string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(start, end - start);
    while (!part.empty() && (part.back() == '\r' || part.back() == ' ')) part.pop_back();
    if (!part.empty()) line += (line.empty() ? "" : " ") + part;
    start = end + 1;
  }
  return line;
}

// The radio of a format, as the user clicks it: checked, then its handler.
void ChooseFormat(CCastrel1Dlg& core, OutputFormatId format) {
  DialogData data;
  core.View()->ExchangeData(data, true);
  data.nOutputFormat = format;
  core.View()->ExchangeData(data, false);
  core.OnFormatRadio(format);
}

// The options on the core's controls and settings; "" or the reason they
// cannot be applied (a usage error).
std::string ApplyOptions(CCastrel1Dlg& core, MainWindowView& view, const BatchOptions& options) {
  ChooseFormat(core, options.format);
  if (options.quality) {
    DialogData data;
    view.ExchangeData(data, true);
    data.nSliderPos = *options.quality;
    view.ExchangeData(data, false);
    // The slider at its top opens the AVI settings the first time; not here.
    core.m_bSliderAtTop = true;
    core.OnHScroll(SB_ENDSCROLL, *options.quality, control_id::kQualitySlider);
  }
  if (options.jobs) core.m_nParallelJobs = *options.jobs;
  if (options.dvdDiscSize) core.m_nDVDDiscSize = *options.dvdDiscSize;
  if (options.cdDiscSize) core.m_nCDDiscSize = *options.cdDiscSize;
  if (options.chapterMinutes) core.m_nChapterSeconds = *options.chapterMinutes * 60;
  if (options.discType) {
    core.m_nDVDType = core.m_nVCDType = core.m_nSVCDType = *options.discType;
    for (OutputFormatId disc : {kFormatDvd, kFormatVcd, kFormatSvcd}) {
      if (static_cast<std::size_t>(disc) < core.m_formats.size())
        core.m_formats[disc]->video_codec_id = *options.discType;
    }
  }
  if (options.device || options.image) {
    const int count = static_cast<int>(ListBurnerDevices().size());
    const int device = options.image ? count - 1 : *options.device;
    if (device >= count) {
      return "Option '--device' " + std::to_string(device) + ": the burner has devices 0 to " +
             std::to_string(count - 1) + " (the last one writes an image).";
    }
    core.m_nDVDDevice = core.m_nVCDDevice = core.m_nSVCDDevice = device;
  }
  if (!options.outputFolder.empty()) {
    // The folder's name as the bytes it was given: not every name is UTF-8.
    const std::string folder = AbsolutePath(options.outputFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
      return "Option '--output': cannot create the folder " + options.outputFolder + " (" +
             (error ? error.message() : std::string("a file has that name")) + ").";
    }
    // Found out now, not after an hour of converting.
    if (const std::string problem = FolderWriteProblem(folder); !problem.empty()) {
      return "Option '--output': the folder " + folder + " cannot be written (" + problem + ").";
    }
    core.m_strOutputFolder = core.m_strChosenFolder = folder;
  }
  return "";
}

// Why a path given as an input cannot be a video at all, or "".
std::string InputFileProblem(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return "The file does not exist.";
  if (fs::is_directory(status)) return "This is a folder, not a video file.";
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::string("The file cannot be read: ") + std::strerror(errno) + ".";
  ::close(descriptor);
  return "";
}

// Why the video of a listed file cannot be decoded, or "" (also for sound only).
std::string UndecodableVideo(const std::string& path) {
  try {
    const MediaReader reader(path);
    if (!reader.Facts().hasVideo || reader.Facts().videoProblem.empty()) return "";
    return "The video of this file cannot be decoded: " + reader.Facts().videoProblem + ".";
  } catch (const video_exception& error) {
    return std::string("The file cannot be read: ") + error.what();
  }
}

// Every input goes through the Add File checks, in the order given, before
// anything starts; a refusal is one line that names the file and the reason.
// False when one was refused: a disc without one of its titles is no result.
bool AddInputFiles(CCastrel1Dlg& core, ConsoleResponder& responder, ConsoleProgress& progress,
                   const BatchOptions& options) {
  bool allAdded = true;
  responder.HoldMessages(true);
  for (const std::string& given : options.files) {
    const std::string path = AbsolutePath(given);
    std::string reason = InputFileProblem(path);
    if (reason.empty()) {
      responder.ClearComplaint();
      if (core.AddFile(path)) {
        // A video that cannot be decoded would only end as a missing title,
        // after the others have been converted.
        reason = UndecodableVideo(path);
        if (reason.empty()) continue;
      } else {
        reason = OneLine(responder.LastComplaint());
        if (reason.empty()) reason = "The file cannot be opened as a video.";
      }
    }
    Log("Batch mode: refused %s: %s", path.c_str(), reason.c_str());
    // Add File's own texts name the file already.
    progress.Message("orlenta: " + (reason.find(path) != std::string::npos ? reason : path + ": " + reason));
    allAdded = false;
  }
  responder.HoldMessages(false);
  responder.ClearComplaint();
  if (allAdded && options.selection) core.View()->ListSelect(*options.selection);
  if (allAdded) {
    for (const auto& [number, text] : options.titles) core.SetTitleText(number - 1, text);
  }
  return allAdded;
}

// The questions a job asks whatever its conversion gives, asked before it
// converts: a CD job asks for a blank disc before each CD. The image writer
// takes no disc, so its prompts are answered Continue here; a drive needs a
// person (or --yes). False when the job stops at one.
bool AskQuestionsBeforeConverting(CCastrel1Dlg& core, ConsoleResponder& responder) {
  const bool cd = core.m_nOutputFormat == kFormatVcd || core.m_nOutputFormat == kFormatSvcd;
  if (!cd) return true;
  if (core.JobWritesImage()) {
    responder.ContinueAtDiscPrompts();
    return true;
  }
  return responder.AskBeforeStart({"Please insert an empty CD to burn.", "Continue"});
}

// The question's own text once, and how to answer it.
void EndAtQuestion(ConsoleProgress& progress, const ConsoleResponder::Question& question) {
  progress.Message("orlenta: the job stopped at a question that needs an answer:\n  " + OneLine(question.text) +
                   "\nRun it again with --yes to answer " + question.goOnButton + ".");
}

// Nothing of the job runs on: a cancelled list still stops its ffmpeg.
bool Idle(const CCastrel1Dlg& core) {
  return !core.m_bBusy && !core.m_bListRunning;
}

void QtMessageToLog(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& message) {
  Log("Qt: %s", message.toLocal8Bit().constData());
}

}  // namespace

void SendQtMessagesToLog() {
  qInstallMessageHandler(QtMessageToLog);
}

void PressConvertButton(CCastrel1Dlg& core) {
  core.OnButtonConvert();
}

int RunBatchJob(const BatchOptions& options, std::FILE* out, bool terminal, const PressConvert& pressConvert) {
  StartLog();
  Log("Batch mode: format %s, %d file(s)", BatchFormatName(options.format), static_cast<int>(options.files.size()));
  ConsoleProgress progress(out, terminal);
  ConsoleResponder responder(progress, options.yes);
  DialogResponder* previousResponder = GetDialogResponder();
  SetDialogResponder(&responder);

  int exitCode = kExitFailed;
  {
    CCastrel1Dlg core;
    ConsoleView console(progress);
    TimeLeftView view(core, console, [&progress](auto remaining) { progress.TimeLeft(remaining); });
    core.SetView(&view);
    core.SetDefaultSettings();
    core.LoadSettings();
    core.OnInitDialog();
    const std::string problem = ApplyOptions(core, view, options);
    if (!problem.empty()) {
      progress.Message("orlenta: " + problem);
      core.SetView(nullptr);
      SetDialogResponder(previousResponder);
      return kExitUsage;
    }
    if (options.plan && AddInputFiles(core, responder, progress, options)) {
      // The gauge's lines, and nothing is converted.
      const DiscPlan plan = core.MakeDiscPlan();
      const std::vector<std::string> lines = DiscPlanLines(plan);
      if (lines.empty()) progress.Message("orlenta: a file format makes no disc; there is nothing to plan.");
      for (const std::string& line : lines) progress.Message(line);
      exitCode = plan.fits ? kExitDone : kExitFailed;
      core.SetView(nullptr);
      SetDialogResponder(previousResponder);
      Log("Batch mode: plan printed, exit code %d", exitCode);
      return exitCode;
    }
    if (options.plan || !AddInputFiles(core, responder, progress, options) ||
        !AskQuestionsBeforeConverting(core, responder)) {
      if (const auto question = responder.UnansweredQuestion()) EndAtQuestion(progress, *question);
      core.SetView(nullptr);
      SetDialogResponder(previousResponder);
      Log("Batch mode: exit code %d", kExitFailed);
      return kExitFailed;
    }

    QEventLoop loop;
    bool interrupted = false;
    bool stopping = false;
    QElapsedTimer stoppingSince;

    QSocketNotifier* signalNotifier = nullptr;
    const int signalFd = InstallStopSignals();
    if (signalFd >= 0) {
      signalNotifier = new QSocketNotifier(signalFd, QSocketNotifier::Read, &loop);
      QObject::connect(signalNotifier, &QSocketNotifier::activated, &loop, [&] {
        const std::vector<int> received = ReadStopSignals(signalFd);
        if (received.empty()) return;
        Log("Batch mode: signal %d", received.back());
        if (interrupted) {
          // Asked twice: no more waiting.
          progress.Message("orlenta: stopped at once.");
          for (int child : ChildProcessesOf(static_cast<int>(::getpid()))) ::kill(child, SIGKILL);
          loop.exit(1);
          return;
        }
        interrupted = true;
        progress.Message(std::string("orlenta: ") + (received.back() == SIGTERM ? "terminated" : "interrupted") +
                         "; cancelling the job.");
        if (core.m_bBusy) pressConvert(core);
        // A burn in the burner's hands stops too.
        burner::Abort();
        stopping = true;
        stoppingSince.start();
      });
    }

    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
      if (!Idle(core)) {
        if (!stopping || stoppingSince.elapsed() < kCancelWaitMs) return;
        Log("Batch mode: the cancelled job did not end in time");
      } else if (!ChildProcessesOf(static_cast<int>(::getpid())).empty() &&
                 (!stopping || stoppingSince.elapsed() < kCancelWaitMs)) {
        return;  // a program of the job is still ending
      }
      loop.exit(0);
    });
    QTimer::singleShot(0, &loop, [&] {
      pressConvert(core);
      check.start(kCheckMs);
    });
    loop.exec();
    check.stop();
    delete signalNotifier;

    CTemporaryFiles::DeleteTempFiles();
    progress.Finish();
    if (interrupted) {
      progress.Message("orlenta: the job was cancelled.");
      exitCode = kExitInterrupted;
    } else if (const auto question = responder.UnansweredQuestion()) {
      EndAtQuestion(progress, *question);
      exitCode = kExitFailed;
    } else if (responder.SawSuccess()) {
      exitCode = kExitDone;
    } else {
      // One line, so that the reason is the run's last line.
      const std::string reason = OneLine(responder.LastComplaint());
      progress.Message("orlenta: the job failed: " + (reason.empty() ? "it ended without a result." : reason));
      exitCode = kExitFailed;
    }
    core.SetView(nullptr);
  }
  SetDialogResponder(previousResponder);
  Log("Batch mode: exit code %d", exitCode);
  return exitCode;
}

int RunCommandLine(const std::vector<std::string>& arguments, const PressConvert& pressConvert) {
  const BatchCommandLine line = ParseBatchCommandLine(arguments);
  switch (line.action) {
    case BatchCommandLine::Action::Help:
    case BatchCommandLine::Action::Version:
      std::fputs(line.text.c_str(), stdout);
      std::fflush(stdout);
      return kExitDone;
    case BatchCommandLine::Action::UsageError:
      std::fprintf(stderr, "orlenta: %s\nTry 'orlenta --help' for more information.\n", line.text.c_str());
      return kExitUsage;
    case BatchCommandLine::Action::Run:
      break;
  }
  // A plan is the run's result: it goes to stdout.
  std::FILE* out = line.options.plan ? stdout : stderr;
  return RunBatchJob(line.options, out, ::isatty(::fileno(out)) != 0, pressConvert);
}
