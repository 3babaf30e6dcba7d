// The one window of a Win32 test program: a class registered and a popup
// window made with it, ended by a timer after a given number of seconds, and
// the message loop. A program's own window procedure handles what it needs
// and passes everything else to TestWindowProc.
#pragma once

#include <windows.h>

namespace tessalander_testing {

// The timer that ends the program; ids above it are the program's own.
constexpr UINT_PTR kEndTimer = 1;

// The end timer destroys the window, and the window's end ends the loop.
inline LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kEndTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

struct TestWindowClass {
  const char* name;
  const char* title;
  WNDPROC procedure;
  HBRUSH background;  // nullptr: the program paints everything itself
  UINT style;         // the class style: CS_OWNDC for a context kept for good
};

// The window at (x, y), width by height, gone after the given seconds (a
// program left behind by a failed test goes away by itself; 0: only when the
// program destroys it); nullptr when the class or the window cannot be made.
inline HWND OpenTestWindow(const TestWindowClass& what, DWORD exStyle, DWORD style, int x, int y,
                           int width, int height, unsigned seconds) {
  WNDCLASSA windowClass = {};
  windowClass.style = what.style;
  windowClass.lpfnWndProc = what.procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = what.background;
  windowClass.lpszClassName = what.name;
  if (!RegisterClassA(&windowClass)) return nullptr;
  const HWND window = CreateWindowExA(exStyle, what.name, what.title, style, x, y, width, height,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window != nullptr && seconds > 0) SetTimer(window, kEndTimer, seconds * 1000u, nullptr);
  return window;
}

// Runs until the window is gone; the exit code PostQuitMessage gave.
inline int RunTestWindow() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tessalander_testing
