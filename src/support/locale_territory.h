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
