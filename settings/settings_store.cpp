#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

namespace tessalander {

int ReadSettingCode(SettingsStore& store, const char* name, int defaultCode) {
  RegKey key = nullptr;
  if (store.registry.OpenKey(kSettingsKeyPath, RegAccess::Read, &key) != kRegOk) {
    return defaultCode;
  }
  uint8_t bytes[4] = {};
  uint32_t size = sizeof bytes;
  const RegStatus status = store.registry.QueryValue(key, name, bytes, &size);
  store.registry.CloseKey(key);
  if (status != kRegOk) return defaultCode;
  // Little-endian, as REG_DWORD is stored; missing high bytes stay zero.
  const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                         static_cast<uint32_t>(bytes[2]) << 16 |
                         static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int>(value);
}

const char* ReadSettingText(SettingsStore& store, const char* name) {
  RegKey key = nullptr;
  if (store.registry.OpenKey(kSettingsKeyPath, RegAccess::Read, &key) != kRegOk) {
    return nullptr;
  }
  char* buffer = store.SettingTextBuffer;
  uint32_t size = kSettingTextSize;
  const RegStatus status = store.registry.QueryValue(key, name, buffer, &size);
  store.registry.CloseKey(key);
  if (status != kRegOk) return nullptr;
  // The registry does not promise a terminator: end the text inside the data
  // it returned, and never past the buffer.
  if (std::memchr(buffer, '\0', size) == nullptr) {
    buffer[size < kSettingTextSize ? size : kSettingTextSize - 1] = '\0';
  }
  return buffer;
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
  settings.Speed = ReadSettingCode(store, kSpeed, kNoCode);
  settings.ShuffleNum = ReadSettingCode(store, kShuffleNum, kNoCode);
  settings.BackColor = ReadSettingCode(store, kBackColor, kNoCode);
  settings.GetImage = ReadSettingCode(store, kGetImage, kNoCode);
  settings.Parallel = ReadSettingCode(store, kParallel, kNoCode);
  if (const char* text = ReadSettingText(store, kBmpFile)) {
    settings.HasBmpFile = true;
    std::memcpy(settings.BmpFile, text, kSettingTextSize);
  }
  return settings;
}

RegStatus DeleteSettings(SettingsStore& store) {
  return store.registry.DeleteKey(kSettingsKeyPath);
}

}  // namespace tessalander
