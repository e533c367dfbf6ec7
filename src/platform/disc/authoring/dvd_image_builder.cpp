#include "platform/disc/authoring/dvd_image_builder.h"

#include <sys/statvfs.h>

#include <QString>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/disc/authoring/dvdauthor_xml.h"
#include "platform/disc/authoring/ifo_video.h"
#include "platform/disc/authoring/menu_buttons.h"
#include "platform/disc/authoring/menu_description.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/media_probe.h"
#include "platform/disc/mpeg_compliance.h"
#include "platform/disc/tools/authoring_tools.h"
#include "platform/programs/external_programs.h"
#include "support/log.h"
#include "support/path_buffer.h"
#include "support/picture_shape.h"
#include "support/utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMenuWidth = 720;
const PaletteColor kHighlightColor{255, 255, 0, 255};
const PaletteColor kSelectColor{255, 64, 32, 255};

// dvdauthor adds its titlesets to those it finds in VIDEO_TS, so the files
// of an earlier DVD there would end up on this one. Only DVD-Video's own file
// names are removed.
bool RemoveEarlierDvd(const fs::path& videoTs, std::string* error) {
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(videoTs, failed)) {
    const std::string name = entry.path().filename().string();
    const bool dvdFile = (name.rfind("VIDEO_TS.", 0) == 0 || name.rfind("VTS_", 0) == 0) &&
                         (name.ends_with(".IFO") || name.ends_with(".BUP") || name.ends_with(".VOB"));
    if (!dvdFile) continue;
    fs::remove(entry.path(), failed);
    if (failed) break;
  }
  if (failed) *error = "Cannot empty " + videoTs.string() + ": " + failed.message();
  return !failed;
}

// Bytes a process of ours may still write in folder's file system; -1 if unknown.
long long FreeBytes(const std::string& folder) {
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) != 0) return -1;
  return static_cast<long long>(info.f_bavail) * static_cast<long long>(info.f_frsize);
}

// Removes what a failed dvdauthor run wrote: the DVD-Video files in VIDEO_TS
// (the folder held none of an earlier DVD, see RemoveEarlierDvd) and the
// folders of the DVD when they are empty then; anything else stays.
void RemoveFailedDvd(const fs::path& destination) {
  std::string ignoredText;
  RemoveEarlierDvd(destination / "VIDEO_TS", &ignoredText);
  std::error_code ignored;
  fs::remove(destination / "VIDEO_TS", ignored);
  fs::remove(destination / "AUDIO_TS", ignored);
  fs::remove(destination, ignored);
}

}  // namespace

struct DvdImageBuilder {
  DVDImageBuildProgressCallback callback = nullptr;
  void* user = nullptr;
  std::optional<MenuDescription> menu;
  std::string singleTitle;
  std::string outputFolder;
  std::string workFolder;  // our intermediate files; removed with the builder
  std::string menuVideo;   // the menu with its buttons, once made
  bool menuAttempted = false;
  // What probing the titles found, kept from the menu step for the build.
  std::optional<VideoStandard> probedStandard;
  std::vector<double> probedMegabytes;
  std::atomic<bool> stop{false};
  std::string lastError;
  bool wrongShape = false;
  int chapterSeconds = 0;
  std::vector<std::vector<std::string>> soundLanguages;  // by title index
  std::vector<std::vector<std::string>> subtitleLanguages;

  ~DvdImageBuilder() { RemoveFolderLater(workFolder); }

  bool Fail(const std::string& text) {
    lastError = text;
    Log("DVD image builder: %s", text.c_str());
    return false;
  }

  std::vector<std::string> Titles() const {
    if (menu) {
      std::vector<std::string> titles;
      for (const auto& title : menu->titles) titles.push_back(title.file);
      return titles;
    }
    if (!singleTitle.empty()) return {singleTitle};
    return {};
  }

  bool EnsureWorkFolder() {
    if (!workFolder.empty()) return true;
    const std::string parent = outputFolder.empty() ? TempFolderPath().str() : outputFolder;
    workFolder = MakePrivateFolder(parent, "orlenta-dvd-", &lastError);
    return !workFolder.empty();
  }

  // The TV standard of the disc, from its first title (dvdauthor itself
  // checks that the others match), and every title's size in megabytes for
  // the progress; nullopt when the first title is no video or a title is
  // missing.
  std::optional<VideoStandard> ProbeTitles() {
    if (probedStandard) return probedStandard;
    const auto titles = Titles();
    std::vector<double> megabytes;
    for (const auto& title : titles) {
      std::error_code error;
      const auto size = fs::file_size(title, error);
      if (error) {
        Fail("Cannot read " + title + ": " + error.message());
        return std::nullopt;
      }
      megabytes.push_back(static_cast<double>(size) / (1024.0 * 1024.0));
    }
    std::string error;
    const auto info = ProbeMpeg(titles.front(), &error);
    if (!info) {
      Fail(error);
      return std::nullopt;
    }
    if (info->videoCodec.empty()) {
      Fail(titles.front() + " holds no video");
      return std::nullopt;
    }
    const VideoStandard standard = StandardOf(*info);
    probedStandard = standard == VideoStandard::Unknown ? VideoStandard::Pal : standard;
    probedMegabytes = std::move(megabytes);
    return probedStandard;
  }

  // Forgets what was learnt about the titles when they change.
  void TitlesChanged() {
    menuVideo.clear();
    menuAttempted = false;
    probedStandard.reset();
    probedMegabytes.clear();
  }

  bool CreateMenuImages();
  bool BuildDVD();
};

bool DvdImageBuilder::CreateMenuImages() {
  menuAttempted = true;
  menuVideo.clear();
  lastError.clear();
  if (!menu) return true;  // a single title has no menu to make
  const auto standard = ProbeTitles();
  if (!standard || !EnsureWorkFolder()) return false;
  const int height = FrameHeight(*standard);

  // The menu background becomes a DVD still in the titles' standard first:
  // spumux and dvdauthor take only DVD-muxed MPEG-2 of the disc's own size.
  const std::string background = (fs::path(workFolder) / "menu-background.mpg").string();
  const ToolOutcome converted = ConvertMenuBackground(menu->menuVideo, *standard, background);
  if (!converted.Done()) return Fail("Cannot convert the menu video " + menu->menuVideo + ": " + converted.text);

  std::vector<ButtonRect> buttons;
  int lineWidth = 1;
  for (const auto& title : menu->titles) {
    buttons.push_back(EvenButtonRect(title.left, title.top, title.right, title.bottom, kMenuWidth, height));
    lineWidth = std::max(lineWidth, title.lineWidth);
  }
  const std::string highlight = (fs::path(workFolder) / "menu-highlight.png").string();
  const std::string select = (fs::path(workFolder) / "menu-select.png").string();
  if (!WritePngFile(highlight, DrawButtonOutlines(kMenuWidth, height, buttons, kHighlightColor, lineWidth),
                    &lastError) ||
      !WritePngFile(select, DrawButtonOutlines(kMenuWidth, height, buttons, kSelectColor, lineWidth), &lastError)) {
    return Fail(lastError);
  }
  const auto xml = SpumuxXml(highlight, select, buttons);
  const std::string xmlPath = (fs::path(workFolder) / "menu-buttons.xml").string();
  if (!xml) return Fail("The work folder's name cannot be written into spumux's control file");
  if (!WriteTextFile(xmlPath, *xml, &lastError)) return Fail(lastError);

  const std::string muxed = (fs::path(workFolder) / "menu.mpg").string();
  const ToolOutcome muxedButtons = MuxMenuButtons(xmlPath, background, muxed, workFolder, *standard);
  if (!muxedButtons.Done()) return Fail(muxedButtons.text);
  menuVideo = muxed;
  return true;
}

namespace {

// A DVD stream is flagged 4:3 or 16:9; "" for anything else.
std::string StreamAspectText(const MpegInfo& info) {
  if (info.aspectNum <= 0 || info.aspectDen <= 0) return "";
  const double aspect = static_cast<double>(info.aspectNum) / info.aspectDen;
  for (const FrameAspect frame : {FrameAspect::FourByThree, FrameAspect::SixteenByNine}) {
    if (HasFrameShape(aspect, frame)) return AspectText(frame);
  }
  return "";
}

}  // namespace

bool DvdImageBuilder::BuildDVD() {
  stop = false;
  lastError.clear();
  wrongShape = false;
  const auto titles = Titles();
  if (titles.empty()) return Fail("No title to put on the DVD");
  if (outputFolder.empty()) return Fail("No output folder set");
  if (!GetExternalProgram(ExternalProgram::Dvdauthor).Found()) {
    return Fail(MissingProgramText(ExternalProgram::Dvdauthor));
  }
  if (menu && !menuAttempted) CreateMenuImages();

  const auto standard = ProbeTitles();
  if (!standard || !EnsureWorkFolder()) return false;

  DvdauthorProject project;
  project.destination = (fs::path(outputFolder) / "DVD").string();
  project.standard = *standard;
  project.titles = titles;
  // dvdauthor reads its control file as UTF-8: a title whose name is not
  // (a source named in another encoding) goes in through a link of a plain name.
  for (std::size_t i = 0; i < project.titles.size(); ++i) {
    const std::string& title = project.titles[i];
    if (IsUtf8(title)) continue;
    const fs::path link = fs::path(workFolder) / ("title-" + std::to_string(i + 1) + ".mpg");
    std::error_code linked;
    fs::remove(link, linked);
    fs::create_symlink(fs::absolute(title, linked), link, linked);
    if (linked) return Fail("Cannot link " + title + " into the work folder: " + linked.message());
    project.titles[i] = link.string();
  }
  project.chapterSeconds = chapterSeconds;
  project.titleSoundLanguages = soundLanguages;
  project.titleSubtitleLanguages = subtitleLanguages;
  // What each title's stream is, for the control file and for reading the disc back.
  std::vector<TitleVideo> streams;
  for (const auto& title : titles) {
    std::string ignored;
    const auto info = ProbeMpeg(title, &ignored);
    if (chapterSeconds > 0) project.titleDurationsMs.push_back(info ? info->durationMs : 0);
    project.titleAspects.push_back(info ? StreamAspectText(*info) : "");
    streams.push_back(info ? TitleVideo{project.titleAspects.back(), info->width, info->height} : TitleVideo{});
  }
  // Without the buttons a menu would hold the viewer on a still for ever: such
  // a disc plays its titles from the player's title list instead.
  if (menu && !menuVideo.empty()) project.menuVideo = menuVideo;
  if (menu && menuVideo.empty()) Log("DVD image builder: no menu buttons, the DVD gets no menu");

  std::error_code created;
  fs::create_directories(fs::path(project.destination) / "AUDIO_TS", created);
  fs::create_directories(fs::path(project.destination) / "VIDEO_TS", created);
  if (created) return Fail("Cannot create " + project.destination + ": " + created.message());
  if (!RemoveEarlierDvd(fs::path(project.destination) / "VIDEO_TS", &lastError)) return Fail(lastError);
  const auto xml = DvdauthorXml(project);
  if (!xml) return Fail("A title's or folder's name cannot be written into dvdauthor's control file");
  const std::string xmlPath = (fs::path(workFolder) / "dvdauthor.xml").string();
  if (!WriteTextFile(xmlPath, *xml, &lastError)) return Fail(lastError);

  DvdauthorProgress progress(probedMegabytes);
  const auto report = [&](DvdauthorProgress::Point point) {
    if (callback != nullptr) callback(user, point.x, point.a, point.b);
  };
  report(progress.Current());
  // dvdauthor warns, and goes on, when it cannot tell a title's shape: the
  // disc it then makes shows that title squashed or stretched.
  std::string aspectWarning;
  const ToolOutcome authored = RunDvdauthor(
      xmlPath, workFolder, *standard,
      [&](const DvdauthorLine& line) {
        if (line.kind == DvdauthorLine::Kind::Warning && aspectWarning.empty() &&
            line.text.find("aspect") != std::string::npos) {
          aspectWarning = line.text;
        }
        if (progress.Apply(line)) report(progress.Current());
      },
      &stop);
  if (!authored.Done()) {
    // dvdauthor does not say why a write failed ("Error 0 -- Success --
    // writing data"): a file system left with less room than the titles need
    // is why.
    double needed = 0;
    for (const double megabytes : probedMegabytes) needed += megabytes * 1024 * 1024;
    const long long free = FreeBytes(project.destination);
    const bool full = authored.failure == ToolFailure::Failed && free >= 0 && static_cast<double>(free) < needed;
    RemoveFailedDvd(project.destination);
    return Fail(full ? AsDiskFull(authored).text : authored.text);
  }
  std::error_code ignored;
  if (!fs::exists(fs::path(project.destination) / "VIDEO_TS" / "VIDEO_TS.IFO", ignored)) {
    return Fail("dvdauthor left no VIDEO_TS.IFO");
  }
  std::string shapeProblem = TitleSetVideoProblem((fs::path(project.destination) / "VIDEO_TS").string(), streams);
  if (shapeProblem.empty() && !aspectWarning.empty()) {
    shapeProblem = "The DVD would show a title in the wrong shape: dvdauthor says \"" + aspectWarning + "\"";
  }
  if (!shapeProblem.empty()) {
    RemoveFailedDvd(project.destination);
    wrongShape = true;
    return Fail(shapeProblem);
  }
  DvdauthorProgress::Point done = progress.Current();
  done.a = done.b;
  done.x = 0;
  report(done);
  return true;
}

DVDImageBuildHandle DVDImageBuild_Create() {
  Log("DVDImageBuild_Create");
  return new DvdImageBuilder();
}

void DVDImageBuild_Destory(DVDImageBuildHandle handle) {
  Log("DVDImageBuild_Destory");
  delete handle;
}

void DVDImageBuild_SetProgressCallback(DVDImageBuildHandle handle, DVDImageBuildProgressCallback callback, void* user) {
  if (handle == nullptr) return;
  handle->callback = callback;
  handle->user = user;
}

int DVDImageBuild_LoadINI(DVDImageBuildHandle handle, const char* path) {
  if (handle == nullptr || path == nullptr) return 0;
  Log("DVDImageBuild_LoadINI %s", path);
  auto menu = LoadMenuDescription(path, &handle->lastError);
  if (!menu) {
    handle->Fail("Menu description " + std::string(path) + ": " + handle->lastError);
    return 0;
  }
  handle->menu = std::move(menu);
  handle->singleTitle.clear();
  handle->TitlesChanged();
  return 1;
}

int DVDImageBuild_SetMenuMPEGFilename(DVDImageBuildHandle handle, const char* path) {
  if (handle == nullptr || path == nullptr) return 0;
  Log("DVDImageBuild_SetMenuMPEGFilename %s", path);
  std::error_code ignored;
  handle->menu.reset();
  handle->TitlesChanged();
  handle->singleTitle = fs::absolute(path, ignored).string();
  if (!fs::is_regular_file(handle->singleTitle, ignored)) {
    handle->Fail("No file " + handle->singleTitle);
    return 0;
  }
  return 1;
}

int DVDImageBuild_SetOutputFolder(DVDImageBuildHandle handle, const char* folder) {
  if (handle == nullptr || folder == nullptr) return 0;
  Log("DVDImageBuild_SetOutputFolder %s", folder);
  std::error_code ignored;
  handle->outputFolder = fs::absolute(folder, ignored).string();
  if (!fs::is_directory(handle->outputFolder, ignored)) {
    handle->Fail("No folder " + handle->outputFolder);
    return 0;
  }
  return 1;
}

void DVDImageBuild_SetChapterInterval(DVDImageBuildHandle handle, int seconds) {
  if (handle == nullptr) return;
  handle->chapterSeconds = std::max(0, seconds);
}

int DVDImageBuild_CreateMenuImages(DVDImageBuildHandle handle) {
  if (handle == nullptr) return 0;
  Log("DVDImageBuild_CreateMenuImages");
  return handle->CreateMenuImages() ? 1 : 0;
}

int DVDImageBuild_BuildDVD(DVDImageBuildHandle handle) {
  if (handle == nullptr) return 0;
  Log("DVDImageBuild_BuildDVD");
  return handle->BuildDVD() ? 1 : 0;
}

void DVDImageBuild_StopBuildDVD(DVDImageBuildHandle handle) {
  if (handle == nullptr) return;
  Log("DVDImageBuild_StopBuildDVD");
  handle->stop = true;
}

int DVDImageBuild_MadeWrongShape(DVDImageBuildHandle handle) {
  return handle != nullptr && handle->wrongShape ? 1 : 0;
}

const char* DVDImageBuild_GetLastError(DVDImageBuildHandle handle) {
  return handle == nullptr ? "no builder" : handle->lastError.c_str();
}

namespace {

std::vector<std::string> SplitCodes(const char* list) {
  std::vector<std::string> codes;
  if (list == nullptr || *list == '\0') return codes;
  std::string code;
  for (const char* c = list;; ++c) {
    if (*c == ',' || *c == '\0') {
      codes.push_back(code);
      code.clear();
      if (*c == '\0') break;
    } else {
      code += *c;
    }
  }
  return codes;
}

}  // namespace

void DVDImageBuild_SetTitleLanguages(DVDImageBuildHandle handle, int index, const char* soundLanguages,
                                     const char* subtitleLanguages) {
  if (handle == nullptr || index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (handle->soundLanguages.size() <= at) handle->soundLanguages.resize(at + 1);
  if (handle->subtitleLanguages.size() <= at) handle->subtitleLanguages.resize(at + 1);
  handle->soundLanguages[at] = SplitCodes(soundLanguages);
  handle->subtitleLanguages[at] = SplitCodes(subtitleLanguages);
}
