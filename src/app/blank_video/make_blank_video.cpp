// make_blank_video: writes "blank.avi", the picture the preview shows when no
// input is selected - one second of black, small, without sound - with our
// own video library, so the build needs no other program.
//   make_blank_video OUTPUT

#include <cstdio>
#include <exception>
#include <filesystem>

#include "platform/video/video_file.h"
#include "platform/video/video_frame.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kFramesPerSecond = 25;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_blank_video OUTPUT\n");
    return 2;
  }
  const std::filesystem::path output = argv[1];
  // Written beside, then renamed: a build that stops half-way leaves no broken blank.avi.
  const std::filesystem::path partial = output.string() + ".part";
  try {
    VideoFile writer;
    writer.SetVideoEnabled(true);
    writer.SetAudioEnabled(false);
    writer.SetFrameFormat(kWidth, kHeight, kFramesPerSecond);
    writer.SetAVIVideo(kWidth, kHeight, kFramesPerSecond);
    writer.CreateFile(partial.string(), 1);
    const VideoFrame black(kWidth, kHeight);
    for (int frame = 0; frame < kFramesPerSecond; ++frame) writer.WriteVideo(black);
    writer.CloseFile();
    std::filesystem::rename(partial, output);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_blank_video: %s\n", error.what());
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return 1;
  }
  return 0;
}
