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

// A key path ("HKEY_CURRENT_USER\Software") is valid when its elements are
// non-empty and free of control characters; a value name when it is free of
// control characters (the empty name is the key's default value).
bool IsValidRegistryPath(std::string_view path);
bool IsValidValueName(std::string_view name);

class RegistryData {
 public:
  using Values = std::vector<std::pair<std::string, RegistryValue>>;  // in the order first written

  bool HasKey(std::string_view path) const;
  // Adds the key and every key above it (below the root), as creating a key does.
  void AddKey(std::string_view path);
  // Sets a value, adding its key; an existing value keeps its place.
  void SetValue(std::string_view keyPath, std::string_view name, RegistryValue value);
  const RegistryValue* FindValue(std::string_view keyPath, std::string_view name) const;

  // Keys in path order, each with its values.
  const std::map<std::string, Values, RegistryPathLess>& Keys() const { return m_keys; }

  friend bool operator==(const RegistryData&, const RegistryData&) = default;

 private:
  std::map<std::string, Values, RegistryPathLess> m_keys;
};

// The first line of every settings file.
inline constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";

// Parses the text form. Anything it cannot account for (another header, a line
// it does not know, a cut-off last line, NUL bytes) makes it fail with a short
// reason naming the line, leaving data untouched.
bool ParseRegistryText(std::string_view text, RegistryData& data, std::string& error);

// The text form: the header, then each key as "[path]" followed by its values
// and a blank line. Texts are quoted, DWORDs are "dword:%08x", binary data is
// "hex:" with long lists continued on the next line; any value these forms
// cannot carry exactly is written as "hex(type):" with its raw bytes.
std::string FormatRegistryText(const RegistryData& data);
