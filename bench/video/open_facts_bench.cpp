// Opens 50 generated files and reads their facts with the video library, and
// runs ffprobe on the same 50 files; prints both times and their ratio
// (goal: at most 1.0). "--quick": five one-second files (bench_quick.h).

#include <cstdio>
#include <string>
#include <vector>

#include "bench_quick.h"
#include "bench_support.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/video/video_file.h"

namespace {

struct Kind {
  const char* extension;
  std::vector<std::string> codecs;
};

// Reads every fact the program shows or uses.
long ReadFacts(VideoFile& file, const std::string& path) {
  file.OpenFile(path);
  long sum = file.HasVideo() + file.HasAudio() + static_cast<long>(file.VideoCodecName().size()) +
             static_cast<long>(file.AudioCodecName().size()) + file.VideoDuration() + file.AudioDuration() +
             file.VideoBitrate() + file.AudioBitrate() + static_cast<long>(file.FrameRate()) + file.FramesCount() +
             file.Width() + file.Height() + file.Frequency() + file.Channels() +
             static_cast<long>(file.SamplesCount()) + file.AudioFormatTag();
  file.CloseFile();
  return sum;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = benchquick::QuickMode(argc, argv);
  const int fileCount = benchquick::Pick(quick, 50, 5);
  const std::string seconds = benchquick::Pick(quick, "5", "1");
  benchsupport::ScratchFolder folder;
  const Kind kinds[] = {
      {"avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}},
      {"mp4", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}},
      {"mpg", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpeg"}},
      {"wmv", {"-c:v", "wmv2", "-c:a", "wmav2"}},
      {"mkv", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libvorbis"}},
  };
  std::printf("Generating %d files...\n", fileCount);
  std::vector<std::string> files;
  for (const Kind& kind : kinds) {
    const std::string first = folder.File(std::string("clip0.") + kind.extension);
    std::vector<std::string> arguments = benchsupport::TestClipInputs(seconds, "320x240");
    arguments.insert(arguments.end(), kind.codecs.begin(), kind.codecs.end());
    arguments.push_back(first);
    benchsupport::RunFfmpeg(arguments);
    // Copies under other names: the same work for both sides, generated once.
    for (int i = 0; i < fileCount / 5; ++i) {
      const std::string name = folder.File("clip" + std::to_string(i) + "_" + kind.extension + "." + kind.extension);
      RunProcess({FindProgram("cp"), first, name});
      files.push_back(name);
    }
  }

  long checksum = 0;
  VideoFile file;
  const double library = benchsupport::SecondsOf([&] {
    for (const std::string& path : files) checksum += ReadFacts(file, path);
  });
  const std::string ffprobe = FindProgram("ffprobe");
  const double probe = benchsupport::SecondsOf([&] {
    for (const std::string& path : files) {
      const ProcessResult result = RunProcess({ffprobe, "-v", "error", "-show_format", "-show_streams", path});
      checksum += static_cast<long>(result.output.size());
    }
  });

  std::printf("video library, %d files: %.3f s\n", fileCount, library);
  std::printf("ffprobe, %d runs:        %.3f s\n", fileCount, probe);
  std::printf("ratio (library / ffprobe): %.2f (goal <= 1.0)   [checksum %ld]\n", library / probe, checksum);
  return 0;
}
