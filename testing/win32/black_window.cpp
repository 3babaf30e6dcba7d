// The least a full-screen Win32 program can do: one black window over the
// whole primary screen, painted by its class brush, and a message loop. Timing
// its first frame gives Wine's own share of a saver's start-up.
//
//   black_window [hidden|ticking] [SECONDS]   ends after SECONDS (default 30,
//                                            or 120 ticking), on a key or a click
//
// `hidden` never shows the window. Run beside a measurement or the tests, it
// keeps Wine's desktop process up: Wine ends that process a moment after the last program
// on the desktop goes, and a program started while it is ending waits 10 s.
// `ticking` adds a 50 ms timer that does nothing, the saver's tick without the
// puzzle: what Wine alone costs a program that ticks as the saver does.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "testing/win32/test_window.h"

namespace {

using namespace tessalander_testing;

constexpr UINT_PTR kTickTimer = kEndTimer + 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kTickTimer) return 0;
      break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      DestroyWindow(window);
      return 0;
  }
  return TestWindowProc(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const bool hidden = std::strncmp(commandLine, "hidden", 6) == 0;
  if (hidden) commandLine += 6;
  const bool ticking = std::strncmp(commandLine, "ticking", 7) == 0;
  if (ticking) commandLine += 7;
  const int seconds = std::atoi(commandLine) > 0 ? std::atoi(commandLine) : ticking ? 120 : 30;

  const TestWindowClass black = {"BlackWindow", "Black window", &WindowProc,
                                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 0};
  const HWND window =
      OpenTestWindow(black, WS_EX_TOPMOST, hidden ? WS_POPUP : WS_POPUP | WS_VISIBLE, 0, 0,
                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     static_cast<unsigned>(seconds));
  if (window == nullptr) return 1;
  if (ticking) SetTimer(window, kTickTimer, 50, nullptr);
  return RunTestWindow();
}
