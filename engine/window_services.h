// What the engine asks of the window system: the monitors the window plays
// on, the display as a source of pixels, the window's own drawing context, the
// animation timer, repaint requests, the end of the message loop and the
// clock that seeds the shuffle.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"
#include "engine/display_view.h"
#include "engine/puzzle_areas.h"
#include "engine/surface_layer.h"

namespace tessalander {

struct WindowObject;
using Window = WindowObject*;

struct WindowServices {
  // Where the window plays its puzzles (ArrangePuzzleAreas): the primary
  // first, never none.
  virtual PuzzleAreaList PuzzleAreas(Window window) = 0;
  // The desktop window's rectangle in screen coordinates.
  virtual ScreenRect DesktopRect() = 0;
  // The window's own rectangle in screen coordinates: what it covers.
  virtual ScreenRect WindowRect(Window window) = 0;

  // A context for the whole display, readable as the source of a copy;
  // nullptr when none can be had.
  virtual Canvas OpenDisplay() = 0;
  virtual DisplayView ViewOfDisplay(Canvas display) = 0;
  virtual void CloseDisplay(Canvas display) = 0;

  // The window's private drawing context: a brush selected into it stays
  // selected for every later paint. nullptr when it cannot be had.
  virtual Canvas WindowContext(Window window) = 0;
  virtual void ReleaseWindowContext(Window window, Canvas context) = 0;

  virtual void SetTimer(Window window, uint32_t id, uint32_t periodMs) = 0;
  virtual void KillTimer(Window window, uint32_t id) = 0;
  // Asks for a paint of the whole window, without erasing it first.
  virtual void Invalidate(Window window) = 0;
  // Begins painting and gives the window's context (nullptr when there is
  // none to draw on); EndPaint validates the whole window either way.
  virtual Canvas BeginPaint(Window window) = 0;
  virtual void EndPaint(Window window, Canvas context) = 0;
  // Ends the message loop with exit code 0.
  virtual void PostQuit() = 0;

  // The calendar time in whole seconds.
  virtual int64_t CalendarSeconds() = 0;

 protected:
  ~WindowServices() = default;
};

}  // namespace tessalander
