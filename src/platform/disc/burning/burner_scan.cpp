// Video files of (Super) Video CD projects and cue sheets: checked when
// added, video files then scanned on the burner's scan thread.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/disc/burning/burner_codes.h"
#include "platform/disc/burning/burner_engine.h"
#include "platform/disc/disc_text.h"
#include "platform/disc/mpeg_compliance.h"
#include "support/crash_handler.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace burner {

using namespace codes;

namespace {

// The files a cue sheet names in its FILE lines, relative to its folder.
std::vector<std::string> CueSheetFiles(const std::string& cueSheet) {
  std::vector<std::string> files;
  std::ifstream in(cueSheet);
  std::string line;
  while (std::getline(in, line)) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos || UpperAscii(line.substr(start, 5)) != "FILE ") continue;
    const auto open = line.find('"', start);
    const auto close = line.rfind('"');
    if (open == std::string::npos || close <= open) continue;
    const fs::path name = line.substr(open + 1, close - open - 1);
    files.push_back((name.is_absolute() ? name : fs::path(cueSheet).parent_path() / name).string());
  }
  return files;
}

}  // namespace

int BurnerEngine::AddFile(const FileRecord& file) {
  std::unique_lock<std::mutex> lock(m_lock);
  if (const int code = CheckIdle(lock)) return code;
  const auto source = ReadTextField(file.sourcePath, sizeof file.sourcePath);
  const auto destination = ReadTextField(file.destinationPath, sizeof file.destinationPath);
  if (!source || !destination) return Fail(kBadParameter, "A file record text has no end");
  Log("AddFile source %s, destination %s", source->c_str(), destination->c_str());
  if (m_projectType == 0) return Fail(kNotAllowed, "No project");
  if (m_projectType == BS_BURNER_VIDEODVD) return Fail(kWrongBurner, "A DVD-Video project takes its folder only");
  if (!IsDiscRoot(*destination)) return Fail(kBadDestination, "Files go to the disc's root");
  std::error_code ignored;
  const std::string path = fs::absolute(*source, ignored).string();
  if (!fs::is_regular_file(path, ignored) || ::access(path.c_str(), R_OK) != 0) {
    return Fail(kCannotOpen, "Cannot read " + path);
  }

  if (m_projectType == BS_BURNER_CUE) {
    if (!m_cueSheet.empty()) return Fail(kNotAllowed, "The project already holds a cue sheet");
    const auto files = CueSheetFiles(path);
    if (files.empty()) return Fail(17, path + " names no bin file");
    for (const auto& bin : files) {
      if (!fs::is_regular_file(bin, ignored)) return Fail(kBinMissing, "No file " + bin);
    }
    m_cueSheet = path;
    return kOk;
  }

  if (file.flag != 1) return Fail(kNotImplemented, "Only video tracks go onto a (Super) Video CD");
  std::string error;
  const auto info = ProbeMpeg(path, &error);
  if (!info) return Fail(kCannotOpen, error);
  const VideoCdKind kind = m_projectType == BS_BURNER_SVCD ? VideoCdKind::Svcd : VideoCdKind::Vcd;
  const std::string problem = VideoCdProblem(*info, kind);
  if (!problem.empty()) {
    return Fail(kInvalidFormat,
                path + " does not fit a " + (kind == VideoCdKind::Svcd ? "SVCD" : "VCD") + ": " + problem);
  }
  auto track = std::make_shared<Track>();
  track->path = path;
  track->index = static_cast<int>(m_tracks.size());
  track->info = *info;
  m_tracks.push_back(track);
  m_scanQueue.push_back(track);
  if (!m_scanning) {
    if (m_scanThread.joinable()) m_scanThread.join();  // it has left its loop
    m_scanning = true;
    m_scanThread = ThreadWithCrashStack(&BurnerEngine::ScanLoop, this);
  }
  return kOk;
}

void BurnerEngine::ScanLoop() {
  for (;;) {
    std::shared_ptr<Track> track;
    {
      std::lock_guard<std::mutex> lock(m_lock);
      if (m_scanQueue.empty()) {
        m_scanning = false;
        m_changed.notify_all();
        return;
      }
      track = m_scanQueue.front();
      m_scanQueue.pop_front();
    }
    std::string error;
    const bool read = !track->stop && ScanMpeg(
                                          track->path,
                                          [&](double share) {
                                            const auto slot = m_callbacks.Scanner();
                                            if (slot.callback != nullptr) {
                                              slot.callback(static_cast<float>(100.0 * share), track->index, slot.user);
                                            }
                                          },
                                          &track->stop, &error);
    int result = kOk;
    if (!read) {
      result = track->stop ? kAborted : kInvalidFormat;
      Log("Burner scan of %s: %s", track->path.c_str(), track->stop ? "stopped" : error.c_str());
    }
    {
      std::lock_guard<std::mutex> lock(m_lock);
      track->scanned = true;
      track->result = result;
    }
    const MpegInfo& info = track->info;
    const auto slot = m_callbacks.ScanDone();
    if (slot.callback != nullptr) {
      // A Video CD sector carries 2324 bytes of the stream.
      const long long sectors = (info.fileSize + 2323) / 2324;
      slot.callback(track->index, result, info.width, info.height, static_cast<int>(std::lround(info.frameRate * 1000)),
                    static_cast<int>(info.videoBitRate / 1000), info.sampleRate, info.channels,
                    static_cast<int>(info.audioBitRate / 1000), static_cast<int>(info.durationMs),
                    static_cast<int>(sectors), slot.user);
    }
  }
}

}  // namespace burner
