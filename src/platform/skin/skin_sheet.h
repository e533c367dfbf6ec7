#pragma once
// A skin file is a Qt style sheet. Its rules draw a button as a named element
// by selecting the button's skinElement property ([skinElement="button_start"]),
// and the elements it draws are the names its selectors ask for. Image
// references without a folder of their own (url(images/start.svg)) are relative
// to the skin file's folder, as a web page's are to the page: reading the skin
// prefixes them with the search path prefix below, which the widget side points
// at that folder when it applies the skin.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Qt search path prefix of the applied skin's folder ("orlentaskin:images/a.svg").
inline constexpr std::string_view kSkinImagePrefix = "orlentaskin";

// The largest skin file read; anything bigger is not a skin.
inline constexpr std::size_t kSkinFileMaxBytes = 1024 * 1024;

struct SkinSheet {
  std::string styleSheet;                       // ready to apply: comments dropped, relative images prefixed
  std::string folder;                           // the skin file's folder, without a trailing '/'
  std::set<std::string, std::less<>> elements;  // names its selectors give skinElement
  std::vector<std::string> images;              // relative image references as written, in file order
};

// Reads and checks the skin file at path. Empty when it cannot be read, is
// larger than kSkinFileMaxBytes, or is not a style sheet (not UTF-8 text,
// unbalanced braces or an unterminated comment or string, a rule without a
// selector, text after the last rule, or no rule at all).
std::optional<SkinSheet> ReadSkinFile(const std::string& path);

// The same check on text already read; folder is the skin file's folder.
std::optional<SkinSheet> ParseSkinSheet(std::string_view text, const std::string& folder);
