#pragma once
// Helpers for the format tests: the log of one test, and an encoder record as
// one line of text, so that a failing case shows every field at once.

#include <cstdio>
#include <string>
#include <vector>

#include "common/test_kit.h"
#include "formats/encoding_parameters.h"
#include "support/log.h"

// Opens the log in a fresh folder for the lifetime of the object.
class LogCapture {
 public:
  LogCapture() { LogOpen(m_path.c_str()); }
  ~LogCapture() { LogClose(); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // The entries written so far, after the header line.
  std::vector<std::string> Lines() const { return testkit::LogEntries(m_path); }
  // Starts the next Lines() after what was written so far.
  void Clear() { LogOpen(m_path.c_str()); }

 private:
  testkit::TempDir m_dir;
  std::string m_path = m_dir.File("Orlenta_log.txt");
};

inline std::string Describe(const EncodingParameters& p) {
  const auto text = [](const char* value) { return std::string(value != nullptr ? value : "-"); };
  char numbers[256];
  std::snprintf(numbers, sizeof numbers, "vb=%d r=%d/%d vn=%d s=%dx%d", p.video_bitrate, p.frame_rate_num,
                p.frame_rate_den, p.no_video ? 1 : 0, p.width, p.height);
  char audio[256];
  std::snprintf(audio, sizeof audio, "ab=%d ar=%d ac=%d an=%d q=%d", p.audio_bitrate, p.audio_samplerate,
                p.audio_channels, p.no_audio ? 1 : 0, p.qscale);
  return "f=" + text(p.format) + " vcodec=" + text(p.video_codec) + " vtag=" + text(p.video_tag) + " " + numbers +
         " aspect=" + text(p.aspect) + " acodec=" + text(p.audio_codec) + " atag=" + text(p.audio_tag) + " " + audio +
         " target=" + text(p.target);
}
