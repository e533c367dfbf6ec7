#pragma once
// What the burner's parts share: result codes (their texts are in
// disc/burning_errors.h), texts of its own, time limits and two small helpers.

#include <cctype>
#include <chrono>
#include <cstddef>
#include <string>

namespace burner::codes {

constexpr int kOk = 0;
constexpr int kNotAllowed = 1;
constexpr int kBadParameter = 2;
constexpr int kBadDevice = 6;
constexpr int kBadSource = 8;
constexpr int kBadDestination = 9;
constexpr int kCommandFailed = 13;
constexpr int kInvalidFormat = 15;
constexpr int kCannotOpen = 16;
constexpr int kBinMissing = 18;
constexpr int kNotImplemented = 19;
constexpr int kWrongBurner = 20;
constexpr int kNotErasable = 24;
constexpr int kNoDevice = 103;
constexpr int kAborted = 138;
constexpr int kBusy = 141;

// Burn-done texts of our own making; the disc flows know the second one.
constexpr const char* kAbortedText = "Operation aborted by user";
constexpr const char* kEraseFirstText = "Erase disc before writing.";
constexpr const char* kNoMediumText = "No medium";

// How long a call waits for a burn that has ended (or is being aborted) to
// finish delivering its end, and how long the shutdown waits for the burner's threads.
constexpr std::chrono::seconds kEndingWait(5);
constexpr std::chrono::seconds kShutdownWait(10);

// Burn-done texts kept readable for their readers.
constexpr std::size_t kKeptTexts = 32;

// "/" or "\" (or nothing): the disc's root, the only destination there is.
inline bool IsDiscRoot(const std::string& path) {
  return path.empty() || path == "/" || path == "\\";
}

inline std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace burner::codes
