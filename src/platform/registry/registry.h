#pragma once
// CRegistry: one key of the settings store, opened either for loading or for
// saving, with one UpdateValue per value type that works in both directions:
// saving writes the variable to the named value, loading reads the named value
// into the variable. A component that persists its state names each value
// once, in a single routine, and that routine both loads and saves.
//
// A store opened for saving writes its values into the settings file when it
// is closed (Close or the destructor); see RegistryKey.

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry/registry_key.h"

class CRegistry {
 public:
  // Saving: creates or opens subKey below parent for setting values; loading:
  // opens it for querying values. On failure the store stays without a key.
  CRegistry(std::string_view subKey, const RegistryKey& parent, bool saving);
  virtual ~CRegistry();
  CRegistry(CRegistry&&) = default;
  CRegistry& operator=(CRegistry&&) = default;

  bool IsOpen() const;
  bool IsSaving() const;

  // A new store for the named key below this one, in the same direction.
  CRegistry SubKey(std::string_view name) const;

  // Binary: saving writes nSize bytes as REG_BINARY; loading succeeds only for
  // a REG_BINARY of exactly nSize bytes.
  bool UpdateValue(const std::string& name, std::uint8_t* val, int nSize);
  // Text: saving writes REG_SZ with its terminating NUL; loading needs a REG_SZ
  // and takes its text up to the first NUL (an empty value gives "").
  bool UpdateValue(const std::string& name, std::string& val);
  // The same for the framework's string (UTF-8 in the store).
  bool UpdateValue(const std::string& name, QString& val);
  // DWORD: saving writes REG_DWORD; loading accepts a 4-byte REG_DWORD or a
  // REG_SZ holding only an unsigned decimal number that fits 32 bits.
  bool UpdateValue(const std::string& name, std::uint32_t& val);
  // Through the DWORD form, as its 32 bits.
  bool UpdateValue(const std::string& name, std::int32_t& val);
  // Through the DWORD form: false 0, true 1; any nonzero number loads as true.
  bool UpdateValue(const std::string& name, bool& val);
  // Each returns false, leaving the variable as it was, when no key is open
  // or the value is missing or of another type.

  // Writes a saving store's values into the settings file and closes the key;
  // false when that write failed. Nothing happens when no key is open.
  bool Close();

  // The open key itself, for callers that read raw values (buffer sizes of
  // their own) or need the status codes.
  RegistryKey& Key() { return m_key; }

 private:
  bool m_bSaving;
  RegistryKey m_key;
};
