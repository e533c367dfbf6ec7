#pragma once
// Value types, access rights and status codes of the settings store, with the
// numbers the Windows registry gives them, so that stored files and callers'
// checks mean the same on every platform.

#include <cstdint>

// Value types
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

// Access rights of an open key. Only querying and setting values are checked;
// every open key may open or create keys below it.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_WRITE = 0x20006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

// Status codes returned by the key operations.
using RegistryStatus = long;
inline constexpr RegistryStatus ERROR_SUCCESS = 0;
inline constexpr RegistryStatus ERROR_FILE_NOT_FOUND = 2;  // no such key or value
inline constexpr RegistryStatus ERROR_ACCESS_DENIED = 5;   // the key's rights or the file's permissions
inline constexpr RegistryStatus ERROR_INVALID_HANDLE = 6;  // the key is not open
inline constexpr RegistryStatus ERROR_WRITE_FAULT = 29;    // the settings file could not be written
inline constexpr RegistryStatus ERROR_READ_FAULT = 30;     // the settings file could not be read
inline constexpr RegistryStatus ERROR_INVALID_PARAMETER = 87;
inline constexpr RegistryStatus ERROR_MORE_DATA = 234;  // the caller's buffer is too small
