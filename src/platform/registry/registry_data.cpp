#include "platform/registry/registry_data.h"

#include <algorithm>
#include <cstdio>

#include "platform/registry/registry_types.h"

namespace {

// Windows limits each element of a key path to 255 characters.
constexpr std::size_t kMaxKeyElement = 255;
constexpr std::size_t kMaxValueName = 16383;
// Continued hex lines are broken after this column, as regedit does, so every
// line of the file stays within 80 columns.
constexpr std::size_t kHexLineBreakColumn = 76;

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

bool HasControl(std::string_view text) {
  for (char c : text) {
    if (IsControl(c)) return true;
  }
  return false;
}

// The separator sorts before every character, so a key's sub-keys follow it
// before any sibling whose name merely starts with the same letters.
int PathRank(char c) {
  return c == '\\' ? 0 : 1 + static_cast<unsigned char>(LowerAscii(c));
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads 1..8 hex digits making up the whole text.
bool ParseHexNumber(std::string_view text, std::uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

// Reads a quoted text starting at text[0] == '"'; returns the position after
// the closing quote, or npos. Only \\ and \" are escapes.
std::size_t ParseQuoted(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') return i + 1;
    if (c == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return std::string_view::npos;
      out += text[++i];
    } else {
      out += c;
    }
  }
  return std::string_view::npos;
}

bool ParseHexBytes(std::string_view list, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  if (list.empty()) return true;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view token = list.substr(0, comma);
    if (token.size() != 2 || HexDigit(token[0]) < 0 || HexDigit(token[1]) < 0) return false;
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(token[0]) << 4 | HexDigit(token[1])));
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// A REG_SZ goes into the file as quoted text only when reading that text back
// gives the very same bytes: one terminating NUL and nothing a line cannot hold.
bool FitsQuotedText(const RegistryValue& value) {
  if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
    if (value.data[i] == 0 || IsControl(static_cast<char>(value.data[i]))) return false;
  }
  return true;
}

std::string FormatValueLine(const std::string& name, const RegistryValue& value) {
  std::string line = name.empty() ? std::string("@") : Quoted(name);
  line += '=';
  if (FitsQuotedText(value)) {
    line += Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    return line;
  }
  char number[32];
  if (value.type == REG_DWORD && value.data.size() == 4) {
    const std::uint32_t dword =
        value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
    std::snprintf(number, sizeof number, "dword:%08x", dword);
    return line + number;
  }
  if (value.type == REG_BINARY) {
    line += "hex:";
  } else {
    std::snprintf(number, sizeof number, "hex(%x):", value.type);
    line += number;
  }
  std::string out;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(number, sizeof number, "%02x", value.data[i]);
    line += number;
    if (i + 1 == value.data.size()) break;
    line += ',';
    if (line.size() > kHexLineBreakColumn) {
      out += line + "\\\n";
      line = "  ";
    }
  }
  return out + line;
}

// Reads the data after the '=' of a value line: quoted text, dword: or a hex
// list, which may go on over the following lines (index then moves past
// them). Returns why it cannot, or null.
const char* ParseValueData(std::string_view rest, const std::vector<std::string_view>& lines, std::size_t& index,
                           RegistryValue& value) {
  if (rest.starts_with('"')) {
    std::string content;
    if (ParseQuoted(rest, content) != rest.size()) return "the text is not one quoted text";
    value.type = REG_SZ;
    value.data.assign(content.begin(), content.end());
    value.data.push_back(0);
    return nullptr;
  }
  if (rest.starts_with("dword:")) {
    std::uint32_t dword = 0;
    if (!ParseHexNumber(rest.substr(6), dword)) return "dword: needs 1 to 8 hex digits";
    value.type = REG_DWORD;
    value.data = {static_cast<std::uint8_t>(dword), static_cast<std::uint8_t>(dword >> 8),
                  static_cast<std::uint8_t>(dword >> 16), static_cast<std::uint8_t>(dword >> 24)};
    return nullptr;
  }
  if (rest.starts_with("hex(")) {
    const std::size_t close = rest.find("):");
    if (close == std::string_view::npos || !ParseHexNumber(rest.substr(4, close - 4), value.type)) {
      return "hex(type): needs a hex type number";
    }
    rest.remove_prefix(close + 2);
  } else if (rest.starts_with("hex:")) {
    value.type = REG_BINARY;
    rest.remove_prefix(4);
  } else {
    return "the value is neither text, dword: nor hex:";
  }
  std::string list(rest);
  while (!list.empty() && list.back() == '\\') {
    list.pop_back();
    if (++index >= lines.size()) return "the continued value ends with the file";
    list += TrimLeft(lines[index]);
  }
  return ParseHexBytes(list, value.data) ? nullptr : "hex data must be bytes like 0a,ff";
}

// "[path]\n", and the blank line that ends the section.
std::size_t SectionSize(std::string_view path) {
  return path.size() + 4;
}

// The value's line with its line break.
std::size_t ValueLineSize(std::string_view name, const RegistryValue& value) {
  return FormatValueLine(std::string(name), value).size() + 1;
}

// Names compare without regard to ASCII case; a key path holds no control
// characters, so a line break cannot occur in it.
std::string PositionKey(std::string_view keyPath, std::string_view name) {
  std::string folded;
  folded.reserve(keyPath.size() + 1 + name.size());
  for (char c : keyPath) folded += LowerAscii(c);
  folded += '\n';
  for (char c : name) folded += LowerAscii(c);
  return folded;
}

std::string LineError(std::size_t index, const char* reason) {
  return "line " + std::to_string(index + 1) + ": " + reason;
}

}  // namespace

bool RegistryPathLess::operator()(std::string_view a, std::string_view b) const {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int difference = PathRank(a[i]) - PathRank(b[i]);
    if (difference != 0) return difference < 0;
  }
  return a.size() < b.size();
}

bool RegistryNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsValidRegistryPath(std::string_view path) {
  if (path.empty()) return false;
  for (std::size_t depth = 1;; ++depth) {
    const std::size_t separator = path.find('\\');
    const std::string_view element = path.substr(0, separator);
    if (element.empty() || element.size() > kMaxKeyElement || HasControl(element)) return false;
    if (depth > kMaxRegistryKeyDepth) return false;
    if (separator == std::string_view::npos) return true;
    path.remove_prefix(separator + 1);
  }
}

bool IsValidValueName(std::string_view name) {
  return name.size() <= kMaxValueName && !HasControl(name);
}

RegistryData::RegistryData() : m_textSize(kRegistryFileHeader.size() + 2) {}

bool RegistryData::HasKey(std::string_view path) const {
  return m_keys.find(path) != m_keys.end();
}

RegistryData::KeyIterator RegistryData::AddNewKey(std::string_view path) {
  m_textSize += SectionSize(path);
  return m_keys.emplace(std::string(path), Values{}).first;
}

void RegistryData::AddKey(std::string_view path) {
  if (m_keys.find(path) != m_keys.end()) return;
  // Every key above it exists too, from the first below the root on. A key
  // that exists already has all of its own: look upwards for the nearest one,
  // then add the missing ones below it.
  const std::size_t firstBelowRoot = path.find('\\');
  std::size_t existing = firstBelowRoot;
  for (std::size_t separator = path.rfind('\\'); separator != std::string_view::npos && separator > firstBelowRoot;
       separator = path.rfind('\\', separator - 1)) {
    if (m_keys.find(path.substr(0, separator)) != m_keys.end()) {
      existing = separator;
      break;
    }
  }
  if (existing != std::string_view::npos) {
    for (std::size_t separator = path.find('\\', existing + 1); separator != std::string_view::npos;
         separator = path.find('\\', separator + 1)) {
      AddNewKey(path.substr(0, separator));
    }
  }
  AddNewKey(path);
}

RegistryData::KeyIterator RegistryData::FindOrAddKey(std::string_view path) {
  auto key = m_keys.find(path);
  if (key != m_keys.end()) return key;
  AddKey(path);
  return m_keys.find(path);
}

void RegistryData::SetValueOf(KeyIterator key, std::string name, RegistryValue value) {
  Values& values = key->second;
  const std::size_t lineSize = ValueLineSize(name, value);
  const auto [position, added] = m_positions.try_emplace(PositionKey(key->first, name), values.size());
  if (!added) {
    auto& [existing, stored] = values[position->second];
    m_textSize = m_textSize - ValueLineSize(existing, stored) + lineSize;
    stored = std::move(value);
    return;
  }
  m_textSize += lineSize;
  values.emplace_back(std::move(name), std::move(value));
}

void RegistryData::SetValue(std::string_view keyPath, std::string_view name, RegistryValue value) {
  SetValueOf(FindOrAddKey(keyPath), std::string(name), std::move(value));
}

void RegistryData::SetValues(std::string_view keyPath, Values values) {
  const KeyIterator key = FindOrAddKey(keyPath);
  for (auto& [name, value] : values) SetValueOf(key, std::move(name), std::move(value));
}

const RegistryValue* RegistryData::FindValue(std::string_view keyPath, std::string_view name) const {
  const auto key = m_keys.find(keyPath);
  if (key == m_keys.end()) return nullptr;
  const auto position = m_positions.find(PositionKey(keyPath, name));
  return position != m_positions.end() ? &key->second[position->second].second : nullptr;
}

bool ParseRegistryText(std::string_view text, RegistryData& data, std::string& error) {
  if (text.find('\0') != std::string_view::npos) {
    error = "the file holds NUL bytes";
    return false;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.empty()) {
    error = "the file is empty";
    return false;
  }
  if (text.back() != '\n') {
    error = "the file ends within a line (cut off?)";
    return false;
  }

  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(TrimRight(line));
    start = end + 1;
  }
  if (lines[0] != kRegistryFileHeader) {
    error = "the first line is not \"" + std::string(kRegistryFileHeader) + "\"";
    return false;
  }

  const auto Fail = [&error](std::size_t index, const char* reason) {
    error = LineError(index, reason);
    return false;
  };
  RegistryData result;
  std::string key;
  // The values of the key being read, set together: one look-up of the key
  // per section, not per value.
  RegistryData::Values pending;
  std::size_t pendingFirstLine = 0;
  const auto SetPending = [&] {
    if (!pending.empty()) result.SetValues(key, std::move(pending));
    pending.clear();
    return result.TextSize() <= kMaxRegistryTextSize;
  };
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      if (!SetPending()) return Fail(pendingFirstLine, "the settings grow too large to be saved again");
      if (line.back() != ']' || line.size() < 3) return Fail(i, "a key line must be [path]");
      const std::string_view path = line.substr(1, line.size() - 2);
      if (path.front() == '-') return Fail(i, "key deletions have no place in a settings file");
      if (!IsValidRegistryPath(path)) return Fail(i, "the key path is not valid");
      result.AddKey(path);
      if (result.TextSize() > kMaxRegistryTextSize) return Fail(i, "the settings grow too large to be saved again");
      key = path;
      continue;
    }
    if (key.empty()) return Fail(i, "a value before any key");

    std::string name;
    std::size_t position = 0;
    if (line.front() == '@') {
      position = 1;
    } else if (line.front() == '"') {
      position = ParseQuoted(line, name);
      if (position == std::string_view::npos) return Fail(i, "the value name is not quoted text");
    } else {
      return Fail(i, "neither a key nor a value");
    }
    if (!IsValidValueName(name)) return Fail(i, "the value name is not valid");
    if (position >= line.size() || line[position] != '=') return Fail(i, "'=' expected after the name");
    std::string_view rest = line.substr(position + 1);

    RegistryValue value;
    const std::size_t first = i;
    if (const char* reason = ParseValueData(rest, lines, i, value)) return Fail(first, reason);
    if (pending.empty()) pendingFirstLine = first;
    pending.emplace_back(std::move(name), std::move(value));
  }
  if (!SetPending()) return Fail(pendingFirstLine, "the settings grow too large to be saved again");
  data = std::move(result);
  return true;
}

std::string FormatRegistryText(const RegistryData& data) {
  std::string out(kRegistryFileHeader);
  out += "\n\n";
  for (const auto& [path, values] : data.Keys()) {
    out += '[' + path + "]\n";
    for (const auto& [name, value] : values) out += FormatValueLine(name, value) + '\n';
    out += '\n';
  }
  return out;
}
