#pragma once
// Texts for the burner's result codes (platform/disc/burner.h), shown to the
// user as "Burning error: " followed by the text. Texts holding "%s" or "%d"
// are shown as they stand: the burner never says what to fill in.

#include <span>
#include <string>

struct BurningErrorRow {
  int code;
  const char* text;
};

// Every known code with its text, sorted by code.
std::span<const BurningErrorRow> BurningErrorTable();

// The text for code; "Error code not found" for a code the burner does not use.
std::string BurningErrorToMessage(int code);
