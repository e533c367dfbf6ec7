#include <algorithm>
#include <filesystem>

#include "platform/disc/disc_text.h"
#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/tool_run.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace {

constexpr double kScanShare = 30.0;

// Runs one of the vcdimager programs; lines go to onLine, the first error is kept.
BurnStepResult RunVcdimagerTool(DiscTool tool, const std::vector<std::string>& arguments,
                                const ChildProcess::Options& options,
                                const std::function<void(const VcdimagerLine&)>& onLine,
                                const std::atomic<bool>* stop) {
  const DiscToolInfo info = GetDiscTool(tool);
  if (!info.Found()) return BurnStepResult::Failure(MissingToolText(tool));
  std::vector<std::string> argv = {info.path};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::string error;
  const ToolRunResult run = RunTool(
      argv, options,
      [&](const std::string& raw) {
        const VcdimagerLine line = ParseVcdimagerLine(raw);
        if (line.kind == VcdimagerLine::Kind::Error || line.kind == VcdimagerLine::Kind::Warning) {
          Log("%s: %s", info.name.c_str(), raw.c_str());
        }
        if (line.kind == VcdimagerLine::Kind::Error && error.empty()) error = line.text;
        if (onLine) onLine(line);
      },
      stop);
  BurnStepResult result;
  if (run.stopped) {
    result.status = BurnStepResult::Status::Stopped;
  } else if (run.startError != 0) {
    result = BurnStepResult::Failure("Cannot start " + info.name + ": " + GetErrorText(run.startError));
  } else if (run.exitCode != 0) {
    result = BurnStepResult::Failure(
        error.empty() ? info.name + " failed (exit code " + std::to_string(run.exitCode) + ")" : error);
  }
  return result;
}

}  // namespace

VcdxbuildProgress::VcdxbuildProgress(std::vector<long long> trackSizes) : m_sizes(std::move(trackSizes)) {}

bool VcdxbuildProgress::Apply(const VcdimagerLine& line) {
  double percent = m_percent;
  if (line.kind == VcdimagerLine::Kind::Scan) {
    // "sequence-01" is the second track.
    const auto dash = line.item.rfind('-');
    const std::size_t track =
        dash == std::string::npos ? 0 : static_cast<std::size_t>(std::atoi(line.item.c_str() + dash + 1));
    long long total = 0;
    long long before = 0;
    for (std::size_t i = 0; i < m_sizes.size(); ++i) {
      total += m_sizes[i];
      if (i < track) before += m_sizes[i];
    }
    if (total <= 0) return false;
    const long long position = std::min(line.position, track < m_sizes.size() ? m_sizes[track] : line.position);
    percent = kScanShare * std::min(1.0, static_cast<double>(before + position) / static_cast<double>(total));
  } else if (line.kind == VcdimagerLine::Kind::Write) {
    percent = kScanShare + (100.0 - kScanShare) * line.percent / 100.0;
  } else if (line.kind == VcdimagerLine::Kind::Finished) {
    percent = 100;
  }
  if (percent <= m_percent) return false;
  m_percent = std::min(100.0, percent);
  return true;
}

BurnStepResult MakeVideoCdImage(const VideoCdImageRequest& request, const BurnLineHandler& onLine,
                                const std::atomic<bool>* stop) {
  const std::string controlFile = (fs::path(request.workFolder) / "videocd.xml").string();
  std::vector<std::string> generate = {
      "-t", request.svcd ? "svcd" : "vcd2", "-l", VcdVolumeLabel(request.volumeLabel), "-o", controlFile};
  if (request.albumVolumeCount > 1) {
    generate.insert(generate.end(), {"--info-album-id", VcdVolumeLabel(request.volumeLabel), "--volume-count",
                                     std::to_string(request.albumVolumeCount), "--volume-number",
                                     std::to_string(request.albumVolumeNumber)});
  }
  generate.insert(generate.end(), request.tracks.begin(), request.tracks.end());
  BurnStepResult result = RunVcdimagerTool(DiscTool::Vcdxgen, generate, {}, nullptr, stop);
  if (!result.Done()) return result;

  std::vector<long long> sizes;
  for (const auto& track : request.tracks) {
    std::error_code ignored;
    const auto size = fs::file_size(track, ignored);
    sizes.push_back(ignored ? 0 : static_cast<long long>(size));
  }
  VcdxbuildProgress progress(sizes);
  // Run in the image's folder, so the cue sheet names its bin file without a path.
  ChildProcess::Options options;
  options.workingDirectory = request.folder;
  return RunVcdimagerTool(
      DiscTool::Vcdxbuild, {"-p", "-c", request.cueName, "-b", request.binName, controlFile}, options,
      [&](const VcdimagerLine& line) {
        if (!progress.Apply(line) || !onLine) return;
        BurnLine burnLine;
        burnLine.kind = BurnLine::Kind::Progress;
        burnLine.percent = progress.Percent();
        onLine(burnLine);
      },
      stop);
}
