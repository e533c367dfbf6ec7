#include "support/languages.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

struct Language {
  const char* twoLetter;
  const char* bibliographic;  // ISO 639-2/B
  const char* terminology;    // ISO 639-2/T (the same for most)
  const char* name;
};

// The languages films are dubbed and subtitled in, and then some.
constexpr Language kLanguages[] = {
    {"ar", "ara", "ara", "Arabic"},     {"bg", "bul", "bul", "Bulgarian"},  {"ca", "cat", "cat", "Catalan"},
    {"cs", "cze", "ces", "Czech"},      {"cy", "wel", "cym", "Welsh"},      {"da", "dan", "dan", "Danish"},
    {"de", "ger", "deu", "German"},     {"el", "gre", "ell", "Greek"},      {"en", "eng", "eng", "English"},
    {"eo", "epo", "epo", "Esperanto"},  {"es", "spa", "spa", "Spanish"},    {"et", "est", "est", "Estonian"},
    {"eu", "baq", "eus", "Basque"},     {"fa", "per", "fas", "Persian"},    {"fi", "fin", "fin", "Finnish"},
    {"fr", "fre", "fra", "French"},     {"ga", "gle", "gle", "Irish"},      {"gl", "glg", "glg", "Galician"},
    {"he", "heb", "heb", "Hebrew"},     {"hi", "hin", "hin", "Hindi"},      {"hr", "hrv", "hrv", "Croatian"},
    {"hu", "hun", "hun", "Hungarian"},  {"id", "ind", "ind", "Indonesian"}, {"is", "ice", "isl", "Icelandic"},
    {"it", "ita", "ita", "Italian"},    {"ja", "jpn", "jpn", "Japanese"},   {"ko", "kor", "kor", "Korean"},
    {"lt", "lit", "lit", "Lithuanian"}, {"lv", "lav", "lav", "Latvian"},    {"mk", "mac", "mkd", "Macedonian"},
    {"ms", "may", "msa", "Malay"},      {"nl", "dut", "nld", "Dutch"},      {"no", "nor", "nor", "Norwegian"},
    {"nb", "nob", "nob", "Norwegian"},  {"nn", "nno", "nno", "Norwegian"},  {"pl", "pol", "pol", "Polish"},
    {"pt", "por", "por", "Portuguese"}, {"ro", "rum", "ron", "Romanian"},   {"ru", "rus", "rus", "Russian"},
    {"sk", "slo", "slk", "Slovak"},     {"sl", "slv", "slv", "Slovenian"},  {"sq", "alb", "sqi", "Albanian"},
    {"sr", "srp", "srp", "Serbian"},    {"sv", "swe", "swe", "Swedish"},    {"ta", "tam", "tam", "Tamil"},
    {"th", "tha", "tha", "Thai"},       {"tr", "tur", "tur", "Turkish"},    {"uk", "ukr", "ukr", "Ukrainian"},
    {"vi", "vie", "vie", "Vietnamese"}, {"zh", "chi", "zho", "Chinese"},
};

const Language* Find(const std::string& tag) {
  std::string lower = tag;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const Language& language : kLanguages) {
    if (lower == language.twoLetter || lower == language.bibliographic || lower == language.terminology) {
      return &language;
    }
  }
  return nullptr;
}

}  // namespace

std::string TwoLetterLanguage(const std::string& tag) {
  const Language* language = Find(tag);
  return language != nullptr ? language->twoLetter : "";
}

std::string LanguageName(const std::string& tag) {
  const Language* language = Find(tag);
  return language != nullptr ? language->name : "";
}
