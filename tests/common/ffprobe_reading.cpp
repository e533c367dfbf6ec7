#include "common/ffprobe_reading.h"

#include <sstream>

#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

ProbedFile ProbeWithFfprobe(const std::string& path) {
  const auto result =
      RunProcess({FindProgram("ffprobe"), "-v", "error", "-show_entries",
                  "format=format_name,duration:stream=codec_type,codec_name,codec_tag_string,width,height,r_frame_rate",
                  "-of", "default=noprint_wrappers=1", path});
  ProbedFile file;
  std::istringstream lines(result.output);
  std::string line;
  while (std::getline(lines, line)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "format_name") file.container = value;
    if (key == "duration" && value != "N/A") file.duration = std::stod(value);
    if (key == "codec_name") file.streams.push_back({});
    if (file.streams.empty()) continue;
    ProbedStream& stream = file.streams.back();
    if (key == "codec_name") stream.codec = value;
    if (key == "codec_type") stream.type = value;
    if (key == "codec_tag_string") stream.tag = value;
    if (key == "width" && value != "N/A") stream.width = std::stoi(value);
    if (key == "height" && value != "N/A") stream.height = std::stoi(value);
    if (key == "r_frame_rate" && stream.type == "video") stream.frameRate = value;
  }
  return file;
}
