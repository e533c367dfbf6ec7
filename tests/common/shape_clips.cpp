#include "common/shape_clips.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/test_kit.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace testkit {

namespace {

// The identity matrix of an MP4 track header and one that turns its picture
// a quarter clockwise (libavformat reads it as a rotation of -90 degrees).
void TurnQuarter(const std::string& path) {
  std::string bytes = ReadFile(path);
  const auto word = [](std::int32_t value) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (24 - 8 * i)) & 0xff);
    return out;
  };
  const auto matrix = [&](std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
    return word(a) + word(b) + word(0) + word(c) + word(d) + word(0) + word(0) + word(0) + word(0x40000000);
  };
  const auto header = bytes.find("tkhd");
  const auto at = bytes.find(matrix(0x10000, 0, 0, 0x10000), header);
  if (header == std::string::npos || at == std::string::npos) throw std::runtime_error("no track matrix in " + path);
  bytes.replace(at, 36, matrix(0, 0x10000, -0x10000, 0));
  WriteFile(path, bytes);
}

double Ratio(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return 0;
  const double den = std::stod(text.substr(colon + 1));
  return den > 0 ? std::stod(text.substr(0, colon)) / den : 0;
}

}  // namespace

const std::vector<ShapeClip>& ShapeClips() {
  static const std::vector<ShapeClip> clips = {
      {"portrait", 180, 320},
      {"turned", 320, 180, 1, 1, true},
      {"ntsc rate widescreen", 320, 180, 1, 1, false, "30000/1001"},
      {"four by three", 160, 120},
      {"scope", 382, 160},
      {"wide samples", 180, 144, 16, 11},
  };
  return clips;
}

double ClipAspect(const ShapeClip& clip) {
  const double aspect = static_cast<double>(clip.width) * clip.sampleAspectNum / clip.sampleAspectDen / clip.height;
  return clip.turnedQuarter ? 1.0 / aspect : aspect;
}

std::string MakeShapeClip(const std::string& path, const ShapeClip& clip) {
  const std::string sample = std::to_string(clip.sampleAspectNum) + "/" + std::to_string(clip.sampleAspectDen);
  const std::string picture = "color=c=gray:s=" + std::to_string(clip.width) + "x" + std::to_string(clip.height) +
                              ":r=" + clip.rate + ":d=1,format=gray,geq=lum='if(lt(hypot((X-W/2)*" + sample +
                              "\\,Y-H/2)\\,min(W*" + sample + "\\,H)/3)\\,235\\,128)',format=yuv420p,setsar=" + sample;
  const ProcessResult result =
      RunProcess({FindProgram("ffmpeg"), "-hide_banner", "-nostdin", "-y", "-f", "lavfi", "-i", picture, "-f", "lavfi",
                  "-i", "sine=frequency=440:sample_rate=48000:duration=1", "-c:v", "libx264", "-c:a", "aac", path});
  if (!result.Succeeded()) throw std::runtime_error("ffmpeg could not make " + path + ":\n" + result.output);
  if (clip.turnedQuarter) TurnQuarter(path);
  return path;
}

SeenShape MeasureTitle(const std::string& path) {
  SeenShape seen;
  const ProcessResult probe =
      RunProcess({FindProgram("ffprobe"), "-v", "error", "-select_streams", "v:0", "-show_entries",
                  "stream=width,height,display_aspect_ratio", "-of", "default=noprint_wrappers=1", path});
  std::istringstream lines(probe.output);
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "width") seen.frameWidth = std::stoi(value);
    if (key == "height") seen.frameHeight = std::stoi(value);
    if (key == "display_aspect_ratio") seen.aspect = value;
  }
  if (seen.frameWidth <= 0 || seen.frameHeight <= 0) throw std::runtime_error("no picture in " + path);
  const std::string raw = path + ".gray";
  // A picture from the middle of the title, past the encoder's first frames.
  const ProcessResult frame = RunProcess({FindProgram("ffmpeg"), "-v", "error", "-nostdin", "-y", "-ss", "0.5", "-i",
                                          path, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray", raw});
  if (!frame.Succeeded()) throw std::runtime_error("no frame from " + path + ":\n" + frame.output);
  const std::string pixels = ReadFile(raw);
  const int w = seen.frameWidth;
  const int h = seen.frameHeight;
  if (pixels.size() < static_cast<std::size_t>(w) * h) throw std::runtime_error("short frame from " + path);
  int pictureBox[4] = {w, h, -1, -1};
  int circleBox[4] = {w, h, -1, -1};
  const auto extend = [](int box[4], int x, int y) {
    box[0] = std::min(box[0], x);
    box[1] = std::min(box[1], y);
    box[2] = std::max(box[2], x);
    box[3] = std::max(box[3], y);
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int value = static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * w + x]);
      if (value > 70) extend(pictureBox, x, y);
      if (value > 190) extend(circleBox, x, y);
    }
  }
  if (circleBox[2] < 0) throw std::runtime_error("no circle in the frame of " + path);
  // One stored pixel is this wide as a viewer sees it, in picture heights.
  seen.aspectValue = Ratio(seen.aspect);
  const double display = seen.aspectValue > 0 ? seen.aspectValue : static_cast<double>(w) / h;
  const double pixelWidth = display / w * h;
  seen.circleRoundness = (circleBox[2] - circleBox[0] + 1) * pixelWidth / (circleBox[3] - circleBox[1] + 1);
  seen.pictureAspect = (pictureBox[2] - pictureBox[0] + 1) * pixelWidth / (pictureBox[3] - pictureBox[1] + 1);
  seen.barLeft = pictureBox[0];
  seen.barTop = pictureBox[1];
  seen.barRight = w - 1 - pictureBox[2];
  seen.barBottom = h - 1 - pictureBox[3];
  return seen;
}

}  // namespace testkit
