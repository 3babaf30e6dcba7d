// An in-memory stand-in for HKEY_CURRENT_USER with Win32's semantics for the
// calls the program makes: case-insensitive names, keys that must exist to be
// opened, parents created on demand, ERROR_MORE_DATA for short buffers.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/registry.h"

namespace tessalander {

struct RegValue {
  RegType type;
  std::vector<uint8_t> data;
};

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class MemoryRegistry final : public Registry {
 public:
  RegStatus OpenKey(const char* path, RegAccess access, RegKey* key) override;
  RegStatus CreateKey(const char* path, RegKey* key) override;
  RegStatus QueryValue(RegKey key, const char* name, void* data, uint32_t* size) override;
  RegStatus SetValue(RegKey key, const char* name, RegType type, const void* data,
                     uint32_t size) override;
  RegStatus DeleteKey(const char* path) override;
  void CloseKey(RegKey key) override;

  // Test-side access.
  bool KeyExists(const std::string& path) const;
  std::optional<RegValue> Value(const std::string& path, const std::string& name) const;
  void Put(const std::string& path, const std::string& name, RegType type,
           std::vector<uint8_t> data);
  void PutDword(const std::string& path, const std::string& name, uint32_t value);
  size_t ValueCount(const std::string& path) const;
  int OpenHandles() const { return static_cast<int>(handles_.size()); }
  // Makes every CreateKey fail, as when the user's hive is read-only.
  void FailCreate(bool fail) { fail_create_ = fail; }

 private:
  using Values = std::map<std::string, RegValue, CaseInsensitiveLess>;
  struct Handle {
    std::string path;
    RegAccess access;
  };
  void CreatePath(const std::string& path);

  std::map<std::string, Values, CaseInsensitiveLess> keys_;
  std::vector<std::unique_ptr<Handle>> handles_;
  bool fail_create_ = false;
};

}  // namespace tessalander
