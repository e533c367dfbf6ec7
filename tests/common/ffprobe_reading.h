#pragma once
// What ffprobe finds in a file: its container, duration and streams, for
// tests that read back what the program wrote.

#include <string>
#include <vector>

struct ProbedStream {
  std::string type;  // "video", "audio"
  std::string codec;
  std::string tag;
  int width = 0;
  int height = 0;
  std::string frameRate;  // "25/1", "30000/1001"; video only
};

struct ProbedFile {
  std::string container;
  double duration = 0;  // seconds; 0 when ffprobe gives none
  std::vector<ProbedStream> streams;
  const ProbedStream* Find(const std::string& type) const {
    for (const auto& stream : streams) {
      if (stream.type == type) return &stream;
    }
    return nullptr;
  }
};

ProbedFile ProbeWithFfprobe(const std::string& path);
