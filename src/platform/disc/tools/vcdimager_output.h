#pragma once
// What the vcdimager programs (vcdxgen, vcdxbuild, vcdimager) print:
//   "#scan[sequence-00]: 20916/2082304 ( 1%)"   vcdxbuild -p, reading a track
//   "#write[3/3]: 10571/10628 (99%)"             vcdxbuild -p, writing the image
//   "<progress operation="write" position="10646" size="10628" />"   --gui
//   "++ WARN: ..." and "**ERROR: ..."
//   "finished ok, image created with 10778 sectors [02:23:53] (25349856 bytes)"
// The write figure can pass 100%: the percentage is clamped.

#include <string>
#include <string_view>

struct VcdimagerLine {
  enum class Kind { Other, Scan, Write, Warning, Error, Finished };
  Kind kind = Kind::Other;
  std::string item;  // Scan: "sequence-00"
  int part = 0;      // Write: 3 of "[3/3]"
  int parts = 0;     // Write
  long long position = 0;
  long long size = 0;
  double percent = 0;     // Scan, Write: position / size, 0..100
  long long sectors = 0;  // Finished
  std::string text;       // Warning, Error
};

VcdimagerLine ParseVcdimagerLine(std::string_view line);
