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

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "convert/converter.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/event_wait.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Command {
  std::vector<std::string> argv;
  ChildProcess::Options options;
};

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "bench_convert_dvd: %s\n", what.c_str());
  std::exit(1);
}

// The screen of the job: a list and nothing else.
class ListOnlyView : public MainWindowView {
 public:
  WindowHandle Handle() override { return this; }
  void SetSkin() override {}
  void AppendSystemCommand(unsigned, const std::string&) override {}
  void SetIcon() override {}
  void ExchangeData(DialogData& data, bool save) override {
    if (save) data = m_data;
  }
  void EnableControl(int, bool) override {}
  void ShowControl(int, bool) override {}
  void SetButtonElement(int, const char*) override {}
  void SetStatusText(const std::string&) override {}
  void SetProgress(int) override {}
  void SetCompletedText(const std::string&) override {}
  void SetOutputFolderText(const std::string&) override {}
  int ListCount() override { return static_cast<int>(m_list.size()); }
  std::string ListText(int index) override { return m_list.at(static_cast<std::size_t>(index)); }
  int ListSelection() override { return -1; }
  void ListAppend(const std::string& text) override { m_list.push_back(text); }
  void ListDelete(int index) override { m_list.erase(m_list.begin() + index); }
  void ListSelect(int) override {}
  void CloseWindow(int) override {}

 private:
  DialogData m_data;
  std::vector<std::string> m_list;
};

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

long PeakResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** args) {
  const bool quick = benchquick::QuickMode(argc, args);
  std::string seconds = quick ? "1" : "20";
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(args[i]) == "--seconds") seconds = args[i + 1];
  }
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
  const std::string ffmpeg = FindProgram("ffmpeg");
  std::vector<std::string> clips;
  for (int i = 0; i < 3; ++i) {
    const std::string clip = (root / ("clip" + std::to_string(i) + ".avi")).string();
    const ProcessResult made =
        RunProcess({ffmpeg, "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
                    "testsrc=size=640x480:rate=25:duration=" + seconds, "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=" + seconds, "-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp3", clip});
    Check(made.Succeeded(), "ffmpeg could not make " + clip + "\n" + made.output);
    clips.push_back(clip);
  }

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

  // Commands the job starts for authoring and the image; the encodes are the
  // converter's own argument vectors.
  std::vector<Command> authoring;
  // What the job writes in-process (the menu, the control files) is gone
  // with it: a copy of its temporary folder at each command keeps the inputs.
  const fs::path saved = root / "saved";
  auto snapshot = [&] { fs::copy(temp, saved, fs::copy_options::recursive | fs::copy_options::skip_existing); };
  auto runJob = [&] {
    responder.QueueMessageAnswer(IDNO);  // do not open the image's folder
    const auto start = Clock::now();
    core.OnButtonConvert();
    ProcessEventsUntil([&] { return !core.m_bBusy && !core.m_bListRunning; });
    const double took = Seconds(Clock::now() - start);
    Check(responder.MessageTexts().back().rfind("DVD created successfully!", 0) == 0,
          "the job failed: " + responder.MessageTexts().back());
    return took;
  };
  SetToolRunObserver([&](const std::vector<std::string>& argv, const ChildProcess::Options& options) {
    authoring.push_back({argv, options});
    snapshot();
  });
  double bestJob = runJob();
  SetToolRunObserver(nullptr);
  const long peakKilobytes = PeakResidentKilobytes();

  // The same encodes by hand, into the names the job used, then the authoring.
  std::vector<Command> byHand;
  for (std::size_t i = 0; i < clips.size(); ++i) {
    const std::string title = core.m_arrOutputFiles.at(i) + ".mpg";
    const auto parameters = core.GetCurrentOutputFormat().GetEncodingParameters();
    Command encode{{ffmpeg}, {}};
    const auto arguments = ExternalConverter(clips[i], title, parameters, nullptr).GetArgumentVector();
    encode.argv.insert(encode.argv.end(), arguments.begin(), arguments.end());
    byHand.push_back(std::move(encode));
  }
  byHand.insert(byHand.end(), authoring.begin(), authoring.end());

  double bestByHand = 1e9;
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
    const auto start = Clock::now();
    for (const auto& command : byHand) {
      const ProcessResult run = RunProcess(command.argv, command.options);
      Check(run.Succeeded(), "the command failed: " + command.argv.front() + "\n" + run.output);
    }
    bestByHand = std::min(bestByHand, Seconds(Clock::now() - start));
    if (round < rounds) {
      for (const auto& image : fs::directory_iterator(out)) fs::remove_all(image.path());
      ::sync();
      bestJob = std::min(bestJob, runJob());
    }
  }

  std::printf("DVD job of three %s-second 640x480 clips through the core (Convert to ISO)\n", seconds.c_str());
  std::printf("job %.2f s, the same %zu commands one after another %.2f s (best of %d)\n", bestJob, byHand.size(),
              bestByHand, rounds);
  std::printf("ratio %.3f (goal <= 1.05; 60-second clips: <= 0.85, pinned to one processor <= 1.03)\n",
              bestJob / bestByHand);
  std::printf("peak resident memory of the program %.1f MB (goal <= 150 MB)\n", peakKilobytes / 1024.0);
  CTemporaryFiles::DeleteTempFiles();
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
