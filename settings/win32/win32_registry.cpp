#include "settings/win32/win32_registry.h"

#include <windows.h>

#include "settings/win32/cp932_message_box.h"

namespace tessalander {

namespace {

HKEY AsHkey(RegKey key) { return static_cast<HKEY>(key); }

}  // namespace

RegStatus Win32Registry::OpenKey(const char* path, RegAccess access, RegKey* key) {
  HKEY hkey = nullptr;
  const REGSAM sam = access == RegAccess::Read ? KEY_READ : KEY_WRITE;
  const LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, sam, &hkey);
  *key = hkey;
  return status;
}

RegStatus Win32Registry::CreateKey(const char* path, RegKey* key) {
  HKEY hkey = nullptr;
  char emptyClass[] = "";
  const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, emptyClass,
                                      REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hkey, nullptr);
  *key = hkey;
  return status;
}

RegStatus Win32Registry::QueryValue(RegKey key, const char* name, void* data, uint32_t* size) {
  DWORD bytes = *size;
  const LONG status =
      RegQueryValueExA(AsHkey(key), name, nullptr, nullptr, static_cast<BYTE*>(data), &bytes);
  *size = bytes;
  return status;
}

RegStatus Win32Registry::SetValue(RegKey key, const char* name, RegType type, const void* data,
                                  uint32_t size) {
  return RegSetValueExA(AsHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

RegStatus Win32Registry::DeleteKey(const char* path) {
  return RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

void Win32Registry::CloseKey(RegKey key) { RegCloseKey(AsHkey(key)); }

void Win32Alert::Show(const char* text) { ShowCp932MessageBox(nullptr, text, nullptr, MB_OK); }

SettingsStore& ProcessSettingsStore() {
  static Win32Registry registry;
  static Win32Alert alert;
  static SettingsStore store{registry, alert};
  return store;
}

}  // namespace tessalander
