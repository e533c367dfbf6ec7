#pragma once
// What a format's settings page lists, worked out without widgets: the rows
// of its eight drop-down lists for the current choices, and how the choices
// follow when a codec or TV standard change gives other lists other rows.

#include <string>
#include <vector>

#include "formats/output_format.h"

struct FormatSettingsLists {
  std::vector<std::string> video_codecs;  // codec names, or TV standards on disc pages
  std::vector<std::string> video_bitrates;
  std::vector<std::string> video_framerates;
  std::vector<std::string> video_framesizes;
  std::vector<std::string> video_aspects;  // disc pages only; empty otherwise
  std::vector<std::string> audio_codecs;
  std::vector<std::string> audio_bitrates;
  std::vector<std::string> audio_channels;
  std::vector<std::string> audio_multichannel;  // DVD only; empty otherwise
};

// The rows for the tables format's current choices select, as the page shows
// them ("2500 kbps", "29.97 fps", "720 x 576", "Original Size", ...).
FormatSettingsLists MakeSettingsLists(const OutputFormat& format);

// After the lists were refilled: each choice that is not below its list's row
// count moves to the last row (-1 for a list without rows), so a choice stays
// when the new list still has its row and otherwise falls back to the last.
void FitChoicesToLists(OutputFormat& format, const FormatSettingsLists& lists);
