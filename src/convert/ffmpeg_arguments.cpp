#include "convert/ffmpeg_arguments.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "disc/dvd_space_plan.h"
#include "platform/video/mpeg_encoder_choices.h"

namespace {

std::string TextOf(const char* text) {
  return text != nullptr ? text : "";
}

std::string FrameSize(const EncodingParameters& p) {
  return std::to_string(p.width) + "x" + std::to_string(p.height);
}

bool HasFrameSize(const EncodingParameters& p) {
  return p.width > 0 && p.height > 0;
}

struct DiscPicture {
  FrameAspect aspect;
  std::string filter;
};

// The disc frame of a target: the record's size, else the target's own.
PictureArea TargetFrame(const EncodingParameters& p, DiscKind disc) {
  if (HasFrameSize(p)) return {p.width, p.height, 0, 0};
  const bool ntsc = p.video_codec != nullptr && std::strncmp(p.video_codec, "ntsc", 4) == 0;
  switch (disc) {
    case DiscKind::Vcd:
      return {352, ntsc ? 240 : 288, 0, 0};
    case DiscKind::Svcd:
      return {480, ntsc ? 480 : 576, 0, 0};
    case DiscKind::Dvd:
      break;
  }
  return {720, ntsc ? 480 : 576, 0, 0};
}

// How a source is fitted into its disc frame; nullopt when ffmpeg's own
// scaling already gives the right picture and flag (the source has the
// frame's shape and no other aspect is asked for) or the shape is unknown.
std::optional<DiscPicture> FitIntoDisc(const EncodingParameters& p, const std::optional<SourceShape>& source) {
  if (!source) return std::nullopt;
  const double shape = DisplayAspect(*source);
  if (!(shape > 0.0)) return std::nullopt;
  const DiscKind disc = std::strcmp(p.target, "dvd") == 0    ? DiscKind::Dvd
                        : std::strcmp(p.target, "svcd") == 0 ? DiscKind::Svcd
                                                             : DiscKind::Vcd;
  const auto asked = AspectFromText(p.aspect);
  // A DVD takes the aspect the user chose; CDs are 4:3 whatever was chosen.
  const FrameAspect aspect = disc == DiscKind::Dvd && asked ? *asked : DiscFrameAspect(disc, shape);
  if (HasFrameShape(shape, aspect) && (p.aspect == nullptr || asked == aspect)) return std::nullopt;
  const PictureArea frame = TargetFrame(p, disc);
  const PictureArea area = FitPicture(frame.width, frame.height, aspect, shape);
  // ffmpeg turns the picture upright before this filter runs.
  std::string filter = "scale=" + std::to_string(area.width) + ":" + std::to_string(area.height) +
                       ",pad=" + std::to_string(frame.width) + ":" + std::to_string(frame.height) + ":" +
                       std::to_string(area.left) + ":" + std::to_string(area.top) +
                       ":black,setdar=" + (aspect == FrameAspect::SixteenByNine ? "16/9" : "4/3");
  return DiscPicture{aspect, std::move(filter)};
}

// Quantisers below this one ask more than a DVD's peak rate of most
// pictures: ffmpeg then encodes a picture again and again at coarser steps
// until it fits the buffer (up to twice the time at quantiser 1, for the
// picture the peak rate allows anyway). A DVD title turns such a quantiser
// into the floor of a rate held at the peak, which gives the same picture
// where the rate does not bind and reaches the peak without the retries
// where it does. From this quantiser up the rate seldom binds, and the
// fixed quantiser keeps the slider's sizes.
constexpr std::int32_t kFixedQuantiserFrom = 4;
// ffmpeg never quantises below 2 unless asked to (its -qmin); quantiser 1
// has always meant 2.
constexpr std::int32_t kLowestQuantiser = 2;

// A DVD title at a rate the plan lowered to fit the list onto the disc.
bool EncodesAtAFittedRate(const EncodingParameters& p) {
  return p.tuned_for_target && std::strcmp(p.target, "dvd") == 0 && p.qscale == 0 && p.video_bitrate != 0;
}

bool QuantiserIsAFloor(const EncodingParameters& p) {
  return p.tuned_for_target && std::strcmp(p.target, "dvd") == 0 && p.qscale != 0 && p.qscale < kFixedQuantiserFrom;
}

// Option keywords take 11 characters: a blank, the option, blanks to fill.
constexpr std::size_t kKeywordWidth = 10;

}  // namespace

FfmpegArguments::FfmpegArguments(const std::string& inputPath, const std::string& outputPath,
                                 const EncodingParameters& parameters, OutputPicture picture,
                                 const std::optional<SourceShape>& source, const std::optional<TitleStreams>& streams) {
  Add("-i", inputPath, false, true);
  const bool maps = parameters.target != nullptr && MapsStreams(streams);
  if (picture == OutputPicture::BlackStill) AddBlackStill(parameters, !maps);
  if (maps) AddStreamMaps(*streams, picture);
  if (parameters.target != nullptr) {
    AddTargetForm(parameters, picture == OutputPicture::FromInput ? source : std::nullopt);
    if (streams) AddTrackCodecs(parameters, *streams);
  } else {
    AddPlainForm(parameters);
  }
  Add("-y", outputPath, false, true);
}

void FfmpegArguments::Add(const char* keyword, std::string value, bool blankAfter, bool quoted) {
  m_options.push_back({keyword, std::move(value), true, blankAfter, quoted, {}});
}

void FfmpegArguments::AddSwitch(const char* keyword) {
  m_options.push_back({keyword, {}, false, false, false, {}});
}

void FfmpegArguments::AddBlackStill(const EncodingParameters& p, bool mapsSound) {
  // The target scales the picture and sets its rate; the source only has to
  // be near it. -shortest ends the endless picture with the sound.
  const bool ntsc = p.video_codec != nullptr && std::strncmp(p.video_codec, "ntsc", 4) == 0;
  const std::string size = HasFrameSize(p) ? FrameSize(p) : ntsc ? "720x480" : "720x576";
  Add("-f", "lavfi", true);
  // lavfi's pixels are square: a 720-wide frame of them is 5:4, a shape no
  // disc has, so the still is made 4:3 (an aspect asked for still rules).
  Add("-i", "color=c=black:s=" + size + ":r=" + (ntsc ? "30000/1001" : "25") + ",setdar=4/3", true);
  Add("-map", "1:v", true);
  if (mapsSound) Add("-map", "0:a", true);
  AddSwitch("-shortest");
}

bool FfmpegArguments::MapsStreams(const std::optional<TitleStreams>& streams) const {
  if (!streams) return false;
  const DiscTracks& tracks = streams->tracks;
  const std::size_t sounds = tracks.sounds.size() + tracks.soundsLeftOut.size();
  const bool bitmaps = std::any_of(tracks.subtitles.begin(), tracks.subtitles.end(),
                                   [](const SubtitleTrack& s) { return s.form == SubtitleForm::DvdBitmap; });
  // One sound track and nothing else: ffmpeg's own choice is the same, and
  // the text stays as it always was. With several, ffmpeg would take one
  // (the one with the most channels), not the carried ones in their order.
  return sounds > 1 || bitmaps;
}

void FfmpegArguments::AddStreamMaps(const TitleStreams& streams, OutputPicture picture) {
  if (picture == OutputPicture::FromInput) {
    Add("-map", streams.videoStream >= 0 ? "0:" + std::to_string(streams.videoStream) : std::string("0:v:0"), true);
  }
  for (const SoundTrack& sound : streams.tracks.sounds) Add("-map", "0:" + std::to_string(sound.streamIndex), true);
  for (const SubtitleTrack& subtitle : streams.tracks.subtitles) {
    if (subtitle.form == SubtitleForm::DvdBitmap && subtitle.streamIndex >= 0) {
      Add("-map", "0:" + std::to_string(subtitle.streamIndex), true);
    }
  }
}

void FfmpegArguments::AddTrackCodecs(const EncodingParameters& p, const TitleStreams& streams) {
  if (std::strcmp(p.target, "dvd") != 0) return;
  // After the options for every sound track: the more specific ones win.
  const auto& sounds = streams.tracks.sounds;
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    if (!KeepsMultichannel(sounds[i], p.keep_multichannel)) continue;
    const std::string which = ":a:" + std::to_string(i);
    m_options.push_back({"-c", "ac3", true, true, false, which});
    m_options.push_back(
        {"-ac", std::to_string(std::min(sounds[i].channels, kDvdMaxChannels)), true, true, false, which});
    m_options.push_back({"-b", std::to_string(kDvdMultichannelKbps * 1000), true, true, false, which});
  }
  const bool bitmaps = std::any_of(streams.tracks.subtitles.begin(), streams.tracks.subtitles.end(),
                                   [](const SubtitleTrack& s) { return s.form == SubtitleForm::DvdBitmap; });
  if (bitmaps) Add("-c:s", "copy", true);
}

void FfmpegArguments::AddTargetForm(const EncodingParameters& p, const std::optional<SourceShape>& source) {
  // Only DVD takes its own bit rates and audio codec; VCD and SVCD are fixed
  // by their targets.
  const bool dvd = std::strcmp(p.target, "dvd") == 0;
  Add("-target", TextOf(p.video_codec), true);
  if (HasFrameSize(p)) Add("-s", FrameSize(p), true);
  const bool floor = QuantiserIsAFloor(p);
  if (floor) {
    Add("-qmin", std::to_string(std::max(p.qscale, kLowestQuantiser)), true);
  } else if (p.qscale != 0) {
    Add("-qscale", std::to_string(p.qscale), true);
  }
  if (const auto fitted = FitIntoDisc(p, source)) {
    Add("-vf", fitted->filter, true);
    Add("-aspect", AspectText(fitted->aspect), true);
  } else if (p.aspect != nullptr) {
    Add("-aspect", p.aspect, true);
  }
  if (p.audio_channels != 0) Add("-ac", std::to_string(p.audio_channels), true);
  // Without a quantiser the rate rules the encoder, and it must be given as
  // -b:v: after -target, ffmpeg ignores -vb (its target rate would stay).
  if (floor) {
    Add("-b:v", std::to_string(kDvdEncoderMaxVideoKbps * 1000), true);
  } else if (dvd && p.video_bitrate != 0) {
    Add(p.qscale != 0 ? "-vb" : "-b:v", std::to_string(p.video_bitrate), true);
  }
  if (EncodesAtAFittedRate(p)) {
    for (const auto& [keyword, value] : kScarceBitsMpegOptions) Add(keyword, value, true);
  }
  if (p.tuned_for_target && p.encoder_threads > 0) Add("-threads", std::to_string(p.encoder_threads), true);
  if (dvd && p.audio_codec != nullptr) Add("-acodec", p.audio_codec, true);
  if (dvd && p.audio_bitrate != 0) Add("-ab", std::to_string(p.audio_bitrate), true);
}

void FfmpegArguments::AddPlainForm(const EncodingParameters& p) {
  if (p.format != nullptr) Add("-f", p.format, false);
  if (p.video_codec != nullptr) Add("-vcodec", p.video_codec, false);
  if (p.video_tag != nullptr) Add("-vtag", p.video_tag, false);
  if (p.video_bitrate != 0) Add("-vb", std::to_string(p.video_bitrate), false);
  if (p.frame_rate_num != 0) {
    Add("-r", std::to_string(p.frame_rate_num) + "/" + std::to_string(p.frame_rate_den), false);
  }
  if (p.no_video) AddSwitch("-vn");
  if (p.qscale != 0) Add("-qscale", std::to_string(p.qscale), true);
  if (p.audio_codec != nullptr) Add("-acodec", p.audio_codec, false);
  if (p.audio_tag != nullptr) Add("-atag", p.audio_tag, false);
  if (p.audio_channels != 0) Add("-ac", std::to_string(p.audio_channels), false);
  if (p.audio_bitrate != 0) Add("-ab", std::to_string(p.audio_bitrate), false);
  if (p.audio_samplerate != 0) Add("-ar", std::to_string(p.audio_samplerate), false);
  if (p.no_audio) AddSwitch("-an");
  if (HasFrameSize(p)) Add("-s", FrameSize(p), false);
}

std::string FfmpegArguments::Text() const {
  std::string text;
  for (const Option& option : m_options) {
    std::string keyword = option.keyword + option.streams;
    // A keyword as long as the width still gets its blank.
    keyword.resize(std::max(keyword.size() + 1, kKeywordWidth), ' ');
    text += ' ' + keyword;
    if (!option.hasValue) continue;
    text += option.quoted ? '"' + option.value + '"' : option.value;
    if (option.blankAfter) text += ' ';
  }
  return text;
}

std::vector<std::string> FfmpegArguments::Vector() const {
  std::vector<std::string> vector;
  for (const Option& option : m_options) {
    vector.push_back(option.keyword + option.streams);
    if (!option.hasValue) continue;
    // Paths go through ffmpeg's file protocol, so that a name that starts
    // with '-' or looks like a protocol ("pipe:1", "concat:a|b") is a file.
    vector.push_back(option.quoted ? "file:" + option.value : option.value);
  }
  return vector;
}
