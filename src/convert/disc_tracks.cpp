#include "convert/disc_tracks.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "support/languages.h"
#include "support/user_text.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// libavcodec's name of a subtitle file's format by its extension; "" for others.
std::string SideFileCodec(const std::string& extension) {
  const std::string lower = Lower(extension);
  if (lower == ".srt") return "subrip";
  if (lower == ".ass" || lower == ".ssa") return "ass";
  if (lower == ".vtt") return "webvtt";
  return "";
}

std::string DiscName(DiscKind disc) {
  switch (disc) {
    case DiscKind::Vcd:
      return "Video CD";
    case DiscKind::Svcd:
      return "Super Video CD";
    case DiscKind::Dvd:
      break;
  }
  return QT_TRANSLATE_NOOP("UserText", "A DVD");
}

// The kind of subtitle people know: "PGS" rather than libavcodec's name.
std::string SubtitleKindName(const std::string& codec) {
  if (codec == "hdmv_pgs_subtitle") return "PGS";
  if (codec == "dvb_subtitle") return "DVB";
  if (codec == "xsub") return "XSUB";
  if (codec == "hdmv_text_subtitle") return "Blu-ray text";
  return codec.empty() ? "unknown" : codec;
}

// A marked text in English or in the user's language.
std::string Words(const char* english, TrackWords words) {
  return words == TrackWords::UsersLanguage ? std::string(UserText::Lookup(english)) : std::string(english);
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items, TrackWords words = TrackWords::English) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? Words(QT_TRANSLATE_NOOP("UserText", " and "), words) : ", ";
    text += items[i];
  }
  return text;
}

}  // namespace

SubtitleForm SubtitleFormOf(const std::string& codec) {
  if (codec == "subrip" || codec == "srt" || codec == "ass" || codec == "ssa" || codec == "mov_text" ||
      codec == "webvtt" || codec == "text" || codec == "microdvd" || codec == "subviewer") {
    return SubtitleForm::Text;
  }
  if (codec == "dvd_subtitle") return SubtitleForm::DvdBitmap;
  return SubtitleForm::Other;
}

std::vector<SubtitleTrack> SideSubtitleFiles(const std::string& videoPath) {
  std::vector<SubtitleTrack> found;
  const fs::path video(videoPath);
  const std::string stem = video.stem().string();
  std::error_code failed;
  const fs::path folder = video.has_parent_path() ? video.parent_path() : fs::path(".");
  for (const auto& entry : fs::directory_iterator(folder, failed)) {
    const fs::path& path = entry.path();
    const std::string name = path.filename().string();
    const std::string codec = SideFileCodec(path.extension().string());
    if (codec.empty() || name.size() <= stem.size() + 1 || name.compare(0, stem.size() + 1, stem + ".") != 0) {
      continue;
    }
    std::error_code notFile;
    if (!entry.is_regular_file(notFile)) continue;
    // "name.fr.srt": what lies between the base name and the extension is the language.
    const std::string rest = name.substr(stem.size());  // ".srt", ".fr.srt"
    const std::size_t extension = path.extension().string().size();
    const std::string middle = rest.size() > extension ? rest.substr(1, rest.size() - extension - 1) : "";
    if (middle.find('.') != std::string::npos) continue;  // "name.a.b.srt" belongs to a video "name.a"
    SubtitleTrack track;
    track.sideFile = path.string();
    track.codec = codec;
    track.form = SubtitleForm::Text;
    if (!middle.empty()) {
      if (TwoLetterLanguage(middle).empty()) continue;  // "name.part2.srt" names no language
      track.language = middle;
    }
    found.push_back(track);
  }
  std::sort(found.begin(), found.end(),
            [](const SubtitleTrack& a, const SubtitleTrack& b) { return a.sideFile < b.sideFile; });
  return found;
}

DiscTracks PlanDiscTracks(const SourceTracks& source, DiscKind disc, TrackWriter writer) {
  DiscTracks plan;
  if (disc != DiscKind::Dvd || writer == TrackWriter::Library) {
    for (const SoundTrack& sound : source.sounds)
      (plan.sounds.empty() ? plan.sounds : plan.soundsLeftOut).push_back(sound);
    plan.subtitlesLeftOut = source.subtitles;
    return plan;
  }
  for (const SoundTrack& sound : source.sounds) {
    if (static_cast<int>(plan.sounds.size()) < kDvdMaxSoundTracks) {
      plan.sounds.push_back(sound);
    } else {
      plan.soundsLeftOut.push_back(sound);
      plan.tooManySounds = true;
    }
  }
  // DVD bitmaps go through ffmpeg's muxer, which numbers its subpicture
  // streams first; the rendered text ones are muxed in after them.
  std::vector<SubtitleTrack> carried;
  for (const SubtitleForm form : {SubtitleForm::DvdBitmap, SubtitleForm::Text}) {
    for (const SubtitleTrack& subtitle : source.subtitles) {
      if (subtitle.form == form) carried.push_back(subtitle);
    }
  }
  for (const SubtitleTrack& subtitle : source.subtitles) {
    if (subtitle.form == SubtitleForm::Other) {
      plan.subtitlesLeftOut.push_back(subtitle);
      plan.subtitleKindNotCarried = true;
    }
  }
  for (const SubtitleTrack& subtitle : carried) {
    if (static_cast<int>(plan.subtitles.size()) < kDvdMaxSubtitleTracks) {
      plan.subtitles.push_back(subtitle);
    } else {
      plan.subtitlesLeftOut.push_back(subtitle);
      plan.tooManySubtitles = true;
    }
  }
  return plan;
}

std::string SoundTrackName(const SoundTrack& track, int place) {
  const std::string language = LanguageName(track.language);
  if (!language.empty()) return language;
  if (!track.title.empty()) return track.title;
  return "sound track " + std::to_string(place);
}

std::string LeftOutSentence(const DiscTracks& tracks, DiscKind disc, TrackWriter writer, const std::string& fileName,
                            TrackWords words) {
  if (!tracks.LeavesOut()) return "";
  const auto text = [words](const char* english) { return Words(english, words); };
  std::string who = text(DiscName(disc).c_str());
  std::vector<std::string> reasons;
  if (disc != DiscKind::Dvd || writer == TrackWriter::Library) {
    if (disc == DiscKind::Dvd)
      who = UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "%1 made by the video library")), {who});
    reasons.push_back(tracks.soundsLeftOut.empty() ? text(QT_TRANSLATE_NOOP("UserText", "holds no subtitles"))
                                                   : text(QT_TRANSLATE_NOOP("UserText", "holds one sound track")));
  } else {
    if (tracks.tooManySounds) {
      reasons.push_back(UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "holds %1 sound tracks")),
                                       {std::to_string(kDvdMaxSoundTracks)}));
    }
    if (tracks.tooManySubtitles) {
      reasons.push_back(UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "holds %1 subtitle tracks")),
                                       {std::to_string(kDvdMaxSubtitleTracks)}));
    }
    if (tracks.subtitleKindNotCarried) {
      std::vector<std::string> kinds;
      for (const SubtitleTrack& subtitle : tracks.subtitlesLeftOut) {
        if (subtitle.form != SubtitleForm::Other) continue;
        const std::string kind = SubtitleKindName(subtitle.codec);
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
      }
      reasons.push_back(
          UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "cannot carry %1 subtitles")), {Listed(kinds, words)}));
    }
  }
  std::vector<std::string> items;
  for (const SoundTrack& sound : tracks.soundsLeftOut) {
    // Its place among all the source's sound tracks: the carried ones come first.
    const int place = static_cast<int>(tracks.sounds.size() + items.size()) + 1;
    std::string name = SoundTrackName(sound, place);
    // A track without language or title is named by its place.
    if (sound.title.empty() && LanguageName(sound.language).empty()) {
      name = UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "sound track %1")), {std::to_string(place)});
    }
    items.push_back("'" + name + "'");
  }
  if (!tracks.subtitlesLeftOut.empty()) {
    const std::size_t count = tracks.subtitlesLeftOut.size();
    items.push_back(UserText::Fill(count == 1 ? text(QT_TRANSLATE_NOOP("UserText", "%1 subtitle track"))
                                              : text(QT_TRANSLATE_NOOP("UserText", "%1 subtitle tracks")),
                                   {std::to_string(count)}));
  }
  return UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "%1 %2: %3 of '%4' will be left out.")),
                        {who, Listed(reasons, words), Listed(items, words), fileName});
}

std::string LeftOutQuestion(const std::vector<std::string>& sentences, TrackWords words) {
  std::string text;
  for (const std::string& sentence : sentences) {
    if (sentence.empty()) continue;
    if (!text.empty()) text += "\n";
    text += sentence;
  }
  return text.empty() ? text : text + Words(QT_TRANSLATE_NOOP("UserText", " Go on?"), words);
}

namespace {

template <typename Track>
std::string LanguageCodes(const std::vector<Track>& tracks) {
  std::string codes;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    if (i > 0) codes += ',';
    codes += TwoLetterLanguage(tracks[i].language);
  }
  return codes;
}

}  // namespace

std::string DvdLanguageCodes(const std::vector<SoundTrack>& sounds) {
  return LanguageCodes(sounds);
}

std::string DvdLanguageCodes(const std::vector<SubtitleTrack>& subtitles) {
  return LanguageCodes(subtitles);
}

bool KeepsMultichannel(const SoundTrack& track, bool keepMultichannel) {
  return keepMultichannel && track.channels > 2;
}

int DvdTrackKbps(const DiscTracks& tracks, int stereoKbps, bool keepMultichannel) {
  int kbps = 0;
  for (const SoundTrack& sound : tracks.sounds) {
    kbps += KeepsMultichannel(sound, keepMultichannel) ? kDvdMultichannelKbps : stereoKbps;
  }
  return kbps + kDvdSubtitleKbps * static_cast<int>(tracks.subtitles.size());
}
