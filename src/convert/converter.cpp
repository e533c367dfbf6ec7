#include "convert/converter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>

#include "convert/conversion_fallback.h"
#include "convert/dvd_subtitles.h"
#include "convert/ffmpeg_arguments.h"
#include "convert/ffmpeg_process.h"
#include "platform/dialogs/message_box.h"
#include "platform/video/media_reader.h"
#include "support/exceptions.h"
#include "support/log.h"
#include "support/user_text.h"

namespace {

std::atomic<ConversionFallback*> g_fallback{nullptr};
// The fallback converts with the window's video library objects, which one
// thread at a time may use: when files convert side by side and two of them
// fail, the second fallback waits until the first has returned.
std::mutex g_fallbackLock;

// Identifies one state of a file, to tell whether ffmpeg has written it.
struct FileState {
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified;
};

std::optional<FileState> RegularFileState(const char* path) {
  struct stat info {};
  if (::lstat(path, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileState{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

bool SameState(const FileState& a, const FileState& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified.tv_sec == b.modified.tv_sec &&
         a.modified.tv_nsec == b.modified.tv_nsec;
}

// Removes the output of a failed run when ffmpeg has created or written it;
// a file it never touched (it failed on its input) stays as it was.
void RemovePartialOutput(const char* path, const std::optional<FileState>& before) {
  const auto after = RegularFileState(path);
  if (!after || (before && SameState(*before, *after))) return;
  if (::unlink(path) == 0) {
    Log("The partial output %s is removed", path);
  } else {
    Log("The partial output %s cannot be removed: %s", path, GetErrorText(errno).c_str());
  }
}

void LogFfmpegFailure(const FfmpegProcess& process) {
  if (const auto code = process.ExitCode()) {
    if (*code == 0) {
      Log("ffmpeg ended with exit code 0 but could not finish its output");
    } else {
      Log("ffmpeg failed with exit code %d", *code);
    }
  } else {
    Log("ffmpeg did not run to its end (it could not be started, or was killed)");
  }
  for (const std::string& line : process.LastLines()) Log("ffmpeg: %s", line.c_str());
}

}  // namespace

void SetConversionFallback(ConversionFallback* fallback) {
  g_fallback.store(fallback);
}

ConversionFallback* GetConversionFallback() {
  return g_fallback.load();
}

Converter::Converter(std::string_view inputPath, std::string_view outputPath, const EncodingParameters& parameters,
                     PingReceiver* receiver)
    : ProgressPinger(receiver), m_inputPath(inputPath), m_outputPath(outputPath), m_parameters(parameters) {}

ExternalConverter::ExternalConverter(std::string_view inputPath, std::string_view outputPath,
                                     const EncodingParameters& parameters, PingReceiver* receiver)
    : Converter(inputPath, outputPath, parameters, receiver) {
  Log("ExternalConverter constructor");
  const InputProbe probe = ProbeInput(m_inputPath.c_str());
  m_dDuration = probe.durationSeconds;
  m_sourceShape = probe.videoShape;
  if (m_parameters.target != nullptr && probe.streamsKnown && probe.hasAudio && !probe.hasVideo) {
    // A disc title needs a picture: music becomes a title with a black one.
    Log("%s holds sound without a picture: the disc title gets a black picture", m_inputPath.c_str());
    m_picture = OutputPicture::BlackStill;
  }
  // A file that could not be probed is left to ffmpeg, whose failure says more.
  m_bPictureExpected = !m_parameters.no_video && (probe.hasVideo || m_picture == OutputPicture::BlackStill);
  if (const auto disc = DiscKindOfTarget(m_parameters.target); disc && probe.streamsKnown) {
    m_streams = TitleStreams{probe.videoStream, PlanDiscTracks(probe.tracks, *disc)};
  }
}

std::string ExternalConverter::GetCommandLine() const {
  Log("ExternalConverter::GetCommandLine");
  return FfmpegArguments(m_inputPath.str(), m_outputPath.str(), m_parameters, m_picture, m_sourceShape, m_streams)
      .Text();
}

std::vector<std::string> ExternalConverter::GetArgumentVector() const {
  return FfmpegArguments(m_inputPath.str(), m_outputPath.str(), m_parameters, m_picture, m_sourceShape, m_streams)
      .Vector();
}

std::optional<DiscKind> DiscKindOfTarget(const char* target) {
  if (target == nullptr) return std::nullopt;
  if (std::strcmp(target, "dvd") == 0) return DiscKind::Dvd;
  if (std::strcmp(target, "vcd") == 0) return DiscKind::Vcd;
  if (std::strcmp(target, "svcd") == 0) return DiscKind::Svcd;
  return std::nullopt;
}

void ExternalConverter::AddTextSubtitles() {
  if (!m_streams) return;
  TitleSubtitles job;
  job.source = m_inputPath.str();
  job.title = m_outputPath.str();
  for (const SubtitleTrack& subtitle : m_streams->tracks.subtitles) {
    if (subtitle.form == SubtitleForm::Text) {
      job.subtitles.push_back(subtitle);
    } else {
      ++job.firstStream;
    }
  }
  if (job.subtitles.empty()) return;
  const bool ntsc = m_parameters.video_codec != nullptr && std::strncmp(m_parameters.video_codec, "ntsc", 4) == 0;
  job.standard = ntsc ? VideoStandard::Ntsc : VideoStandard::Pal;
  const std::string problem = ::AddTextSubtitles(job);
  if (problem.empty()) return;
  if (StopFlag::IsSet()) throw stop_by_user_exception();
  // The title stays, with the subtitles that went in; the user hears which did not.
  Log("The subtitles of %s cannot be put onto the disc: %s", m_inputPath.c_str(), problem.c_str());
  const std::string message = UserText::Fill(UserText::tr("The subtitles of %1 cannot be put onto the disc:\n%2"),
                                             {m_inputPath.str(), problem});
  MessageBox(nullptr, message.c_str(), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
}

void ExternalConverter::Convert() {
  Log("ExternalConverter::Convert");
  FfmpegProcess process(GetCommandLine(), GetArgumentVector(), Receiver(), m_dDuration);
  const auto outputBefore = RegularFileState(m_outputPath.c_str());
  Log("ffmpeg_process.Start();");
  process.Start();
  if (process.Succeeded()) {
    // ffmpeg can end well with pictures it could not decode left out: an
    // output without them is no conversion.
    const std::string problem = m_bPictureExpected ? PictureProblem(m_outputPath.str()) : std::string();
    if (problem.empty()) {
      AddTextSubtitles();
      return;
    }
    Log("ffmpeg ended with exit code 0, but the picture of %s cannot be read back: %s", m_outputPath.c_str(),
        problem.c_str());
  } else {
    LogFfmpegFailure(process);
  }
  RemovePartialOutput(m_outputPath.c_str(), outputBefore);
  std::string message = UserText::tr("Error #12: Conversion problem");
  if (ReportsFullDisk(process.LastLines())) {
    message += UserText::Fill(UserText::tr("\n\nThe disk is full: there is no room left for %1"), {m_outputPath.str()});
  }
  Log("Conversion failed! Error #12: Conversion problem");
  MessageBox(nullptr, message.c_str(), kApplicationTitle, MB_OK);
  if (ConversionFallback* fallback = GetConversionFallback()) {
    std::lock_guard oneAtATime(g_fallbackLock);
    // A fallback still waiting when the user stopped the list is not started.
    if (StopFlag::IsSet()) throw stop_by_user_exception();
    fallback->FFMpegFailed();
  } else {
    Log("No fallback conversion is available");
  }
}
