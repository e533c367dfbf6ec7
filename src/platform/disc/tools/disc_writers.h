#pragma once
// One wrapper per writing program: each builds its argument vector and runs
// it through RunBurnTool with its own parser.

#include <atomic>
#include <string>
#include <vector>

#include "platform/disc/tools/burn_tool_run.h"
#include "platform/disc/tools/vcdimager_output.h"
#include "platform/disc/tools/xorriso_output.h"

struct WriteSettings {
  int speed = 0;  // x-speed, 0 = fastest
  bool simulate = false;
  bool closeDisc = true;
  bool eject = false;
};

// genisoimage: a DVD-Video ISO (ISO 9660 + UDF) of root, which holds VIDEO_TS.
BurnStepResult MakeDvdVideoImage(const std::string& root, const std::string& volumeId, const std::string& publisher,
                                 const std::string& isoPath, const BurnLineHandler& onLine,
                                 const std::atomic<bool>* stop);

// growisofs: writes root (holding VIDEO_TS) as DVD-Video onto a real drive.
BurnStepResult BurnDvdVideo(const std::string& drive, const std::string& root, const std::string& volumeId,
                            const std::string& publisher, const WriteSettings& settings, const BurnLineHandler& onLine,
                            const std::atomic<bool>* stop);

// cdrdao: writes a cue sheet's image onto a real drive, disc at once.
BurnStepResult WriteCueSheet(const std::string& drive, const std::string& cueSheet, const WriteSettings& settings,
                             const BurnLineHandler& onLine, const std::atomic<bool>* stop);

// xorriso: the medium in a drive ("/dev/sr0" or "stdio:/file").
XorrisoToc QueryMedium(const std::string& xorrisoDrive);

// xorriso: erases a rewritable medium (fast, or every block when full).
BurnStepResult BlankMedium(const std::string& xorrisoDrive, bool full, const BurnLineHandler& onLine,
                           const std::atomic<bool>* stop);

// xorriso (cdrecord emulation): writes an image file's bytes as one track.
BurnStepResult WriteImageFile(const std::string& xorrisoDrive, const std::string& imageFile,
                              const WriteSettings& settings, const BurnLineHandler& onLine,
                              const std::atomic<bool>* stop);

// vcdxgen + vcdxbuild: a (Super) Video CD image, cue sheet and bin file in
// folder, from MPEG tracks. Progress comes as overall percent (scan 0-30,
// write 30-100).
struct VideoCdImageRequest {
  bool svcd = false;
  std::vector<std::string> tracks;  // absolute paths
  std::string volumeLabel;          // any text; made d-characters
  int albumVolumeCount = 0;         // > 1: one disc of an album
  int albumVolumeNumber = 1;
  std::string folder;
  std::string cueName;  // file names inside folder
  std::string binName;
  std::string workFolder;  // for vcdxgen's control file
};
BurnStepResult MakeVideoCdImage(const VideoCdImageRequest& request, const BurnLineHandler& onLine,
                                const std::atomic<bool>* stop);

// Overall percent of a vcdxbuild run from its lines: reading the tracks (their
// sizes given) makes the first 30 %, writing the image the rest. Never goes back.
class VcdxbuildProgress {
 public:
  explicit VcdxbuildProgress(std::vector<long long> trackSizes);
  // True when the line moved the progress; Percent() then has the new value.
  bool Apply(const VcdimagerLine& line);
  double Percent() const { return m_percent; }

 private:
  std::vector<long long> m_sizes;
  double m_percent = 0;
};
