// Transcodes a generated 20-second 640x480 clip to PAL DVD MPEG-2 the way the
// library-based conversion does (reader -> scaler into the letterboxed
// 720x576 frame -> writer), and the same clip with "ffmpeg -target pal-dvd";
// prints both times and their ratio (goal: at most 1.25). "--quick": a
// one-second clip (bench_quick.h). "--fitted": both at 5000 kbit/s as a list
// fitted to the disc encodes, with the choices for scarce bits (the ffmpeg
// side with the conversion list's options for such a title).

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench_quick.h"
#include "bench_support.h"
#include "platform/video/image_scaler.h"
#include "platform/video/mpeg_encoder_choices.h"
#include "platform/video/video_file.h"

using namespace benchsupport;

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 576;

// Places the scaled picture in the middle of the black disc frame.
void Letterbox(const VideoFrame& fitted, VideoFrame& frame) {
  const int top = (kHeight - fitted.height) / 2;
  const int left = (kWidth - fitted.width) / 2;
  for (int row = 0; row < fitted.height; ++row) {
    std::memcpy(frame.pixels.data() + static_cast<std::size_t>(row + top) * frame.Stride() + left * 4,
                fitted.pixels.data() + static_cast<std::size_t>(row) * fitted.Stride(), fitted.Stride());
  }
}

void ConvertWithLibrary(const std::string& input, const std::string& output, bool rateFitted) {
  VideoFile reader;
  VideoFile writer;
  reader.OpenFile(input);
  const int duration = reader.VideoDuration();
  writer.SetVideoEnabled(reader.HasVideo());
  writer.SetAudioEnabled(reader.HasAudio());
  writer.SetAudioInput(reader.Frequency(), reader.Channels());
  writer.SetMPEGAudio(224, 48000, 2);
  writer.SetFrameFormat(kWidth, kHeight, reader.FrameRate());
  writer.SetMPEGVideo(2, rateFitted ? 5000 : 6000, kWidth, kHeight, 25.0);
  writer.SetMPEGRateFitted(rateFitted);
  writer.CreateFile(output, 2);

  const double sx = static_cast<double>(kWidth) / reader.Width();
  const double sy = static_cast<double>(kHeight) / reader.Height();
  VideoFrame fitted = sx > sy ? VideoFrame(static_cast<int>(sy * reader.Width()), kHeight)
                              : VideoFrame(kWidth, static_cast<int>(reader.Height() * sx));
  VideoFrame frame(kWidth, kHeight);
  VideoFrame picture;
  ImageScaler scaler;
  std::vector<std::int16_t> samples;
  bool videoDone = false;
  bool audioDone = false;
  while (!videoDone || !audioDone) {
    if (reader.VideoPosition() > duration) videoDone = true;
    if (reader.AudioPosition() > duration) audioDone = true;
    if ((reader.VideoPosition() <= reader.AudioPosition() || audioDone) && !videoDone) {
      if (!reader.ReadVideo(picture)) {
        videoDone = true;
      } else {
        scaler.SetImage(std::move(picture));
        scaler.GetImage(fitted, 0, 1);
        Letterbox(fitted, frame);
        writer.WriteVideo(frame);
      }
    }
    if ((reader.VideoPosition() > reader.AudioPosition() || videoDone) && !audioDone) {
      reader.ReadAudio(2304, samples);
      if (samples.empty()) {
        audioDone = true;
      } else {
        writer.WriteAudio(samples);
      }
    }
  }
  reader.CloseFile();
  writer.CloseFile();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string seconds = benchquick::Pick(benchquick::QuickMode(argc, argv), "20", "1");
  const bool fitted = HasFlag(argc, argv, "--fitted");
  ScratchFolder folder;
  const std::string clip = folder.File("clip.avi");
  std::printf("Generating a %s-second 640x480 clip...\n", seconds.c_str());
  MakeClip(clip, seconds);

  const double libraryCpu = OwnProcessorSeconds();
  const double library = SecondsOf([&] { ConvertWithLibrary(clip, folder.File("library.mpg"), fitted); });
  const double ffmpegCpu = ChildrenProcessorSeconds();
  std::vector<std::string> command = {"-i", clip, "-target", "pal-dvd"};
  if (fitted) {
    command.insert(command.end(), {"-b:v", "5000000"});
    for (const auto& [keyword, value] : kScarceBitsMpegOptions) command.insert(command.end(), {keyword, value});
  }
  command.push_back(folder.File("ffmpeg.mpg"));
  const double ffmpeg = SecondsOf([&] { RunFfmpeg(command); });

  std::printf("reader -> scaler -> writer: %.2f s (processor %.2f s)\n", library, OwnProcessorSeconds() - libraryCpu);
  std::printf("%s %.2f s (processor %.2f s)\n",
              fitted ? "ffmpeg's fitted title:    " : "ffmpeg -target pal-dvd:    ", ffmpeg,
              ChildrenProcessorSeconds() - ffmpegCpu);
  std::printf("ratio (library / ffmpeg):   %.2f (goal <= 1.25)\n", library / ffmpeg);
  return 0;
}
