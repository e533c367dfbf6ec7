#pragma once
// An open key of the settings store, with the semantics of the registry calls
// the program was written against (open, create, query, set, close) and their
// status codes. A key reads the settings file when it is opened; the values it
// sets are kept and written into the file, merged with what other instances
// saved meanwhile, when it is closed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/registry_data.h"
#include "platform/registry/registry_types.h"

class RegistryKey {
 public:
  // The predefined root HKEY_CURRENT_USER, always open. It serves as a parent
  // only: querying or setting its values gives ERROR_INVALID_HANDLE.
  static const RegistryKey& CurrentUser();

  RegistryKey() = default;  // not open
  ~RegistryKey();
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens an existing key below parent ("Software\Peravel\Orlenta"; "" opens
  // parent's own key again). ERROR_FILE_NOT_FOUND when it does not exist,
  // ERROR_INVALID_HANDLE when parent is not open, ERROR_INVALID_PARAMETER for a
  // malformed name. A key already open is closed first.
  RegistryStatus Open(const RegistryKey& parent, std::string_view subKey, std::uint32_t access);
  // Opens the key, creating it and the keys above it when missing; a created
  // key is written to the file at Close even when it gets no values. Fails
  // (ERROR_ACCESS_DENIED, ERROR_WRITE_FAULT) when the settings file's folder
  // or lock file cannot be created.
  RegistryStatus Create(const RegistryKey& parent, std::string_view subKey, std::uint32_t access);

  bool IsOpen() const { return m_bOpen; }
  // "HKEY_CURRENT_USER\Software\...", or "" when not open.
  const std::string& Path() const { return m_strPath; }

  // Reads a value as RegQueryValueEx does: type (if wanted) and size always;
  // the data only when a buffer is given and *size is large enough, else
  // ERROR_MORE_DATA with the size needed. ERROR_FILE_NOT_FOUND for a missing
  // value; needs KEY_QUERY_VALUE.
  RegistryStatus QueryValue(std::string_view name, std::uint32_t* type, void* data, std::uint32_t* size) const;
  // Sets a value (kept until Close); needs KEY_SET_VALUE.
  RegistryStatus SetValue(std::string_view name, std::uint32_t type, const void* data, std::uint32_t size);

  // Writes what this key created and set into the settings file and closes
  // it; returns the status of that write (ERROR_SUCCESS when nothing was to
  // be written). The destructor closes an open key.
  RegistryStatus Close();

 private:
  RegistryStatus OpenBelow(const RegistryKey& parent, std::string_view subKey, std::uint32_t access, bool create);

  bool m_bOpen = false;
  bool m_bRoot = false;
  bool m_bCreated = false;
  std::uint32_t m_nAccess = 0;
  std::string m_strPath;
  std::string m_strFile;
  std::shared_ptr<const RegistryData> m_pSnapshot;  // the file as it was read when the key was opened
  std::vector<std::pair<std::string, RegistryValue>> m_arrChanges;
};
