// Drives the settings store against the real registry, for the end-to-end
// test: `write` stores all six values through WriteSetting, `invalid` makes a
// write with an invalid code, `read` prints them back through the store and
// with the raw type and size of each value, `delete` runs DeleteSettings.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "settings/settings_store.h"
#include "settings/win32/win32_registry.h"

using namespace tessalander;

namespace {

constexpr const char* kCodeNames[] = {kSpeed, kShuffleNum, kBackColor, kGetImage, kParallel};

void PrintRaw(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::printf("%s.raw=nokey\n", name);
    return;
  }
  DWORD type = 0;
  DWORD size = 0;
  const LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    std::printf("%s.raw=none\n", name);
  } else {
    std::printf("%s.raw=type%lu/size%lu\n", name, type, size);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  SettingsStore& store = ProcessSettingsStore();
  if (std::strcmp(argv[1], "write") == 0) {
    const int codes[] = {3, 4, 1, 2, 1};
    for (int i = 0; i < 5; ++i) {
      std::printf("write %s=%d\n", kCodeNames[i], WriteSetting(store, kCodeNames[i], nullptr, codes[i]));
    }
    char path[kSettingTextSize];
    std::memset(path, '#', sizeof path);  // bytes after the NUL travel too
    std::strcpy(path, "C:\\pictures\\cat.bmp");
    std::printf("write %s=%d\n", kBmpFile, WriteSetting(store, kBmpFile, path, kTextCode));
  } else if (std::strcmp(argv[1], "invalid") == 0) {
    std::printf("write backcolor=%d\n", WriteSetting(store, kBackColor, nullptr, -1));
  } else if (std::strcmp(argv[1], "read") == 0) {
    for (const char* name : kCodeNames) {
      std::printf("%s=%d\n", name, ReadSettingCode(store, name, kNoCode));
      PrintRaw(name);
    }
    const char* text = ReadSettingText(store, kBmpFile);
    std::printf("%s=%s\n", kBmpFile, text != nullptr ? text : "(none)");
    PrintRaw(kBmpFile);
  } else if (std::strcmp(argv[1], "delete") == 0) {
    std::printf("delete=%ld\n", DeleteSettings(store));
  } else {
    return 2;
  }
  return 0;
}
