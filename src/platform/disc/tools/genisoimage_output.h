#pragma once
// genisoimage's lines: "  6.33% done, estimate finish Thu Dec 10 03:38:45 2026"
// (large images only), "79076 extents written (154 MB)" at the end, and
// "genisoimage: ..." for problems, such as a VIDEO_TS it cannot use; started
// by its full path it says "/usr/bin/genisoimage: ..." instead.

#include <string_view>

#include "platform/disc/tools/burn_line.h"

BurnLine ParseGenisoimageLine(std::string_view line);
