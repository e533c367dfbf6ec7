#pragma once
// The settings store in memory: keys named by their full path
// ("HKEY_CURRENT_USER\Software\Peravel\Orlenta"), each with typed values, and
// its text form, the one regedit exports ("Windows Registry Editor Version
// 5.00"). Key and value names compare without regard to ASCII case, as the
// registry's do, and keep the case they were first written with.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

struct RegistryValue {
  std::uint32_t type = 0;  // REG_SZ, REG_BINARY, REG_DWORD, ...
  std::vector<std::uint8_t> data;

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// Orders key paths element by element, ignoring ASCII case, so that a key's
// sub-keys follow it directly.
struct RegistryPathLess {
  bool operator()(std::string_view a, std::string_view b) const;
  using is_transparent = void;
};

bool RegistryNamesEqual(std::string_view a, std::string_view b);

// The largest settings file the store reads, and so the most it may write.
inline constexpr std::size_t kMaxRegistryTextSize = 16 * 1024 * 1024;
// The Windows registry's own limit on how deep keys go.
inline constexpr std::size_t kMaxRegistryKeyDepth = 512;

// A key path ("HKEY_CURRENT_USER\Software") is valid when it has at most
// kMaxRegistryKeyDepth elements, each non-empty and free of control
// characters; a value name when it is free of control characters (the empty
// name is the key's default value).
bool IsValidRegistryPath(std::string_view path);
bool IsValidValueName(std::string_view name);

class RegistryData {
 public:
  using Values = std::vector<std::pair<std::string, RegistryValue>>;  // in the order first written

  RegistryData();

  bool HasKey(std::string_view path) const;
  // Adds the key and every key above it (below the root), as creating a key does.
  void AddKey(std::string_view path);
  // Sets a value, adding its key; an existing value keeps its place.
  void SetValue(std::string_view keyPath, std::string_view name, RegistryValue value);
  // Sets several values of one key, as SetValue does one after another.
  void SetValues(std::string_view keyPath, Values values);
  const RegistryValue* FindValue(std::string_view keyPath, std::string_view name) const;

  // Keys in path order, each with its values.
  const std::map<std::string, Values, RegistryPathLess>& Keys() const { return m_keys; }

  // The length of FormatRegistryText's result, kept up to date by every
  // change, so that a save can tell in advance whether the file would be
  // readable again (at most kMaxRegistryTextSize).
  std::size_t TextSize() const noexcept { return m_textSize; }

  friend bool operator==(const RegistryData& a, const RegistryData& b) { return a.m_keys == b.m_keys; }

 private:
  using KeyIterator = std::map<std::string, Values, RegistryPathLess>::iterator;
  KeyIterator AddNewKey(std::string_view path);
  KeyIterator FindOrAddKey(std::string_view path);
  void SetValueOf(KeyIterator key, std::string name, RegistryValue value);

  std::map<std::string, Values, RegistryPathLess> m_keys;
  // Where each value sits in its key's list, by folded "<key path>\n<name>":
  // keys with many values must not be searched value by value.
  std::unordered_map<std::string, std::size_t> m_positions;
  std::size_t m_textSize;
};

// The first line of every settings file.
inline constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";

// Parses the text form. Anything it cannot account for (another header, a line
// it does not know, a cut-off last line, NUL bytes) makes it fail with a short
// reason naming the line, leaving data untouched; so do settings whose text
// form would be larger than kMaxRegistryTextSize (keys many levels deep make
// a section for every level), as the store could never save them.
bool ParseRegistryText(std::string_view text, RegistryData& data, std::string& error);

// The text form: the header, then each key as "[path]" followed by its values
// and a blank line. Texts are quoted, DWORDs are "dword:%08x", binary data is
// "hex:" with long lists continued on the next line; any value these forms
// cannot carry exactly is written as "hex(type):" with its raw bytes.
std::string FormatRegistryText(const RegistryData& data);
