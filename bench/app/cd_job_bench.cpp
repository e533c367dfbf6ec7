// Time of a one-CD VCD job through the window's core - the ffmpeg engine's
// task list converting a clip, then the CD job writing its BIN/CUE pair with
// the image writer - divided by the time of the same ffmpeg, vcdxgen and
// vcdxbuild commands run directly. The goal is at most 1.05. Prints its
// figures from one run; takes the best of a few rounds of each so that a busy
// machine disturbs it less. "--quick": a one-second clip and one round.

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window_core.h"
#include "bench_quick.h"
#include "bench_support.h"
#include "convert/convert_task_list.h"
#include "list_only_view.h"
#include "platform/dialogs/message_box.h"
#include "platform/disc/burning/burner.h"
#include "platform/disc/disc_files.h"
#include "platform/process/find_program.h"
#include "support/event_wait.h"

namespace fs = std::filesystem;
using namespace benchsupport;

namespace {

// Every prompt answered with its first button (Continue), every message OK.
class YesResponder : public DialogResponder {
 public:
  int ShowMessage(WindowHandle, const MessageBoxRequest&) override { return IDOK; }
  DialogResult ShowDialog(WindowHandle, const DialogRequest&) override { return DialogResult{IDOK, {}}; }
};

double ThroughTheCore(CCastrel1Dlg& core, const std::string& clip, const std::string& folder) {
  const std::string work = folder + "/tempVCD";
  const std::string output = folder + "/output";
  fs::create_directories(work);
  fs::create_directories(output);
  const auto start = Clock::now();
  TaskListEnd listEnd;
  ConvertTaskList::Start(ConvertTaskList({PathBuffer(clip)}, work, *core.m_formats[kFormatVcd], &listEnd));
  ProcessEventsUntil([&] { return listEnd.Ended(); });
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
  ProcessEventsUntil([&] { return !core.m_bCDWorkerRunning; });
  QCoreApplication::processEvents();
  const double seconds = Seconds(Clock::now() - start);
  std::printf("  core round: converting %.3f s, CD job %.3f s\n", Seconds(converted - start),
              Seconds(Clock::now() - converted));
  Check(fs::exists(output + "/Video CD.cue") && fs::exists(output + "/Video CD.bin"), "the core made no image");
  return seconds;
}

double ByHand(const std::string& folder, const std::vector<std::string>& ffmpeg) {
  const auto start = Clock::now();
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
  std::printf("  hand round: converting %.3f s, image %.3f s\n", Seconds(converted - start),
              Seconds(Clock::now() - converted));
  return Seconds(Clock::now() - start);
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
  std::vector<std::string> arguments = TestClipInputs(std::to_string(clipSeconds), "640x480", ",noise=alls=20:allf=t");
  arguments.insert(arguments.end(), {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", clip});
  RunFfmpeg(arguments);

  ListOnlyView view;
  CCastrel1Dlg core;
  core.SetView(&view);
  core.SetDefaultSettings();
  core.OnInitDialog();
  core.m_nSliderPos = 9;
  core.SetVideoQuality();

  BestTime throughTheCore;
  BestTime byHand;
  for (int round = 0; round < rounds; ++round) {
    const std::string coreFolder = root + "/core" + std::to_string(round);
    throughTheCore.Add(ThroughTheCore(core, clip, coreFolder));
    // The converter's own argument vector, into a folder of its own.
    const std::string handFolder = root + "/hand" + std::to_string(round);
    fs::create_directories(handFolder);
    byHand.Add(ByHand(handFolder, ConverterCommand(clip, handFolder + "/clip_new.mpg",
                                                   core.m_formats[kFormatVcd]->GetEncodingParameters())));
  }
  burner::ResetCallbacks();
  SetDialogResponder(nullptr);
  fs::remove_all(root);
  std::printf("one-CD VCD job of a %.0f s clip, best of %d\n", clipSeconds, rounds);
  std::printf("  through the core:  %.3f s\n", throughTheCore.Seconds());
  std::printf("  commands by hand:  %.3f s\n", byHand.Seconds());
  std::printf("  ratio:             %.3f (goal <= 1.05)\n", throughTheCore.Seconds() / byHand.Seconds());
  return 0;
}
