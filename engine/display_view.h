// Where the screen lies in a display context. The two systems differ:
// - Windows: CreateDCA("DISPLAY") is in screen coordinates; the primary's
//   corner is (0, 0), a monitor to its left has negative x, and the clip box
//   is the virtual screen in screen coordinates.
// - Wine: the context's pixel (0, 0) is the virtual screen's top-left corner,
//   and the clip box starts at (0, 0).
// Either way the clip box, when it is the virtual screen's size, says where
// the virtual screen's corner lies in the context. A context of any other
// size holds the primary alone, at the origin.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"

namespace tessalander {

// What a display context holds: the part of the screen that can be copied
// from it, in screen coordinates, and where the screen's origin lies in the
// context's own coordinates.
struct DisplayView {
  ScreenRect screen;
  ScreenPoint origin;
};

// What the system says of the context and the screen.
struct DisplayFacts {
  int32_t horzRes = 0;  // the context's HORZRES and VERTRES: the primary's size
  int32_t vertRes = 0;
  int32_t monitors = 1;       // SM_CMONITORS
  ScreenRect virtualScreen;   // SM_XVIRTUALSCREEN and its kin, in screen coordinates
  bool clipBoxKnown = false;  // GetClipBox did not fail
  ScreenRect clipBox;         // in the context's coordinates
};

DisplayView ViewOfDisplayFacts(const DisplayFacts& facts);

}  // namespace tessalander
