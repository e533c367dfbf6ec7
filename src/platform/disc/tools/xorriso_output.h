#pragma once
// xorriso's lines, for drive listing, media status, blanking and writing:
//   "0  -dev '/dev/sr0' rwrw-- :  'HL-DT-ST' 'DVDRAM GH24NSD1'"   (-devices)
//   "xorriso : SORRY : No drives found"
//   "Media status : is blank" / "is written , is appendable" / "is written , is closed"
//   "No media detected in drive"
//   "xorriso : UPDATE : Writing:      23759s   30.1%   fifo   0%  buf  50%"
//   "xorriso : UPDATE :   90 of  154 MB written (fifo  0%) [buf  50%]  54.1x."
//   "xorriso : UPDATE : Blanking  ( 12.3% done in 5 seconds )"
//   "xorriso : FAILURE : Cannot acquire drive '/dev/sr0'"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/tools/burn_line.h"

struct XorrisoDrive {
  std::string path;
  std::string permissions;
  std::string vendor;
  std::string model;
};

// A drive line of "xorriso -devices", or nullopt.
std::optional<XorrisoDrive> ParseXorrisoDeviceLine(std::string_view line);

enum class MediaState { Unknown, Blank, Appendable, Closed, NoMedium };

// The state a "Media status :" (or "no media") line reports; Unknown for other lines.
MediaState ParseXorrisoMediaLine(std::string_view line);

// Progress, closing, and problems (FAILURE and SORRY messages, missing media).
BurnLine ParseXorrisoLine(std::string_view line);

// What "xorriso -outdev DRIVE -toc" said about the medium: the last status
// line wins (xorriso repeats it); failure holds the first problem reported.
struct XorrisoToc {
  MediaState state = MediaState::Unknown;
  std::string failure;
};
XorrisoToc SummarizeXorrisoToc(const std::vector<std::string>& lines);
