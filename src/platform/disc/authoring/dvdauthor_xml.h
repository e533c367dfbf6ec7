#pragma once
// dvdauthor's control file. Every title gets a titleset of its own, because
// one titleset cannot mix 4:3 and 16:9 pictures. With a menu video the disc
// starts in a title menu whose buttons "b1".."bn" jump to titles 1..n, and
// every title returns to that menu when it ends.

#include <optional>
#include <string>
#include <vector>

#include "platform/disc/video_standard.h"

struct DvdauthorProject {
  std::string destination;  // the folder that receives VIDEO_TS and AUDIO_TS
  VideoStandard standard = VideoStandard::Pal;
  std::string menuVideo;  // "" for a disc without menu
  std::vector<std::string> titles;
  // Chapter marks every chapterSeconds inside each title (0: none), for
  // titles whose durations are known (titleDurationsMs, in title order).
  int chapterSeconds = 0;
  std::vector<long long> titleDurationsMs;
  // Each title's aspect as its stream is flagged ("4:3", "16:9"; "" unknown),
  // written into its titleset so that dvdauthor's IFO says what the stream does.
  std::vector<std::string> titleAspects;
  // Each title's sound and subpicture streams' languages in stream order
  // (two-letter codes, "" untagged), written into its titleset so that the
  // player's audio and subtitle buttons name them.
  std::vector<std::vector<std::string>> titleSoundLanguages;
  std::vector<std::vector<std::string>> titleSubtitleLanguages;
};

// dvdauthor's chapters= list for a title: "0:00:00,0:05:00,..." at every
// interval before the title's end; "" without an interval or a duration.
std::string ChapterMarks(long long durationMs, int intervalSeconds);

// nullopt when a name cannot be written into XML.
std::optional<std::string> DvdauthorXml(const DvdauthorProject& project);
