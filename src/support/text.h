#pragma once
// Small text helpers every layer uses on lines read from files and programs.

#include <string_view>

// text without the blanks and tabs at its ends (tools pad their output lines).
inline std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// text without blanks, tabs and line ends at its ends (lines of system files).
inline std::string_view TrimWhitespace(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// True if text holds part anywhere.
inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}
