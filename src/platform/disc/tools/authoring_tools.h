#pragma once
// One wrapper per program the DVD image builder runs: each builds its argument
// vector and runs it through RunProgram with its own parser.

#include <atomic>
#include <functional>
#include <string>

#include "platform/disc/tools/dvdauthor_output.h"
#include "platform/disc/tools/tool_outcome.h"
#include "platform/disc/video_standard.h"

// ffmpeg: the menu background as a DVD-muxed MPEG-2 still video of the disc's
// standard (4:3, no sound), which is all spumux and dvdauthor take.
ToolOutcome ConvertMenuBackground(const std::string& input, VideoStandard standard, const std::string& output);

// spumux: muxes the buttons its control file describes into menuVideo,
// writing muxedVideo. Runs in workFolder, which holds the button images.
ToolOutcome MuxMenuButtons(const std::string& controlFile, const std::string& menuVideo, const std::string& muxedVideo,
                           const std::string& workFolder, VideoStandard standard);

// dvdauthor: authors the DVD-Video folder its control file names. Every
// parsed line goes to onLine (the progress); stop ends it at once.
ToolOutcome RunDvdauthor(const std::string& controlFile, const std::string& workFolder, VideoStandard standard,
                         const std::function<void(const DvdauthorLine&)>& onLine, const std::atomic<bool>* stop);

// ffmpeg: one text subtitle as a UTF-8 SubRip file, from stream streamIndex
// of input, or from a subtitle file (streamIndex -1). Times stay the source's.
ToolOutcome SubtitleToSubrip(const std::string& input, int streamIndex, const std::string& subripFile,
                             const std::atomic<bool>* stop = nullptr);

// spumux: muxes the subtitles its control file describes into title as
// subpicture stream streamNumber (0..31), writing muxedTitle.
ToolOutcome MuxSubtitles(const std::string& controlFile, const std::string& title, const std::string& muxedTitle,
                         int streamNumber, const std::string& workFolder, VideoStandard standard,
                         const std::atomic<bool>* stop = nullptr);
