// How the system's command line chooses a run mode. A pure function of the
// argument text and the OS family, so every row can be tested off Windows;
// checking window handles and running the modes is the Win32 side's.
#pragma once

#include <cstdint>

namespace tessalander {

enum class SaverMode {
  None,            // rejected: exit code -1, nothing shown
  Saver,           // full screen
  Preview,         // child of a window of the display settings
  Configure,       // the configuration dialog
  ChangePassword,  // Windows 95/98/ME only
};

// Advances one character; the Win32 side passes CharNextA so double-byte
// program names are stepped over whole. Must return its argument at the end
// of the text.
using CharNextFn = const char* (*)(const char*);

// Skips the program name (quoted or not) and the blanks after it, returning
// the argument text.
const char* SkipProgramName(const char* commandLine, CharNextFn next);

// Decimal digits from the first byte, modulo 2^32; 0 when there are none.
uint32_t ParseWindowHandle(const char* text);

struct DispatchChoice {
  SaverMode mode = SaverMode::None;
  // Preview parent, or the owner named for configure / change-password;
  // 0 when the line gave none.
  uint32_t window = 0;
  // Configure and change-password fall back to the foreground window when the
  // named one is 0 or not a window; the bare configure line has no owner.
  bool foregroundFallback = false;
};

DispatchChoice ChooseSaverMode(const char* arguments, bool isWindows9x);

}  // namespace tessalander
