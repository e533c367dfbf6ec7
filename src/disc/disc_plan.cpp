#include "disc/disc_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "disc/cd_split_plan.h"
#include "support/user_text.h"

namespace {

// What the discs hold (2,295,104 and 4,173,824 sectors of 2048 bytes). The
// plan's reckoning counts 35,000,000,000 bits of a DVD-5 (93 %), and the
// same share of a DVD-9; a fitted list is encoded to fill kDvdFillShare.
constexpr std::int64_t kDvdMediumBytes[kDvdDiscSizeCount] = {kDvd5MediumBytes, 8'547'991'552};
constexpr const char* kDvdNames[kDvdDiscSizeCount] = {"DVD-5 (4.7 GB)", "DVD-9 (8.5 GB)"};
constexpr int kCdMegabytes[kCdDiscSizeCount] = {650, 700, 800};
// What the disc job writes besides the streams, and how fast (the image at
// disk speed, as the time-left estimate expects it).
constexpr double kImageMegabytesPerSecond = 150;

int DvdIndex(int size) {
  return size >= 0 && size < kDvdDiscSizeCount ? size : 0;
}
int CdIndex(int size) {
  return size >= 0 && size < kCdDiscSizeCount ? size : 0;
}

// A problem's pattern filled with its two values.
std::string FillIn(const std::string& pattern, const std::vector<std::string>& values) {
  return UserText::Fill(pattern, {values.at(0), values.at(1)});
}

std::string Gigabytes(std::int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f GB", static_cast<double>(bytes) / 1e9);
  return text;
}

std::string Minutes(std::int64_t seconds) {
  const std::int64_t minutes = (seconds + 30) / 60;
  if (minutes < 60) return std::to_string(minutes) + " min";
  return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

int Percent(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) return 0;
  return static_cast<int>(std::lround(100.0 * static_cast<double>(part) / static_cast<double>(whole)));
}

void PlanJobTime(const DiscPlanRequest& request, DiscPlan& plan) {
  const double speed = request.convertSpeed.value_or(kFirstGuessConvertSpeed);
  plan.jobTimeMeasured = request.convertSpeed.has_value();
  const double converting = static_cast<double>(plan.durationMs) / 1000.0 / std::max(speed, 0.01);
  const double writing = static_cast<double>(plan.sizeBytes) / 1e6 / kImageMegabytesPerSecond;
  plan.jobSeconds = static_cast<std::int64_t>(std::ceil(converting + writing));
}

// The problem in English, and its pattern for the user's language.
void SetProblem(DiscPlan& plan, const char* pattern, std::vector<std::string> values) {
  plan.problemPattern = pattern;
  plan.problemValues = std::move(values);
  plan.problem = FillIn(pattern, plan.problemValues);
}

void PlanDvd(const DiscPlanRequest& request, DiscPlan& plan) {
  const int size = DvdIndex(request.dvdDiscSize);
  plan.discName = kDvdNames[size];
  plan.audioKbps = request.dvdTrackKbps > 0 ? request.dvdTrackKbps : kDvdAudioKbps;
  const std::int64_t capacityBits = DvdPlanCapacityBits(size);
  plan.discBytes = DvdMediumBytes(size);
  if (plan.fileCount > kDvdMaxTitles) {
    plan.fits = false;
    SetProblem(plan,
               QT_TRANSLATE_NOOP("UserText",
                                 "A DVD menu holds at most %1 titles and the list holds %2 files: remove "
                                 "some files or make a second DVD of them."),
               {std::to_string(kDvdMaxTitles), std::to_string(plan.fileCount)});
  }
  if (plan.durationMs <= 0) return;
  const DvdSpacePlan space =
      PlanDvdSpace(plan.durationMs, request.dvdBitrateSettingKbps, plan.audioKbps, capacityBits, plan.discBytes);
  if (!space.fitsOnDisc) {
    // Not even the sound fits: the whole list at the sound's rate.
    plan.videoKbps = 0;
    plan.sizeBytes = plan.durationMs * plan.audioKbps / 8;
    plan.fits = false;
    if (plan.problem.empty()) {
      SetProblem(plan,
                 size == 0 ? QT_TRANSLATE_NOOP("UserText",
                                               "The list does not fit: its %1 of video need more than one %2 even at "
                                               "the lowest quality; remove some files or choose DVD-9 in the DVD "
                                               "settings.")
                           : QT_TRANSLATE_NOOP("UserText",
                                               "The list does not fit: its %1 of video need more than one %2 even at "
                                               "the lowest quality; remove some files or make a second DVD of them."),
                 {FormatMediaLength(plan.durationMs), size == 0 ? "DVD-5" : "DVD-9"});
    }
  } else {
    // A list fitted to the disc is encoded at the rate that fills it.
    plan.videoKbps = space.fitsAtQuantiser ? space.videoKbps : space.encoderVideoKbps;
    const double streams = static_cast<double>(plan.durationMs) * (plan.videoKbps + plan.audioKbps) / 8;
    plan.sizeBytes = static_cast<std::int64_t>(streams * (1 + kDvdMuxOverhead));
  }
  plan.fillPercent = Percent(plan.sizeBytes, plan.discBytes);
}

void PlanCd(const DiscPlanRequest& request, DiscPlan& plan) {
  const int size = CdIndex(request.cdDiscSize);
  plan.discName = std::to_string(kCdMegabytes[size]) + " MB CDs";
  plan.audioKbps = kVideoCdAudioKbps;
  plan.videoKbps = request.cdVideoKbps;
  plan.discBytes = request.cdStreamBytesOverride > 0 ? request.cdStreamBytesOverride : CdStreamCapacityBytes(size);
  if (plan.durationMs <= 0) return;
  plan.sizeBytes = plan.durationMs * (plan.videoKbps + kVideoCdAudioKbps) / 8;
  plan.cdCount = ExpectedCdCount(plan.videoKbps, plan.durationMs, plan.discBytes);
  const std::int64_t onLast = plan.sizeBytes - (plan.cdCount - 1) * plan.discBytes;
  plan.fillPercent = Percent(onLast, plan.discBytes);
  if (plan.cdCount > kMaxCdCount) {
    plan.fits = false;
    SetProblem(plan,
               QT_TRANSLATE_NOOP("UserText",
                                 "The movie does not fit: it needs %1 CDs and one movie may take at most "
                                 "%2; choose a lower quality, larger CDs or a shorter file."),
               {std::to_string(plan.cdCount), std::to_string(kMaxCdCount)});
  }
}

}  // namespace

std::vector<std::string> ChapterIntervalNames() {
  // In the user's language already: the rows are shown as they are.
  std::vector<std::string> names = {UserText::Lookup(QT_TRANSLATE_NOOP("UserText", "Off")),
                                    UserText::Lookup(QT_TRANSLATE_NOOP("UserText", "Every minute"))};
  const std::string every = UserText::Lookup(QT_TRANSLATE_NOOP("UserText", "Every %1 minutes"));
  for (int minutes = 2; minutes <= kMostChapterIntervalMinutes; ++minutes) {
    names.push_back(UserText::Fill(every, {std::to_string(minutes)}));
  }
  return names;
}

std::vector<std::string> DvdDiscSizeNames() {
  return {std::begin(kDvdNames), std::end(kDvdNames)};
}

std::vector<std::string> CdDiscSizeNames() {
  std::vector<std::string> names;
  for (int megabytes : kCdMegabytes) names.push_back(std::to_string(megabytes) + " MB");
  return names;
}

std::int64_t DvdMediumBytes(int dvdDiscSize) {
  return kDvdMediumBytes[DvdIndex(dvdDiscSize)];
}

std::int64_t DvdPlanCapacityBits(int dvdDiscSize) {
  // The DVD-5's figure exactly; a DVD-9 in proportion to its label (in
  // tenths of a gigabyte, 47 and 85, so that nothing overflows).
  constexpr std::int64_t kTenthGigabyte = 100'000'000;
  return kDvdCapacityBits * (kDvdMediumBytes[DvdIndex(dvdDiscSize)] / kTenthGigabyte) /
         (kDvdMediumBytes[0] / kTenthGigabyte);
}

std::int64_t CdStreamCapacityBytes(int cdDiscSize) {
  return kCdCapacityBytes * kCdMegabytes[CdIndex(cdDiscSize)] / kCdMegabytes[0];
}

int CdLabelMegabytes(int cdDiscSize) {
  return kCdMegabytes[CdIndex(cdDiscSize)];
}

DiscPlan PlanDisc(const DiscPlanRequest& request) {
  DiscPlan plan;
  plan.isDisc = IsDiscFormat(request.format);
  if (!plan.isDisc) return plan;
  plan.fileCount = static_cast<int>(request.durationsMs.size());
  for (std::int64_t duration : request.durationsMs) plan.durationMs += std::max<std::int64_t>(duration, 0);
  if (request.format == kFormatDvd) {
    PlanDvd(request, plan);
  } else {
    PlanCd(request, plan);
  }
  PlanJobTime(request, plan);
  return plan;
}

std::vector<std::string> DiscPlanLines(const DiscPlan& plan, PlanWords words) {
  if (!plan.isDisc) return {};
  const auto text = [words](const char* english) -> std::string {
    return words == PlanWords::UsersLanguage ? std::string(UserText::Lookup(english)) : english;
  };
  std::vector<std::string> lines;
  if (plan.fileCount == 0 || plan.durationMs <= 0) {
    lines.push_back(
        text(QT_TRANSLATE_NOOP("UserText", "No video listed yet: add files to see how full the disc will be.")));
    return lines;
  }
  const std::string fill = std::to_string(plan.fillPercent);
  if (plan.cdCount > 0) {
    const char* pattern = plan.cdCount == 1 ? QT_TRANSLATE_NOOP("UserText", "%1 CD of %2 (%3; the last CD %4 % full)")
                                            : QT_TRANSLATE_NOOP("UserText", "%1 CDs of %2 (%3; the last CD %4 % full)");
    lines.push_back(
        UserText::Fill(text(pattern), {std::to_string(plan.cdCount), plan.discName.substr(0, plan.discName.size() - 4),
                                       Gigabytes(plan.sizeBytes), fill}));
  } else {
    lines.push_back(UserText::Fill(text(QT_TRANSLATE_NOOP("UserText", "%1 of %2, %3 % full")),
                                   {Gigabytes(plan.sizeBytes), plan.discName, fill}));
  }
  const char* rates = plan.fileCount == 1
                          ? QT_TRANSLATE_NOOP("UserText", "Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 file")
                          : QT_TRANSLATE_NOOP("UserText", "Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 files");
  lines.push_back(UserText::Fill(text(rates), {std::to_string(plan.videoKbps), std::to_string(plan.audioKbps),
                                               FormatMediaLength(plan.durationMs), std::to_string(plan.fileCount)}));
  const char* time = nullptr;
  if (plan.jobSeconds < 60) {
    time = plan.jobTimeMeasured ? QT_TRANSLATE_NOOP("UserText", "Job time: under a minute on this machine")
                                : QT_TRANSLATE_NOOP("UserText", "Job time: under a minute (a first guess)");
  } else {
    time = plan.jobTimeMeasured ? QT_TRANSLATE_NOOP("UserText", "Job time: about %1 on this machine")
                                : QT_TRANSLATE_NOOP("UserText", "Job time: about %1 (a first guess)");
  }
  lines.push_back(UserText::Fill(text(time), {Minutes(plan.jobSeconds)}));
  if (words == PlanWords::UsersLanguage && plan.problemPattern != nullptr) {
    lines.push_back(FillIn(UserText::Lookup(plan.problemPattern), plan.problemValues));
  } else if (!plan.problem.empty()) {
    lines.push_back(plan.problem);
  }
  return lines;
}

std::string FormatMediaLength(std::int64_t ms) {
  const std::int64_t seconds = std::max<std::int64_t>(ms, 0) / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}
