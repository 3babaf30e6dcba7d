// What the engine asks of the window system: the monitors the window plays
// on, the display as a source of pixels, the window's own drawing context and
// the clock that seeds the shuffle. The timer, paints and the end of the
// message loop are the host's.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"
#include "engine/display_view.h"
#include "engine/puzzle_areas.h"
#include "engine/surface_layer.h"

namespace tessalander {

struct WindowServices {
  // Where the window plays its puzzles (ArrangePuzzleAreas): the primary
  // first, never none.
  virtual PuzzleAreaList PuzzleAreas(Window window) = 0;
  // The desktop window's rectangle in screen coordinates.
  virtual ScreenRect DesktopRect() = 0;
  // The window's own rectangle in screen coordinates: what it covers.
  virtual ScreenRect WindowRect(Window window) = 0;
  // A child window: the preview, inside the display settings.
  virtual bool IsChildWindow(Window window) = 0;

  // A context for the whole display, readable as the source of a copy;
  // nullptr when none can be had.
  virtual Canvas OpenDisplay() = 0;
  virtual DisplayView ViewOfDisplay(Canvas display) = 0;
  virtual void CloseDisplay(Canvas display) = 0;

  // The window's private drawing context: a brush selected into it stays
  // selected for every later paint. nullptr when it cannot be had.
  virtual Canvas WindowContext(Window window) = 0;
  virtual void ReleaseWindowContext(Window window, Canvas context) = 0;

  // The calendar time in whole seconds.
  virtual int64_t CalendarSeconds() = 0;

 protected:
  ~WindowServices() = default;
};

}  // namespace tessalander
