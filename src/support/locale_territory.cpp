#include "support/locale_territory.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// The 525-line, 59.94 Hz television world: NTSC-M (the Americas from the
// United States to the Andes, the Caribbean, the Philippines, the United
// States' Pacific territories), NTSC-J (Japan), South Korea and Taiwan, and
// Brazil, whose PAL-M keeps NTSC's lines and rate, so its DVDs are NTSC.
// Argentina, Paraguay and Uruguay (PAL-N, 50 Hz) are PAL.
constexpr std::string_view kNtscTerritories[] = {
    "AG", "AI", "AS", "AW", "BB", "BM", "BO", "BR", "BS", "BZ", "CA", "CL", "CO", "CR", "CU", "DM", "DO",
    "EC", "FM", "GD", "GT", "GU", "GY", "HN", "JM", "JP", "KN", "KR", "KY", "LC", "MH", "MM", "MP", "MX",
    "NI", "PA", "PE", "PH", "PR", "PW", "SR", "SV", "TT", "TW", "US", "VC", "VE", "VG", "VI"};

}  // namespace

std::string TerritoryOfLocale(std::string_view locale) {
  const auto underscore = locale.find('_');
  if (underscore == std::string_view::npos) return {};
  std::string_view territory = locale.substr(underscore + 1);
  const auto end = territory.find_first_of(".@");
  if (end != std::string_view::npos) territory = territory.substr(0, end);
  return std::string(territory);
}

std::string LocaleTerritory() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return TerritoryOfLocale(value);
  }
  return {};
}

bool IsNtscTerritory(std::string_view territory) {
  return std::find(std::begin(kNtscTerritories), std::end(kNtscTerritories), territory) != std::end(kNtscTerritories);
}
