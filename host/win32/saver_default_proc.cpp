#include "host/win32/saver_default_proc.h"

#include "host/close_policy.h"
#include "host/win32/host_state.h"
#include "host/win32/win32_saver_platform.h"

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32SaverPlatform platform(window);
  return static_cast<LRESULT>(SaverDefaultProc(Host, platform, MessageOf(message, wParam, lParam)));
}
