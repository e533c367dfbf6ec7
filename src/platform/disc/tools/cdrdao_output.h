#pragma once
// cdrdao's lines while it writes a CD from a cue sheet:
//   "Wrote 23 of 24 MB (Buffers 100%  96%)."
//   "Writing lead-out..." / "Flushing cache..." when closing the disc
//   "ERROR: ...", "WARNING: ...", and for a used disc
//   "Medium in recorder device is not empty and not appendable."

#include <string_view>

#include "platform/disc/tools/burn_line.h"

BurnLine ParseCdrdaoLine(std::string_view line);
