#pragma once
// One line of a writing program (genisoimage, xorriso, growisofs, cdrdao) as
// the burner needs it: progress, the step that closes the disc, problems.

#include <string>

struct BurnLine {
  enum class Kind {
    Other,
    Progress,    // percent (and what else the program said) set
    Finalizing,  // the data is written; the track, session or disc is being closed
    Warning,
    Error,     // text holds the program's message
    NotBlank,  // the medium needs erasing first (also an error)
    NoMedium,  // no disc in the drive (also an error)
  };
  Kind kind = Kind::Other;
  double percent = 0;  // 0..100, clamped
  int writtenMegabytes = -1;
  int totalMegabytes = -1;
  int fifoPercent = -1;
  int bufferPercent = -1;
  std::string text;

  bool IsProblem() const { return kind == Kind::Error || kind == Kind::NotBlank || kind == Kind::NoMedium; }
};
