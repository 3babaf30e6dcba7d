// The end of every message's chain: the close policy, then DefWindowProcA.
#pragma once

#include <windows.h>

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
