// The six settings as the saver uses them: read from the store once, when its
// window is made, and handed on as one value. Only value types and names
// live here, so the engine can take the value without the store.
#pragma once

#include <cstddef>

namespace tessalander {

// Readers pass this default, so it tells them that nothing is stored.
inline constexpr int kNoCode = -1;
// bmpfile is always written as this many bytes, and read into as many.
inline constexpr size_t kSettingTextSize = 256;

// The stored codes. A code that is missing or unknown acts as the default
// that the code's reader gives it.
inline constexpr int kSpeedSlow = 1;  // `speed`; unknown codes act as normal
inline constexpr int kSpeedNormal = 2;
inline constexpr int kSpeedFast = 3;
inline constexpr int kSpeedFastest = 4;
inline constexpr int kShuffleFew = 1;  // `shufflenum`; unknown codes act as normal
inline constexpr int kShuffleNormal = 2;
inline constexpr int kShuffleMany = 3;
inline constexpr int kShuffleMost = 4;
inline constexpr int kBackWhite = 1;  // `backcolor`
inline constexpr int kBackBlack = 2;
inline constexpr int kSourceDesktop = 1;  // `getimage`
inline constexpr int kSourceBitmap = 2;
inline constexpr int kTileAlways = 1;  // `parallel`, the dialog's tile check box
inline constexpr int kTileNotAlways = 2;

struct SaverSettings {
  int Speed = kNoCode;
  int ShuffleNum = kNoCode;
  int BackColor = kNoCode;
  int GetImage = kNoCode;
  int Parallel = kNoCode;
  // `bmpfile`, always NUL-terminated; HasBmpFile is false when none is stored.
  bool HasBmpFile = false;
  char BmpFile[kSettingTextSize] = {};
};

}  // namespace tessalander
