#pragma once
// The controls of the ffmpeg engine's format pages: the ids of each format's
// eight drop-down lists, the lists whose change refills others, and the page
// template that places them.

#include <vector>

#include "formats/output_format_id.h"
#include "formats/settings_page.h"

struct FfmpegPageControlIds {
  int videoCodec = 0;  // the TV standard on disc pages
  int videoBitrate = 0;
  int videoFramerate = 0;
  int videoFramesize = 0;
  int videoAspect = 0;  // disc pages only; 0 on the others
  int audioCodec = 0;
  int audioBitrate = 0;
  int audioChannels = 0;
  int audioMultichannel = 0;  // DVD only; 0 on the others
  // The lists whose selection changes other lists' rows.
  std::vector<int> refreshing;
  int discSize = 0;        // disc pages only; 0 on the others
  int chapterMinutes = 0;  // DVD only: the chapter interval; 0 on the others
};

// The ids of a format's page; all 0 for an unknown format.
const FfmpegPageControlIds& FfmpegPageControls(OutputFormatId format);

// The page of a format with that dialog template number.
PageTemplate MakeFfmpegPageTemplate(OutputFormatId format, int templateId);
