#pragma once
// Language tags as media files carry them (ISO 639-2, "eng", "fre"/"fra",
// sometimes already ISO 639-1 "en") turned into what a DVD's IFO takes (the
// two-letter ISO 639-1 code) and into a name people read ("French").

#include <string>

// "en" for "eng", "ENG", "en"; "" for an unknown or missing tag ("und").
std::string TwoLetterLanguage(const std::string& tag);

// "English" for "eng"; "" when the tag is not known.
std::string LanguageName(const std::string& tag);
