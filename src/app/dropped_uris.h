#pragma once
// What a file manager drops: a text/uri-list (one address a line, lines
// starting with '#' are comments). Local file addresses become paths; any
// other address is kept apart so the user can be told it was not added.

#include <string>
#include <string_view>
#include <vector>

struct DroppedUris {
  std::vector<std::string> paths;    // percent-decoded, in the list's order
  std::vector<std::string> refused;  // addresses of files not on this computer
};

// "file:///p", "file:/p" and "file://localhost/p" are local; their path is
// percent-decoded byte for byte (names need not be UTF-8).
DroppedUris ReadUriList(std::string_view uriList);
