#include "formats/format_pages.h"

CPageAVI_Ffmpeg::CPageAVI_Ffmpeg() : OutputFormat(kTemplateId, kFormatAvi) {
  ResetToDefaults();
}
CPageMPEG_Ffmpeg::CPageMPEG_Ffmpeg() : OutputFormat(kTemplateId, kFormatMpeg) {
  ResetToDefaults();
}
CPageWMV_Ffmpeg::CPageWMV_Ffmpeg() : OutputFormat(kTemplateId, kFormatWmv) {
  ResetToDefaults();
}
CPageRM_Ffmpeg::CPageRM_Ffmpeg() : OutputFormat(kTemplateId, kFormatRm) {
  ResetToDefaults();
}
CPageDVD_Ffmpeg::CPageDVD_Ffmpeg() : OutputFormat(kTemplateId, kFormatDvd) {
  ResetToDefaults();
}
CPageVCD_Ffmpeg::CPageVCD_Ffmpeg() : OutputFormat(kTemplateId, kFormatVcd) {
  ResetToDefaults();
}
CPageSVCD_Ffmpeg::CPageSVCD_Ffmpeg() : OutputFormat(kTemplateId, kFormatSvcd) {
  ResetToDefaults();
}

std::vector<std::unique_ptr<OutputFormat>> CreateFfmpegFormatPages() {
  std::vector<std::unique_ptr<OutputFormat>> pages;
  pages.push_back(std::make_unique<CPageAVI_Ffmpeg>());
  pages.push_back(std::make_unique<CPageMPEG_Ffmpeg>());
  pages.push_back(std::make_unique<CPageWMV_Ffmpeg>());
  pages.push_back(std::make_unique<CPageRM_Ffmpeg>());
  pages.push_back(std::make_unique<CPageDVD_Ffmpeg>());
  pages.push_back(std::make_unique<CPageVCD_Ffmpeg>());
  pages.push_back(std::make_unique<CPageSVCD_Ffmpeg>());
  return pages;
}
