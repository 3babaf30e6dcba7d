// What the saver window shows, as the moments it hands over: set-up at
// WM_CREATE, a tick at each WM_TIMER, a paint at each WM_PAINT, tear-down at
// WM_DESTROY, and a new layout after the display changed, just before the
// full-screen window moves over `place`, the new virtual screen in screen
// coordinates. The window keeps the scene that SetUp returns and hands it
// back to the others; TearDown frees it. A scene of nullptr (set-up could
// not even start) gets no ticks, paints or layouts.
#pragma once

#include <windows.h>

#include "common/screen_rect.h"

namespace tessalander {

struct Animation {
  void* (*SetUp)(HWND window);
  void (*Tick)(void* scene, HWND window);
  void (*Paint)(void* scene, HWND window);
  void (*TearDown)(void* scene, HWND window);
  void (*Relayout)(void* scene, HWND window, ScreenRect place);
};

}  // namespace tessalander
