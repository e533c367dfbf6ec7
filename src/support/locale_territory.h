#pragma once
// The user's territory from the locale environment: the first set variable of
// LC_ALL, LC_MESSAGES and LANG, in the form language[_TERRITORY][.codeset][@modifier].

#include <string>
#include <string_view>

// "US" for "en_US.UTF-8"; "" when no variable is set or names no territory
// ("C", "POSIX").
std::string LocaleTerritory();

// The territory part of one locale name, upper case as written.
std::string TerritoryOfLocale(std::string_view locale);

// Whether the television of a territory (ISO 3166 code, "US") runs at 525
// lines and 59.94 fields, so that its players and sets expect NTSC discs;
// every other territory, and "", gets PAL.
bool IsNtscTerritory(std::string_view territory);
