// What the saver window shows, as the host hands it over: the handles both
// sides share, and the table of the animation's moments. The host owns the
// window, its timer, its paints and the end of its loop; the animation only
// sets up, ticks, paints, lays itself out again and tears down, and says
// whether it has anything to show. The .scr fills the table with the puzzle
// on GDI (app/win32/saver_entry.cpp), the tests and tools with the puzzle on
// memory surfaces (tools/memory_saver.h).
#pragma once

#include <cstdint>

#include "common/screen_rect.h"

namespace tessalander {

// The window the host made, and a drawing target or source: opaque handles
// whose meaning each back-end knows (an HWND and an HDC in the .scr).
struct WindowObject;
using Window = WindowObject*;
struct CanvasObject;
using Canvas = CanvasObject*;

// What an animation keeps from its set-up to its tear-down. The host holds
// it without looking inside, but for what the animation asks of the window.
struct Scene {
  // Something to show: the host keeps the animation's timer running and
  // asks for a paint. Set by each set-up and new layout.
  bool Animates = false;
};

// The animation's timer: its id and period.
inline constexpr uint32_t kAnimationTimerId = 101;
inline constexpr uint32_t kAnimationPeriodMs = 50;

struct Animation {
  // WM_CREATE, with the timer already running, so that a long set-up counts
  // towards the wait for the first tick. nullptr: nothing can be shown at
  // all, and the window keeps its class's black.
  Scene* (*SetUp)(Window window);
  // WM_TIMER: draws what the tick changed through the window's own context.
  void (*Tick)(Scene* scene, Window window);
  // WM_PAINT: draws everything on `context`, between BeginPaint and EndPaint.
  void (*Paint)(Scene* scene, Canvas context);
  // After the display changed, with the timer running again, before the
  // full-screen window moves over `place`, the new virtual screen in screen
  // coordinates.
  void (*Relayout)(Scene* scene, Window window, ScreenRect place);
  // WM_DESTROY, with the timer stopped: releases everything the scene holds.
  void (*TearDown)(Scene* scene);
};

}  // namespace tessalander
