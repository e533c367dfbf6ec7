#include "disc/cd_split_plan.h"

#include <algorithm>
#include <cmath>

#include "support/user_text.h"

int ExpectedCdCount(int videoKbps, std::int64_t durationMs, std::int64_t capacityBytes) {
  if (capacityBytes <= 0 || durationMs <= 0) return 1;
  // kbit/s times ms gives bits; an eighth of that, bytes.
  const double bytes = static_cast<double>(videoKbps + kVideoCdAudioKbps) * static_cast<double>(durationMs) / 8.0;
  return std::max(1, static_cast<int>(std::ceil(bytes / static_cast<double>(capacityBytes))));
}

std::string TooManyCdsMessage(int cdCount, bool inUsersLanguage) {
  const char* pattern = QT_TRANSLATE_NOOP("UserText",
                                          "This movie would need %1 CDs, but at most %2 can be burnt for one movie.\n"
                                          "Please lower the output quality or choose a shorter file and try again.");
  return UserText::Fill(inUsersLanguage ? std::string(UserText::Lookup(pattern)) : std::string(pattern),
                        {std::to_string(cdCount), std::to_string(kMaxCdCount)});
}

std::string CdStepLine(const CdStepText& text, int count, int k) {
  return count == 1 ? UserText::Lookup(text.single)
                    : UserText::Fill(UserText::Lookup(text.numbered), {std::to_string(k)});
}

std::string KeptCdImagesNote(const std::vector<WrittenCdImage>& images) {
  if (images.empty()) return {};
  std::string numbers;
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (i > 0) numbers += i + 1 == images.size() ? UserText::tr(" and ") : std::string(", ");
    numbers += std::to_string(images[i].cd);
  }
  std::string note =
      UserText::Fill(images.size() == 1 ? UserText::tr("\n\nThe image of CD %1 is complete and kept:")
                                        : UserText::tr("\n\nThe images of CDs %1 are complete and kept:"),
                     {numbers});
  for (const WrittenCdImage& image : images) note += "\n\"" + image.path + "\"";
  return note;
}

std::int64_t PartBytes(const CdPartPlan& plan, std::size_t part, const std::vector<std::int64_t>& gopStarts,
                       std::int64_t totalBytes) {
  const std::int64_t begin = part == 0 ? 0 : gopStarts[plan.firstGop[part]];
  const std::int64_t end = part + 1 < plan.firstGop.size() ? gopStarts[plan.firstGop[part + 1]] : totalBytes;
  return end - begin;
}

namespace {

// The parts of an even split into count parts: each cut at the GOP start
// nearest to its share, never before the previous cut.
CdPartPlan EvenSplit(const std::vector<std::int64_t>& gopStarts, std::int64_t totalBytes, int count) {
  CdPartPlan plan;
  plan.firstGop.push_back(0);
  for (int part = 1; part < count; ++part) {
    const double target = static_cast<double>(totalBytes) * part / count;
    const std::size_t after = plan.firstGop.back() + 1;
    if (after >= gopStarts.size()) break;
    auto next = std::lower_bound(gopStarts.begin() + static_cast<std::ptrdiff_t>(after), gopStarts.end(),
                                 static_cast<std::int64_t>(target));
    std::size_t chosen = static_cast<std::size_t>(next - gopStarts.begin());
    if (chosen == gopStarts.size() || (chosen > after && target - static_cast<double>(gopStarts[chosen - 1]) <
                                                             static_cast<double>(gopStarts[chosen]) - target)) {
      --chosen;
    }
    plan.firstGop.push_back(chosen);
  }
  return plan;
}

// Fills each part as far as it goes: the fewest parts possible.
CdPartPlan GreedySplit(const std::vector<std::int64_t>& gopStarts, std::int64_t totalBytes, std::int64_t capacity) {
  CdPartPlan plan;
  plan.firstGop.push_back(0);
  std::int64_t begin = 0;
  for (std::size_t gop = 1; gop < gopStarts.size(); ++gop) {
    // The part must end where GOP gop+1 starts (or at the end): cut before gop if not.
    const std::int64_t end = gop + 1 < gopStarts.size() ? gopStarts[gop + 1] : totalBytes;
    if (end - begin > capacity) {
      plan.firstGop.push_back(gop);
      begin = gopStarts[gop];
    }
  }
  return plan;
}

bool Fits(const CdPartPlan& plan, const std::vector<std::int64_t>& gopStarts, std::int64_t totalBytes,
          std::int64_t capacity) {
  for (std::size_t part = 0; part < plan.firstGop.size(); ++part) {
    if (PartBytes(plan, part, gopStarts, totalBytes) > capacity) return false;
  }
  return true;
}

}  // namespace

std::optional<CdPartPlan> PlanCdParts(const std::vector<std::int64_t>& gopStarts, std::int64_t totalBytes,
                                      std::int64_t capacityBytes, int maxParts) {
  if (capacityBytes <= 0 || totalBytes < 0) return std::nullopt;
  if (totalBytes <= capacityBytes || gopStarts.size() <= 1) {
    if (totalBytes > capacityBytes) return std::nullopt;
    return CdPartPlan{{0}};
  }
  // The greedy split needs the fewest parts; an even split of that many
  // parts is preferred when it fits, so that no CD gets a short remnant.
  const CdPartPlan fewest = GreedySplit(gopStarts, totalBytes, capacityBytes);
  if (!Fits(fewest, gopStarts, totalBytes, capacityBytes) || fewest.Count() > maxParts) return std::nullopt;
  const CdPartPlan even = EvenSplit(gopStarts, totalBytes, fewest.Count());
  if (even.Count() == fewest.Count() && Fits(even, gopStarts, totalBytes, capacityBytes)) return even;
  return fewest;
}

std::string WrittenCdImagesNote(const std::vector<WrittenCdImage>& images, const std::string& home) {
  std::string note;
  for (const WrittenCdImage& image : images) {
    const std::size_t slash = image.path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : image.path.substr(0, slash);
    std::string name = slash == std::string::npos ? image.path : image.path.substr(slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".cue") == 0) name += "/.bin";
    if (!home.empty() && (folder == home || folder.rfind(home + "/", 0) == 0))
      folder = "~" + folder.substr(home.size());
    note += UserText::Fill(UserText::tr("\n\"%1\" in %2"), {name, folder});
  }
  if (note.empty()) return note;
  return (images.size() == 1 ? UserText::tr("\n\nThe disc image:") : UserText::tr("\n\nThe disc images:")) + note;
}
