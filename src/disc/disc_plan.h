#pragma once
// The disc a list will make, worked out before anything is converted: how
// full the disc (or how many CDs) at the current quality, the video rate the
// job will use, whether the list fits, and about how long the job takes on
// this machine. The window's gauge, the batch mode's --plan and the Convert
// command's planning all take their figures from here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "disc/dvd_space_plan.h"
#include "formats/output_format_id.h"

// The disc sizes a user can choose (the "DVD Disc Size" and "CD Disc Size"
// settings are indexes into these).
inline constexpr int kDvdDiscSizeCount = 2;  // 0 DVD-5, 1 DVD-9
inline constexpr int kCdDiscSizeCount = 3;   // 0 650 MB, 1 700 MB, 2 800 MB

// The chapter intervals a user can choose: none, or 1 to 30 minutes.
inline constexpr int kMostChapterIntervalMinutes = 30;
// "Off", "Every minute", "Every 2 minutes", ... "Every 30 minutes", in the
// user's language: row n is n minutes.
std::vector<std::string> ChapterIntervalNames();

// "DVD-5 (4.7 GB)", "DVD-9 (8.5 GB)"; "650 MB", "700 MB", "800 MB".
std::vector<std::string> DvdDiscSizeNames();
std::vector<std::string> CdDiscSizeNames();

// What a DVD of that size holds, in bytes; an index out of range counts as DVD-5.
std::int64_t DvdMediumBytes(int dvdDiscSize);
// The bits the rate plan fills on it: the DVD-5's 35,000,000,000 and the same
// share of a DVD-9, leaving room for the disc's file system, menus and the
// encoder's swings.
std::int64_t DvdPlanCapacityBits(int dvdDiscSize);
// The MPEG stream one CD of that size takes: 600 MB on a 650 MB CD, and the
// same share of the larger ones.
std::int64_t CdStreamCapacityBytes(int cdDiscSize);
// The CD's size in megabytes as its label gives it (650, 700, 800).
int CdLabelMegabytes(int cdDiscSize);

struct DiscPlanRequest {
  OutputFormatId format = kFormatDvd;
  // The media durations of the files the disc holds, in ms: every listed
  // file for a DVD, the one converted file for a VCD or SVCD.
  std::vector<std::int64_t> durationsMs;
  int dvdBitrateSettingKbps = 5000;  // "DVD Bitrate"
  // DVD: what the titles' sound tracks and subtitles take over their length
  // (the Convert command counts every track the disc keeps).
  int dvdTrackKbps = kDvdAudioKbps;
  int cdVideoKbps = 1150;  // the VCD or SVCD format's video rate
  int dvdDiscSize = 0;
  int cdDiscSize = 0;
  // Media seconds this machine converts in a second, measured by the last
  // job; nothing before the first one.
  std::optional<double> convertSpeed;
  // The stream one CD takes when not by its size (tests make small CDs); 0: by the size.
  std::int64_t cdStreamBytesOverride = 0;
};

struct DiscPlan {
  bool isDisc = false;  // false for the file formats: no gauge
  int fileCount = 0;
  std::int64_t durationMs = 0;
  int videoKbps = 0;           // the rate the job encodes its video at (planned)
  int audioKbps = 0;           // the sound's rate (DVD: every sound track and subtitle)
  std::int64_t sizeBytes = 0;  // the converted titles, sound and (DVD) the program stream included
  std::int64_t discBytes = 0;  // one disc as labelled (DVD) or one CD's stream room
  std::string discName;        // "DVD-5 (4.7 GB)", "700 MB CDs"
  int cdCount = 0;             // VCD and SVCD
  // How full the (last) disc is, in percent of its label's size (DVD) or of
  // a CD's stream room; may pass 100 when the list does not fit.
  int fillPercent = 0;
  bool fits = true;
  // About how long converting and writing the image takes, in seconds.
  std::int64_t jobSeconds = 0;
  bool jobTimeMeasured = false;  // from this machine's last job, not the first guess
  // Set when the list does not fit: what is wrong and what to do, in one
  // plain sentence.
  std::string problem;
  // The same as a marked pattern and its values, for the user's language.
  const char* problemPattern = nullptr;
  std::vector<std::string> problemValues;
};

// Media seconds a second that the first estimate assumes before a job has
// measured this machine.
inline constexpr double kFirstGuessConvertSpeed = 4.0;

DiscPlan PlanDisc(const DiscPlanRequest& request);

// The plan in words, one line each: the disc and its fill (or CD count),
// the video rate, the job's time, then the problem if any. The gauge shows
// these lines in the user's language; --plan prints them in English, for
// the scripts that read them. Empty for a file format.
enum class PlanWords { English, UsersLanguage };
std::vector<std::string> DiscPlanLines(const DiscPlan& plan, PlanWords words = PlanWords::English);

// "1:05:09" or "4:05": a length of media.
std::string FormatMediaLength(std::int64_t ms);
