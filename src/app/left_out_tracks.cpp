// CCastrel1Dlg: what a disc cannot hold of the listed files' sound tracks
// and subtitles, asked once before the Convert command makes anything.

#include <algorithm>
#include <filesystem>

#include "app/main_window_core.h"
#include "convert/converter.h"
#include "disc/dvd_space_plan.h"
#include "platform/dialogs/message_box.h"
#include "support/log.h"

int CCastrel1Dlg::DvdTrackKbpsOf(const std::vector<std::string>& inputs, TrackWriter writer, bool refresh) {
  const auto disc = DiscKindOfTarget(GetCurrentOutputFormat().GetType());
  const EncodingParameters parameters = GetCurrentOutputFormat().GetEncodingParameters();
  const int stereoKbps = parameters.audio_bitrate > 0 ? parameters.audio_bitrate / 1000 : kDvdAudioKbps;
  double trackKbpsMs = 0;
  double durationMs = 0;
  for (const std::string& input : inputs) {
    auto listed = m_mapListTracks.find(input);
    if (refresh || listed == m_mapListTracks.end()) {
      const InputProbe probe = ProbeInput(input.c_str());
      listed = m_mapListTracks
                   .insert_or_assign(input, ListedTracks{probe.streamsKnown,
                                                         std::max(1.0, probe.durationSeconds) * 1000.0, probe.tracks})
                   .first;
    }
    if (!listed->second.known || !disc) continue;
    const DiscTracks tracks = PlanDiscTracks(listed->second.tracks, *disc, writer);
    trackKbpsMs += listed->second.durationMs * DvdTrackKbps(tracks, stereoKbps, parameters.keep_multichannel);
    durationMs += listed->second.durationMs;
  }
  return durationMs > 0 ? static_cast<int>(trackKbpsMs / durationMs + 0.5) : kDvdAudioKbps;
}

bool CCastrel1Dlg::AskAboutLeftOutTracks(const std::vector<std::string>& inputs, TrackWriter writer) {
  const auto disc = DiscKindOfTarget(GetCurrentOutputFormat().GetType());
  if (!disc) return true;
  std::vector<std::string> sentences;
  std::vector<std::string> asked;  // the same in the user's language
  // Read afresh: the files may have changed since they were listed.
  m_nDVDTrackKbps = DvdTrackKbpsOf(inputs, writer, true);
  for (const std::string& input : inputs) {
    const ListedTracks& listed = m_mapListTracks[input];
    if (!listed.known) continue;  // the conversion itself says what is wrong with it
    const DiscTracks tracks = PlanDiscTracks(listed.tracks, *disc, writer);
    const std::string name = std::filesystem::path(input).filename().string();
    const std::string sentence = LeftOutSentence(tracks, *disc, writer, name);
    if (!sentence.empty()) {
      sentences.push_back(sentence);
      asked.push_back(LeftOutSentence(tracks, *disc, writer, name, TrackWords::UsersLanguage));
    }
  }
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
