#include "support/locale_territory.h"

#include <cstdlib>

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
