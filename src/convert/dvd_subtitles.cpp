#include "convert/dvd_subtitles.h"

#include <filesystem>

#include "convert/ping.h"
#include "platform/disc/authoring/subtitle_xml.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/tools/authoring_tools.h"
#include "support/log.h"

namespace fs = std::filesystem;

namespace {

// The work folder beside the title, removed with what it holds.
struct WorkFolder {
  std::string path;
  ~WorkFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
};

std::string SubtitleName(const SubtitleTrack& subtitle) {
  return subtitle.streamIndex >= 0 ? "stream " + std::to_string(subtitle.streamIndex) : subtitle.sideFile;
}

}  // namespace

std::string AddTextSubtitles(const TitleSubtitles& job) {
  if (job.subtitles.empty()) return "";
  std::string error;
  WorkFolder work{MakePrivateFolder(fs::path(job.title).parent_path().string(), "orlenta-subtitles-", &error)};
  if (work.path.empty()) return error;
  int stream = job.firstStream;
  for (const SubtitleTrack& subtitle : job.subtitles) {
    const std::string name = SubtitleName(subtitle);
    Log("Subtitle %s (%s) becomes subpicture stream %d of %s", name.c_str(), subtitle.codec.c_str(), stream,
        job.title.c_str());
    const std::string subrip = (fs::path(work.path) / ("subtitle-" + std::to_string(stream) + ".srt")).string();
    const bool sideFile = subtitle.streamIndex < 0;
    const ToolOutcome extracted =
        SubtitleToSubrip(sideFile ? subtitle.sideFile : job.source, subtitle.streamIndex, subrip, StopFlag::Flag());
    if (!extracted.Done()) return "cannot read the subtitle " + name + ": " + extracted.text;

    const auto xml = TextSubtitleXml(subrip, {job.standard});
    if (!xml) return "the work folder's name cannot be written into spumux's control file";
    const std::string control = (fs::path(work.path) / "subtitles.xml").string();
    if (!WriteTextFile(control, *xml, &error)) return error;
    const std::string muxed = (fs::path(work.path) / "muxed.mpg").string();
    const ToolOutcome added =
        MuxSubtitles(control, job.title, muxed, stream, work.path, job.standard, StopFlag::Flag());
    if (!added.Done()) return "spumux cannot add the subtitle " + name + ": " + added.text;
    std::error_code failed;
    fs::rename(muxed, job.title, failed);
    if (failed) return "cannot replace " + job.title + ": " + failed.message();
    ++stream;
  }
  return "";
}
