// The per-user settings: one registry key, six values. Each operation opens
// the key, reads or writes and closes it again, so a saver and a
// configuration dialog in two processes always see each other's writes.
#pragma once

#include <cstddef>

#include "settings/alert.h"
#include "settings/registry.h"
#include "settings/saver_settings.h"

namespace tessalander {

inline constexpr char kSettingsKeyPath[] = "Software\\QEL\\Tessalander";
inline constexpr char kMakerKeyPath[] = "Software\\QEL";

// Value names, as stored.
inline constexpr char kSpeed[] = "speed";
inline constexpr char kShuffleNum[] = "shufflenum";
inline constexpr char kBackColor[] = "backcolor";
inline constexpr char kGetImage[] = "getimage";
inline constexpr char kParallel[] = "parallel";
inline constexpr char kBmpFile[] = "bmpfile";

// WriteSetting's code that stores a text instead of a code.
inline constexpr int kTextCode = 0;

inline constexpr char kCreateKeyErrorText[] = "RegCreateKeyEx_error!";

struct SettingsStore {
  Registry& registry;
  Alert& alert;
  // Filled by ReadSettingText; the next read overwrites it.
  char SettingTextBuffer[kSettingTextSize] = {};
};

// The stored code, or defaultCode when the key or value is missing or its data
// is longer than 4 bytes. Shorter data reads zero-extended.
int ReadSettingCode(SettingsStore& store, const char* name, int defaultCode);

// The stored text in store.SettingTextBuffer, or nullptr when there is none
// (missing, or longer than 256 bytes). A text without a NUL is cut to 255
// characters so it is always terminated inside the buffer.
const char* ReadSettingText(SettingsStore& store, const char* name);

// Codes 1 to 4 store a REG_DWORD; code 0 stores the 256 bytes at text as
// REG_SZ (text must point at a buffer of at least 256 bytes); any other code
// stores nothing and returns 0. The key is created first in every case; when
// that fails the user sees "RegCreateKeyEx_error!" and 0 is returned.
int WriteSetting(SettingsStore& store, const char* name, const char* text, int code);

// All six under one opening of the key: the codes (kNoCode where nothing is
// stored) and the text, each read as the two readers above read it.
SaverSettings ReadSaverSettings(SettingsStore& store);

// Removes the product's key with all its values; the maker's key stays.
RegStatus DeleteSettings(SettingsStore& store);

}  // namespace tessalander
