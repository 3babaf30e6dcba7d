#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

namespace tessalander {

namespace {

int QueryCode(Registry& registry, RegKey key, const char* name, int defaultCode) {
  uint8_t bytes[4] = {};
  uint32_t size = sizeof bytes;
  if (registry.QueryValue(key, name, bytes, &size) != kRegOk) return defaultCode;
  // Little-endian, as REG_DWORD is stored; missing high bytes stay zero.
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                         static_cast<uint32_t>(bytes[2]) << 16 |
                         static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int>(value);
}

// Fills buffer (kSettingTextSize bytes) and returns it, or nullptr.
char* QueryText(Registry& registry, RegKey key, const char* name, char* buffer) {
  uint32_t size = kSettingTextSize;
  if (registry.QueryValue(key, name, buffer, &size) != kRegOk) return nullptr;
  // The registry does not promise a terminator: end the text inside the data
  // it returned, and never past the buffer.
  if (std::memchr(buffer, '\0', size) == nullptr) {
    buffer[size < kSettingTextSize ? size : kSettingTextSize - 1] = '\0';
  }
  return buffer;
}

}  // namespace

int ReadSettingCode(SettingsStore& store, const char* name, int defaultCode) {
  RegKey key = nullptr;
  if (store.registry.OpenKey(kSettingsKeyPath, RegAccess::Read, &key) != kRegOk) {
    return defaultCode;
  }
  const int code = QueryCode(store.registry, key, name, defaultCode);
  store.registry.CloseKey(key);
  return code;
}

const char* ReadSettingText(SettingsStore& store, const char* name) {
  RegKey key = nullptr;
  if (store.registry.OpenKey(kSettingsKeyPath, RegAccess::Read, &key) != kRegOk) {
    return nullptr;
  }
  const char* text = QueryText(store.registry, key, name, store.SettingTextBuffer);
  store.registry.CloseKey(key);
  return text;
}

int WriteSetting(SettingsStore& store, const char* name, const char* text, int code) {
  RegKey key = nullptr;
  if (store.registry.CreateKey(kSettingsKeyPath, &key) != kRegOk) {
    store.alert.Show(kCreateKeyErrorText);
    return 0;
  }
  if (code >= 1 && code <= 4) {
    const uint32_t value = static_cast<uint32_t>(code);
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), 0, 0, 0};
    store.registry.SetValue(key, name, kRegDword, bytes, sizeof bytes);
  } else if (code == kTextCode && text != nullptr) {
    store.registry.SetValue(key, name, kRegSz, text, kSettingTextSize);
  } else {
    store.registry.CloseKey(key);
    return 0;
  }
  store.registry.CloseKey(key);
  return 1;
}

SaverSettings ReadSaverSettings(SettingsStore& store) {
  SaverSettings settings;
  RegKey key = nullptr;
  if (store.registry.OpenKey(kSettingsKeyPath, RegAccess::Read, &key) != kRegOk) return settings;
  Registry& registry = store.registry;
  settings.Speed = QueryCode(registry, key, kSpeed, kNoCode);
  settings.ShuffleNum = QueryCode(registry, key, kShuffleNum, kNoCode);
  settings.BackColor = QueryCode(registry, key, kBackColor, kNoCode);
  settings.GetImage = QueryCode(registry, key, kGetImage, kNoCode);
  settings.Parallel = QueryCode(registry, key, kParallel, kNoCode);
  settings.HasBmpFile = QueryText(registry, key, kBmpFile, settings.BmpFile) != nullptr;
  // A refused read may have left part of an overlong text behind.
  if (!settings.HasBmpFile) std::memset(settings.BmpFile, 0, sizeof settings.BmpFile);
  registry.CloseKey(key);
  return settings;
}

RegStatus DeleteSettings(SettingsStore& store) {
  return store.registry.DeleteKey(kSettingsKeyPath);
}

}  // namespace tessalander
