// Time of a one-CD VCD job through the window's core - the ffmpeg engine's
// task list converting a clip, then the CD job writing its BIN/CUE pair with
// the image writer - divided by the time of the same ffmpeg, vcdxgen and
// vcdxbuild commands run directly. The goal is at most 1.05. Prints its
// figures from one run; takes the best of a few rounds of each so that a busy
// machine disturbs it less. "--quick": a one-second clip and one round.

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "convert/convert_task_list.h"
#include "convert/converter.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/event_wait.h"
#include "support/log.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "cd_job_bench: %s\n", what.c_str());
  std::exit(1);
}

// A screen that shows nothing.
class NullView : public MainWindowView {
 public:
  WindowHandle Handle() override { return this; }
  void SetSkin() override {}
  void AppendSystemCommand(unsigned, const std::string&) override {}
  void SetIcon() override {}
  void ExchangeData(DialogData&, bool) override {}
  void EnableControl(int, bool) override {}
  void ShowControl(int, bool) override {}
  void SetButtonElement(int, const char*) override {}
  void SetStatusText(const std::string&) override {}
  void SetProgress(int) override {}
  void SetCompletedText(const std::string&) override {}
  void SetOutputFolderText(const std::string&) override {}
  int ListCount() override { return 0; }
  std::string ListText(int) override { return {}; }
  int ListSelection() override { return -1; }
  void ListAppend(const std::string&) override {}
  void ListDelete(int) override {}
  void ListSelect(int) override {}
  void CloseWindow(int) override {}
};

// Every prompt answered with its first button (Continue), every message OK.
class YesResponder : public DialogResponder {
 public:
  int ShowMessage(WindowHandle, const MessageBoxRequest&) override { return IDOK; }
  DialogResult ShowDialog(WindowHandle, const DialogRequest&) override { return DialogResult{IDOK, {}}; }
};

// Notes the task list's final ping.
class ListEnd : public PingReceiver {
 public:
  std::int32_t OnPing(std::int32_t value, const Pinger& sender) override {
    if (value == 0 && dynamic_cast<const ConvertTaskList*>(&sender) != nullptr) ended = true;
    return 0;
  }
  std::atomic<bool> ended{false};
};

void RunUntil(const std::function<bool()>& done) {
  ProcessEventsUntil(done);
}

double ThroughTheCore(CCastrel1Dlg& core, const std::string& clip, const std::string& folder) {
  const std::string work = folder + "/tempVCD";
  const std::string output = folder + "/output";
  fs::create_directories(work);
  fs::create_directories(output);
  const auto start = Clock::now();
  ListEnd listEnd;
  ConvertTaskList::Start(ConvertTaskList({PathBuffer(clip)}, work, *core.m_formats[kFormatVcd], &listEnd));
  RunUntil([&] { return listEnd.ended.load(); });
  const auto converted = Clock::now();
  core.m_arrOutputFiles = {work + "/" + fs::path(clip).stem().string() + "_new"};
  core.m_nOutputFormat = kFormatVcd;
  core.m_bUseFfmpeg = true;
  core.m_nCDCount = 1;
  core.m_nVCDDevice = 99;  // the image writer
  core.m_strChosenFolder = output;
  core.m_bBusy = true;
  core.m_bCancel = false;
  core.StartBurnCD();
  RunUntil([&] { return !core.m_bCDWorkerRunning; });
  QCoreApplication::processEvents();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("  core round: converting %.3f s, CD job %.3f s\n",
              std::chrono::duration<double>(converted - start).count(),
              std::chrono::duration<double>(Clock::now() - converted).count());
  Check(fs::exists(output + "/Video CD.cue") && fs::exists(output + "/Video CD.bin"), "the core made no image");
  return seconds;
}

double ByHand(const std::string& folder, const std::vector<std::string>& ffmpegArguments) {
  const auto start = Clock::now();
  std::vector<std::string> ffmpeg = {FindProgram("ffmpeg")};
  ffmpeg.insert(ffmpeg.end(), ffmpegArguments.begin(), ffmpegArguments.end());
  Check(RunProcess(ffmpeg).Succeeded(), "ffmpeg failed");
  const auto converted = Clock::now();
  const std::string mpeg = folder + "/clip_new.mpg";
  Check(RunProcess({FindProgram("vcdxgen"), "-t", "vcd2", "-l", "VIDEO_CD", "-o", folder + "/v.xml", mpeg}).Succeeded(),
        "vcdxgen failed");
  ChildProcess::Options options;
  options.workingDirectory = folder;
  Check(RunProcess({FindProgram("vcdxbuild"), "-p", "-c", "v.cue", "-b", "v.bin", folder + "/v.xml"}, options)
            .Succeeded(),
        "vcdxbuild failed");
  std::printf("  hand round: converting %.3f s, image %.3f s\n",
              std::chrono::duration<double>(converted - start).count(),
              std::chrono::duration<double>(Clock::now() - converted).count());
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  const int rounds = benchquick::Pick(quick, 5, 1);
  const double clipSeconds = benchquick::Pick(quick, 60.0, 1.0);
  QCoreApplication app(argc, argv);
  YesResponder responder;
  SetDialogResponder(&responder);
  std::string error;
  const std::string root = MakePrivateFolder(fs::temp_directory_path().string(), "cd-job-bench-", &error);
  Check(!root.empty(), error);

  const std::string clip = root + "/clip.mp4";
  const std::string seconds = std::to_string(clipSeconds);
  Check(RunProcess({FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i",
                    "testsrc=size=640x480:rate=25:duration=" + seconds + ",noise=alls=20:allf=t", "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=" + seconds, "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac",
                    clip})
            .Succeeded(),
        "cannot make the clip");

  NullView view;
  CCastrel1Dlg core;
  core.SetView(&view);
  core.SetDefaultSettings();
  core.OnInitDialog();
  core.m_nSliderPos = 9;
  core.SetVideoQuality();

  double best[2] = {1e9, 1e9};
  for (int round = 0; round < rounds; ++round) {
    const std::string coreFolder = root + "/core" + std::to_string(round);
    best[0] = std::min(best[0], ThroughTheCore(core, clip, coreFolder));
    // The converter's own argument vector, into a folder of its own.
    const std::string handFolder = root + "/hand" + std::to_string(round);
    fs::create_directories(handFolder);
    ExternalConverter converter(clip, handFolder + "/clip_new.mpg", core.m_formats[kFormatVcd]->GetEncodingParameters(),
                                nullptr);
    best[1] = std::min(best[1], ByHand(handFolder, converter.GetArgumentVector()));
  }
  burner::ResetCallbacks();
  SetDialogResponder(nullptr);
  fs::remove_all(root);
  std::printf("one-CD VCD job of a %.0f s clip, best of %d\n", clipSeconds, rounds);
  std::printf("  through the core:  %.3f s\n", best[0]);
  std::printf("  commands by hand:  %.3f s\n", best[1]);
  std::printf("  ratio:             %.3f (goal <= 1.05)\n", best[0] / best[1]);
  return 0;
}
