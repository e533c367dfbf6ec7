// CCastrel1Dlg: what a disc cannot hold of the listed files' sound tracks
// and subtitles, asked once before the Convert command makes anything.

#include <algorithm>
#include <filesystem>

#include "app/main_window_core.h"
#include "convert/converter.h"
#include "disc/dvd_space_plan.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"

bool CCastrel1Dlg::AskAboutLeftOutTracks(const std::vector<std::string>& inputs, TrackWriter writer) {
  const auto disc = DiscKindOfTarget(GetCurrentOutputFormat().GetType());
  if (!disc) return true;
  const EncodingParameters parameters = GetCurrentOutputFormat().GetEncodingParameters();
  const int stereoKbps = parameters.audio_bitrate > 0 ? parameters.audio_bitrate / 1000 : 224;
  std::vector<std::string> sentences;
  std::vector<std::string> asked;  // the same in the user's language
  double trackKbpsMs = 0;
  double durationMs = 0;
  for (const std::string& input : inputs) {
    const InputProbe probe = ProbeInput(input.c_str());
    if (!probe.streamsKnown) continue;  // the conversion itself says what is wrong with it
    const DiscTracks tracks = PlanDiscTracks(probe.tracks, *disc, writer);
    const std::string name = std::filesystem::path(input).filename().string();
    const std::string sentence = LeftOutSentence(tracks, *disc, writer, name);
    if (!sentence.empty()) {
      sentences.push_back(sentence);
      asked.push_back(LeftOutSentence(tracks, *disc, writer, name, TrackWords::UsersLanguage));
    }
    const double ms = std::max(1.0, probe.durationSeconds) * 1000.0;
    trackKbpsMs += ms * DvdTrackKbps(tracks, stereoKbps, parameters.keep_multichannel);
    durationMs += ms;
  }
  // Files whose streams could not be read count as one stereo track.
  m_nDVDTrackKbps = durationMs > 0 ? static_cast<int>(trackKbpsMs / durationMs + 0.5) : kDvdAudioKbps;
  const std::string question = LeftOutQuestion(sentences);
  if (question.empty()) return true;
  Log("%s", question.c_str());
  if (MessageBox(Owner(), LeftOutQuestion(asked, TrackWords::UsersLanguage), kApplicationTitle,
                 MB_YESNO | MB_ICONQUESTION) == IDYES) {
    return true;
  }
  Log("The user keeps the tracks: nothing is converted");
  return false;
}
