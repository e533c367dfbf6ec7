#include "disc/dvd_space_plan.h"

#include <algorithm>

int DvdFillingVideoKbps(std::int64_t totalDurationMs, int trackKbps, std::int64_t mediumBytes) {
  if (totalDurationMs <= 0) return 0;
  const double streamBits = static_cast<double>(mediumBytes) * 8 * kDvdFillShare / (1 + kDvdMuxOverhead);
  // bits / ms = kbit / s
  return static_cast<int>(streamBits / static_cast<double>(totalDurationMs)) - trackKbps;
}

DvdSpacePlan PlanDvdSpace(std::int64_t totalDurationMs, int dvdBitrateSettingKbps, int trackKbps,
                          std::int64_t capacityBits, std::int64_t mediumBytes) {
  DvdSpacePlan plan;
  if (totalDurationMs <= 0) return plan;
  // kbit/s at which the whole length fits: bits / ms = kbit / s.
  const std::int64_t fittingKbps = capacityBits / totalDurationMs - trackKbps;
  std::int64_t video = fittingKbps;
  if (video > dvdBitrateSettingKbps) video = dvdBitrateSettingKbps;
  if (video > kDvdPlanMaxVideoKbps) video = kDvdPlanMaxVideoKbps;
  plan.videoKbps = static_cast<int>(video);
  plan.sizeMegabytes = static_cast<int>(totalDurationMs / 1000.0 * (plan.videoKbps + trackKbps) / 8000.0);
  plan.fitsOnDisc = plan.videoKbps > 0;
  plan.fitsAtQuantiser = fittingKbps >= kDvdPlanMaxVideoKbps;
  if (plan.fitsOnDisc && !plan.fitsAtQuantiser) {
    const int filling = DvdFillingVideoKbps(totalDurationMs, trackKbps, mediumBytes);
    // The filling rate is never below videoKbps (its reckoning leaves more
    // room), so where that one found room this one does too.
    plan.encoderVideoKbps = std::min({filling, dvdBitrateSettingKbps, kDvdEncoderMaxVideoKbps});
  }
  return plan;
}
