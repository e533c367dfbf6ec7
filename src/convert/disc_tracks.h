#pragma once
// The sound tracks and subtitles of a source, and which of them a disc title
// carries: a DVD up to 8 sound tracks and 32 subpicture streams (text
// subtitles rendered into pictures, DVD bitmap subtitles as they are), a
// Video CD or Super Video CD one sound track and no subtitles. What a disc
// cannot carry is named in one question before converting (LeftOutSentence).

#include <string>
#include <vector>

#include "support/picture_shape.h"

struct SoundTrack {
  int streamIndex = -1;  // in the source file
  std::string language;  // as tagged ("eng", "fre"); "" when untagged
  std::string title;     // the track's own name, when it has one
  int channels = 0;
};

enum class SubtitleForm {
  Text,       // SubRip, ASS/SSA, mov_text, WebVTT: rendered into subpictures
  DvdBitmap,  // DVD subpictures: carried as they are
  Other,      // pictures of another kind (PGS, DVB, ...): a DVD cannot carry them
};

struct SubtitleTrack {
  int streamIndex = -1;  // in the source file; -1 for a side file
  std::string sideFile;  // name.srt, name.fr.srt, name.ass next to the video
  std::string language;
  std::string codec;  // libavcodec's name: "subrip", "ass", "mov_text", "dvd_subtitle", ...
  SubtitleForm form = SubtitleForm::Text;
};

struct SourceTracks {
  std::vector<SoundTrack> sounds;        // in the source's order
  std::vector<SubtitleTrack> subtitles;  // the source's streams in order, then the side files
};

// How a subtitle codec reaches a DVD.
SubtitleForm SubtitleFormOf(const std::string& codec);

// Subtitle files next to video with its base name: "name.srt", "name.fr.srt",
// "name.eng.ass", ... (SubRip, ASS/SSA, WebVTT), sorted by name; the language
// is the part between the base name and the extension when there is one.
std::vector<SubtitleTrack> SideSubtitleFiles(const std::string& videoPath);

inline constexpr int kDvdMaxSoundTracks = 8;
inline constexpr int kDvdMaxSubtitleTracks = 32;

struct DiscTracks {
  std::vector<SoundTrack> sounds;        // onto the title, in this order
  std::vector<SubtitleTrack> subtitles;  // in subpicture stream order: DVD bitmaps first, then the text ones
  std::vector<SoundTrack> soundsLeftOut;
  std::vector<SubtitleTrack> subtitlesLeftOut;
  // Why: the disc takes fewer sound tracks or subtitles, or a subtitle's kind.
  bool tooManySounds = false;
  bool tooManySubtitles = false;
  bool subtitleKindNotCarried = false;

  bool LeavesOut() const { return !soundsLeftOut.empty() || !subtitlesLeftOut.empty(); }
};

// What a title of that disc carries of the source. The library engine writes
// what a CD carries (one sound track, no subtitles) whatever the disc.
enum class TrackWriter { Ffmpeg, Library };
DiscTracks PlanDiscTracks(const SourceTracks& source, DiscKind disc, TrackWriter writer = TrackWriter::Ffmpeg);

// "Video CD holds one sound track: 'French' and 1 subtitle track of
// 'holiday.mkv' will be left out." ("" when nothing is); fileName is the
// file's name without its folder. In English for the log, or in the user's
// language for the question.
enum class TrackWords { English, UsersLanguage };
std::string LeftOutSentence(const DiscTracks& tracks, DiscKind disc, TrackWriter writer, const std::string& fileName,
                            TrackWords words = TrackWords::English);

// The whole question for the sentences of a job's files: each on its line,
// then " Go on?".
std::string LeftOutQuestion(const std::vector<std::string>& sentences, TrackWords words = TrackWords::English);

// A sound track as people know it: its language ("French"), else its title,
// else "sound track N" (its place among the source's sound tracks, from 1).
std::string SoundTrackName(const SoundTrack& track, int place);

// The tracks' languages as a DVD's IFO takes them: two-letter codes in track
// order, separated by commas, an empty code for an untagged track ("en,,fr").
std::string DvdLanguageCodes(const std::vector<SoundTrack>& sounds);
std::string DvdLanguageCodes(const std::vector<SubtitleTrack>& subtitles);

// A DVD title's sound rate in kbit/s: each multichannel track kept as AC-3 at
// kDvdMultichannelKbps, every other track at stereoKbps, and a small share
// per subtitle stream.
inline constexpr int kDvdMultichannelKbps = 448;
inline constexpr int kDvdSubtitleKbps = 10;
int DvdTrackKbps(const DiscTracks& tracks, int stereoKbps, bool keepMultichannel);

// A track keeps its channels as AC-3 when the user keeps multichannel sound
// and it has more than two; at most 5.1.
bool KeepsMultichannel(const SoundTrack& track, bool keepMultichannel);
inline constexpr int kDvdMaxChannels = 6;
