// Where the window plays its puzzles: one area per monitor, so that no puzzle
// straddles a bezel. A full-screen window covers every monitor and plays on
// each; a child window (the preview) plays one puzzle of the primary
// screen's size in its top-left corner, as it always has.
#pragma once

#include <cstdint>

#include "engine/surface_layer.h"
#include "common/screen_rect.h"

namespace tessalander {

// Monitors beyond these stay black. Fixed, so that the lists of monitors
// and areas need no allocation.
inline constexpr int kMostMonitors = 16;

// A monitor as the system reports it, in screen coordinates (the primary's
// top-left corner is the origin).
struct DisplayMonitor {
  ScreenRect rect;
  bool primary = false;
};

// One puzzle's place: the monitor it plays on, in screen coordinates (what a
// desktop capture takes), and that monitor's top-left corner in the window's
// coordinates (where it draws).
struct PuzzleArea {
  ScreenRect monitor;
  int32_t left = 0;
  int32_t top = 0;
  bool primary = false;
};

struct PuzzleAreaList {
  PuzzleArea area[kMostMonitors];
  int count = 0;
};

// The primary first, then the others in the order the system gave them; a
// full-screen window's areas are the monitors' rectangles less its own
// top-left corner (in screen coordinates). Monitors without pixels are left
// out. With no monitor at all (a system that cannot list them), and for a
// child window, the one area is the primary screen at the screen's origin.
PuzzleAreaList ArrangePuzzleAreas(const DisplayMonitor* monitors, int count, ScreenPoint windowOrigin,
                                  bool childWindow, PixelSize primaryScreen);

// The part two rectangles share; empty (right <= left or bottom <= top) when
// they share none.
ScreenRect Intersection(ScreenRect a, ScreenRect b);

}  // namespace tessalander
