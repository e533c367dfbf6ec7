#include "disc/dvd_space_plan.h"

#include <algorithm>

DvdSpacePlan PlanDvdSpace(std::int64_t totalDurationMs, int dvdBitrateSettingKbps, int trackKbps,
                          std::int64_t capacityBits) {
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
  if (plan.fitsOnDisc && !plan.fitsAtQuantiser)
    plan.encoderVideoKbps = std::min(plan.videoKbps, kDvdEncoderMaxVideoKbps);
  return plan;
}
