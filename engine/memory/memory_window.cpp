#include "engine/memory/memory_window.h"

#include <utility>

namespace tessalander {

MemoryWindow::MemoryWindow(PixelSize screen, MemorySurface desktop)
    : Screen(screen),
      Desktop{0, 0, screen.width, screen.height},
      Display(std::move(desktop)),
      Client(screen.width, screen.height, kBlack) {}

Canvas MemoryWindow::OpenDisplay() {
  if (RefuseContexts) return nullptr;
  ++DisplaysOpen;
  return AsCanvas(&Display);
}

PixelSize MemoryWindow::DisplaySize(Canvas) { return {Display.Width, Display.Height}; }

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

}  // namespace tessalander
