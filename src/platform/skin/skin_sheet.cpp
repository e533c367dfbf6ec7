#include "platform/skin/skin_sheet.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "support/utf8.h"

namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n\f") == std::string_view::npos;
}

bool IsUtf8Text(std::string_view text) {
  return text.find('\0') == std::string_view::npos && IsUtf8(text);
}

// A reference with a folder of its own stays as it is: an absolute path, a
// Qt resource (":/..."), or one with a scheme or search path prefix ("qrc:").
bool IsRelativeImage(std::string_view path) {
  if (path.empty() || path.front() == '/' || path.front() == ':') return false;
  if (!std::isalpha(static_cast<unsigned char>(path.front()))) return true;
  for (std::size_t i = 1; i < path.size(); ++i) {
    const char c = path[i];
    if (c == ':') return i == 1;  // Qt takes no one-letter prefix: "a:b.png" is a file name
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return true;
  }
  return true;
}

void AddElementsOfSelector(std::string_view selector, SkinSheet& sheet) {
  static const std::regex kElement(
      R"re(\[\s*skinElement\s*=\s*(?:"([^"]*)"|'([^']*)'|([A-Za-z_][A-Za-z0-9_-]*))\s*\])re");
  for (auto it = std::cregex_iterator(selector.data(), selector.data() + selector.size(), kElement);
       it != std::cregex_iterator(); ++it) {
    for (std::size_t group = 1; group <= 3; ++group) {
      if ((*it)[group].matched) sheet.elements.insert((*it)[group].str());
    }
  }
}

// Scans a style sheet, keeping strings whole. Fills sheet and returns false
// at the first thing that makes the text no style sheet.
class SheetScanner {
 public:
  SheetScanner(std::string_view text, SkinSheet& sheet) : m_text(text), m_sheet(sheet) {}

  bool Scan() {
    int depth = 0;
    int rules = 0;
    std::string selector;  // text since the last rule, at depth 0
    while (m_at < m_text.size()) {
      const char c = m_text[m_at];
      if (m_text.substr(m_at, 2) == "/*") {
        const std::size_t end = m_text.find("*/", m_at + 2);
        if (end == std::string_view::npos) return false;
        m_at = end + 2;
        Emit(" ", depth, selector);
      } else if (c == '"' || c == '\'') {
        std::string_view string;
        if (!TakeString(string)) return false;
        Emit(string, depth, selector);
      } else if (c == '{') {
        if (depth == 0) {
          if (IsBlank(selector)) return false;
          AddElementsOfSelector(selector, m_sheet);
          selector.clear();
          ++rules;
        }
        ++depth;
        Emit("{", depth, selector);
        ++m_at;
      } else if (c == '}') {
        if (--depth < 0) return false;
        Emit("}", depth, selector);
        ++m_at;
      } else if (depth > 0 && StartsUrl()) {
        if (!TakeUrl()) return false;
      } else {
        Emit(m_text.substr(m_at, 1), depth, selector);
        ++m_at;
      }
    }
    return depth == 0 && rules > 0 && IsBlank(selector);
  }

 private:
  void Emit(std::string_view piece, int depth, std::string& selector) {
    m_sheet.styleSheet += piece;
    if (depth == 0 && piece != "}") selector += piece;
  }

  // A quoted string from m_at, quotes included; false when it never ends.
  bool TakeString(std::string_view& string) {
    const char quote = m_text[m_at];
    for (std::size_t i = m_at + 1; i < m_text.size(); ++i) {
      if (m_text[i] == '\\') {
        ++i;
      } else if (m_text[i] == '\n') {
        return false;
      } else if (m_text[i] == quote) {
        string = m_text.substr(m_at, i + 1 - m_at);
        m_at = i + 1;
        return true;
      }
    }
    return false;
  }

  bool StartsUrl() const {
    if (m_at > 0) {
      const char before = m_text[m_at - 1];
      if (std::isalnum(static_cast<unsigned char>(before)) || before == '-' || before == '_') return false;
    }
    const std::string_view head = m_text.substr(m_at, 4);
    return head.size() == 4 && std::tolower(static_cast<unsigned char>(head[0])) == 'u' &&
           std::tolower(static_cast<unsigned char>(head[1])) == 'r' &&
           std::tolower(static_cast<unsigned char>(head[2])) == 'l' && head[3] == '(';
  }

  // url( ... ) from m_at; copies it with a relative reference prefixed.
  bool TakeUrl() {
    const std::size_t open = m_at + 4;
    std::size_t at = m_text.find_first_not_of(" \t\r\n\f", open);
    if (at == std::string_view::npos) return false;
    std::string quote;
    std::string_view reference;
    if (m_text[at] == '"' || m_text[at] == '\'') {
      m_at = at;
      std::string_view string;
      if (!TakeString(string)) return false;
      quote = string.substr(0, 1);
      reference = string.substr(1, string.size() - 2);
      at = m_at;
    } else {
      const std::size_t end = m_text.find_first_of(") \t\r\n\f", at);
      if (end == std::string_view::npos) return false;
      reference = m_text.substr(at, end - at);
      at = end;
    }
    at = m_text.find_first_not_of(" \t\r\n\f", at);
    if (at == std::string_view::npos || m_text[at] != ')') return false;
    m_at = at + 1;

    m_sheet.styleSheet += "url(" + quote;
    if (IsRelativeImage(reference)) {
      m_sheet.images.emplace_back(reference);
      m_sheet.styleSheet += std::string(kSkinImagePrefix) + ":";
    }
    m_sheet.styleSheet += std::string(reference) + quote + ")";
    return true;
  }

  std::string_view m_text;
  std::size_t m_at = 0;
  SkinSheet& m_sheet;
};

}  // namespace

std::optional<SkinSheet> ParseSkinSheet(std::string_view text, const std::string& folder) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  if (!IsUtf8Text(text)) return std::nullopt;

  SkinSheet sheet;
  sheet.folder = folder;
  while (sheet.folder.size() > 1 && sheet.folder.back() == '/') sheet.folder.pop_back();
  if (!SheetScanner(text, sheet).Scan()) return std::nullopt;
  return sheet;
}

std::optional<SkinSheet> ReadSkinFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kSkinFileMaxBytes) return std::nullopt;

  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text;
  text.reserve(size);
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad() || text.size() > kSkinFileMaxBytes) return std::nullopt;

  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return std::nullopt;
  return ParseSkinSheet(text, absolute.parent_path().string());
}
