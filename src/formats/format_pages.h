#pragma once
// The seven settings pages of the ffmpeg engine, one per output format. Each
// is its format's OutputFormat, built with the page's dialog template and
// format id and starting from the format's defaults. The page widget is
// created only while the settings sheet shows the page.

#include <memory>
#include <vector>

#include "formats/output_format.h"

class CPageAVI_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 180;
  CPageAVI_Ffmpeg();
};

class CPageMPEG_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 182;
  CPageMPEG_Ffmpeg();
};

class CPageWMV_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 186;
  CPageWMV_Ffmpeg();
};

class CPageRM_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 183;
  CPageRM_Ffmpeg();
};

class CPageDVD_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 181;
  CPageDVD_Ffmpeg();
};

class CPageVCD_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 184;
  CPageVCD_Ffmpeg();
};

class CPageSVCD_Ffmpeg : public OutputFormat {
 public:
  static constexpr int kTemplateId = 185;
  CPageSVCD_Ffmpeg();
};

// The seven pages in the order AVI, MPEG, WMV, RM, DVD, VCD, SVCD, so that a
// page's index is its format id (the main window's m_formats).
std::vector<std::unique_ptr<OutputFormat>> CreateFfmpegFormatPages();
