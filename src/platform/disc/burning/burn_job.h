#pragma once
// One burn from start to end, on the burner's thread: making the image the
// device needs and writing it, with progress in percent of the whole burn.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/disc/burning/burner_devices.h"
#include "platform/disc/tools/burn_line.h"
#include "platform/disc/tools/disc_writers.h"

struct BurnPlan {
  enum class Content { VideoDvd, VideoCd, SuperVideoCd, CueSheet };
  Content content = Content::VideoDvd;
  std::string dvdRoot;              // VideoDvd: the folder holding VIDEO_TS
  std::vector<std::string> tracks;  // VideoCd, SuperVideoCd: MPEG files
  std::string cueSheet;             // CueSheet
  BurnerDevice device;
  std::string imageFolder;  // image writer
  std::string volumeLabel;
  std::string publisher;
  WriteSettings settings;
  int albumVolumeCount = 0;
  int albumVolumeNumber = 1;
};

struct BurnJobEvents {
  // percent of the whole burn (never going back); the line that moved it; step of steps.
  std::function<void(double percent, const BurnLine& line, int step, int steps)> progress;
  // The data is written and the disc is being closed; called once per burn.
  std::function<void()> finalizing;
};

struct BurnJobResult {
  enum class Status { Done, Stopped, Failed };
  Status status = Status::Done;
  BurnLine::Kind problem = BurnLine::Kind::Other;
  std::string text;       // why it failed
  std::string imagePath;  // image writer: the ISO or the cue sheet written
};

BurnJobResult RunBurnJob(const BurnPlan& plan, const BurnJobEvents& events, const std::atomic<bool>& stop);
