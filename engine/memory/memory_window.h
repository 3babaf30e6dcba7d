// The window system as the engine sees it, simulated: monitors and a display
// with a desktop picture on it, one window whose private context is a pixel
// buffer, and a clock that tests set.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/memory/memory_surface.h"
#include "engine/window_services.h"

namespace tessalander {

class MemoryWindow final : public WindowServices {
 public:
  // A full-screen window on one monitor of the screen's size, over a display
  // that shows `desktop` (also the display's size); the window starts black,
  // as the class's background.
  MemoryWindow(PixelSize screen, MemorySurface desktop);
  // A full-screen window over several monitors, given in screen coordinates,
  // the primary first (its top-left corner at the origin). The window and the
  // display cover the virtual screen, the display's pixel (0, 0) showing its
  // top-left corner; the desktop window covers the primary, as Wine's does.
  MemoryWindow(std::vector<ScreenRect> monitors, MemorySurface desktop);

  PuzzleAreaList PuzzleAreas(Window window) override;
  ScreenRect DesktopRect() override { return Desktop; }
  ScreenRect WindowRect(Window) override { return Place; }
  bool IsChildWindow(Window) override { return Child; }
  Canvas OpenDisplay() override;
  DisplayView ViewOfDisplay(Canvas display) override;
  void CloseDisplay(Canvas display) override;
  Canvas WindowContext(Window window) override;
  void ReleaseWindowContext(Window window, Canvas context) override;
  int64_t CalendarSeconds() override {
    ++ClockReads;
    return StartSeconds + ElapsedMs / 1000;
  }

  // The display changes to these monitors and this desktop picture, with the
  // window still where it was: the display shows the window's pixels where it
  // covers them, as a real screen would.
  void ChangeMonitors(std::vector<ScreenRect> monitors, MemorySurface desktop);
  // The window moves over `place` and comes out black, to be painted again.
  void MoveTo(ScreenRect place);

  PixelSize Screen;  // the primary's size
  std::vector<DisplayMonitor> Monitors;
  ScreenRect VirtualScreen;
  ScreenRect Place;  // the window's rectangle: the virtual screen until it changes
  ScreenRect Desktop;
  MemorySurface Display;
  MemorySurface Client;  // the window's pixels and its private context
  // A child window (the preview) plays on one primary-sized area at (0, 0).
  bool Child = false;

  int64_t StartSeconds = 0;
  int64_t ElapsedMs = 0;

  int ClockReads = 0;
  int DisplaysOpen = 0;
  int ContextsOut = 0;

  // The window's context and the display refused, as when the system has
  // no drawing contexts left.
  bool RefuseContexts = false;

  // How the display context is laid out: Wine's, its pixel (0, 0) the
  // virtual screen's corner, or Windows', in screen coordinates.
  enum class DisplayKind { VirtualCorner, ScreenCoordinates };
  DisplayKind DisplayContext = DisplayKind::VirtualCorner;
};

// The virtual screen's size, for a desktop picture to cover it.
PixelSize VirtualScreenSize(const std::vector<ScreenRect>& monitors);

}  // namespace tessalander
