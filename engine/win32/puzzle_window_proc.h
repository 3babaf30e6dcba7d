// The engine's window procedure: scene set-up and tear-down, the animation
// tick and the frame paint. Every message ends in the host's SaverDefaultProc.
#pragma once

#include <windows.h>

LRESULT PuzzleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
