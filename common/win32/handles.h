// The shared handles (common/animation.h) as the Win32 objects behind them.
#pragma once

#include <windows.h>

#include "common/animation.h"

namespace tessalander {

inline HWND AsHwnd(Window window) { return reinterpret_cast<HWND>(window); }
inline Window AsWindow(HWND window) { return reinterpret_cast<Window>(window); }
inline HDC AsDc(Canvas canvas) { return reinterpret_cast<HDC>(canvas); }
inline Canvas AsCanvas(HDC dc) { return reinterpret_cast<Canvas>(dc); }

}  // namespace tessalander
