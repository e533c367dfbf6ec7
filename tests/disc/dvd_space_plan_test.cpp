// Fitting a list onto one DVD: the planned rate and size, the choice between
// the slider's quantiser and the planned rate, and a real encode at that rate.

#include "disc/dvd_space_plan.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/test_kit.h"
#include "convert/convert_task_list.h"
#include "convert/converter.h"
#include "convert/recording_receiver.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace {

constexpr std::int64_t kMinute = 60'000;

TEST(DvdSpacePlan, TheRateFitsTheListAndTheQuantiserIsKeptOnlyWhileTheListFitsAtTheTopRate) {
  struct Case {
    const char* name;
    std::int64_t durationMs;
    int settingKbps;
    int videoKbps;
    int sizeMb;
    bool fitsAtQuantiser;
    int encoderKbps;
  };
  const Case cases[] = {
      // 35e9 / 1,800,000 - 224 = 19220: capped by the setting; far below the disc.
      {"30 minutes keep the quantiser", 30 * kMinute, 5000, 5000, 1175, true, 0},
      {"30 minutes at the top setting", 30 * kMinute, 9500, 9500, 2187, true, 0},
      // 35e9 / 3,600,000 - 224 = 9498: just below the top rate.
      {"one hour no longer fits at the top rate", 60 * kMinute, 9500, 9498, 4374, false, 9000},
      // The encoder fills 97 % of 4,700,372,992 bytes less 2.5 % for the
      // program stream: 35,585,262,846 bits / 7,200,000 ms - 224 = 4718.
      {"120 minutes (the worked example)", 120 * kMinute, 9500, 4637, 4374, false, 4718},
      {"120 minutes under a lower setting", 120 * kMinute, 3000, 3000, 2901, false, 3000},
      {"3 hours get the planned rate", 180 * kMinute, 5000, 3016, 4374, false, 3070},
      {"59 minutes still fit at the top rate", 59 * kMinute, 9500, 9500, 4302, true, 0},
  };
  for (const Case& c : cases) {
    const DvdSpacePlan plan = PlanDvdSpace(c.durationMs, c.settingKbps);
    EXPECT_EQ(plan.videoKbps, c.videoKbps) << c.name;
    EXPECT_EQ(plan.sizeMegabytes, c.sizeMb) << c.name;
    EXPECT_TRUE(plan.fitsOnDisc) << c.name;
    EXPECT_EQ(plan.fitsAtQuantiser, c.fitsAtQuantiser) << c.name;
    EXPECT_EQ(plan.encoderVideoKbps, c.encoderKbps) << c.name;
    // What the engine writes fits the disc, program stream included: at the
    // planned rate, or at the top rate the quantiser is allowed to be judged by.
    const int written = plan.fitsAtQuantiser ? kDvdPlanMaxVideoKbps : plan.encoderVideoKbps;
    const double titleBytes = (written + kDvdAudioKbps) * static_cast<double>(c.durationMs) / 8 * (1 + kDvdMuxOverhead);
    EXPECT_LE(titleBytes, kDvdFillShare * kDvd5MediumBytes) << c.name;
    // A list the rate is fitted to (not held down by the setting or the peak) fills the disc.
    if (!plan.fitsAtQuantiser && plan.encoderVideoKbps < std::min(c.settingKbps, kDvdEncoderMaxVideoKbps)) {
      EXPECT_GE(titleBytes, 0.95 * kDvd5MediumBytes) << c.name;
    }
  }
}

TEST(DvdSpacePlan, NoLengthOrALengthWhoseSoundAloneOverfillsTheDiscHasNoPlan) {
  EXPECT_FALSE(PlanDvdSpace(0, 5000).fitsOnDisc);
  EXPECT_FALSE(PlanDvdSpace(-5, 5000).fitsOnDisc);
  // 35e9 / 224 kbit/s is about 43 hours.
  const DvdSpacePlan tooLong = PlanDvdSpace(50 * 60 * kMinute, 5000);
  EXPECT_FALSE(tooLong.fitsOnDisc);
  EXPECT_EQ(tooLong.encoderVideoKbps, 0);
}

// The video stream's average bit rate in kbit/s, from its packets.
double MeasuredVideoKbps(const std::string& path, double seconds) {
  const ProcessResult result = RunProcess({FindProgram("ffprobe"), "-v", "error", "-select_streams", "v:0",
                                           "-show_entries", "packet=size", "-of", "csv=p=0", path});
  std::istringstream lines(result.output);
  double bytes = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) bytes += std::stod(line);
  }
  return bytes * 8 / 1000 / seconds;
}

TEST(DvdSpacePlan, TheFfmpegEngineEncodesADvdTitleAtThePlannedRate) {
  ScriptedResponder responder;
  testkit::TempDir dir;
  constexpr double kSeconds = 4;
  // Noise keeps the picture busy, so the encoder has to hold the rate back
  // (in YUV: on the test picture's RGB the noise filter leaves too little).
  const std::string input = testkit::MakeClip(
      dir.File("busy.avi"),
      {.seconds = kSeconds,
       .width = 352,
       .height = 288,
       .outputArguments = {"-vf", "format=yuv420p,noise=alls=16:allf=t+u", "-c:v", "mpeg4", "-q:v", "2"}});
  const auto formats = CreateFfmpegFormatPages();
  const OutputFormat& dvd = *formats.at(kFormatDvd);

  for (const int kbps : {1500, 4000}) {
    const std::string folder = dir.File(std::to_string(kbps));
    std::filesystem::create_directory(folder);
    ConvertTaskList list({PathBuffer(input)}, folder, dvd, nullptr);
    list.SetVideoBitRate(kbps * 1000);
    const std::string arguments =
        ExternalConverter(input, folder + "/out.mpg", list.Tasks().front().Parameters(), nullptr).GetCommandLine();
    EXPECT_EQ(arguments.find("-qscale"), std::string::npos) << arguments;
    EXPECT_NE(arguments.find("-b:v      " + std::to_string(kbps * 1000)), std::string::npos) << arguments;

    RecordingReceiver receiver;
    ConvertTaskList running({PathBuffer(input)}, folder, dvd, &receiver);
    running.SetVideoBitRate(kbps * 1000);
    ConvertTaskList::Start(running);
    ASSERT_TRUE(receiver.WaitForPing(end_of_list));
    const std::string output = folder + "/busy_new.mpg";
    ASSERT_TRUE(std::filesystem::exists(output));
    const double measured = MeasuredVideoKbps(output, kSeconds);
    // A few seconds leave the rate control little time to settle: within a
    // quarter, where the quantiser would give about 6 to 9 Mbit/s.
    EXPECT_GT(measured, kbps * 0.8) << "planned " << kbps << " kbit/s";
    EXPECT_LT(measured, kbps * 1.25) << "planned " << kbps << " kbit/s";
  }
  EXPECT_TRUE(responder.Messages().empty());
}

}  // namespace
