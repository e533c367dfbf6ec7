// CCastrel1Dlg: the disc the list will make, worked out for the window's
// gauge and the batch mode's --plan whenever the list, the format, the
// quality or the disc size changes.

#include <exception>

#include "app/main_window_core.h"
#include "platform/video/media_reader.h"
#include "support/log.h"

namespace {

bool IsCd(int format) {
  return format == kFormatVcd || format == kFormatSvcd;
}

}  // namespace

std::int64_t CCastrel1Dlg::DvdMediumCapacity() const {
  return m_nDVDCapacityBytes > 0 ? m_nDVDCapacityBytes : DvdMediumBytes(m_nDVDDiscSize);
}

std::int64_t CCastrel1Dlg::DvdPlanCapacity() const {
  if (m_nDVDCapacityBytes <= 0) return DvdPlanCapacityBits(m_nDVDDiscSize);
  // A disc a test has made small keeps the plan's share of it.
  return static_cast<std::int64_t>(static_cast<double>(kDvdCapacityBits) * static_cast<double>(m_nDVDCapacityBytes) /
                                   static_cast<double>(kDvd5MediumBytes));
}

std::int64_t CCastrel1Dlg::CdStreamCapacity() const {
  return m_nCDCapacityBytes > 0 ? m_nCDCapacityBytes : CdStreamCapacityBytes(m_nCDDiscSize);
}

std::int64_t CCastrel1Dlg::ListedDuration(const std::string& path) {
  const auto known = m_mapListDurations.find(path);
  if (known != m_mapListDurations.end()) return known->second;
  std::int64_t duration = 0;
  try {
    const MediaReader reader(path);
    duration = reader.Facts().hasVideo ? reader.Facts().videoDurationMs : reader.Facts().audioDurationMs;
  } catch (const std::exception& error) {
    Log("Disc plan: no length of %s: %s", path.c_str(), error.what());
  }
  m_mapListDurations[path] = duration;
  return duration;
}

DiscPlan CCastrel1Dlg::MakeDiscPlan() {
  DiscPlanRequest request;
  request.format = IsKnownFormat(m_nOutputFormat) ? static_cast<OutputFormatId>(m_nOutputFormat) : kFormatAvi;
  request.dvdBitrateSettingKbps = m_nDVDBitrate;
  request.dvdDiscSize = m_nDVDDiscSize;
  request.cdDiscSize = m_nCDDiscSize;
  request.cdStreamBytesOverride = m_nCDCapacityBytes;
  if (m_dConvertSpeed > 0) request.convertSpeed = m_dConvertSpeed;
  if (m_pView == nullptr) return PlanDisc(request);
  const int count = m_pView->ListCount();
  if (IsCd(m_nOutputFormat)) {
    const std::size_t format = static_cast<std::size_t>(m_nOutputFormat);
    if (format < m_formats.size()) {
      request.cdVideoKbps = m_formats[format]->GetEncodingParameters().video_bitrate / 1000;
    } else {
      request.cdVideoKbps = m_nOutputFormat == kFormatVcd ? m_nVCDBitrate : m_nSVCDBitrate;
    }
    // A CD job converts one file: the selected one, or the one the window shows.
    const int selected = m_pView->ListSelection();
    const int entry = selected >= 0 && selected < count ? selected : count - 1;
    if (entry >= 0) request.durationsMs.push_back(ListedDuration(m_pView->ListText(entry)));
  } else {
    std::vector<std::string> inputs;
    for (int index = 0; index < count; ++index) inputs.push_back(m_pView->ListText(index));
    for (const std::string& input : inputs) request.durationsMs.push_back(ListedDuration(input));
    // The format objects come late in the window's start: until then a title counts one stereo track.
    if (m_nOutputFormat == kFormatDvd && !inputs.empty() && static_cast<std::size_t>(kFormatDvd) < m_formats.size()) {
      request.dvdTrackKbps = DvdTrackKbpsOf(inputs, TrackWriter::Ffmpeg, false);
    }
  }
  return PlanDisc(request);
}

void CCastrel1Dlg::UpdateDiscPlan() {
  if (m_pView == nullptr) return;
  m_pView->ShowDiscPlan(MakeDiscPlan());
}
