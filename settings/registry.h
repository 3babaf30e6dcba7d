// The slice of the registry that the settings store and the password check
// need, so the same logic runs on ADVAPI32 and on an in-memory map in tests.
#pragma once

#include <cstdint>

namespace tessalander {

// Status codes are Win32's own numbers, so the real back-end passes them through.
using RegStatus = long;
inline constexpr RegStatus kRegOk = 0;            // ERROR_SUCCESS
inline constexpr RegStatus kRegNotFound = 2;      // ERROR_FILE_NOT_FOUND
inline constexpr RegStatus kRegAccessDenied = 5;  // ERROR_ACCESS_DENIED
inline constexpr RegStatus kRegMoreData = 234;    // ERROR_MORE_DATA

enum RegType : uint32_t {
  kRegSz = 1,      // REG_SZ
  kRegBinary = 3,  // REG_BINARY
  kRegDword = 4,   // REG_DWORD
};

enum class RegAccess { Read, Write };

using RegKey = void*;

// Every path is a subkey of HKEY_CURRENT_USER.
struct Registry {
  // Opens an existing key; never creates one.
  virtual RegStatus OpenKey(const char* path, RegAccess access, RegKey* key) = 0;
  // Opens a key for writing, creating it and any missing parents.
  virtual RegStatus CreateKey(const char* path, RegKey* key) = 0;
  // Reads a value's data without asking its type. On entry *size is the room
  // in data; on success it is the number of bytes written. Data larger than
  // the room gives kRegMoreData.
  virtual RegStatus QueryValue(RegKey key, const char* name, void* data, uint32_t* size) = 0;
  virtual RegStatus SetValue(RegKey key, const char* name, RegType type, const void* data,
                             uint32_t size) = 0;
  // Removes a key that has no subkeys, with all its values.
  virtual RegStatus DeleteKey(const char* path) = 0;
  virtual void CloseKey(RegKey key) = 0;

 protected:
  ~Registry() = default;
};

}  // namespace tessalander
