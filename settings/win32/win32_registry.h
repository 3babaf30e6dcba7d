// The registry and message-box back-ends of the settings store: ADVAPI32's
// A-functions under HKEY_CURRENT_USER, and a message box with no owner.
#pragma once

#include "settings/alert.h"
#include "settings/registry.h"
#include "settings/settings_store.h"

namespace tessalander {

class Win32Registry final : public Registry {
 public:
  RegStatus OpenKey(const char* path, RegAccess access, RegKey* key) override;
  RegStatus CreateKey(const char* path, RegKey* key) override;
  RegStatus QueryValue(RegKey key, const char* name, void* data, uint32_t* size) override;
  RegStatus SetValue(RegKey key, const char* name, RegType type, const void* data,
                     uint32_t size) override;
  RegStatus DeleteKey(const char* path) override;
  void CloseKey(RegKey key) override;
};

class Win32Alert final : public Alert {
 public:
  void Show(const char* text) override;
};

// The process's one store over the real registry.
SettingsStore& ProcessSettingsStore();

}  // namespace tessalander
