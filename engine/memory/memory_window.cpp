#include "engine/memory/memory_window.h"

#include <algorithm>
#include <utility>

namespace tessalander {

namespace {

std::vector<DisplayMonitor> PrimaryFirst(const std::vector<ScreenRect>& monitors) {
  std::vector<DisplayMonitor> listed;
  for (const ScreenRect& rect : monitors) listed.push_back({rect, listed.empty()});
  return listed;
}

PixelSize SizeOf(const ScreenRect& r) { return {r.right - r.left, r.bottom - r.top}; }

// The smallest rectangle that holds every monitor.
ScreenRect VirtualScreenOf(const std::vector<DisplayMonitor>& monitors) {
  ScreenRect box = monitors.at(0).rect;
  for (const DisplayMonitor& monitor : monitors) {
    const ScreenRect& r = monitor.rect;
    box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
           std::max(box.bottom, r.bottom)};
  }
  return box;
}

}  // namespace

MemoryWindow::MemoryWindow(PixelSize screen, MemorySurface desktop)
    : MemoryWindow(std::vector<ScreenRect>{{0, 0, screen.width, screen.height}}, std::move(desktop)) {}

MemoryWindow::MemoryWindow(std::vector<ScreenRect> monitors, MemorySurface desktop)
    : Screen(SizeOf(monitors.at(0))),
      Monitors(PrimaryFirst(monitors)),
      VirtualScreen(VirtualScreenOf(Monitors)),
      Place(VirtualScreen),
      Desktop(monitors.at(0)),
      Display(std::move(desktop)),
      Client(SizeOf(VirtualScreen).width, SizeOf(VirtualScreen).height, kBlack) {}

PuzzleAreaList MemoryWindow::PuzzleAreas(Window) {
  return ArrangePuzzleAreas(Monitors.data(), static_cast<int>(Monitors.size()),
                            {Place.left, Place.top}, Child, Screen);
}

Canvas MemoryWindow::OpenDisplay() {
  if (RefuseContexts) return nullptr;
  ++DisplaysOpen;
  const bool screenCoordinates = DisplayContext == DisplayKind::ScreenCoordinates;
  Display.OriginX = screenCoordinates ? VirtualScreen.left : 0;
  Display.OriginY = screenCoordinates ? VirtualScreen.top : 0;
  return AsCanvas(&Display);
}

DisplayView MemoryWindow::ViewOfDisplay(Canvas) {
  DisplayFacts facts;
  facts.horzRes = Screen.width;
  facts.vertRes = Screen.height;
  facts.monitors = static_cast<int32_t>(Monitors.size());
  facts.virtualScreen = VirtualScreen;
  facts.clipBoxKnown = true;
  facts.clipBox = {Display.OriginX, Display.OriginY, Display.OriginX + Display.Width,
                   Display.OriginY + Display.Height};
  return ViewOfDisplayFacts(facts);
}

void MemoryWindow::CloseDisplay(Canvas) { --DisplaysOpen; }

Canvas MemoryWindow::WindowContext(Window) {
  if (RefuseContexts) return nullptr;
  ++ContextsOut;
  return AsCanvas(&Client);
}

void MemoryWindow::ReleaseWindowContext(Window, Canvas) { --ContextsOut; }

void MemoryWindow::ChangeMonitors(std::vector<ScreenRect> monitors, MemorySurface desktop) {
  Screen = SizeOf(monitors.at(0));
  Monitors = PrimaryFirst(monitors);
  VirtualScreen = VirtualScreenOf(Monitors);
  Desktop = monitors.at(0);
  Display = std::move(desktop);
  CopyPixels(Display, Place.left - VirtualScreen.left, Place.top - VirtualScreen.top, Client.Width,
             Client.Height, Client, 0, 0);
}

void MemoryWindow::MoveTo(ScreenRect place) {
  Place = place;
  Client = MemorySurface(SizeOf(place).width, SizeOf(place).height, kBlack);
}

PixelSize VirtualScreenSize(const std::vector<ScreenRect>& monitors) {
  return SizeOf(VirtualScreenOf(PrimaryFirst(monitors)));
}

}  // namespace tessalander
