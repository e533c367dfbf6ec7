#include "app/dropped_uris.h"

#include <cctype>
#include <optional>

#include "support/text.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// %XX becomes its byte; a '%' not followed by two hex digits stays as it is.
std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    decoded += text[i];
  }
  return decoded;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// The local path of a file address, or nothing when it names another host
// or is no file address at all.
std::optional<std::string> LocalPath(std::string_view address) {
  if (!StartsWithNoCase(address, "file:")) return std::nullopt;
  std::string_view rest = address.substr(5);
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    const bool thisComputer = host.empty() || (host.size() == 9 && StartsWithNoCase(host, "localhost"));
    if (!thisComputer) return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  return PercentDecoded(rest);
}

}  // namespace

DroppedUris ReadUriList(std::string_view uriList) {
  DroppedUris dropped;
  std::size_t start = 0;
  while (start < uriList.size()) {
    auto end = uriList.find('\n', start);
    if (end == std::string_view::npos) end = uriList.size();
    const std::string_view line = TrimWhitespace(uriList.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (auto path = LocalPath(line)) {
      dropped.paths.push_back(std::move(*path));
    } else {
      dropped.refused.emplace_back(line);
    }
  }
  return dropped;
}
