#include "platform/registry/registry.h"

#include <algorithm>
#include <vector>

#include "support/log.h"

namespace {

// The whole text must be decimal digits making a number that fits 32 bits.
bool ParseUnsignedDecimal(const std::string& text, std::uint32_t& value) {
  if (text.empty()) return false;
  std::uint64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
    if (number > UINT32_MAX) return false;
  }
  value = static_cast<std::uint32_t>(number);
  return true;
}

// The value's type and bytes, or false when it is missing or unreadable.
bool QueryWhole(const RegistryKey& key, const std::string& name, std::uint32_t& type,
                std::vector<std::uint8_t>& bytes) {
  std::uint32_t size = 0;
  if (key.QueryValue(name, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  bytes.resize(size);
  return key.QueryValue(name, &type, bytes.data(), &size) == ERROR_SUCCESS && size == bytes.size();
}

std::string TextUpToNul(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
}

}  // namespace

CRegistry::CRegistry(std::string_view subKey, const RegistryKey& parent, bool saving) : m_bSaving(saving) {
  Log("CRegistry constructor");
  if (saving) {
    m_key.Create(parent, subKey, KEY_SET_VALUE);
  } else {
    m_key.Open(parent, subKey, KEY_QUERY_VALUE);
  }
}

CRegistry::~CRegistry() {
  Close();
}

bool CRegistry::Close() {
  if (!m_key.IsOpen()) return true;
  return m_key.Close() == ERROR_SUCCESS;
}

bool CRegistry::IsOpen() const {
  Log("CRegistry::IsOpen");
  return m_key.IsOpen();
}

bool CRegistry::IsSaving() const {
  Log("CRegistry::IsSaving");
  return m_bSaving;
}

CRegistry CRegistry::SubKey(std::string_view name) const {
  Log("CRegistry::SubKey");
  return CRegistry(name, m_key, m_bSaving);
}

bool CRegistry::UpdateValue(const std::string& name, std::uint8_t* val, int nSize) {
  Log("CRegistry::UpdateValue( %s, BYTE* val, int nSize )", name.c_str());
  if (!m_key.IsOpen() || nSize < 0 || (val == nullptr && nSize > 0)) return false;
  const auto size = static_cast<std::uint32_t>(nSize);
  if (m_bSaving) return m_key.SetValue(name, REG_BINARY, val, size) == ERROR_SUCCESS;

  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  if (!QueryWhole(m_key, name, type, bytes) || type != REG_BINARY || bytes.size() != size) return false;
  std::copy(bytes.begin(), bytes.end(), val);
  return true;
}

bool CRegistry::UpdateValue(const std::string& name, std::string& val) {
  Log("CRegistry::UpdateValue( %s, tstring& val )", name.c_str());
  if (!m_key.IsOpen()) return false;
  if (m_bSaving) {
    return m_key.SetValue(name, REG_SZ, val.c_str(), static_cast<std::uint32_t>(val.size() + 1)) == ERROR_SUCCESS;
  }
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  if (!QueryWhole(m_key, name, type, bytes) || type != REG_SZ) return false;
  val = TextUpToNul(bytes);
  return true;
}

bool CRegistry::UpdateValue(const std::string& name, QString& val) {
  Log("CRegistry::UpdateValue( %s, CString& val )", name.c_str());
  std::string text = val.toStdString();
  if (!UpdateValue(name, text)) return false;
  if (!m_bSaving) val = QString::fromStdString(text);
  return true;
}

bool CRegistry::UpdateValue(const std::string& name, std::uint32_t& val) {
  Log("CRegistry::UpdateValue( %s, DWORD& val )", name.c_str());
  if (!m_key.IsOpen()) return false;
  if (m_bSaving) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(val), static_cast<std::uint8_t>(val >> 8),
                                   static_cast<std::uint8_t>(val >> 16), static_cast<std::uint8_t>(val >> 24)};
    return m_key.SetValue(name, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
  }
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  if (!QueryWhole(m_key, name, type, bytes)) return false;
  if (type == REG_DWORD && bytes.size() == 4) {
    val = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
  }
  // A number stored as text (by hand or by an older version) loads too.
  return type == REG_SZ && ParseUnsignedDecimal(TextUpToNul(bytes), val);
}

bool CRegistry::UpdateValue(const std::string& name, std::int32_t& val) {
  Log("CRegistry::UpdateValue( %s, int& val = %d)", name.c_str(), val);
  auto bits = static_cast<std::uint32_t>(val);
  if (!UpdateValue(name, bits)) return false;
  val = static_cast<std::int32_t>(bits);
  return true;
}

bool CRegistry::UpdateValue(const std::string& name, bool& val) {
  Log("CRegistry::UpdateValue( %s, bool& val )", name.c_str());
  std::uint32_t number = val ? 1 : 0;
  if (!UpdateValue(name, number)) return false;
  val = number != 0;
  return true;
}
