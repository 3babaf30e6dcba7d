// The one SaverWindow: full screen and topmost, or a child of the preview's
// parent; its class, its window procedure and the message loop.
#pragma once

#include <windows.h>

// Runs the window's message loop to its end and returns the exit code.
int RunSaverWindow(HWND parent);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
