#include "app/time_left_view.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "disc/cd_split_plan.h"
#include "platform/disc/burning/burner_devices.h"
#include "platform/video/video_file.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

using Clock = TimeLeftEstimate::Clock;

// What the stages after the conversion are expected to take before they
// show their own pace: the work folder and the image are written at disk
// speed, a real drive writes far slower and needs time to start and close
// the disc. (Measured here: dvdauthor and genisoimage move well over
// 100 MB/s; the menu's picture, its video and spumux take 0.2 s, dvdauthor
// and genisoimage start in well under 0.1 s; a 16x DVD drive writes 22 MB/s,
// a 48x CD drive 7 MB/s, both less at the disc's inner edge.)
constexpr double kAuthoringMBps = 120;
constexpr double kAuthoringSeconds = 0.2;
constexpr double kMenuSeconds = 0.5;  // the title menu's picture and video
constexpr double kImageMBps = 150;
constexpr double kImageSeconds = 0.2;
constexpr double kDvdDriveMBps = 8;
constexpr double kCdDriveMBps = 3;
constexpr double kDriveSeconds = 30;  // lead-in, closing the disc
constexpr double kCdImageMBps = 60;

// The bar's range of each stage, as the disc jobs move it.
constexpr double kDiscStart = 75;
constexpr double kAuthoringEnd = 85;
constexpr double kBurningEnd = 95;

bool StartsWith(const std::string& text, const char* start) {
  return text.rfind(start, 0) == 0;
}

// Media durations of the inputs, in ms (0 for one that cannot be read).
std::vector<std::int64_t> InputDurations(const std::vector<PathBuffer>& inputs) {
  std::vector<std::int64_t> durations;
  VideoFile reader;
  for (const PathBuffer& input : inputs) {
    std::int64_t duration = 0;
    try {
      reader.OpenFile(input.str());
      duration = reader.VideoDuration();
      reader.CloseFile();
    } catch (const std::exception&) {
      Log("Time left: no duration of %s", input.c_str());
    }
    durations.push_back(duration);
  }
  return durations;
}

bool IsImageWriter(int deviceIndex) {
  const std::vector<BurnerDevice> devices = ListBurnerDevices();
  if (devices.empty()) return true;
  const std::size_t index =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(deviceIndex, 0)), devices.size() - 1);
  return devices[index].kind == BurnerDevice::Kind::ImageWriter;
}

}  // namespace

TimeLeftView::TimeLeftView(const CCastrel1Dlg& core, MainWindowView& inner, Listener listener, ClockSource clock)
    : m_core(core), m_inner(inner), m_listener(std::move(listener)), m_clock(std::move(clock)) {}

TimeLeftView::~TimeLeftView() = default;

std::string TimeLeftView::WindowTitle(std::optional<std::chrono::milliseconds> remaining) {
  if (!remaining) return kApplicationTitle;
  return std::string(kApplicationTitle) + " - " + FormatTimeLeft(*remaining) + " left";
}

TimeLeftView::Stage TimeLeftView::StageOfStatus(const std::string& text) const {
  // Every "Converting to ..." starts with these words in each language.
  if (StartsWith(text, "Converting to") || StartsWith(text, UserText::tr("Converting to").c_str())) {
    return Stage::Converting;
  }
  // These status texts come in the user's language.
  const auto is = [&](const char* english) { return text == english || text == UserText::Lookup(english); };
  if (is("Authoring in progress...")) return Stage::Authoring;
  if (is("Burning in progress...") || is("Finalizing the DVD, Please Wait...")) return Stage::Imaging;
  if (is("Writing the disc image...")) {
    return m_core.m_nOutputFormat == kFormatDvd ? Stage::Imaging : Stage::Burning;
  }
  if (StartsWith(text, "Analyzing file") || StartsWith(text, "Burning CD") || StartsWith(text, "Finalizing CD")) {
    return Stage::Burning;
  }
  for (const CdStepText& step : {kAnalyzingCd, kBurningCd, kFinalizingCd}) {
    // The line for a single CD, or the numbered one up to its number.
    const std::string numbered = UserText::Lookup(step.numbered);
    if (StartsWith(text, UserText::Lookup(step.single).c_str()) ||
        StartsWith(text, numbered.substr(0, numbered.find("%1")).c_str())) {
      return Stage::Burning;
    }
  }
  return Stage::None;
}

void TimeLeftView::SetStatusText(const std::string& text) {
  m_inner.SetStatusText(text);
  const Stage stage = StageOfStatus(text);
  if (stage == Stage::None || stage == m_stage) return;
  if (stage == Stage::Converting) StartJob();
  m_stage = stage;
  // A new stage starts at the bottom of its range, whatever the bar showed
  // at the end of the one before.
  OnPosition(stage == Stage::Converting ? 0 : stage == Stage::Imaging ? kAuthoringEnd : kDiscStart);
}

void TimeLeftView::SetProgress(int percent) {
  m_inner.SetProgress(percent);
  if (percent >= 100 && m_pEstimate) {
    // The bar full: nothing is left, whatever message the job's end still shows.
    m_pEstimate.reset();
    m_stage = Stage::None;
    Report();
    return;
  }
  OnPosition(percent);
}

void TimeLeftView::SetCompletedText(const std::string& text) {
  m_inner.SetCompletedText(text);
  // "Completed: 37.25%" is finer than the bar; the number is the same in
  // every language's words around it.
  const std::size_t digits = text.find_first_of("0123456789");
  double position = 0;
  if (digits != std::string::npos && std::sscanf(text.c_str() + digits, "%lf", &position) == 1 && position < 100) {
    OnPosition(position);
  }
}

void TimeLeftView::SetButtonElement(int id, const char* element) {
  m_inner.SetButtonElement(id, element);
  // The Convert button back to itself: the job has ended, one way or another.
  if (id == control_id::kConvert && std::string(element) == "button_start" && m_pEstimate) {
    m_pEstimate.reset();
    m_stage = Stage::None;
    Report();
  }
}

void TimeLeftView::StartJob() {
  const std::vector<std::int64_t> durations = InputDurations(m_core.m_arrConvertInputs);
  double seconds = 0;
  for (std::int64_t duration : durations) seconds += static_cast<double>(duration) / 1000;
  std::vector<TimeLeftEstimate::LaterStage> later;
  const int format = m_core.m_nOutputFormat;
  if (format == kFormatDvd || format == kFormatVcd || format == kFormatSvcd) {
    // The rate the titles are encoded at when the plan fixed one, else the
    // format's own.
    int videoKbps = format == kFormatDvd ? m_core.m_nDVDEncoderKbps : 0;
    if (videoKbps <= 0 && static_cast<std::size_t>(format) < m_core.m_formats.size()) {
      videoKbps = m_core.m_formats[format]->GetEncodingParameters().video_bitrate / 1000;
    }
    if (videoKbps <= 0 && format == kFormatDvd) videoKbps = m_core.m_nDVDVideoKbps;
    const double megabytes = seconds * (videoKbps + 224) / 8000;
    if (format == kFormatDvd) {
      const bool drive = !IsImageWriter(m_core.m_nDVDDevice);
      const double menu = m_core.m_arrConvertInputs.size() > 1 ? kMenuSeconds : 0;
      later.push_back({megabytes, kAuthoringMBps, kAuthoringSeconds + menu});
      later.push_back({megabytes, drive ? kDvdDriveMBps : kImageMBps, drive ? kDriveSeconds : kImageSeconds});
    } else {
      const int device = format == kFormatVcd ? m_core.m_nVCDDevice : m_core.m_nSVCDDevice;
      const bool drive = !IsImageWriter(device);
      const double perCd = drive ? kDriveSeconds : kImageSeconds;
      later.push_back({megabytes, drive ? kCdDriveMBps : kCdImageMBps, perCd * std::max(m_core.m_nCDCount, 1)});
    }
  }
  m_pEstimate = std::make_unique<TimeLeftEstimate>(durations, later);
  m_durationsMs = durations;
  m_position = 0;
}

void TimeLeftView::MeasureConvertedFiles() {
  const std::vector<int>& percents = m_core.m_arrFilePercents;
  if (m_durationsMs.size() != percents.size()) return;
  // The bit rate planned is a ceiling; simple pictures come out far smaller.
  // What the files hold so far, per second of their media converted, says
  // what the authoring and the image will move. A file that has barely
  // started says little (its container's header, the encoder's first frames).
  constexpr int kMinPercent = 5;
  double bytes = 0;
  double convertedMs = 0;
  double totalMs = 0;
  for (std::size_t file = 0; file < percents.size(); ++file) {
    totalMs += static_cast<double>(m_durationsMs[file]);
    if (percents[file] < kMinPercent || file >= m_core.m_arrOutputFiles.size()) continue;
    std::error_code error;
    const auto size = std::filesystem::file_size(m_core.m_arrOutputFiles[file] + ".mpg", error);
    if (error) continue;
    bytes += static_cast<double>(size);
    convertedMs += static_cast<double>(m_durationsMs[file]) * percents[file] / 100;
  }
  if (convertedMs > 0) m_pEstimate->SetLaterStagesMegabytes(bytes / convertedMs * totalMs / 1e6);
}

void TimeLeftView::OnPosition(double position) {
  m_position = position;
  if (!m_pEstimate) return;
  const Clock::time_point now = Now();
  switch (m_stage) {
    case Stage::Converting: {
      const int files = std::max(m_core.m_nInputCount, 1);
      // The conversion fills the bar's first part (all of it for a file format).
      const double range = std::max(m_core.m_nProgressRange, 1);
      if (m_core.m_bUseFfmpeg && m_core.m_arrFilePercents.size() == static_cast<std::size_t>(files)) {
        // The files convert side by side: each counts by its own progress.
        for (std::size_t file = 0; file < m_core.m_arrFilePercents.size(); ++file) {
          m_pEstimate->FileReached(file, m_core.m_arrFilePercents[file] / 100.0, now);
        }
        if (IsDiscFormat(m_core.m_nOutputFormat)) MeasureConvertedFiles();
      } else if (m_core.m_bUseFfmpeg) {
        // File k of N owns the k-th share of that part.
        const double share = range / files;
        const int file = std::clamp(m_core.m_nCurrentFile, 1, files);
        m_pEstimate->Converting(static_cast<std::size_t>(file - 1), (position - share * (file - 1)) / share, now);
      } else {
        // The library engine moves the bar over the whole list.
        const double whole = std::clamp(position / range, 0.0, 1.0) * files;
        const int file = std::min(static_cast<int>(whole), files - 1);
        m_pEstimate->Converting(static_cast<std::size_t>(file), whole - file, now);
      }
      break;
    }
    case Stage::Authoring:
      m_pEstimate->InLaterStage(0, (position - kDiscStart) / (kAuthoringEnd - kDiscStart), now);
      break;
    case Stage::Imaging:
      m_pEstimate->InLaterStage(1, (position - kAuthoringEnd) / (kBurningEnd - kAuthoringEnd), now);
      break;
    case Stage::Burning:
      m_pEstimate->InLaterStage(0, (position - kDiscStart) / (100 - kDiscStart), now);
      break;
    case Stage::None:
      break;
  }
  Report();
}

void TimeLeftView::Report() {
  std::optional<std::chrono::milliseconds> remaining;
  if (m_pEstimate) remaining = m_pEstimate->Remaining(Now());
  // Whole seconds are all anyone reads; fewer calls for the listener.
  if (remaining) *remaining = std::chrono::milliseconds((remaining->count() + 999) / 1000 * 1000);
  if (remaining == m_reported) return;
  m_reported = remaining;
  if (m_listener) m_listener(remaining);
}

Clock::time_point TimeLeftView::Now() {
  const std::lock_guard lock(m_pauseLock);
  return (m_nOpenQuestions > 0 ? m_pausedAt : m_clock()) - m_paused;
}

void TimeLeftView::QuestionOpened() {
  const std::lock_guard lock(m_pauseLock);
  if (m_nOpenQuestions++ == 0) m_pausedAt = m_clock();
}

void TimeLeftView::QuestionAnswered() {
  const std::lock_guard lock(m_pauseLock);
  if (m_nOpenQuestions == 0) return;
  if (--m_nOpenQuestions == 0) m_paused += m_clock() - m_pausedAt;
}

QuestionPause::QuestionPause(TimeLeftView& view) : m_view(view), m_pInner(GetDialogResponder()) {
  SetDialogResponder(this);
}

QuestionPause::~QuestionPause() {
  SetDialogResponder(m_pInner);
}

namespace {

// Answered, or left by an exception: the clock goes on either way.
struct OpenQuestion {
  explicit OpenQuestion(TimeLeftView& waiting) : view(waiting) { view.QuestionOpened(); }
  ~OpenQuestion() { view.QuestionAnswered(); }
  OpenQuestion(const OpenQuestion&) = delete;
  OpenQuestion& operator=(const OpenQuestion&) = delete;
  TimeLeftView& view;
};

}  // namespace

int QuestionPause::ShowMessage(WindowHandle owner, const MessageBoxRequest& request) {
  const OpenQuestion open(m_view);
  return m_pInner != nullptr ? m_pInner->ShowMessage(owner, request) : DefaultAnswer(request.flags);
}

DialogResult QuestionPause::ShowDialog(WindowHandle owner, const DialogRequest& request) {
  const OpenQuestion open(m_view);
  return m_pInner != nullptr ? m_pInner->ShowDialog(owner, request) : DialogResult{};
}
