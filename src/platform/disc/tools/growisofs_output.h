#pragma once
// growisofs's lines while it writes a DVD:
//   "  1081344/2062336 (52.4%) @0.5x, remaining 0:01 RBU 100.0% UBU   0.0%"
//   "/dev/sr0: flushing cache", "/dev/sr0: closing track", ... when closing
//   ":-( unable to open64("/dev/sr0",O_RDONLY): No such file or directory"

#include <string_view>

#include "platform/disc/tools/burn_line.h"

BurnLine ParseGrowisofsLine(std::string_view line);
