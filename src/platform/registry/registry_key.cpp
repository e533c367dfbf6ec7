#include "platform/registry/registry_key.h"

#include <cstring>

#include "platform/registry/registry_file.h"

const RegistryKey& RegistryKey::CurrentUser() {
  static const RegistryKey root = [] {
    RegistryKey key;
    key.m_bOpen = true;
    key.m_bRoot = true;
    key.m_nAccess = KEY_ALL_ACCESS;
    key.m_strPath = "HKEY_CURRENT_USER";
    return key;
  }();
  return root;
}

RegistryKey::~RegistryKey() {
  if (m_bOpen) Close();
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept {
  *this = std::move(other);
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this == &other) return *this;
  if (m_bOpen) Close();
  m_bOpen = std::exchange(other.m_bOpen, false);
  m_bRoot = std::exchange(other.m_bRoot, false);
  m_bCreated = std::exchange(other.m_bCreated, false);
  m_nAccess = std::exchange(other.m_nAccess, 0);
  m_strPath = std::exchange(other.m_strPath, {});
  m_strFile = std::exchange(other.m_strFile, {});
  m_pSnapshot = std::move(other.m_pSnapshot);
  m_arrChanges = std::exchange(other.m_arrChanges, {});
  return *this;
}

RegistryStatus RegistryKey::Open(const RegistryKey& parent, std::string_view subKey, std::uint32_t access) {
  return OpenBelow(parent, subKey, access, false);
}

RegistryStatus RegistryKey::Create(const RegistryKey& parent, std::string_view subKey, std::uint32_t access) {
  return OpenBelow(parent, subKey, access, true);
}

RegistryStatus RegistryKey::OpenBelow(const RegistryKey& parent, std::string_view subKey, std::uint32_t access,
                                      bool create) {
  if (m_bOpen) Close();
  if (!parent.m_bOpen) return ERROR_INVALID_HANDLE;
  std::string path = parent.m_strPath;
  if (!subKey.empty()) path.append("\\").append(subKey);
  if (!IsValidRegistryPath(path)) return ERROR_INVALID_PARAMETER;

  // Keys below the root read the file once; their sub-keys share that reading.
  std::string file = parent.m_bRoot ? RegistryFilePath() : parent.m_strFile;
  std::shared_ptr<const RegistryData> snapshot =
      parent.m_bRoot ? std::make_shared<const RegistryData>(ReadRegistryFile(file)) : parent.m_pSnapshot;
  const bool exists = (parent.m_bRoot && subKey.empty()) || snapshot->HasKey(path);
  if (!exists && !create) return ERROR_FILE_NOT_FOUND;
  // A key opened to be written must be able to reach its file: fail now, as
  // the registry would, rather than only when it is closed.
  if (create) {
    if (const RegistryStatus status = PrepareRegistryFile(file); status != ERROR_SUCCESS) return status;
  }

  m_bOpen = true;
  m_bCreated = !exists;
  m_nAccess = access;
  m_strPath = std::move(path);
  m_strFile = std::move(file);
  m_pSnapshot = std::move(snapshot);
  return ERROR_SUCCESS;
}

RegistryStatus RegistryKey::QueryValue(std::string_view name, std::uint32_t* type, void* data,
                                       std::uint32_t* size) const {
  if (!m_bOpen || m_bRoot) return ERROR_INVALID_HANDLE;
  if ((m_nAccess & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;

  const RegistryValue* value = nullptr;
  for (const auto& [changed, stored] : m_arrChanges) {
    if (RegistryNamesEqual(changed, name)) value = &stored;
  }
  if (value == nullptr) value = m_pSnapshot->FindValue(m_strPath, name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;

  if (type != nullptr) *type = value->type;
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  if (data != nullptr) {
    if (*size < needed) {
      *size = needed;
      return ERROR_MORE_DATA;
    }
    if (needed > 0) std::memcpy(data, value->data.data(), needed);
  }
  if (size != nullptr) *size = needed;
  return ERROR_SUCCESS;
}

RegistryStatus RegistryKey::SetValue(std::string_view name, std::uint32_t type, const void* data, std::uint32_t size) {
  if (!m_bOpen || m_bRoot) return ERROR_INVALID_HANDLE;
  if ((m_nAccess & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (!IsValidValueName(name) || (data == nullptr && size > 0)) return ERROR_INVALID_PARAMETER;

  const auto* bytes = static_cast<const std::uint8_t*>(data);
  RegistryValue value{type, std::vector<std::uint8_t>(bytes, bytes + size)};
  for (auto& [changed, stored] : m_arrChanges) {
    if (RegistryNamesEqual(changed, name)) {
      stored = std::move(value);
      return ERROR_SUCCESS;
    }
  }
  m_arrChanges.emplace_back(std::string(name), std::move(value));
  return ERROR_SUCCESS;
}

RegistryStatus RegistryKey::Close() {
  if (!m_bOpen) return ERROR_INVALID_HANDLE;
  RegistryStatus status = ERROR_SUCCESS;
  if (!m_bRoot && (m_bCreated || !m_arrChanges.empty())) {
    // Only this key's own changes go in, over what the file holds by now.
    status = UpdateRegistryFile(m_strFile, [this](RegistryData& data) {
      data.AddKey(m_strPath);
      for (const auto& [name, value] : m_arrChanges) data.SetValue(m_strPath, name, value);
    });
  }
  m_bOpen = false;
  m_bRoot = false;
  m_bCreated = false;
  m_nAccess = 0;
  m_strPath.clear();
  m_strFile.clear();
  m_pSnapshot.reset();
  m_arrChanges.clear();
  return status;
}
