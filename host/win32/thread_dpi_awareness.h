// A preview window is a child of the display settings' window, which may
// have another DPI awareness than this process (its manifest asks for
// per-monitor). Windows 10 1607 and later let a thread take on a window's
// awareness; a child of another awareness is otherwise refused or scaled
// wrongly. Older systems have one awareness per process, and this does
// nothing there.
#pragma once

#include <windows.h>

namespace tessalander {

class ThreadDpiAwareness {
 public:
  // The calling thread takes on WINDOW's awareness; nothing happens for a
  // null window or where the system cannot.
  explicit ThreadDpiAwareness(HWND window);
  ~ThreadDpiAwareness() { Restore(); }
  ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
  ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

  // Gives the thread its own awareness back. A window keeps the awareness
  // it was made under, and the system switches to it for its window
  // procedure, so everything the window procedure reads stays in it.
  void Restore();

 private:
  // SetThreadDpiAwarenessContext; its context type is a handle.
  using SetContextFn = HANDLE(WINAPI*)(HANDLE);
  SetContextFn setContext_ = nullptr;
  HANDLE previous_ = nullptr;
};

}  // namespace tessalander
