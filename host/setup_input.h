// Input that came while the saver set itself up. The set-up runs inside
// WM_CREATE, before the window is shown and made the foreground window (shown
// earlier, a desktop capture would copy the saver's own window), so whatever
// the user does meanwhile goes to another window and never reaches the close
// policy. When the set-up ends, the host compares what it saw at launch with
// what it sees then and with the time of the last input the system had.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"

namespace tessalander {

// Keys and mouse buttons held down, one bit per virtual-key code.
struct KeysDown {
  uint32_t bits[8] = {};

  void Set(int key) { bits[(key >> 5) & 7] |= 1u << (key & 31); }
};

// What the host reads at launch and again when the set-up has ended.
struct InputSnapshot {
  uint32_t tick = 0;  // GetTickCount
  bool cursorKnown = false;
  ScreenPoint cursor;
  KeysDown held;
};

enum class SetUpInput : uint8_t {
  NotAsked,   // the preview, or a system that cannot say when input came
  None,       // no input since launch
  Ambiguous,  // input that may be only the release of a key or button held
              // at launch, or a hand resting on the mouse: left alone
  Close,      // a key, a button or mouse travel: the saver closes
};

// lastInput is GetLastInputInfo's tick, nullptr when the system has none.
// Ticks are compared modulo 2^32; input at the launch tick itself came before.
SetUpInput JudgeSetUpInput(bool preview, const InputSnapshot& launch, const InputSnapshot& now,
                           const uint32_t* lastInput);

}  // namespace tessalander
