// The rate-picture-time table of the DVD encode: for each position of the
// quality slider (the program's own ffmpeg command line), a fitted rate as the
// DVD plan gives a long list, the top position and the fitted rate as the
// format's record alone gives them ("fixed q", "plain": the encodes before
// the conversion list tuned them), ffmpeg's own DVD defaults and DeVeDe's options,
// on three kinds of content - a test pattern under moving noise (where bits
// matter), the same pattern without noise, and a film-like clip (a camera
// moving over a textured still, a scene cut, another still panned the
// other way) - it prints the video rate, PSNR and SSIM of the luma against the
// source, wall time and the processor time of the encoder. One run, one
// encode per cell: compare rows of the same run, never figures of different
// runs.
//
//   build/bench/convert/bench_dvd_encoder_table [--quick] [--seconds N]
// --seconds: length of each clip (default 20).
// --quick: one-second clips, the hard content only, a few rows (bench_quick.h).

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "bench_support.h"
#include "convert/parallel_jobs.h"
#include "formats/format_pages.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "support/processor_count.h"

using namespace benchsupport;

namespace {

struct Content {
  const char* name;
  std::vector<std::string> inputs;  // ffmpeg's input arguments of the picture
};

std::vector<Content> Contents(const std::string& seconds, bool quick) {
  const std::string pattern = "testsrc2=size=640x480:rate=25:duration=" + seconds;
  std::vector<Content> contents = {{"hard (noise)", {"-f", "lavfi", "-i", pattern + kMovingNoise}}};
  if (quick) return contents;
  contents.push_back({"easy (pattern)", {"-f", "lavfi", "-i", pattern}});
  // A camera panning over a textured still, then a cut to a second still
  // panned the other way, both with a little grain: what a film asks of
  // motion search and scene changes.
  const std::string half = std::to_string(std::stod(seconds) / 2);
  const auto panned = [&](const std::string& still, const std::string& x, const std::string& y) {
    return still + "=size=1280x960:rate=25,trim=end_frame=1,loop=loop=-1:size=1,setpts=N/25/TB,crop=640:480:x='" + x +
           "':y='" + y + "',noise=alls=4:allf=t,trim=duration=" + half;
  };
  contents.push_back({"film-like",
                      {"-f", "lavfi", "-i", panned("testsrc2", "min(t*40,640)", "min(t*25,480)"), "-f", "lavfi", "-i",
                       panned("smptehdbars", "max(640-t*60,0)", "240"), "-filter_complex",
                       "[0:v][1:v]concat=n=2:v=1,format=yuv420p[v]", "-map", "[v]"}});
  return contents;
}

struct Row {
  std::string name;
  std::vector<std::string> options;  // after -i SOURCE, before the output
};

// The program's command line for a PAL DVD title at a slider position or at
// a fitted video rate (0: the slider's quantiser).
// tuned: as the conversion list runs a title alone; without, the format record's own
// text (a fixed quantiser at every position, no further options at a rate).
std::vector<std::string> ProgramOptions(int sliderPosition, int fittedBitsPerSecond, bool tuned = true) {
  auto format = std::make_unique<CPageDVD_Ffmpeg>();
  format->video_codec_id = 1;  // PAL
  format->slider_pos = sliderPosition;
  EncodingParameters parameters = format->GetEncodingParameters();
  parameters.tuned_for_target = tuned;
  if (tuned) parameters.encoder_threads = EncoderThreads(1, UsableProcessorCount());
  if (fittedBitsPerSecond > 0) {
    parameters.qscale = 0;
    parameters.video_bitrate = fittedBitsPerSecond;
  }
  // ffmpeg -i SOURCE OPTIONS... -y OUTPUT: keep what lies between.
  const std::vector<std::string> argv = ConverterCommand("SOURCE", "OUTPUT", parameters);
  std::vector<std::string> options;
  for (std::size_t i = 1; i < argv.size(); ++i) {
    if (argv[i] == "-i" || argv[i] == "-y") {
      ++i;
      continue;
    }
    options.push_back(argv[i]);
  }
  return options;
}

std::vector<Row> Rows(bool quick) {
  std::vector<Row> rows;
  for (int position = quick ? 8 : 0; position <= 9; ++position) {
    rows.push_back({"slider " + std::to_string(position), ProgramOptions(position, 0)});
  }
  rows.push_back({"slider 9 fixed q", ProgramOptions(9, 0, false)});
  rows.push_back({"fitted 5000k", ProgramOptions(9, 5000000)});
  rows.push_back({"fitted 5000k plain", ProgramOptions(9, 5000000, false)});
  rows.push_back({"ffmpeg -target pal-dvd", {"-target", "pal-dvd"}});
  rows.push_back({"peer 5000k", {"-target", "pal-dvd", "-b:v", "5000k", "-trellis", "1", "-mbd", "2"}});
  return rows;
}

std::string Output(const std::vector<std::string>& argv) {
  const ProcessResult result = RunProcess(argv);
  Check(result.Succeeded(), argv[0] + " failed:\n" + result.output);
  return result.output;
}

// Bits a second of the title's video packets.
double VideoMegabitsPerSecond(const std::string& title) {
  const std::string ffprobe = FindProgram("ffprobe");
  const double duration =
      std::stod(Output({ffprobe, "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", title}));
  std::istringstream sizes(Output(
      {ffprobe, "-v", "error", "-select_streams", "v", "-show_entries", "packet=size", "-of", "csv=p=0", title}));
  double bytes = 0;
  for (std::string line; std::getline(sizes, line);) {
    if (!line.empty()) bytes += std::stod(line);
  }
  return bytes * 8 / duration / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  const std::string seconds = SecondsOption(argc, argv, quick ? "1" : "20");
  ScratchFolder scratch;
  const std::string ffmpeg = FindProgram("ffmpeg");

  std::printf("PAL DVD encodes of %s-second 640x480 clips: one encode per cell\n", seconds.c_str());
  std::printf("%-16s %-24s %9s %8s %7s %8s %8s\n", "content", "options", "video", "PSNR y", "SSIM y", "wall",
              "processor");
  for (const Content& content : Contents(seconds, quick)) {
    // Raw pictures: nothing lost and nothing to decode, so that both the
    // picture and the time figures are the DVD encoder's.
    const std::string source = scratch.File("source.nut");
    std::vector<std::string> make = content.inputs;
    make.insert(make.end(), {"-t", seconds, "-c:v", "rawvideo", "-an", source});
    RunFfmpeg(make);
    for (const Row& row : Rows(quick)) {
      const std::string title = scratch.File("title.mpg");
      std::vector<std::string> encode = {ffmpeg, "-hide_banner", "-nostdin", "-v", "error", "-i", source};
      encode.insert(encode.end(), row.options.begin(), row.options.end());
      encode.insert(encode.end(), {"-y", title});
      const double processorBefore = ChildrenProcessorSeconds();
      const double wall = SecondsOf([&] { Output(encode); });
      const double processor = ChildrenProcessorSeconds() - processorBefore;
      const PictureQuality quality = ComparePictures(title, source, "640:480");
      std::printf("%-16s %-24s %5.2f Mb/s %8.2f %7.4f %6.2f s %6.2f s\n", content.name, row.name.c_str(),
                  VideoMegabitsPerSecond(title), quality.psnr, quality.ssim, wall, processor);
      std::fflush(stdout);
    }
  }
  return 0;
}
