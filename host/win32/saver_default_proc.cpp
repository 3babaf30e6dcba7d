#include "host/win32/saver_default_proc.h"

#include "host/win32/host_state.h"

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsPreview) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
      case WM_SETCURSOR:
        SetCursor(nullptr);
        return 1;
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
