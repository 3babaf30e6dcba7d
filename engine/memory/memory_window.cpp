#include "engine/memory/memory_window.h"

#include <utility>

namespace tessalander {

namespace {

std::vector<DisplayMonitor> PrimaryFirst(const std::vector<ScreenRect>& monitors) {
  std::vector<DisplayMonitor> listed;
  for (const ScreenRect& rect : monitors) listed.push_back({rect, listed.empty()});
  return listed;
}

PixelSize SizeOf(const ScreenRect& r) { return {r.right - r.left, r.bottom - r.top}; }

}  // namespace

MemoryWindow::MemoryWindow(PixelSize screen, MemorySurface desktop)
    : MemoryWindow(std::vector<ScreenRect>{{0, 0, screen.width, screen.height}}, std::move(desktop)) {}

MemoryWindow::MemoryWindow(std::vector<ScreenRect> monitors, MemorySurface desktop)
    : Screen(SizeOf(monitors.at(0))),
      Monitors(PrimaryFirst(monitors)),
      VirtualScreen(VirtualScreenOf(Monitors.data(), static_cast<int>(Monitors.size()))),
      Desktop(monitors.at(0)),
      Display(std::move(desktop)),
      Client(SizeOf(VirtualScreen).width, SizeOf(VirtualScreen).height, kBlack) {}

PuzzleAreaList MemoryWindow::PuzzleAreas(Window) {
  return ArrangePuzzleAreas(Monitors.data(), static_cast<int>(Monitors.size()),
                            {VirtualScreen.left, VirtualScreen.top}, Child, Screen);
}

Canvas MemoryWindow::OpenDisplay() {
  if (RefuseContexts) return nullptr;
  ++DisplaysOpen;
  return AsCanvas(&Display);
}

DisplayView MemoryWindow::ViewOfDisplay(Canvas) {
  const ScreenPoint corner{VirtualScreen.left, VirtualScreen.top};
  return {{corner.x, corner.y, corner.x + Display.Width, corner.y + Display.Height},
          {-corner.x, -corner.y}};
}

void MemoryWindow::CloseDisplay(Canvas) { --DisplaysOpen; }

Canvas MemoryWindow::WindowContext(Window) {
  if (RefuseContexts) return nullptr;
  ++ContextsOut;
  return AsCanvas(&Client);
}

void MemoryWindow::ReleaseWindowContext(Window, Canvas) { --ContextsOut; }

void MemoryWindow::SetTimer(Window, uint32_t id, uint32_t periodMs) { Timers[id] = periodMs; }

void MemoryWindow::KillTimer(Window, uint32_t id) { Timers.erase(id); }

void MemoryWindow::Invalidate(Window) {
  Invalid = true;
  ++Invalidations;
}

Canvas MemoryWindow::BeginPaint(Window) {
  InsidePaint = true;
  return RefuseContexts ? nullptr : AsCanvas(&Client);
}

void MemoryWindow::EndPaint(Window, Canvas) {
  InsidePaint = false;
  Invalid = false;
  ++Paints;
}

PixelSize VirtualScreenSize(const std::vector<ScreenRect>& monitors) {
  const std::vector<DisplayMonitor> listed = PrimaryFirst(monitors);
  return SizeOf(VirtualScreenOf(listed.data(), static_cast<int>(listed.size())));
}

}  // namespace tessalander
