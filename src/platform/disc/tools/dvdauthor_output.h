#pragma once
// What dvdauthor prints, line by line, and the progress it means.
//   STAT: Picking VTS 02                    a titleset begins
//   STAT: Processing t1.mpg...              a source file is read
//   STAT: VOBU 16 at 7MB, 1 PGCs            multiplexing, 7 MB read so far
//   STAT: fixing VOBU at 7MB (17/300, 5%)   fixing the navigation packets
//   STAT: fixed 300 VOBUs                   the titleset (or menu) is done
//   WARN: ... / ERR: ...                    problems

#include <string>
#include <string_view>
#include <vector>

struct DvdauthorLine {
  enum class Kind { Other, PickingTitleset, Processing, Multiplexing, Fixing, Fixed, Warning, Error };
  Kind kind = Kind::Other;
  int titleset = 0;   // PickingTitleset
  std::string file;   // Processing
  int vobus = 0;      // Multiplexing, Fixed
  int megabytes = 0;  // Multiplexing, Fixing
  int done = 0;       // Fixing: VOBUs fixed so far
  int total = 0;      // Fixing: VOBUs to fix
  int percent = 0;    // Fixing
  std::string text;   // Warning, Error: the message after its prefix
};

DvdauthorLine ParseDvdauthorLine(std::string_view line);

// Turns dvdauthor's lines into the image builder's (x, a, b) progress: b
// phases (multiplexing and fixing per titleset), a of them done, x percent of
// the current one. It never goes back.
class DvdauthorProgress {
 public:
  struct Point {
    float x = 0;
    int a = 0;
    int b = 1;
  };

  // Megabytes of source per titleset, in titleset order.
  explicit DvdauthorProgress(std::vector<double> titlesetMegabytes);

  // True when the line moved the progress on.
  bool Apply(const DvdauthorLine& line);
  Point Current() const { return m_point; }

 private:
  bool MoveTo(int a, float x);

  std::vector<double> m_megabytes;
  int m_titleset = 0;  // 1-based, 0 before the first
  Point m_point;
};
