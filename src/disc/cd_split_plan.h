#pragma once
// How a (Super) Video CD movie is spread over CDs: how many the Convert
// command expects before converting, and where the converted stream is cut
// so that every part fits its CD. Plain arithmetic on the stream's GOP
// starts; the cutting itself is platform/disc/mpeg_parts.h.

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bytes of MPEG stream one CD of a job takes: 600 MB (an 80-minute CD holds
// about 836 MB of a Video CD stream, so the figure leaves room for the disc's
// own files).
inline constexpr std::int64_t kCdCapacityBytes = 600'000'000;
// A movie is never spread over more CDs than this (the parts are numbered by
// one digit).
inline constexpr int kMaxCdCount = 9;
// The sound of a (Super) Video CD, in kbit/s.
inline constexpr int kVideoCdAudioKbps = 224;

// The CDs a stream of videoKbps plus the sound, durationMs long, is expected
// to need: the smallest whole number not below its size over the capacity;
// at least 1.
int ExpectedCdCount(int videoKbps, std::int64_t durationMs, std::int64_t capacityBytes = kCdCapacityBytes);

// The message that refuses a movie needing more than kMaxCdCount CDs, in the
// user's language, or in English for the log.
std::string TooManyCdsMessage(int cdCount, bool inUsersLanguage = true);

// What the status line says while the image writer writes a disc's image.
inline constexpr const char* kWritingImageStatus = QT_TRANSLATE_NOOP("UserText", "Writing the disc image...");

// A status line of a CD job's step: the words for a single CD, and those for
// CD number %1 of several.
struct CdStepText {
  const char* single;
  const char* numbered;
};
inline constexpr CdStepText kAnalyzingCd{QT_TRANSLATE_NOOP("UserText", "Analyzing file..."),
                                         QT_TRANSLATE_NOOP("UserText", "Analyzing file #%1...")};
inline constexpr CdStepText kBurningCd{QT_TRANSLATE_NOOP("UserText", "Burning CD..."),
                                       QT_TRANSLATE_NOOP("UserText", "Burning CD #%1...")};
inline constexpr CdStepText kFinalizingCd{QT_TRANSLATE_NOOP("UserText", "Finalizing CD..."),
                                          QT_TRANSLATE_NOOP("UserText", "Finalizing CD #%1...")};
// The step's line for CD k of count, in the user's language.
std::string CdStepLine(const CdStepText& text, int count, int k);

// A CD of a job that the image writer has written completely: its number
// (1-based) and the image's cue sheet.
struct WrittenCdImage {
  int cd = 0;
  std::string path;
};

// What a CD job that ends before its last CD says about the images it has
// written: each is a whole disc and stays where it is. Empty when there are
// none; otherwise it begins with a blank line, to follow the job's message.
std::string KeptCdImagesNote(const std::vector<WrittenCdImage>& images);

// Where each part of the stream starts: indexes into the GOP starts given to
// PlanCdParts, the first always 0.
struct CdPartPlan {
  std::vector<std::size_t> firstGop;
  int Count() const { return static_cast<int>(firstGop.size()); }
};

// Where a CD job that has ended put its images, to follow its success
// message: each image's cue sheet and bin file by name, and their folder,
// the home folder written "~". Empty when there are none.
std::string WrittenCdImagesNote(const std::vector<WrittenCdImage>& images, const std::string& home = "");

// Spreads a stream of totalBytes, whose GOPs start at the ascending byte
// positions gopStarts (the first at or near 0), over the fewest parts of at
// most capacityBytes each, cutting only where a GOP starts and making the
// parts about equal. nullopt when that takes more than maxParts parts (or a
// single GOP is larger than a CD).
std::optional<CdPartPlan> PlanCdParts(const std::vector<std::int64_t>& gopStarts, std::int64_t totalBytes,
                                      std::int64_t capacityBytes, int maxParts = kMaxCdCount);

// The bytes of part i of plan (from its first GOP to the next part's, or to the end).
std::int64_t PartBytes(const CdPartPlan& plan, std::size_t part, const std::vector<std::int64_t>& gopStarts,
                       std::int64_t totalBytes);
