// The whole DVD job through the window's core - three generated 20-second
// clips, Convert, menu, authoring and the ISO by the image writer - divided
// by the same ffmpeg, spumux, dvdauthor and genisoimage commands run one
// after another by hand; and the peak resident memory of this process (the
// program, its children excluded) over the job. Goals: ratio <= 1.05, memory
// <= 150 MB. Prints its figures from one run (the better of two rounds of
// each side). "--quick": one-second clips, one round (bench_quick.h).
// "--seconds N": clips of N seconds; with 60 it is the figure of the titles
// encoded side by side (goal <= 0.85 on two processors, and <= 1.03 when run
// under "taskset -c 0", which pins both sides to one).
// "--hard": the clips carry moving noise, where bits matter.
// "--against-defaults": the hand-made side encodes with ffmpeg's own DVD
// defaults (-target pal-dvd alone) instead of the program's record; both
// sides' first titles are then compared with the source (luma PSNR).
// "--fitted": the disc is made just large enough that the plan fits the
// list to it at about 4 Mbit/s, and how full the job leaves it is printed
// (goal: 95 to 99 %, the image never larger than the disc). The menu and
// the file system take some 2 MB whatever the disc: with less than 60-second
// clips such a small disc cannot hold them, and the job says so.

#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "bench_support.h"
#include "disc/dvd_space_plan.h"
#include "list_only_view.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/find_program.h"
#include "support/event_wait.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;
using namespace benchsupport;

namespace {

long PeakResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  const std::string seconds = SecondsOption(argc, args, quick ? "1" : "20");
  const int rounds = benchquick::Pick(quick, 2, 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  char name[] = "bench_convert_dvd";
  char* qtArgv[] = {name, nullptr};
  QGuiApplication application(qtArgc, qtArgv);

  const fs::path root = fs::temp_directory_path() / ("orlenta-convert-dvd-bench-" + std::to_string(::getpid()));
  const fs::path temp = root / "tmp";
  const fs::path out = root / "out";
  fs::create_directories(temp);
  fs::create_directories(out);
  // The disc formats convert into the temporary folder: the benchmark's own.
  ::setenv("TMPDIR", temp.c_str(), 1);
  ::setenv("ORLENTA_REGISTRY", (root / "registry.reg").c_str(), 1);
  const bool hard = HasFlag(argc, args, "--hard");
  const bool againstDefaults = HasFlag(argc, args, "--against-defaults");
  const bool fitted = HasFlag(argc, args, "--fitted");
  const std::vector<std::string> clips = MakeClips(root.string(), 3, seconds, hard ? kMovingNoise : "");

  ScriptedResponder responder;
  ListOnlyView view;
  CCastrel1Dlg core;
  core.SetView(&view);
  core.SetDefaultSettings();
  core.OnInitDialog();
  core.m_nOutputFormat = kFormatDvd;
  core.m_formats[kFormatDvd]->video_codec_id = 1;  // PAL
  core.m_strOutputFolder = core.m_strChosenFolder = out.string();
  burner::DeviceName devices[burner::kMaxDevices];
  int count = 0;
  burner::GetDevices(devices, &count, 1);
  core.m_nDVDDevice = count - 1;  // the image writer
  for (const auto& clip : clips) view.ListAppend(clip);
  std::int64_t discBytes = 0;
  if (fitted) {
    // (4000 + 224) kbit/s over the list's length, as the plan fills a disc.
    const double listMs = 3 * std::stod(seconds) * 1000;
    discBytes = static_cast<std::int64_t>(listMs * (4000 + kDvdAudioKbps) / 8 * (1 + kDvdMuxOverhead) / kDvdFillShare);
    core.m_nDVDCapacityBytes = discBytes;
  }

  // Commands the job starts for authoring and the image; the encodes are the
  // converter's own argument vectors.
  std::vector<Command> authoring;
  // What the job writes in-process (the menu, the control files) is gone
  // with it: a copy of its temporary folder at each command keeps the inputs.
  const fs::path saved = root / "saved";
  auto snapshot = [&] { fs::copy(temp, saved, fs::copy_options::recursive | fs::copy_options::skip_existing); };
  auto runJob = [&] {
    responder.QueueMessageAnswer(IDNO);  // do not open the image's folder
    const double took = SecondsOf([&] {
      core.OnButtonConvert();
      ProcessEventsUntil([&] { return !core.m_bBusy && !core.m_bListRunning; });
    });
    Check(responder.MessageTexts().back().rfind("DVD created successfully!", 0) == 0,
          "the job failed: " + responder.MessageTexts().back());
    return took;
  };
  SetToolRunObserver([&](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
    authoring.push_back({argv, options});
    snapshot();
  });
  BestTime job;
  job.Add(runJob());
  SetToolRunObserver(nullptr);
  const long peakKilobytes = PeakResidentKilobytes();

  // The job's own first title, kept by the snapshots of its work folder.
  const std::string firstTitle = core.m_arrOutputFiles.at(0) + ".mpg";
  const fs::path jobsFirstTitle = saved / fs::path(firstTitle).lexically_relative(temp);
  std::uintmax_t titleBytes = 0;
  for (const std::string& title : core.m_arrOutputFiles) {
    titleBytes += fs::file_size(saved / fs::path(title + ".mpg").lexically_relative(temp));
  }
  std::uintmax_t imageBytes = 0;
  for (const auto& image : fs::directory_iterator(out)) imageBytes += fs::file_size(image.path());
  const PictureQuality jobQuality = ComparePictures(jobsFirstTitle.string(), clips[0], "640:480");

  // The same encodes by hand, into the names the job used, then the authoring.
  std::vector<Command> byHand;
  for (std::size_t i = 0; i < clips.size(); ++i) {
    const std::string title = core.m_arrOutputFiles.at(i) + ".mpg";
    if (againstDefaults) {
      byHand.push_back({{FindProgram("ffmpeg"), "-i", clips[i], "-target", "pal-dvd", "-y", title}, {}});
    } else {
      byHand.push_back({ConverterCommand(clips[i], title, core.GetCurrentOutputFormat().GetEncodingParameters()), {}});
    }
  }
  byHand.insert(byHand.end(), authoring.begin(), authoring.end());

  BestTime byHandTime;
  PictureQuality byHandQuality;
  for (int round = 1; round <= rounds; ++round) {
    FinishFolderRemovals();
    for (const auto& image : fs::directory_iterator(out)) fs::remove_all(image.path());
    // The job's work folders are gone with it; the recorded commands need them back.
    fs::copy(saved, temp, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto& command : byHand) {
      if (!command.options.workingDirectory.empty()) fs::create_directories(command.options.workingDirectory);
      for (std::size_t a = 0; a + 1 < command.argv.size(); ++a) {
        if (command.argv[a] == "-o") fs::create_directories(fs::path(command.argv[a + 1]).parent_path());
      }
    }
    ::sync();
    byHandTime.Add(SecondsOf([&] { RunCommands(byHand); }));
    if (round == 1) byHandQuality = ComparePictures(firstTitle, clips[0], "640:480");
    if (round < rounds) {
      for (const auto& image : fs::directory_iterator(out)) fs::remove_all(image.path());
      ::sync();
      job.Add(runJob());
    }
  }

  std::printf("DVD job of three %s-second 640x480 clips through the core (Convert to ISO)\n", seconds.c_str());
  std::printf("job %.2f s, the same %zu commands one after another %.2f s (best of %d)\n", job.Seconds(), byHand.size(),
              byHandTime.Seconds(), rounds);
  std::printf("ratio %.3f (goal <= 1.05; 60-second clips: <= 0.85, pinned to one processor <= 1.03)\n",
              job.Seconds() / byHandTime.Seconds());
  std::printf("peak resident memory of the program %.1f MB (goal <= 150 MB)\n", peakKilobytes / 1024.0);
  if (againstDefaults) {
    std::printf("first title's luma PSNR: job %.2f dB, by hand with ffmpeg's DVD defaults %.2f dB\n", jobQuality.psnr,
                byHandQuality.psnr);
  }
  if (fitted) {
    const double disc = static_cast<double>(discBytes);
    std::printf("disc of %.1f MB: the titles fill %.1f %%, the image %.1f %% (goal 95 to 99 %%, never over 100)\n",
                disc / 1e6, 100.0 * static_cast<double>(titleBytes) / disc,
                100.0 * static_cast<double>(imageBytes) / disc);
  }
  CTemporaryFiles::DeleteTempFiles();
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
